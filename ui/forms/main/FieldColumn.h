#pragma once
// Captioned fields laid out one under another: the label on the left, the field beside it
// and, for a value with a unit, the unit after the field.
#include "ui/model/Controls.h"

namespace ui::forms {

struct FieldColumn {
    int left;
    int labelWidth;
    int fieldWidth;
    int top;
    int step = 28;

    void add(ui::Label& label, const QString& caption, ui::Control& field)
    {
        label.setCaption(caption);
        label.setGeometry(left, top + 4, labelWidth, 18);
        field.setGeometry(left + labelWidth + 4, top, fieldWidth, 24);
        top += step;
    }

    void add(ui::Label& label, const QString& caption, ui::Control& field, ui::Label& unit, const QString& unitCaption)
    {
        unit.setCaption(unitCaption);
        unit.setGeometry(left + labelWidth + fieldWidth + 10, top + 4, 30, 18);
        add(label, caption, field);
    }
};

}  // namespace ui::forms
