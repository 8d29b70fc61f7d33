#pragma once
// The page "Поверка ИПТ" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class IptPage {
public:
    IptPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TSIpt;
};

}  // namespace ui::forms
