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

// Stops OK with `why`, named by the field.
[[noreturn]] void refuse(const ui::Label& label, const QString& why)
{
    throw ui::UserError(QStringLiteral("\"%1\": %2").arg(label.caption().trimmed(), why));
}

// The number typed in `edit`, either separator; the message of a refusal quotes it as typed.
double numberIn(const ui::Edit& edit, const ui::Label& label)
{
    try {
        return input::AnySepStrToFloat(edit.text());
    } catch (const ui::UserError&) {
        refuse(label, input::notANumber(edit.text().trimmed()));
    }
}

int wholeNumberIn(const ui::Edit& edit, const ui::Label& label)
{
    try {
        return input::StrToInt(edit.text());
    } catch (const ui::UserError&) {
        refuse(label, input::notAnInteger(edit.text().trimmed()));
    }
}

// The value of `edit`, at least `least`.
double atLeast(const ui::Edit& edit, const ui::Label& label, double least)
{
    const double value = numberIn(edit, label);
    if (!(value >= least))
        refuse(label, QStringLiteral("значение %1 меньше допустимого (%2)").arg(edit.text().trimmed(), QString::number(least)));
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
    // No key filters: every character typed stays, and OK judges the text as a whole.
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
    const int readings = wholeNumberIn(form.Edit2, form.Label2);
    if (readings < 1)
        refuse(form.Label2, QStringLiteral("нужно хотя бы одно снятие показаний"));
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
