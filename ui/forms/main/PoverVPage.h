#pragma once
// The page "Поверка имитации накопления объёма" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class PoverVPage {
public:
    PoverVPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TSPoverV;
};

}  // namespace ui::forms
