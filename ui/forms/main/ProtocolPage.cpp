#include "ui/forms/main/ProtocolPage.h"

namespace ui::forms {

ProtocolPage::ProtocolPage(ui::Form* f, ui::PageControl* pages)
    : TS4(f, "TS4", pages),
      Button11(f, "Button11", &TS4),
      Button12(f, "Button12", &TS4),
      BtnPoints(f, "BtnPoints", &TS4),
      BtnAutoVerification(f, "BtnAutoVerification", &TS4),
      Button13(f, "Button13", &TS4),
      LblRunProgress(f, "LblRunProgress", &TS4),
      PBRun(f, "PBRun", &TS4)
{
    TS4.setCaption(QStringLiteral("Протокол"));
    Button11.setCaption(QStringLiteral("Параметры имитационного участка..."));
    Button11.setGeometry(12, 12, 300, 26);
    Button11.setVisible(false);
    Button12.setCaption(QStringLiteral("Параметры автоматического тестирования..."));
    Button12.setGeometry(12, 12, 300, 26);
    BtnPoints.setCaption(QStringLiteral("Набор поверочных точек..."));
    BtnPoints.setGeometry(12, 44, 300, 26);
    BtnAutoVerification.setCaption(QStringLiteral("Автоматическая поверка..."));
    BtnAutoVerification.setGeometry(12, 76, 300, 26);
    Button13.setCaption(QStringLiteral("Создать протокол..."));
    Button13.setGeometry(12, 108, 300, 26);
    LblRunProgress.setGeometry(12, 148, 400, 16);
    PBRun.setGeometry(12, 168, 400, 18);
}

}  // namespace ui::forms
