#include "ui/forms/MProForm.h"

namespace ui::forms {

MProForm::MProForm()
    : ui::Form("MProFrm"),
      Label1(this, "Label1", nullptr),
      chbType(this, "chbType", nullptr),
      GroupBox1(this, "GroupBox1", nullptr),
      Label2(this, "Label2", &GroupBox1),
      Edit1(this, "Edit1", &GroupBox1),
      Chbac(this, "Chbac", &GroupBox1),
      Label3(this, "Label3", &GroupBox1),
      Edit2(this, "Edit2", &GroupBox1),
      Label4(this, "Label4", &GroupBox1),
      Edit3(this, "Edit3", &GroupBox1),
      Label5(this, "Label5", &GroupBox1),
      Edit4(this, "Edit4", &GroupBox1),
      Label6(this, "Label6", &GroupBox1),
      Edit5(this, "Edit5", &GroupBox1),
      Button1(this, "Button1", nullptr),
      Button2(this, "Button2", nullptr),
      Button3(this, "Button3", nullptr),
      BitBtn4(this, "BitBtn4", nullptr),
      BitBtn5(this, "BitBtn5", nullptr)
{
    setCaption(QStringLiteral("Свойства модуля."));
    setGeometry(QRect(260, 160, 420, 362));
    border = ui::Border::Dialog;
    stayOnTop = true;

    Label1.setCaption(QStringLiteral("Тип прибора"));
    Label1.setGeometry(12, 16, 100, 18);
    chbType.setGeometry(116, 12, 292, 24);
    chbType.setText(QStringLiteral("Выберите"));
    GroupBox1.setCaption(QStringLiteral("Тип прибора"));
    GroupBox1.setGeometry(12, 44, 396, 242);
    Label2.setCaption(QStringLiteral("Наименование"));
    Label2.setGeometry(10, 24, 120, 18);
    Edit1.setGeometry(136, 20, 248, 24);
    Chbac.setCaption(QStringLiteral("Число автоциркуляций не фиксировано"));
    Chbac.setGeometry(10, 52, 374, 22);
    Chbac.setEnabled(false);
    Label3.setCaption(QStringLiteral("Номер регистра для считывания\nчисла автоциркуляций"));
    Label3.setGeometry(10, 82, 270, 36);
    Edit2.setGeometry(292, 88, 92, 24);
    Edit2.setText(QStringLiteral("0"));
    Label4.setCaption(QStringLiteral("Номер регистра для считывания расхода"));
    Label4.setGeometry(10, 132, 280, 18);
    Edit3.setGeometry(292, 128, 92, 24);
    Edit3.setText(QStringLiteral("0"));
    Label5.setCaption(QStringLiteral("Номер регистра для считывания расхода"));
    Label5.setGeometry(10, 170, 280, 18);
    Edit4.setGeometry(292, 166, 92, 24);
    Edit4.setText(QStringLiteral("0"));
    Label6.setCaption(QStringLiteral("Допустимая погрешность, %"));
    Label6.setGeometry(10, 208, 280, 18);
    Edit5.setGeometry(292, 204, 92, 24);
    Button1.setCaption(QStringLiteral("Добавить"));
    Button1.setGeometry(12, 294, 100, 26);
    Button2.setCaption(QStringLiteral("Отмена"));
    Button2.setGeometry(118, 294, 100, 26);
    Button2.setEnabled(false);
    Button3.setCaption(QStringLiteral("Удалить"));
    Button3.setGeometry(308, 294, 100, 26);
    BitBtn4.setCaption(QStringLiteral("Да"));
    BitBtn4.setGeometry(212, 328, 94, 26);
    BitBtn4.isDefault = true;
    BitBtn5.setCaption(QStringLiteral("Отмена"));
    BitBtn5.setGeometry(314, 328, 94, 26);
    BitBtn5.isCancel = true;
}

}  // namespace ui::forms
