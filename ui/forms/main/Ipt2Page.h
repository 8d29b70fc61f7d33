#pragma once
// The service page "Настройка ИПТ, УСИ" of the main window: a hand-set current of the
// current meter's converter and the calibration of its channels. The groups of the
// counters and currents sit beside them in the service layout.
#include "ui/model/Controls.h"

namespace ui::forms {

class Ipt2Page {
public:
    Ipt2Page(ui::Form* form, ui::PageControl* pages);

    ui::Page tsIPT2;
    ui::Label Label71;
    ui::TrackBar TbMa;
    ui::Label Label4;
    ui::Button Button1;
    ui::GroupBox GroupBox15;
    ui::RadioGroup RgCanal;
    ui::Button Button2;
    ui::ProgressBar PBIpt;
};

}  // namespace ui::forms
