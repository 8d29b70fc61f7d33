#include "ui/forms/FlowMeterFormKS.h"

namespace ui::forms {

FlowMeterFormKS::FlowMeterFormKS() : ui::Form("FlowMeterFormKS")
{
    setCaption(QStringLiteral("Расходомер"));
}

}  // namespace ui::forms
