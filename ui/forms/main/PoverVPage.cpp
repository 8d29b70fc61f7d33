#include "ui/forms/main/PoverVPage.h"

namespace ui::forms {

PoverVPage::PoverVPage(ui::Form* form, ui::PageControl* pages) : TSPoverV(form, "TSPoverV", pages)
{
    TSPoverV.setCaption(QStringLiteral("Поверка имитации накопления объёма"));
}

}  // namespace ui::forms
