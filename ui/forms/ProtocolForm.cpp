#include "ui/forms/ProtocolForm.h"

namespace ui::forms {

ProtocolForm::ProtocolForm()
    : ui::Form("Form2"),
      MemoProtocol(this, "MemoProtocol", nullptr),
      Button13(this, "Button13", nullptr),
      BtnClose(this, "BtnClose", nullptr)
{
    setCaption(QStringLiteral("Протокол"));
    setGeometry(QRect(0, 0, 640, 480));
    border = ui::Border::Sizeable;
    placement = ui::Placement::ScreenCenter;

    MemoProtocol.setGeometry(8, 8, 624, 426);
    Button13.setCaption(QStringLiteral("Создать протокол..."));
    Button13.setGeometry(8, 444, 180, 26);
    BtnClose.setCaption(QStringLiteral("Закрыть"));
    BtnClose.setGeometry(542, 444, 90, 26);
    BtnClose.isCancel = true;
}

}  // namespace ui::forms
