#include "ui/forms/FlowMeterForm.h"

namespace ui::forms {

FlowMeterForm::FlowMeterForm() : ui::Form("FlowMeterForm")
{
    setCaption(QStringLiteral("Расходомер"));
}

}  // namespace ui::forms
