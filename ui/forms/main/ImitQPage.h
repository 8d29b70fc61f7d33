#pragma once
// The page "Имитация расхода" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class ImitQPage {
public:
    ImitQPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TSImitQ;
};

}  // namespace ui::forms
