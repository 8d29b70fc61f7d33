#pragma once
// The box "О программе": product name, version and comments.
#include "ui/model/Form.h"

namespace ui::forms {

class AboutForm : public ui::Form {
    Q_OBJECT
public:
    AboutForm();

    ui::Label ProductName;
    ui::Label Version;
    ui::Label Comments;
    ui::Button OKButton;
};

}  // namespace ui::forms
