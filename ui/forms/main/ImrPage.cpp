#include "ui/forms/main/ImrPage.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

ImrPage::ImrPage(ui::Form* f, ui::PageControl* pages)
    : TSImr(f, "TSImr", pages),
      Label52(f, "Label52", &TSImr),
      Edit28(f, "Edit28", &TSImr),
      BtnF(f, "BtnF", &TSImr),
      Label53(f, "Label53", &TSImr),
      Edit29(f, "Edit29", &TSImr),
      btnT0(f, "btnT0", &TSImr),
      Label54(f, "Label54", &TSImr),
      Edit30(f, "Edit30", &TSImr),
      BtnT1(f, "BtnT1", &TSImr),
      GroupBox11(f, "GroupBox11", &TSImr),
      RGDa2(f, "RGDa2", &GroupBox11),
      ChbPolar(f, "ChbPolar", &GroupBox11),
      BtnStartDa2(f, "BtnStartDa2", &GroupBox11),
      BtnStopDa2(f, "BtnStopDa2", &GroupBox11),
      GroupBox12(f, "GroupBox12", &TSImr),
      Label55(f, "Label55", &GroupBox12),
      lblDa1(f, "lblDa1", &GroupBox12),
      BtnStartDa1(f, "BtnStartDa1", &GroupBox12),
      BtnStopDa1(f, "BtnStopDa1", &GroupBox12),
      GroupBox13(f, "GroupBox13", &TSImr),
      Button29(f, "Button29", &GroupBox13),
      Label61(f, "Label61", &GroupBox13),
      LblDelay0(f, "LblDelay0", &GroupBox13),
      Edit31(f, "Edit31", &GroupBox13),
      LblDelay1(f, "LblDelay1", &GroupBox13),
      Edit32(f, "Edit32", &GroupBox13),
      LblDelayMean(f, "LblDelayMean", &GroupBox13),
      Edit33(f, "Edit33", &GroupBox13),
      Panel1(f, "Panel1", &TSImr),
      Label30(f, "Label30", &Panel1),
      Button14(f, "Button14", &Panel1),
      Button15(f, "Button15", &Panel1)
{
    TSImr.setCaption(QStringLiteral("Настройка ИМР"));

    // Quartz frequency and converter times, each with its own write button.
    ui::Label* const names[] = {&Label52, &Label53, &Label54};
    const QString captions[] = {QStringLiteral("Fosc (МГц)"), QStringLiteral("t0 (нс)"), QStringLiteral("t1 (нс)")};
    ui::Edit* const values[] = {&Edit28, &Edit29, &Edit30};
    ui::Button* const writes[] = {&BtnF, &btnT0, &BtnT1};
    FieldColumn settings{12, 80, 100, 12, 30};
    for (int i = 0; i < 3; ++i) {
        writes[i]->setCaption(QStringLiteral("Записать"));
        writes[i]->setGeometry(202, settings.top - 1, 90, 26);
        values[i]->setText(QStringLiteral("-"));
        settings.add(*names[i], captions[i], *values[i]);
    }

    GroupBox11.setCaption(QStringLiteral("Настройка DA2"));
    GroupBox11.setGeometry(400, 8, 370, 128);
    RGDa2.setCaption(QStringLiteral("Режим"));
    RGDa2.setGeometry(12, 20, 160, 96);
    RGDa2.setItems({QStringLiteral("Время t0"), QStringLiteral("Время t1"), QStringLiteral("Осциллограф")});
    RGDa2.setItemIndex(0);
    ChbPolar.setCaption(QStringLiteral("Полярность инверсная"));
    ChbPolar.setGeometry(184, 26, 176, 20);
    BtnStartDa2.setCaption(QStringLiteral("Старт"));
    BtnStartDa2.setGeometry(184, 60, 80, 26);
    BtnStopDa2.setCaption(QStringLiteral("Стоп"));
    BtnStopDa2.setGeometry(272, 60, 80, 26);
    BtnStopDa2.setEnabled(false);

    GroupBox12.setCaption(QStringLiteral("Настройка DA1"));
    GroupBox12.setGeometry(400, 146, 370, 64);
    Label55.setCaption(QStringLiteral("Данные SAR:"));
    Label55.setGeometry(12, 30, 80, 18);
    lblDa1.setCaption(QStringLiteral("..."));
    lblDa1.setGeometry(96, 30, 80, 18);
    BtnStartDa1.setCaption(QStringLiteral("Старт"));
    BtnStartDa1.setGeometry(184, 26, 80, 26);
    BtnStopDa1.setCaption(QStringLiteral("Стоп"));
    BtnStopDa1.setGeometry(272, 26, 80, 26);
    BtnStopDa1.setEnabled(false);

    GroupBox13.setCaption(QStringLiteral("Калибровка линии задержки"));
    GroupBox13.setGeometry(8, 110, 380, 132);
    Button29.setCaption(QStringLiteral("Калибровать"));
    Button29.setGeometry(12, 40, 110, 26);
    FieldColumn delays{132, 124, 90, 40};
    delays.add(LblDelay0, QStringLiteral("Без инверсии"), Edit31);
    delays.add(LblDelay1, QStringLiteral("С инверсией"), Edit32);
    delays.add(LblDelayMean, QStringLiteral("Среднее/длит задер"), Edit33);
    // The unit heads the column of delays.
    Label61.setCaption(QStringLiteral("нс"));
    Label61.setGeometry(260, 22, 90, 16);
    Label61.alignment = ui::Alignment::Center;

    Panel1.setGeometry(8, 252, 380, 56);
    Panel1.setBevel(ui::Bevel::Raised);
    Panel1.setVisible(false);
    Label30.setCaption(QStringLiteral("Запись бита\nэмуляции"));
    Label30.setGeometry(10, 10, 110, 36);
    Button14.setCaption(QStringLiteral("0"));
    Button14.setGeometry(130, 15, 40, 26);
    Button15.setCaption(QStringLiteral("1"));
    Button15.setGeometry(178, 15, 40, 26);
}

}  // namespace ui::forms
