#pragma once
// The page "Поверка имитации расхода" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class PoverQPage {
public:
    PoverQPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TSPoverQ;
};

}  // namespace ui::forms
