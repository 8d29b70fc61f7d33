#pragma once
// The window "Расходомер" of the two-channel meter type, with the meter's settings.
#include "ui/model/Form.h"

namespace ui::forms {

class FlowMeterForm : public ui::Form {
    Q_OBJECT
public:
    FlowMeterForm();

    ui::RadioGroup rgCanal;  // "Канал": the measuring channel, none at start
    ui::Label Label7;
    ui::Label lblErr;        // the abnormal-situation flag of the chosen channel

    ui::GroupBox GroupBox2;  // volume and flow
    ui::Label Label3;
    ui::Edit EdtV;
    ui::Label Label1;
    ui::Edit EdtQ;
    ui::Button Button1;      // "Сброс объёма"

    ui::GroupBox GroupBox1;  // the meter's parameters
    ui::Label Label2;
    ui::Edit EdtShift;
    ui::Button Button5;      // writes the zero shift
    ui::Label Label4;
    ui::Edit EdtOtsek;
    ui::Button Button3;      // writes the flow cut-off
    ui::Label Label6;
    ui::Edit EdtWindow;
    ui::Button Button2;      // writes the window shift of the chosen channel
    ui::Button Button6;      // "Считать"
    ui::Label Label5;
    ui::ComboBox cbxOut;

    ui::CheckBox chbImit;
    ui::RadioGroup RGWork;

    ui::StatusBar SB;
};

}  // namespace ui::forms
