#pragma once
// The group "Счетчик импульсов", which the target task moves between pages.
#include "ui/model/Controls.h"

namespace ui::forms {

class UsiGroup {
public:
    UsiGroup(ui::Form* form, ui::Control* page);
    ui::GroupBox GbUsi;
};

}  // namespace ui::forms
