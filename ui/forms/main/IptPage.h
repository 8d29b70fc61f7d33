#pragma once
// The page "Поверка ИПТ" of the main window: the four currents of the current meter.
#include "ui/model/Controls.h"

namespace ui::forms {

class IptPage {
public:
    IptPage(ui::Form* form, ui::PageControl* pages);

    ui::Page TSIpt;
    ui::GroupBox GroupBox9;
    ui::Label LblCanal11;
    ui::Edit EdtI11;
    ui::Label LblMa11;
    ui::Label LblCanal12;
    ui::Edit EdtI12;
    ui::Label LblMa12;
    ui::Label LblCanal13;
    ui::Edit EdtI13;
    ui::Label LblMa13;
    ui::Label LblCanal14;
    ui::Edit EdtI14;
    ui::Label LblMa14;
    ui::CheckBox CHBTok1;
    ui::Label Label85;
};

}  // namespace ui::forms
