#include "ui/forms/CanalForm.h"

namespace ui::forms {

CanalForm::CanalForm()
    : ui::Form("CanalFrm"),
      Label1(this, "Label1", nullptr),
      cbxPort(this, "cbxPort", nullptr),
      rgrCSpeed(this, "rgrCSpeed", nullptr),
      RgrLink(this, "RgrLink", nullptr),
      Label2(this, "Label2", nullptr),
      edtInterval(this, "edtInterval", nullptr),
      Label3(this, "Label3", nullptr),
      edtAnsDel(this, "edtAnsDel", nullptr),
      Label4(this, "Label4", nullptr),
      edtRet(this, "edtRet", nullptr),
      UDRet(this, "UDRet", nullptr, &edtRet),
      btnUse(this, "btnUse", nullptr),
      btnCancel(this, "btnCancel", nullptr)
{
    setCaption(QStringLiteral("Настройка канала"));
    setGeometry(QRect(300, 200, 330, 318));
    border = ui::Border::Dialog;
    stayOnTop = true;

    Label1.setCaption(QStringLiteral("COM порт:"));
    Label1.setGeometry(12, 16, 80, 18);
    cbxPort.setGeometry(100, 12, 218, 24);
    rgrCSpeed.setCaption(QStringLiteral("Скорость RS232"));
    rgrCSpeed.setGeometry(12, 44, 306, 84);
    rgrCSpeed.columns = 2;
    rgrCSpeed.setItems({QStringLiteral("19200"), QStringLiteral("9600"), QStringLiteral("4800"), QStringLiteral("2400"),
                        QStringLiteral("1200")});
    rgrCSpeed.setItemIndex(0);
    RgrLink.setCaption(QStringLiteral("Тип связи"));
    RgrLink.setGeometry(12, 134, 306, 46);
    RgrLink.columns = 2;
    RgrLink.setItems({QStringLiteral("RS232"), QStringLiteral("RS485")});
    RgrLink.setItemIndex(0);
    RgrLink.setEnabled(false);
    Label2.setCaption(QStringLiteral("Межбайтовый интервал"));
    Label2.setGeometry(12, 194, 190, 18);
    edtInterval.setGeometry(218, 190, 100, 24);
    edtInterval.setText(QStringLiteral("20"));
    Label3.setCaption(QStringLiteral("Задержка, мсек"));
    Label3.setGeometry(12, 224, 190, 18);
    edtAnsDel.setGeometry(218, 220, 100, 24);
    edtAnsDel.setText(QStringLiteral("500"));
    Label4.setCaption(QStringLiteral("Число попыток при сбоях"));
    Label4.setGeometry(12, 254, 190, 18);
    edtRet.setGeometry(218, 250, 82, 24);
    UDRet.setGeometry(300, 250, 18, 24);
    UDRet.setRange(1, 100);
    UDRet.setPosition(5);
    edtRet.setText(QStringLiteral("5"));
    btnUse.setCaption(QStringLiteral("Да"));
    btnUse.setGeometry(128, 284, 90, 26);
    btnUse.isDefault = true;
    btnCancel.setCaption(QStringLiteral("Отмена"));
    btnCancel.setGeometry(228, 284, 90, 26);
    btnCancel.isCancel = true;
}

}  // namespace ui::forms
