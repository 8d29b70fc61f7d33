#pragma once
// The dialog "Параметры накопления объема": flow rate and volume of the accumulation.
#include "ui/model/Form.h"

namespace ui::forms {

class ImVOForm : public ui::Form {
    Q_OBJECT
public:
    ImVOForm();

    ui::GroupBox GroupBox1;
    ui::RadioGroup RGPoint;
    ui::Edit Edit1;
    ui::GroupBox GroupBox2;
    ui::Edit EdtV;
    ui::Button BitBtn1;
    ui::Button BitBtn2;
};

}  // namespace ui::forms
