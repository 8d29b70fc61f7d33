#pragma once
// The page "Поверка УСИ" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class UsiPage {
public:
    UsiPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TsUSI;
};

}  // namespace ui::forms
