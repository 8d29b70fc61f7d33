#include "ui/forms/FrmInitForm.h"

namespace ui::forms {

namespace {
constexpr int kWidth = 300;
constexpr int kInner = kWidth - 24;
constexpr int kTextHeight = 90;
constexpr int kButtonTop = 12 + kTextHeight + 8;
constexpr int kButtonWidth = (kInner - 12) / 2;
constexpr int kMemoTop = kButtonTop + 26 + 10;
constexpr int kMemoHeight = 150;
}  // namespace

FrmInitForm::FrmInitForm()
    : ui::Form("FrmInit"),
      Label1(this, "Label1", nullptr),
      Button1(this, "Button1", nullptr),
      Button2(this, "Button2", nullptr),
      Memo1(this, "Memo1", nullptr)
{
    setCaption(QStringLiteral("Настройка"));
    setGeometry(QRect(0, 0, kWidth, kMemoTop + kMemoHeight + 12));
    border = ui::Border::Dialog;
    systemMenu = false;
    placement = ui::Placement::ScreenCenter;

    Label1.setCaption(QStringLiteral("Установка настроек связи\n"
                                     "по умолчанию.\n"
                                     "Выключите все другие приборы,\n"
                                     "находящиеся в одной сети RS485\n"
                                     "с ЗТА и нажмите \"СТАРТ\""));
    Label1.alignment = ui::Alignment::Center;
    Label1.setGeometry(12, 12, kInner, kTextHeight);
    Button1.setCaption(QStringLiteral("Старт"));
    Button1.setGeometry(12, kButtonTop, kButtonWidth, 26);
    Button2.setCaption(QStringLiteral("Закрыть"));
    Button2.setGeometry(12 + kButtonWidth + 12, kButtonTop, kButtonWidth, 26);
    Memo1.setGeometry(12, kMemoTop, kInner, kMemoHeight);
}

}  // namespace ui::forms
