#include "ui/forms/ImVOForm.h"

namespace ui::forms {

ImVOForm::ImVOForm()
    : ui::Form("ImVOFrm"),
      GroupBox1(this, "GroupBox1", nullptr),
      RGPoint(this, "RGPoint", &GroupBox1),
      Edit1(this, "Edit1", &GroupBox1),
      GroupBox2(this, "GroupBox2", nullptr),
      EdtV(this, "EdtV", &GroupBox2),
      BitBtn1(this, "BitBtn1", nullptr),
      BitBtn2(this, "BitBtn2", nullptr)
{
    setCaption(QStringLiteral("Параметры накопления объема"));
    setGeometry(QRect(0, 0, 300, 254));
    border = ui::Border::Dialog;
    placement = ui::Placement::ScreenCenter;

    GroupBox1.setCaption(QStringLiteral("Расход , м3/ч"));
    GroupBox1.setGeometry(8, 8, 284, 140);
    RGPoint.setCaption(QStringLiteral("Поверочные точки, м3/ч"));
    RGPoint.setGeometry(10, 20, 264, 80);
    RGPoint.columns = 2;
    RGPoint.setItems({QStringLiteral("0"), QStringLiteral("13"), QStringLiteral("30"), QStringLiteral("130"),
                      QStringLiteral("250"), QStringLiteral("Своя")});
    RGPoint.setItemIndex(0);
    // The flow of the item "Своя", under the column that holds it.
    Edit1.setText(QStringLiteral("0"));
    Edit1.setGeometry(142, 106, 80, 24);

    GroupBox2.setCaption(QStringLiteral("Набираемый объём, м3"));
    GroupBox2.setGeometry(8, 156, 284, 56);
    EdtV.setText(QStringLiteral("10"));
    EdtV.setGeometry(10, 22, 100, 24);

    BitBtn1.setCaption(QStringLiteral("Да"));
    BitBtn1.setGeometry(106, 220, 90, 26);
    BitBtn1.isDefault = true;
    BitBtn2.setCaption(QStringLiteral("Отмена"));
    BitBtn2.setGeometry(202, 220, 90, 26);
    BitBtn2.isCancel = true;
}

}  // namespace ui::forms
