#pragma once
// The page "Поверка имитации расхода" of the main window: verification of the bench's own
// delayed-pulse count and delay line at fixed points.
#include "ui/model/Controls.h"

namespace ui::forms {

class PoverQPage {
public:
    PoverQPage(ui::Form* form, ui::PageControl* pages);

    ui::Page TSPoverQ;
    ui::RadioGroup rgPover;
    ui::GroupBox GroupBox7;
    ui::Edit edtQReal_Imited;
    ui::Edit edtDPN;
    ui::RadioGroup RGNepr;
    ui::Button btnPover1;
    ui::RadioGroup RGControl;
    ui::Button BtnStartPover;
    ui::Button BtnStopPover;
    ui::GroupBox GroupBox10;
    ui::Button Button20;
    ui::Edit Edit10;
};

}  // namespace ui::forms
