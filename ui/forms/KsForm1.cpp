#include "ui/forms/KsForm1.h"

namespace ui::forms {

namespace {
constexpr int kWidth = 330;
constexpr int kGap = 8;
constexpr int kComboWidth = 210;
constexpr int kButtonWidth = kWidth - 3 * kGap - kComboWidth;
constexpr int kSlotHeight = 96;  // caption, kind with its write button, calibration button
constexpr int kBarHeight = 20;
constexpr int kReadTop = kGap + 2 * kSlotHeight;
constexpr int kHeight = kReadTop + 26 + kGap + kBarHeight;

// The controls of one slot, from `top` down.
void placeSlot(int top, ui::Label& caption, const QString& text, ui::ComboBox& kind, ui::Button& write,
               ui::Button& calibrate)
{
    caption.setCaption(text);
    caption.setGeometry(kGap, top, kWidth - 2 * kGap, 18);
    kind.setItems({QStringLiteral("Пустой"), QStringLiteral("Универсальный выход"), QStringLiteral("Токовый"),
                   QStringLiteral("Дискретный")});
    kind.setEnabled(false);  // until the meter has told the kinds
    kind.setGeometry(kGap, top + 20, kComboWidth, 24);
    write.setCaption(QStringLiteral("Записать"));
    write.setGeometry(2 * kGap + kComboWidth, top + 19, kButtonWidth, 26);
    calibrate.setCaption(QStringLiteral("Калибровка токового выхода"));
    calibrate.setGeometry(kGap, top + 52, kComboWidth, 26);
    calibrate.setVisible(false);
}
}  // namespace

KsForm1::KsForm1()
    : ui::Form("KsForm1"),
      Label1(this, "Label1", nullptr),
      cbxDopSlot1(this, "cbxDopSlot1", nullptr),
      Button1(this, "Button1", nullptr),
      btnCalib1(this, "btnCalib1", nullptr),
      Label2(this, "Label2", nullptr),
      cbxDopSlot2(this, "cbxDopSlot2", nullptr),
      Button3(this, "Button3", nullptr),
      btnCalib2(this, "btnCalib2", nullptr),
      Button2(this, "Button2", nullptr),
      SB(this, "SB", nullptr)
{
    setCaption(QStringLiteral("Настройка слотов"));
    setGeometry(QRect(200, 150, kWidth, kHeight));
    border = ui::Border::Dialog;

    placeSlot(kGap, Label1, QStringLiteral("Тип дополнительного слота 1"), cbxDopSlot1, Button1, btnCalib1);
    placeSlot(kGap + kSlotHeight, Label2, QStringLiteral("Тип дополнительного слота 2"), cbxDopSlot2, Button3,
              btnCalib2);
    Button2.setCaption(QStringLiteral("Считать"));
    Button2.setGeometry(2 * kGap + kComboWidth, kReadTop, kButtonWidth, 26);

    SB.setGeometry(0, kHeight - kBarHeight, kWidth, kBarHeight);
    SB.setPanels({{QString(), 0, ui::Alignment::Left, ui::Bevel::Lowered}});
}

}  // namespace ui::forms
