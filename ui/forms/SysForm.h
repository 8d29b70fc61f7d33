#pragma once
// The dialog "Настройка системы ЗТА": choice of the target task.
#include "ui/model/Form.h"

namespace ui::forms {

class SysForm : public ui::Form {
    Q_OBJECT
public:
    SysForm();

    ui::Label Label1;
    ui::ComboBox cbAim;
    ui::Button btnUse;
    ui::Button btnCansel;
};

}  // namespace ui::forms
