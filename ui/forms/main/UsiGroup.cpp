#include "ui/forms/main/UsiGroup.h"

namespace ui::forms {

UsiGroup::UsiGroup(ui::Form* f, ui::Control* page) : GbUsi(f, "GbUsi", page)
{
    GbUsi.setCaption(QStringLiteral("Счетчик импульсов"));
}

}  // namespace ui::forms
