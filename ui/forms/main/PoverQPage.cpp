#include "ui/forms/main/PoverQPage.h"

namespace ui::forms {

PoverQPage::PoverQPage(ui::Form* form, ui::PageControl* pages) : TSPoverQ(form, "TSPoverQ", pages)
{
    TSPoverQ.setCaption(QStringLiteral("Поверка имитации расхода"));
}

}  // namespace ui::forms
