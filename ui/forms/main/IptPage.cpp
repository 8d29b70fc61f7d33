#include "ui/forms/main/IptPage.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

IptPage::IptPage(ui::Form* f, ui::PageControl* pages)
    : TSIpt(f, "TSIpt", pages),
      GroupBox9(f, "GroupBox9", &TSIpt),
      LblCanal11(f, "LblCanal11", &GroupBox9),
      EdtI11(f, "EdtI11", &GroupBox9),
      LblMa11(f, "LblMa11", &GroupBox9),
      LblCanal12(f, "LblCanal12", &GroupBox9),
      EdtI12(f, "EdtI12", &GroupBox9),
      LblMa12(f, "LblMa12", &GroupBox9),
      LblCanal13(f, "LblCanal13", &GroupBox9),
      EdtI13(f, "EdtI13", &GroupBox9),
      LblMa13(f, "LblMa13", &GroupBox9),
      LblCanal14(f, "LblCanal14", &GroupBox9),
      EdtI14(f, "EdtI14", &GroupBox9),
      LblMa14(f, "LblMa14", &GroupBox9),
      CHBTok1(f, "CHBTok1", &GroupBox9),
      Label85(f, "Label85", &GroupBox9)
{
    TSIpt.setCaption(QStringLiteral("Поверка ИПТ"));

    GroupBox9.setCaption(QStringLiteral("Измеритель постоянного тока (ИПТ)"));
    GroupBox9.setGeometry(8, 8, 380, 142);
    ui::Label* const names[] = {&LblCanal11, &LblCanal12, &LblCanal13, &LblCanal14};
    ui::Edit* const values[] = {&EdtI11, &EdtI12, &EdtI13, &EdtI14};
    ui::Label* const units[] = {&LblMa11, &LblMa12, &LblMa13, &LblMa14};
    FieldColumn rows{34, 56, 110, 24};
    for (int i = 0; i < 4; ++i)
        rows.add(*names[i], QStringLiteral("Канал %1").arg(i + 1), *values[i], *units[i], QStringLiteral("мА"));

    CHBTok1.setCaption(QStringLiteral("Читать"));
    CHBTok1.setGeometry(268, 26, 90, 20);
    Label85.setCaption(QStringLiteral("..."));
    Label85.setGeometry(268, 56, 40, 18);
}

}  // namespace ui::forms
