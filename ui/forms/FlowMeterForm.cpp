#include "ui/forms/FlowMeterForm.h"

namespace ui::forms {

FlowMeterForm::FlowMeterForm() : ui::Form("FlowMeterForm")
{
    setCaption(QStringLiteral("Расходомер"));
    setGeometry(QRect(180, 140, 440, 330));
    border = ui::Border::Dialog;
    stayOnTop = true;
}

}  // namespace ui::forms
