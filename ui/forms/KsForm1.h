#pragma once
// The window "Настройка слотов": the kinds of the multi-channel meter's two additional output
// slots, and the calibration of a slot that holds a current output.
#include "ui/model/Form.h"

namespace ui::forms {

class KsForm1 : public ui::Form {
    Q_OBJECT
public:
    KsForm1();

    ui::Label Label1;
    ui::ComboBox cbxDopSlot1;
    ui::Button Button1;  // "Записать" of slot 1
    ui::Button btnCalib1;
    ui::Label Label2;
    ui::ComboBox cbxDopSlot2;
    ui::Button Button3;  // "Записать" of slot 2
    ui::Button btnCalib2;
    ui::Button Button2;  // "Считать"
    ui::StatusBar SB;
};

}  // namespace ui::forms
