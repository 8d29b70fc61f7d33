#include "ui/forms/AutoVerificationForm.h"

namespace ui::forms {

AutoVerificationForm::AutoVerificationForm()
    : ui::Form("Form3"),
      GbMeter(this, "GbMeter", nullptr),
      LblSerial(this, "LblSerial", &GbMeter),
      EdtSerial(this, "EdtSerial", &GbMeter),
      LblOwner(this, "LblOwner", &GbMeter),
      EdtOwner(this, "EdtOwner", &GbMeter),
      LblOperator(this, "LblOperator", &GbMeter),
      EdtOperator(this, "EdtOperator", &GbMeter),
      LblPermissibleError(this, "LblPermissibleError", &GbMeter),
      EdtPermissibleError(this, "EdtPermissibleError", &GbMeter),
      LblProgress(this, "LblProgress", nullptr),
      PB(this, "PB", nullptr),
      BtnStart(this, "BtnStart", nullptr),
      BtnStop(this, "BtnStop", nullptr)
{
    setCaption(QStringLiteral("Автоматическая поверка"));
    setGeometry(QRect(0, 0, 420, 280));
    border = ui::Border::Dialog;
    placement = ui::Placement::ScreenCenter;

    GbMeter.setCaption(QStringLiteral("Поверяемый прибор"));
    GbMeter.setGeometry(8, 8, 404, 148);
    int top = 22;
    for (auto [label, edit, caption] :
         {std::tuple{&LblSerial, &EdtSerial, QStringLiteral("Заводской номер")},
          std::tuple{&LblOwner, &EdtOwner, QStringLiteral("Владелец")},
          std::tuple{&LblOperator, &EdtOperator, QStringLiteral("Поверитель")},
          std::tuple{&LblPermissibleError, &EdtPermissibleError, QStringLiteral("Допустимая погрешность, %")}}) {
        label->setCaption(caption);
        label->setGeometry(10, top + 4, 170, 18);
        edit->setGeometry(186, top, 206, 24);
        top += 30;
    }
    // A number of a few digits.
    EdtPermissibleError.setGeometry(186, 112, 80, 24);

    // Two lines: at the end it says why a run is not complete.
    LblProgress.setGeometry(8, 164, 404, 36);
    LblProgress.wordWrap = true;
    PB.setGeometry(8, 206, 404, 20);

    BtnStart.setCaption(QStringLiteral("Начать поверку"));
    BtnStart.setGeometry(8, 244, 150, 26);
    BtnStop.setCaption(QStringLiteral("Стоп"));
    BtnStop.setGeometry(322, 244, 90, 26);
    BtnStop.setEnabled(false);
}

}  // namespace ui::forms
