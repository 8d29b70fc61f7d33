#pragma once
// The window "Параметры процесса автоматического тестирования": the five process parameters
// of the automatic verification, each an edit under its label.
#include "ui/model/Form.h"

namespace ui::forms {

class ParATForm : public ui::Form {
    Q_OBJECT
public:
    ParATForm();

    ui::Label Label1;
    ui::Edit Edit1;
    ui::Label Label2;
    ui::Edit Edit2;
    ui::Label Label3;
    ui::Edit Edit3;
    ui::Label Label4;
    ui::Edit Edit4;
    ui::Label Label5;
    ui::Edit Edit5;
    ui::Button BitBtn1;
    ui::Button BitBtn2;
};

}  // namespace ui::forms
