#include "ui/forms/PropertyForm.h"

namespace ui::forms {

namespace {
constexpr int kWidth = 300;
constexpr int kRowStep = 34;
constexpr int kFirstRow = 12;
constexpr int kLabelWidth = 112;
constexpr int kFieldLeft = 12 + kLabelWidth + 4;
constexpr int kFieldWidth = 72;
constexpr int kButtonLeft = kFieldLeft + kFieldWidth + 8;
constexpr int kButtonWidth = kWidth - kButtonLeft - 12;

int rowTop(int row) { return kFirstRow + row * kRowStep; }

void placeRow(ui::Label& label, const QString& caption, ui::Control& field, ui::Button& write, int row)
{
    label.setCaption(caption);
    label.setGeometry(12, rowTop(row) + 4, kLabelWidth, 18);
    field.setGeometry(kFieldLeft, rowTop(row), kFieldWidth, 24);
    write.setCaption(QStringLiteral("Записать"));
    write.setGeometry(kButtonLeft, rowTop(row) - 1, kButtonWidth, 26);
}
}  // namespace

PropertyForm::PropertyForm()
    : ui::Form("PropertyFrm"),
      Label1(this, "Label1", nullptr),
      EdtAdr(this, "EdtAdr", nullptr),
      Button2(this, "Button2", nullptr),
      Label2(this, "Label2", nullptr),
      EdtRts(this, "EdtRts", nullptr),
      Button3(this, "Button3", nullptr),
      Label3(this, "Label3", nullptr),
      CBSpeed(this, "CBSpeed", nullptr),
      Button5(this, "Button5", nullptr),
      Button1(this, "Button1", nullptr)
{
    setCaption(QStringLiteral("Параметры модуля"));
    setGeometry(QRect(0, 0, kWidth, rowTop(3) + 46));
    border = ui::Border::Dialog;
    minimizeBox = false;
    maximizeBox = false;
    placement = ui::Placement::DesktopCenter;

    placeRow(Label1, QStringLiteral("Адрес прибора"), EdtAdr, Button2, 0);
    EdtAdr.setText(QStringLiteral("0"));
    placeRow(Label2, QStringLiteral("Задержка RTS"), EdtRts, Button3, 1);
    EdtRts.setText(QStringLiteral("0"));
    placeRow(Label3, QStringLiteral("Скорость"), CBSpeed, Button5, 2);
    // The item index is the module's speed code.
    CBSpeed.setItems({QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600")});

    Button1.setCaption(QStringLiteral("Закрыть"));
    Button1.setGeometry((kWidth - 100) / 2, rowTop(3) + 8, 100, 26);
    Button1.isCancel = true;
}

}  // namespace ui::forms
