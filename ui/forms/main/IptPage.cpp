#include "ui/forms/main/IptPage.h"

namespace ui::forms {

IptPage::IptPage(ui::Form* form, ui::PageControl* pages) : TSIpt(form, "TSIpt", pages)
{
    TSIpt.setCaption(QStringLiteral("Поверка ИПТ"));
}

}  // namespace ui::forms
