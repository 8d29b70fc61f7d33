#pragma once
// The dialog "Настройка": restores the default communication settings of every module on the
// bench line; its log follows the procedure speed by speed. It closes only through "Закрыть".
#include "ui/model/Form.h"

namespace ui::forms {

class FrmInitForm : public ui::Form {
    Q_OBJECT
public:
    FrmInitForm();

    ui::Label Label1;
    ui::Button Button1;  // "Старт"
    ui::Button Button2;  // "Закрыть"
    ui::Memo Memo1;
};

}  // namespace ui::forms
