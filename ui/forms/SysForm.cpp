#include "ui/forms/SysForm.h"

namespace ui::forms {

SysForm::SysForm()
    : ui::Form("SysFrm"),
      Label1(this, "Label1", nullptr),
      cbAim(this, "cbAim", nullptr),
      btnUse(this, "btnUse", nullptr),
      btnCansel(this, "btnCansel", nullptr)
{
    setCaption(QStringLiteral("Настройка системы ЗТА"));
    setGeometry(QRect(0, 0, 340, 110));
    border = ui::Border::Dialog;
    stayOnTop = true;
    placement = ui::Placement::DesktopCenter;

    Label1.setCaption(QStringLiteral("Целевая задача:"));
    Label1.setGeometry(12, 12, 200, 18);
    cbAim.setGeometry(12, 34, 316, 24);
    cbAim.setItems({QStringLiteral("Поверка ультразвуковых расходомеров"), QStringLiteral("Поверка ЗТА")});
    cbAim.setItemIndex(0);
    btnUse.setCaption(QStringLiteral("Да"));
    btnUse.setGeometry(138, 72, 90, 26);
    btnUse.isDefault = true;
    btnCansel.setCaption(QStringLiteral("Отмена"));
    btnCansel.setGeometry(238, 72, 90, 26);
    btnCansel.isCancel = true;
}

}  // namespace ui::forms
