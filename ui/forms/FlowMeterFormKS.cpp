#include "ui/forms/FlowMeterFormKS.h"

namespace ui::forms {

FlowMeterFormKS::FlowMeterFormKS() : ui::Form("FlowMeterFormKS")
{
    setCaption(QStringLiteral("Расходомер"));
    setGeometry(QRect(220, 140, 440, 330));
    border = ui::Border::Dialog;
    stayOnTop = true;
}

}  // namespace ui::forms
