#pragma once
// The group "Токовый выход (ИПТ)", which the target task moves between pages: the four
// currents of the current meter and the channel passed on to the statistics window.
#include "ui/model/Controls.h"

namespace ui::forms {

class IptGroup {
public:
    IptGroup(ui::Form* form, ui::Control* page);

    ui::GroupBox GBIpt;
    ui::RadioButton rbi0;
    ui::Label LblCanal1;
    ui::Edit EdtI1;
    ui::Label LblMa1;
    ui::RadioButton rbi1;
    ui::Label LblCanal2;
    ui::Edit EdtI2;
    ui::Label LblMa2;
    ui::RadioButton rbi2;
    ui::Label LblCanal3;
    ui::Edit EdtI3;
    ui::Label LblMa3;
    ui::RadioButton rbi3;
    ui::Label LblCanal4;
    ui::Edit EdtI4;
    ui::Label LblMa4;
    ui::CheckBox ChbTok;
    ui::Label LblS1;
};

}  // namespace ui::forms
