#include "modes/verification/PointsFrm.h"

#include "shell/settings/IniFile.h"
#include "ui/model/UserError.h"

namespace verification {

PointsFrm::PointsFrm(QString iniPath) : m_iniPath(std::move(iniPath))
{
    form.BitBtn1.onClick = [this] { BitBtn1Click(); };
    form.BitBtn2.onClick = [this] { BitBtn2Click(); };
    // No key filter: every character typed stays, so "12,5" is refused on OK, never read as 125.
}

void PointsFrm::show()
{
    const QList<int> points = VerificationParameters::read(settings::IniFile(m_iniPath)).points;
    for (int i = 0; i < ui::forms::PointsForm::Rows; ++i)
        form.edit(i).setText(i < points.size() ? QString::number(points.at(i)) : QString());
    form.show();
}

QList<int> PointsFrm::typedPoints() const
{
    QList<int> points;
    QList<int> rowOf;
    for (int i = 0; i < ui::forms::PointsForm::Rows; ++i) {
        const QString text = form.rows.at(i)->edit.text().trimmed();
        if (text.isEmpty())
            continue;
        const QString name = ui::forms::PointsForm::pointName(i);
        bool ok = false;
        const int point = text.toInt(&ok);
        if (!ok)
            throw ui::UserError(QStringLiteral("%1: \"%2\" не целое число м3/ч").arg(name, text));
        if (point <= 0)
            throw ui::UserError(QStringLiteral("%1: расход %2 м3/ч должен быть больше нуля").arg(name, text));
        if (point > MaxPoint)
            throw ui::UserError(QStringLiteral("%1: расход %2 м3/ч больше допустимого (%3 м3/ч)")
                                    .arg(name, text, QString::number(MaxPoint)));
        if (const qsizetype same = points.indexOf(point); same >= 0)
            throw ui::UserError(QStringLiteral("%1: расход %2 м3/ч уже задан в точке \"%3\"")
                                    .arg(name, text, ui::forms::PointsForm::pointName(rowOf.at(same))));
        points.append(point);
        rowOf.append(i);
    }
    if (points.isEmpty())
        throw ui::UserError(QStringLiteral("Не задано ни одной поверочной точки"));
    return points;
}

void PointsFrm::BitBtn1Click()
{
    const QList<int> points = typedPoints();
    settings::IniFile ini(m_iniPath);
    VerificationParameters p = VerificationParameters::read(ini);
    p.points = points;
    if (!p.write(ini))
        return;
    form.modalResult = ui::ModalResult::Ok;
    form.hide();
}

void PointsFrm::BitBtn2Click()
{
    form.modalResult = ui::ModalResult::Cancel;
    form.hide();
}

}  // namespace verification
