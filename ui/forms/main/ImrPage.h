#pragma once
// The service page "Настройка ИМР" of the main window: quartz frequency and converter
// times of the imitation module, tuning of its converters, delay line calibration and the
// emulation bit.
#include "ui/model/Controls.h"

namespace ui::forms {

class ImrPage {
public:
    ImrPage(ui::Form* form, ui::PageControl* pages);

    ui::Page TSImr;
    ui::Label Label52;
    ui::Edit Edit28;
    ui::Button BtnF;
    ui::Label Label53;
    ui::Edit Edit29;
    ui::Button btnT0;
    ui::Label Label54;
    ui::Edit Edit30;
    ui::Button BtnT1;

    ui::GroupBox GroupBox11;
    ui::RadioGroup RGDa2;
    ui::CheckBox ChbPolar;
    ui::Button BtnStartDa2;
    ui::Button BtnStopDa2;

    ui::GroupBox GroupBox12;
    ui::Label Label55;
    ui::Label lblDa1;
    ui::Button BtnStartDa1;
    ui::Button BtnStopDa1;

    ui::GroupBox GroupBox13;
    ui::Button Button29;
    ui::Label Label61;
    ui::Label LblDelay0;
    ui::Edit Edit31;
    ui::Label LblDelay1;
    ui::Edit Edit32;
    ui::Label LblDelayMean;
    ui::Edit Edit33;

    ui::Panel Panel1;
    ui::Label Label30;
    ui::Button Button14;
    ui::Button Button15;
};

}  // namespace ui::forms
