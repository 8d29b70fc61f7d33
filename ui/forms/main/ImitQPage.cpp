#include "ui/forms/main/ImitQPage.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

ImitQPage::ImitQPage(ui::Form* f, ui::PageControl* pages)
    : TSImitQ(f, "TSImitQ", pages),
      RGPoint(f, "RGPoint", &TSImitQ),
      Edit1(f, "Edit1", &TSImitQ),
      GroupBox3(f, "GroupBox3", &TSImitQ),
      Label5(f, "Label5", &GroupBox3),
      EdtRashQImit(f, "EdtRashQImit", &GroupBox3),
      Label47(f, "Label47", &TSImitQ),
      EdtRashQ1(f, "EdtRashQ1", &TSImitQ),
      btnImit(f, "btnImit", &TSImitQ),
      lblDelay(f, "lblDelay", &TSImitQ),
      SpeedButton3(f, "SpeedButton3", &TSImitQ, ui::Kind::SpeedButton)
{
    TSImitQ.setCaption(QStringLiteral("Имитация расхода"));

    RGPoint.setCaption(QStringLiteral("Поверочные точки, м3/ч"));
    RGPoint.setGeometry(8, 8, 250, 104);
    RGPoint.columns = 2;
    RGPoint.setItems({QStringLiteral("0"), QStringLiteral("13"), QStringLiteral("30"), QStringLiteral("130"),
                      QStringLiteral("250"), QStringLiteral("Своя")});
    RGPoint.setItemIndex(0);
    RGPoint.setEnabled(false);
    Edit1.setText(QStringLiteral("0"));
    Edit1.setGeometry(266, 80, 70, 24);

    GroupBox3.setCaption(QStringLiteral("Имитатор"));
    GroupBox3.setGeometry(360, 8, 370, 60);
    FieldColumn inGroup{12, 170, 110, 24};
    inGroup.add(Label5, QStringLiteral("Имитируемый расход, м3/ч"), EdtRashQImit);
    EdtRashQImit.setText(QStringLiteral("0.000"));
    EdtRashQImit.setReadOnly(true);

    FieldColumn onPage{372, 170, 110, 80};
    onPage.add(Label47, QStringLiteral("Данные из прибора, м3/ч"), EdtRashQ1);
    EdtRashQ1.setReadOnly(true);

    btnImit.setCaption(QStringLiteral("Начать имитацию"));
    btnImit.setGeometry(372, 120, 170, 30);
    lblDelay.setCaption(QStringLiteral("dT="));
    lblDelay.setGeometry(556, 126, 170, 18);
    lblDelay.setVisible(false);

    SpeedButton3.setCaption(QStringLiteral("Σ"));
    SpeedButton3.setHint(QStringLiteral("Показать окно \"Калькулятор ЗТА\""));
    SpeedButton3.setGeometry(744, 12, 26, 24);
}

}  // namespace ui::forms
