#include "ui/forms/main/IptGroup.h"

namespace ui::forms {

IptGroup::IptGroup(ui::Form* f, ui::Control* page) : GBIpt(f, "GBIpt", page)
{
    GBIpt.setCaption(QStringLiteral("Токовый выход (ИПТ)"));
}

}  // namespace ui::forms
