#pragma once
// The page "Протокол"; it is hidden when the window is created and never shown again.
#include "ui/model/Controls.h"

namespace ui::forms {

class ProtocolPage {
public:
    ProtocolPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TS4;
    ui::Button Button11;
    ui::Button Button12;
    ui::Button Button13;
};

}  // namespace ui::forms
