#pragma once
// The window "Расходомер" of the multi-channel meter type, set up channel by channel: the
// meter's regime and its verification command, the channel choice, the polled volume and
// flow of the chosen channel, its parameters, and the way to the output slots.
#include "ui/model/Form.h"

namespace ui::forms {

class FlowMeterFormKS : public ui::Form {
    Q_OBJECT
public:
    FlowMeterFormKS();

    ui::Label Label9;
    ui::Label lblStat;   // the regime as last read
    ui::Button Button7;  // "Старт поверки" / "Стоп поверки"
    ui::RadioGroup RgCanal;

    ui::GroupBox GroupBox2;  // volume and flow
    ui::Label Label3;
    ui::Edit EdtV;
    ui::Label Label1;
    ui::Edit EdtQ;
    ui::Button Button9;  // "Сброс объёма"

    ui::GroupBox GroupBox1;  // the chosen channel's parameters
    ui::Label Label5;
    ui::Edit EdtUZS;
    ui::Label Label6;
    ui::Edit EdtOtsek;
    ui::Label Label7;
    ui::Edit EdtMed;
    ui::Label Label8;
    ui::Edit EdtArifm;
    ui::Button Button1;  // writes the four fields above
    ui::Label Label4;
    ui::Edit EdtShift;
    ui::Button Button5;  // writes the zero shift
    ui::Label Label2;
    ui::Edit EdtAc;
    ui::Button Button6;  // "Считать"

    // The measurement mode; kept hidden.
    ui::Label Label10;
    ui::ComboBox cbxIzm;
    ui::Button Button8;

    ui::Button BtnSetup;  // "Настройка периферии >>"
    ui::StatusBar SB;
};

}  // namespace ui::forms
