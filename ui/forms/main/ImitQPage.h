#pragma once
// The page "Имитация расхода" of the main window: the verification point, the imitated
// flow and the flow the meter reports.
#include "ui/model/Controls.h"

namespace ui::forms {

class ImitQPage {
public:
    ImitQPage(ui::Form* form, ui::PageControl* pages);

    ui::Page TSImitQ;
    ui::RadioGroup RGPoint;
    ui::Edit Edit1;
    ui::GroupBox GroupBox3;
    ui::Label Label5;
    ui::Edit EdtRashQImit;
    ui::Label Label47;
    ui::Edit EdtRashQ1;
    ui::Button btnImit;
    ui::Label lblDelay;
    ui::Button SpeedButton3;
};

}  // namespace ui::forms
