#include "ui/forms/main/ImitVPage.h"

namespace ui::forms {

ImitVPage::ImitVPage(ui::Form* form, ui::PageControl* pages) : TSImitV(form, "TSImitV", pages)
{
    TSImitV.setCaption(QStringLiteral("Имитация накопл. объема"));
}

}  // namespace ui::forms
