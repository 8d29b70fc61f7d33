#include "ui/forms/main/PoverVPage.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

PoverVPage::PoverVPage(ui::Form* f, ui::PageControl* pages)
    : TSPoverV(f, "TSPoverV", pages),
      GroupBox16(f, "GroupBox16", &TSPoverV),
      Label46(f, "Label46", &GroupBox16),
      EdtZadV2(f, "EdtZadV2", &GroupBox16),
      Label87(f, "Label87", &GroupBox16),
      EdtZadQ2(f, "EdtZadQ2", &GroupBox16),
      Label45(f, "Label45", &GroupBox16),
      EdtPoverV(f, "EdtPoverV", &GroupBox16),
      Label86(f, "Label86", &GroupBox16),
      EdtPoverQ(f, "EdtPoverQ", &GroupBox16),
      Label32(f, "Label32", &GroupBox16),
      EdtTime2(f, "EdtTime2", &GroupBox16),
      BtnQ2Start(f, "BtnQ2Start", &GroupBox16),
      BtnQ2Stop(f, "BtnQ2Stop", &GroupBox16),
      Button26(f, "Button26", &GroupBox16),
      PB2(f, "PB2", &GroupBox16)
{
    TSPoverV.setCaption(QStringLiteral("Поверка имитации накопления объёма"));

    GroupBox16.setCaption(QStringLiteral("Имитация накопл. объема"));
    GroupBox16.setGeometry(8, 6, 728, 172);
    FieldColumn fields{12, 200, 110, 26};
    fields.add(Label46, QStringLiteral("Заданный объем, м3"), EdtZadV2);
    fields.add(Label87, QStringLiteral("Заданный расход, м3/ч"), EdtZadQ2);
    fields.add(Label45, QStringLiteral("Имитируемый объем , м3"), EdtPoverV);
    fields.add(Label86, QStringLiteral("Имитируемый расход, м3/ч"), EdtPoverQ);
    fields.add(Label32, QStringLiteral("Время, с"), EdtTime2);

    BtnQ2Start.setCaption(QStringLiteral("Старт"));
    BtnQ2Start.setGeometry(360, 26, 100, 26);
    BtnQ2Stop.setCaption(QStringLiteral("Стоп"));
    BtnQ2Stop.setGeometry(470, 26, 100, 26);
    BtnQ2Stop.setEnabled(false);
    Button26.setCaption(QStringLiteral("Настройка"));
    Button26.setGeometry(610, 26, 100, 26);
    PB2.setGeometry(360, 68, 350, 20);
}

}  // namespace ui::forms
