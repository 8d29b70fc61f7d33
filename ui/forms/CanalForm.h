#pragma once
// The dialog "Настройка канала": serial settings of one Modbus line.
#include "ui/model/Form.h"

namespace ui::forms {

class CanalForm : public ui::Form {
    Q_OBJECT
public:
    CanalForm();

    ui::Label Label1;
    ui::ComboBox cbxPort;
    ui::RadioGroup rgrCSpeed;
    ui::RadioGroup RgrLink;
    ui::Label Label2;
    ui::Edit edtInterval;
    ui::Label Label3;
    ui::Edit edtAnsDel;
    ui::Label Label4;
    ui::Edit edtRet;
    ui::UpDown UDRet;
    ui::Button btnUse;
    ui::Button btnCancel;
};

}  // namespace ui::forms
