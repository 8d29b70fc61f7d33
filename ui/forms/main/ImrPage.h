#pragma once
// The page "Настройка ИМР" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class ImrPage {
public:
    ImrPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TSImr;
};

}  // namespace ui::forms
