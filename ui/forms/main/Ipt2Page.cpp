#include "ui/forms/main/Ipt2Page.h"

namespace ui::forms {

Ipt2Page::Ipt2Page(ui::Form* f, ui::PageControl* pages)
    : tsIPT2(f, "tsIPT2", pages),
      Label71(f, "Label71", &tsIPT2),
      TbMa(f, "TbMa", &tsIPT2),
      Label4(f, "Label4", &tsIPT2),
      Button1(f, "Button1", &tsIPT2),
      GroupBox15(f, "GroupBox15", &tsIPT2),
      RgCanal(f, "RgCanal", &GroupBox15),
      Button2(f, "Button2", &GroupBox15),
      PBIpt(f, "PBIpt", &GroupBox15)
{
    tsIPT2.setCaption(QStringLiteral("Настройка ИПТ, УСИ"));

    // Right of the groups "Токовый выход (ИПТ)" and "Счетчик импульсов".
    constexpr int left = 400;
    Label71.setCaption(QStringLiteral("Величина тока, мА"));
    Label71.setGeometry(left, 12, 200, 18);
    TbMa.setGeometry(left, 32, 250, 32);
    TbMa.setRange(0, 24);
    Label4.setCaption(QStringLiteral("0"));
    Label4.setGeometry(left + 256, 39, 30, 18);
    Button1.setCaption(QStringLiteral("Записать"));
    Button1.setGeometry(left + 290, 35, 80, 26);

    GroupBox15.setCaption(QStringLiteral("Калибровка ИПТ"));
    GroupBox15.setGeometry(left, 80, 370, 112);
    RgCanal.setCaption(QStringLiteral("Канал"));
    RgCanal.setGeometry(12, 20, 346, 46);
    RgCanal.columns = 4;
    RgCanal.setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    Button2.setCaption(QStringLiteral("Старт"));
    Button2.setGeometry(12, 76, 90, 26);
    PBIpt.setGeometry(112, 79, 246, 20);
    PBIpt.setRange(0, 12);
}

}  // namespace ui::forms
