#include "ui/forms/main/UsiPage.h"

namespace ui::forms {

UsiPage::UsiPage(ui::Form* form, ui::PageControl* pages) : TsUSI(form, "TsUSI", pages)
{
    TsUSI.setCaption(QStringLiteral("Поверка УСИ"));
}

}  // namespace ui::forms
