#pragma once
// The window "Автоматическая поверка": the meter's identity for the protocol, the permissible
// error of its type, the start and stop of the run, and its progress (the point in work and the
// time left, then the run's conclusion).
#include "ui/model/Form.h"

namespace ui::forms {

class AutoVerificationForm : public ui::Form {
    Q_OBJECT
public:
    AutoVerificationForm();

    ui::GroupBox GbMeter;
    ui::Label LblSerial;
    ui::Edit EdtSerial;
    ui::Label LblOwner;
    ui::Edit EdtOwner;
    ui::Label LblOperator;
    ui::Edit EdtOperator;
    ui::Label LblPermissibleError;
    ui::Edit EdtPermissibleError;
    ui::Label LblProgress;
    ui::ProgressBar PB;
    ui::Button BtnStart;
    ui::Button BtnStop;
};

}  // namespace ui::forms
