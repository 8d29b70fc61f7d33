#pragma once
// The group "Токовый выход (ИПТ)", which the target task moves between pages.
#include "ui/model/Controls.h"

namespace ui::forms {

class IptGroup {
public:
    IptGroup(ui::Form* form, ui::Control* page);
    ui::GroupBox GBIpt;
};

}  // namespace ui::forms
