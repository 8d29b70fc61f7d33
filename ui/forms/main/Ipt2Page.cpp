#include "ui/forms/main/Ipt2Page.h"

namespace ui::forms {

Ipt2Page::Ipt2Page(ui::Form* form, ui::PageControl* pages) : tsIPT2(form, "tsIPT2", pages)
{
    tsIPT2.setCaption(QStringLiteral("Настройка ИПТ, УСИ"));
}

}  // namespace ui::forms
