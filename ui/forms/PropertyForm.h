#pragma once
// The dialog "Параметры модуля": one bench module's address, RTS delay and line speed, each
// written to the module by its own "Записать".
#include "ui/model/Form.h"

namespace ui::forms {

class PropertyForm : public ui::Form {
    Q_OBJECT
public:
    PropertyForm();

    ui::Label Label1;  // "Адрес прибора"
    ui::Edit EdtAdr;
    ui::Button Button2;
    ui::Label Label2;  // "Задержка RTS"
    ui::Edit EdtRts;
    ui::Button Button3;
    ui::Label Label3;  // "Скорость"
    ui::ComboBox CBSpeed;
    ui::Button Button5;
    ui::Button Button1;  // "Закрыть"
};

}  // namespace ui::forms
