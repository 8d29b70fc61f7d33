#pragma once
// The dialog "Свойства модуля.": the catalogue of meter types.
#include "ui/model/Form.h"

namespace ui::forms {

class MProForm : public ui::Form {
    Q_OBJECT
public:
    MProForm();

    ui::Label Label1;
    ui::ComboBox chbType;
    ui::GroupBox GroupBox1;
    ui::Label Label2;
    ui::Edit Edit1;
    ui::CheckBox Chbac;
    ui::Label Label3;
    ui::Edit Edit2;
    ui::Label Label4;
    ui::Edit Edit3;
    ui::Label Label5;
    ui::Edit Edit4;
    ui::Label Label6;
    ui::Edit Edit5;  // the type's permissible error, %
    ui::Button Button1;
    ui::Button Button2;
    ui::Button Button3;
    ui::Button BitBtn4;
    ui::Button BitBtn5;
};

}  // namespace ui::forms
