#include "ui/forms/main/ImitVPage.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

ImitVPage::ImitVPage(ui::Form* f, ui::PageControl* pages)
    : TSImitV(f, "TSImitV", pages),
      GroupBox5(f, "GroupBox5", &TSImitV),
      Label11(f, "Label11", &GroupBox5),
      EdtNaborV(f, "EdtNaborV", &GroupBox5),
      Label50(f, "Label50", &GroupBox5),
      edtnabor(f, "edtnabor", &GroupBox5),
      Label82(f, "Label82", &GroupBox5),
      edtZadV(f, "edtZadV", &GroupBox5),
      Label15(f, "Label15", &GroupBox5),
      edttime(f, "edttime", &GroupBox5),
      Label33(f, "Label33", &GroupBox5),
      EdtQReal(f, "EdtQReal", &GroupBox5),
      BtnQStart(f, "BtnQStart", &GroupBox5),
      BtnQStop(f, "BtnQStop", &GroupBox5),
      Button5(f, "Button5", &GroupBox5),
      PB(f, "PB", &GroupBox5),
      LblFirstV(f, "LblFirstV", &GroupBox5),
      SpeedButton2(f, "SpeedButton2", &TSImitV, ui::Kind::SpeedButton)
{
    TSImitV.setCaption(QStringLiteral("Имитация накопл. объема"));

    GroupBox5.setCaption(QStringLiteral("Накопление объема"));
    GroupBox5.setGeometry(8, 6, 728, 172);
    FieldColumn fields{12, 200, 110, 26};
    fields.add(Label11, QStringLiteral("Накопленный объем, м3"), EdtNaborV);
    fields.add(Label50, QStringLiteral("Накопленный объем, м3 (прибор)"), edtnabor);
    fields.add(Label82, QStringLiteral("Заданный объем"), edtZadV);
    fields.add(Label15, QStringLiteral("Время накопления, с"), edttime);
    fields.add(Label33, QStringLiteral("Реальный расход"), EdtQReal);

    BtnQStart.setCaption(QStringLiteral("Старт"));
    BtnQStart.setGeometry(360, 26, 100, 26);
    BtnQStart.setEnabled(false);
    BtnQStop.setCaption(QStringLiteral("Стоп"));
    BtnQStop.setGeometry(470, 26, 100, 26);
    BtnQStop.setEnabled(false);
    Button5.setCaption(QStringLiteral("Настройка"));
    Button5.setGeometry(610, 26, 100, 26);
    PB.setGeometry(360, 68, 350, 20);
    LblFirstV.setCaption(QStringLiteral("объем до нажатия кнопки старт"));
    LblFirstV.setGeometry(360, 142, 350, 18);
    LblFirstV.setVisible(false);

    SpeedButton2.setCaption(QStringLiteral("Σ"));
    SpeedButton2.setHint(QStringLiteral("Показать окно \"Калькулятор ЗТА\""));
    SpeedButton2.setGeometry(744, 12, 26, 24);
}

}  // namespace ui::forms
