#include "ui/forms/main/UsiGroup.h"

namespace ui::forms {

UsiGroup::UsiGroup(ui::Form* f, ui::Control* page)
    : GbUsi(f, "GbUsi", page),
      LblCanal(f, "LblCanal", &GbUsi),
      LblImpCount(f, "LblImpCount", &GbUsi),
      LblInputs(f, "LblInputs", &GbUsi),
      rbv0(f, "rbv0", &GbUsi),
      LblCnt1(f, "LblCnt1", &GbUsi),
      EdtCnt1(f, "EdtCnt1", &GbUsi),
      Button7(f, "Button7", &GbUsi),
      PnlUsi1(f, "PnlUsi1", &GbUsi),
      rbv1(f, "rbv1", &GbUsi),
      LblCnt2(f, "LblCnt2", &GbUsi),
      EdtCnt2(f, "EdtCnt2", &GbUsi),
      Button8(f, "Button8", &GbUsi),
      PnlUsi2(f, "PnlUsi2", &GbUsi),
      rbv2(f, "rbv2", &GbUsi),
      LblCnt3(f, "LblCnt3", &GbUsi),
      EdtCnt3(f, "EdtCnt3", &GbUsi),
      Button9(f, "Button9", &GbUsi),
      PnlUsi3(f, "PnlUsi3", &GbUsi),
      rbv3(f, "rbv3", &GbUsi),
      LblCnt4(f, "LblCnt4", &GbUsi),
      EdtCnt4(f, "EdtCnt4", &GbUsi),
      Button10(f, "Button10", &GbUsi),
      PnlUsi4(f, "PnlUsi4", &GbUsi),
      ChbCnt1(f, "ChbCnt1", &GbUsi),
      lbls2(f, "lbls2", &GbUsi),
      Button6(f, "Button6", &GbUsi)
{
    GbUsi.setCaption(QStringLiteral("Счетчик импульсов"));
    GbUsi.setGeometry(8, 201, 380, 178);

    // Columns: channel choice and number, counter, its reset, input mode.
    constexpr int xRadio = 10, xNumber = 32, xCount = 52, xReset = 180, xMode = 258;
    LblCanal.setCaption(QStringLiteral("Канал"));
    LblCanal.setGeometry(xRadio, 20, 40, 18);
    LblImpCount.setCaption(QStringLiteral("Кол-во импульсов"));
    LblImpCount.setGeometry(xCount, 20, 120, 18);
    LblInputs.setCaption(QStringLiteral("ВХОДЫ"));
    LblInputs.setGeometry(xMode, 20, 110, 18);
    LblInputs.alignment = ui::Alignment::Center;

    ui::RadioButton* const radios[] = {&rbv0, &rbv1, &rbv2, &rbv3};
    ui::Label* const numbers[] = {&LblCnt1, &LblCnt2, &LblCnt3, &LblCnt4};
    ui::Edit* const counts[] = {&EdtCnt1, &EdtCnt2, &EdtCnt3, &EdtCnt4};
    ui::Button* const resets[] = {&Button7, &Button8, &Button9, &Button10};
    ui::Panel* const modes[] = {&PnlUsi1, &PnlUsi2, &PnlUsi3, &PnlUsi4};
    const QString hint = QStringLiteral("Значение импульсов из выбранного слота\n"
                                        "поступает в форму \"калькулятора\"");
    for (int i = 0; i < 4; ++i) {
        const int top = 40 + 26 * i;
        radios[i]->setGeometry(xRadio, top + 3, 20, 18);
        radios[i]->setHint(hint);
        numbers[i]->setCaption(QString::number(i + 1));
        numbers[i]->setGeometry(xNumber, top + 4, 16, 18);
        counts[i]->setGeometry(xCount, top, 120, 24);
        resets[i]->setCaption(QStringLiteral("Сброс"));
        resets[i]->setGeometry(xReset, top, 70, 24);
        resets[i]->setTag(i + 1);
        modes[i]->setCaption(QStringLiteral("Пассивный"));
        modes[i]->setGeometry(xMode, top, 110, 24);
        modes[i]->setTag(i + 1);
        modes[i]->setBevel(ui::Bevel::Raised);
        modes[i]->setFont({QString(), 0, ui::colors::Black, {}});
    }
    rbv0.setChecked(true);

    ChbCnt1.setCaption(QStringLiteral("Читать"));
    ChbCnt1.setGeometry(xRadio, 149, 80, 20);
    lbls2.setCaption(QStringLiteral("..."));
    lbls2.setGeometry(96, 150, 40, 18);
    Button6.setCaption(QStringLiteral("Сброс для всех"));
    Button6.setGeometry(xReset, 146, 120, 26);
}

}  // namespace ui::forms
