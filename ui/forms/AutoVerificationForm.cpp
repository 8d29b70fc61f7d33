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
      LblProgress(this, "LblProgress", nullptr),
      PB(this, "PB", nullptr),
      BtnStart(this, "BtnStart", nullptr),
      BtnStop(this, "BtnStop", nullptr)
{
    setCaption(QStringLiteral("Автоматическая поверка"));
    setGeometry(QRect(0, 0, 420, 250));
    border = ui::Border::Dialog;
    placement = ui::Placement::ScreenCenter;

    GbMeter.setCaption(QStringLiteral("Поверяемый прибор"));
    GbMeter.setGeometry(8, 8, 404, 118);
    int top = 22;
    for (auto [label, edit, caption] : {std::tuple{&LblSerial, &EdtSerial, QStringLiteral("Заводской номер")},
                                        std::tuple{&LblOwner, &EdtOwner, QStringLiteral("Владелец")},
                                        std::tuple{&LblOperator, &EdtOperator, QStringLiteral("Поверитель")}}) {
        label->setCaption(caption);
        label->setGeometry(10, top + 4, 120, 18);
        edit->setGeometry(136, top, 256, 24);
        top += 30;
    }

    LblProgress.setGeometry(8, 136, 404, 18);
    PB.setGeometry(8, 158, 404, 20);

    BtnStart.setCaption(QStringLiteral("Начать поверку"));
    BtnStart.setGeometry(8, 214, 150, 26);
    BtnStop.setCaption(QStringLiteral("Стоп"));
    BtnStop.setGeometry(322, 214, 90, 26);
    BtnStop.setEnabled(false);
}

}  // namespace ui::forms
