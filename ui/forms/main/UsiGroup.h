#pragma once
// The group "Счетчик импульсов", which the target task moves between pages: the four
// counters of the pulse counter module, their resets and the modes of its inputs.
#include "ui/model/Controls.h"

namespace ui::forms {

class UsiGroup {
public:
    UsiGroup(ui::Form* form, ui::Control* page);

    ui::GroupBox GbUsi;
    ui::Label LblCanal;
    ui::Label LblImpCount;
    ui::Label LblInputs;
    ui::RadioButton rbv0;
    ui::Label LblCnt1;
    ui::Edit EdtCnt1;
    ui::Button Button7;
    ui::Panel PnlUsi1;
    ui::RadioButton rbv1;
    ui::Label LblCnt2;
    ui::Edit EdtCnt2;
    ui::Button Button8;
    ui::Panel PnlUsi2;
    ui::RadioButton rbv2;
    ui::Label LblCnt3;
    ui::Edit EdtCnt3;
    ui::Button Button9;
    ui::Panel PnlUsi3;
    ui::RadioButton rbv3;
    ui::Label LblCnt4;
    ui::Edit EdtCnt4;
    ui::Button Button10;
    ui::Panel PnlUsi4;
    ui::CheckBox ChbCnt1;
    ui::Label lbls2;
    ui::Button Button6;
};

}  // namespace ui::forms
