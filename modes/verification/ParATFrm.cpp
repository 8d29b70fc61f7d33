#include "modes/verification/ParATFrm.h"

#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "ui/model/UserError.h"

#include <QLocale>

#include <cmath>

namespace verification {

namespace {
QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', QLocale::FloatingPointShortest);
}

// The value of `edit`, at least `least`; otherwise stops OK with a message that names the field.
double atLeast(const ui::Edit& edit, const ui::Label& label, double least)
{
    const double value = input::AnySepStrToFloat(edit.text());
    if (!(value >= least))
        throw ui::UserError(QStringLiteral("\"%1\": значение %2 меньше допустимого (%3)")
                                .arg(label.caption().trimmed(), edit.text().trimmed(), QString::number(least)));
    return value;
}

int milliseconds(const ui::Edit& edit, const ui::Label& label)
{
    return int(std::lround(atLeast(edit, label, 0) * 1000));
}
}  // namespace

TParATFrm::TParATFrm(QString iniPath) : m_iniPath(std::move(iniPath))
{
    form.BitBtn1.onClick = [this] { BitBtn1Click(); };
    form.BitBtn2.onClick = [this] { BitBtn2Click(); };
    form.Edit2.onKeyPress = input::edtInt;
    for (ui::Edit* e : {&form.Edit1, &form.Edit3, &form.Edit4, &form.Edit5})
        e->onKeyPress = input::edtFloat;
}

void TParATFrm::show()
{
    const VerificationParameters p = VerificationParameters::read(settings::IniFile(m_iniPath));
    form.Edit1.setText(seconds(p.settleMs));
    form.Edit2.setText(QString::number(p.readings));
    form.Edit3.setText(seconds(p.periodMs));
    form.Edit4.setText(seconds(p.volumeSettleMs));
    form.Edit5.setText(QString::number(p.volume, 'g', QLocale::FloatingPointShortest));
    form.show();
}

void TParATFrm::BitBtn1Click()
{
    settings::IniFile ini(m_iniPath);
    VerificationParameters p = VerificationParameters::read(ini);
    p.settleMs = milliseconds(form.Edit1, form.Label1);
    const int readings = input::StrToInt(form.Edit2.text());
    if (readings < 1)
        throw ui::UserError(QStringLiteral("\"%1\": нужно хотя бы одно снятие показаний").arg(form.Label2.caption()));
    p.readings = readings;
    p.periodMs = milliseconds(form.Edit3, form.Label3);
    p.volumeSettleMs = milliseconds(form.Edit4, form.Label4);
    p.volume = atLeast(form.Edit5, form.Label5, 0);
    if (!p.write(ini))
        return;
    form.modalResult = ui::ModalResult::Ok;
    form.hide();
}

void TParATFrm::BitBtn2Click()
{
    form.modalResult = ui::ModalResult::Cancel;
    form.hide();
}

}  // namespace verification
