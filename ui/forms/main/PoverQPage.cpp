#include "ui/forms/main/PoverQPage.h"

namespace ui::forms {

PoverQPage::PoverQPage(ui::Form* f, ui::PageControl* pages)
    : TSPoverQ(f, "TSPoverQ", pages),
      rgPover(f, "rgPover", &TSPoverQ),
      GroupBox7(f, "GroupBox7", &TSPoverQ),
      edtQReal_Imited(f, "edtQReal_Imited", &GroupBox7),
      edtDPN(f, "edtDPN", &TSPoverQ),
      RGNepr(f, "RGNepr", &TSPoverQ),
      btnPover1(f, "btnPover1", &TSPoverQ),
      RGControl(f, "RGControl", &TSPoverQ),
      BtnStartPover(f, "BtnStartPover", &TSPoverQ),
      BtnStopPover(f, "BtnStopPover", &TSPoverQ),
      GroupBox10(f, "GroupBox10", &TSPoverQ),
      Button20(f, "Button20", &GroupBox10),
      Edit10(f, "Edit10", &GroupBox10)
{
    TSPoverQ.setCaption(QStringLiteral("Поверка имитации расхода"));

    rgPover.setCaption(QStringLiteral("Точка поверки (м3/ч)"));
    rgPover.setGeometry(8, 8, 240, 72);
    rgPover.columns = 2;
    rgPover.setItems({QStringLiteral("2"), QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("250")});
    rgPover.setItemIndex(0);
    rgPover.setEnabled(false);

    GroupBox7.setCaption(QStringLiteral("Имитируемый расход (м3/ч)"));
    GroupBox7.setGeometry(8, 88, 240, 60);
    edtQReal_Imited.setText(QStringLiteral("0"));
    edtQReal_Imited.setGeometry(12, 26, 110, 24);
    edtQReal_Imited.setReadOnly(true);
    // The delayed-pulse count of the point, under the flow it imitates.
    edtDPN.setText(QStringLiteral("0"));
    edtDPN.setGeometry(20, 158, 110, 24);

    RGNepr.setCaption(QStringLiteral("Число задерживаемых импульсов (сигнал N)"));
    RGNepr.setGeometry(264, 8, 300, 72);
    RGNepr.setItems({QStringLiteral("Однократно"), QStringLiteral("Непрерывно")});
    RGNepr.setEnabled(false);
    btnPover1.setCaption(QStringLiteral("Проверить"));
    btnPover1.setGeometry(576, 30, 100, 26);
    btnPover1.setVisible(false);

    RGControl.setCaption(QStringLiteral("Линия задержки (сигнал CONTROL) ТАУ"));
    RGControl.setGeometry(264, 88, 300, 72);
    RGControl.setItems({QStringLiteral("Длительность импульсов без задержки"),
                        QStringLiteral("Длительность импульсов с задержкой")});
    RGControl.setEnabled(false);

    BtnStartPover.setCaption(QStringLiteral("Старт"));
    BtnStartPover.setGeometry(264, 172, 100, 26);
    BtnStopPover.setCaption(QStringLiteral("Стоп"));
    BtnStopPover.setGeometry(374, 172, 100, 26);
    BtnStopPover.setEnabled(false);

    GroupBox10.setCaption(QStringLiteral("Калибровка линии задержки"));
    GroupBox10.setGeometry(8, 214, 300, 62);
    GroupBox10.setVisible(false);
    Button20.setCaption(QStringLiteral("Калибровать"));
    Button20.setGeometry(12, 24, 110, 26);
    Edit10.setGeometry(132, 25, 110, 24);
}

}  // namespace ui::forms
