#include "ui/forms/ParATForm.h"

namespace ui::forms {

ParATForm::ParATForm()
    : ui::Form("ParATFrm"),
      Label1(this, "Label1", nullptr),
      Edit1(this, "Edit1", nullptr),
      Label2(this, "Label2", nullptr),
      Edit2(this, "Edit2", nullptr),
      Label3(this, "Label3", nullptr),
      Edit3(this, "Edit3", nullptr),
      Label4(this, "Label4", nullptr),
      Edit4(this, "Edit4", nullptr),
      Label5(this, "Label5", nullptr),
      Edit5(this, "Edit5", nullptr),
      BitBtn1(this, "BitBtn1", nullptr),
      BitBtn2(this, "BitBtn2", nullptr)
{
    setCaption(QStringLiteral("Параметры процесса автоматического тестирования"));
    setGeometry(QRect(0, 0, 420, 306));
    border = ui::Border::Dialog;
    placement = ui::Placement::ScreenCenter;
    stayOnTop = true;

    const struct {
        ui::Label& label;
        ui::Edit& edit;
        const char16_t* caption;
    } rows[] = {
        {Label1, Edit1, u"Переходной процесс после переключения расхода, с"},
        {Label2, Edit2, u"Количество снятий показаний прибора на каждом расходе"},
        {Label3, Edit3, u"Период между снятиями показаний прибора, с"},
        {Label4, Edit4, u"Переходной процесс при поверке объёма, с"},
        {Label5, Edit5, u"Набираемый объём при поверке объёма, м3"},
    };
    int top = 8;
    for (const auto& row : rows) {
        row.label.setCaption(QString::fromUtf16(row.caption));
        row.label.setGeometry(12, top, 396, 18);
        row.edit.setGeometry(12, top + 20, 120, 24);
        top += 52;
    }

    BitBtn1.setCaption(QStringLiteral("OK"));
    BitBtn1.setGeometry(222, 272, 90, 26);
    BitBtn1.isDefault = true;
    BitBtn2.setCaption(QStringLiteral("Отмена"));
    BitBtn2.setGeometry(318, 272, 90, 26);
    BitBtn2.isCancel = true;
}

}  // namespace ui::forms
