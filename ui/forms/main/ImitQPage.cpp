#include "ui/forms/main/ImitQPage.h"

namespace ui::forms {

ImitQPage::ImitQPage(ui::Form* form, ui::PageControl* pages) : TSImitQ(form, "TSImitQ", pages)
{
    TSImitQ.setCaption(QStringLiteral("Имитация расхода"));
}

}  // namespace ui::forms
