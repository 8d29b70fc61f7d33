#pragma once
// The page "Поверка имитации накопления объёма" of the main window: accumulation of a set
// volume with the bench's own fixed scale.
#include "ui/model/Controls.h"

namespace ui::forms {

class PoverVPage {
public:
    PoverVPage(ui::Form* form, ui::PageControl* pages);

    ui::Page TSPoverV;
    ui::GroupBox GroupBox16;
    ui::Label Label46;
    ui::Edit EdtZadV2;
    ui::Label Label87;
    ui::Edit EdtZadQ2;
    ui::Label Label45;
    ui::Edit EdtPoverV;
    ui::Label Label86;
    ui::Edit EdtPoverQ;
    ui::Label Label32;
    ui::Edit EdtTime2;
    ui::Button BtnQ2Start;
    ui::Button BtnQ2Stop;
    ui::Button Button26;
    ui::ProgressBar PB2;
};

}  // namespace ui::forms
