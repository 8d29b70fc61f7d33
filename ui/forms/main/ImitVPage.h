#pragma once
// The page "Имитация накопл. объема" of the main window: accumulation of a set volume
// at an imitated flow, with the meter's own volume beside it.
#include "ui/model/Controls.h"

namespace ui::forms {

class ImitVPage {
public:
    ImitVPage(ui::Form* form, ui::PageControl* pages);

    ui::Page TSImitV;
    ui::GroupBox GroupBox5;
    ui::Label Label11;
    ui::Edit EdtNaborV;
    ui::Label Label50;
    ui::Edit edtnabor;
    ui::Label Label82;
    ui::Edit edtZadV;
    ui::Label Label15;
    ui::Edit edttime;
    ui::Label Label33;
    ui::Edit EdtQReal;
    ui::Button BtnQStart;
    ui::Button BtnQStop;
    ui::Button Button5;
    ui::ProgressBar PB;
    ui::Label LblFirstV;
    ui::Button SpeedButton2;
};

}  // namespace ui::forms
