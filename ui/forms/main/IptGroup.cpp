#include "ui/forms/main/IptGroup.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

IptGroup::IptGroup(ui::Form* f, ui::Control* page)
    : GBIpt(f, "GBIpt", page),
      rbi0(f, "rbi0", &GBIpt),
      LblCanal1(f, "LblCanal1", &GBIpt),
      EdtI1(f, "EdtI1", &GBIpt),
      LblMa1(f, "LblMa1", &GBIpt),
      rbi1(f, "rbi1", &GBIpt),
      LblCanal2(f, "LblCanal2", &GBIpt),
      EdtI2(f, "EdtI2", &GBIpt),
      LblMa2(f, "LblMa2", &GBIpt),
      rbi2(f, "rbi2", &GBIpt),
      LblCanal3(f, "LblCanal3", &GBIpt),
      EdtI3(f, "EdtI3", &GBIpt),
      LblMa3(f, "LblMa3", &GBIpt),
      rbi3(f, "rbi3", &GBIpt),
      LblCanal4(f, "LblCanal4", &GBIpt),
      EdtI4(f, "EdtI4", &GBIpt),
      LblMa4(f, "LblMa4", &GBIpt),
      ChbTok(f, "ChbTok", &GBIpt),
      LblS1(f, "LblS1", &GBIpt)
{
    GBIpt.setCaption(QStringLiteral("Токовый выход (ИПТ)"));
    GBIpt.setGeometry(8, 253, 380, 142);

    ui::RadioButton* const radios[] = {&rbi0, &rbi1, &rbi2, &rbi3};
    ui::Label* const names[] = {&LblCanal1, &LblCanal2, &LblCanal3, &LblCanal4};
    ui::Edit* const values[] = {&EdtI1, &EdtI2, &EdtI3, &EdtI4};
    ui::Label* const units[] = {&LblMa1, &LblMa2, &LblMa3, &LblMa4};
    const QString hint = QStringLiteral("Значение тока из выбранного слота\n"
                                        "поступает в форму \"калькулятора\"\n"
                                        "и для калибровки токовых слотов");
    FieldColumn rows{34, 56, 110, 24};
    for (int i = 0; i < 4; ++i) {
        radios[i]->setGeometry(10, rows.top + 3, 20, 18);
        radios[i]->setHint(hint);
        rows.add(*names[i], QStringLiteral("Канал %1").arg(i + 1), *values[i], *units[i], QStringLiteral("мА"));
    }
    rbi0.setChecked(true);

    ChbTok.setCaption(QStringLiteral("Читать"));
    ChbTok.setGeometry(268, 26, 90, 20);
    LblS1.setCaption(QStringLiteral("..."));
    LblS1.setGeometry(268, 56, 40, 18);
}

}  // namespace ui::forms
