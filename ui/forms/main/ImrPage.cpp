#include "ui/forms/main/ImrPage.h"

namespace ui::forms {

ImrPage::ImrPage(ui::Form* form, ui::PageControl* pages) : TSImr(form, "TSImr", pages)
{
    TSImr.setCaption(QStringLiteral("Настройка ИМР"));
}

}  // namespace ui::forms
