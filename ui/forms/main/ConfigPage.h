#pragma once
// The page "Конфигурация системы": the bench's modules and the meter under test.
#include "ui/model/Controls.h"

namespace ui::forms {

class ConfigPage {
public:
    ConfigPage(ui::Form* form, ui::PageControl* pages);

    ui::Page TsConfig;
    ui::GroupBox GroupBox1;
    ui::Button BBnTarger;
    ui::Label Label28;
    ui::Label Label1;
    ui::Grid sg;
    ui::Button BtnPropZTA;
    ui::Button btnCanal;
    ui::Button BtnConnect;
    ui::Button BitBtn5;
    ui::Button Button19;

    ui::GroupBox GbPrib;
    ui::Label Label2;
    ui::ComboBox cbxprib;
    ui::Label Label3;
    ui::Edit edtadrp;
    ui::Button BBParam;
    ui::Button BtnConnect1;
    ui::Button BitBtn7;
    ui::Edit Edit4;
    ui::Label Label49;
    ui::Edit edtac;
    ui::Button BtnCount;
    ui::Button BtnCount1;
    ui::Button BtnSetup;
    ui::Button BtnProp;

    ui::Button SpeedButton1;
};

}  // namespace ui::forms
