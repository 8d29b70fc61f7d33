#pragma once
// The window "Калькулятор ЗТА": the imitated flow, current and volume beside the measured ones,
// with the relative error of each pair, and below them the trend of the flow point. Not modal;
// shown from the imitation pages.
#include "ui/model/Form.h"
#include "ui/model/Trend.h"

namespace ui::forms {

class CalcForm : public ui::Form {
    Q_OBJECT
public:
    CalcForm();

    ui::GroupBox GroupBox1;  // "Расход"
    ui::Label Label1;
    ui::Edit edtqe;
    ui::Label Label2;
    ui::Edit edtqi;
    ui::Label Label3;
    ui::Label lblqproc;
    ui::Label Label4;
    ui::Edit edtmaxq;
    ui::Label Label5;
    ui::Edit edtminq;
    ui::Label Label6;
    ui::Edit EdtAvgQ;
    ui::Button BtnClear;
    ui::Button btnStart;

    ui::GroupBox GroupBox2;  // "Ток"
    ui::Label Label7;
    ui::Edit edtie;
    ui::Label Label8;
    ui::Edit edtii;
    ui::Label lbliproc;
    ui::Label Label9;
    ui::Edit edti4;
    ui::Label Label10;
    ui::Edit edti20;
    ui::Button Button1;

    ui::GroupBox GroupBox3;  // "Объем"
    ui::Label Label11;
    ui::Edit edtVe;
    ui::Label Label12;
    ui::Edit edtVi;
    ui::Label lblVproc;
    ui::Label Label13;
    ui::Edit edtimp;
    ui::Label Label14;
    ui::Label lblimp;
    ui::Label Label15;
    ui::Label lblVproc2;

    ui::Trend trend;  // the reference and the meter's flow, and the flow error, over the last minutes

    ui::StatusBar SB;
};

}  // namespace ui::forms
