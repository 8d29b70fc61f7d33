#pragma once
// The page "Настройка ИПТ, УСИ" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class Ipt2Page {
public:
    Ipt2Page(ui::Form* form, ui::PageControl* pages);
    ui::Page tsIPT2;
};

}  // namespace ui::forms
