#include "modes/verification/archive/RecordSeal.h"

#include "modes/verification/archive/RunRows.h"
#include "modes/verification/archive/Transaction.h"

#include <QCryptographicHash>
#include <QStringList>

namespace verification::archive {

namespace {

QString exact(double v)
{
    return QString::number(v, 'g', 17);
}

// Tabs and line breaks inside a value cannot be mistaken for the text's own.
QString escaped(QString text)
{
    return text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
}

QString optionalText(const std::optional<double>& v)
{
    return v ? exact(*v) : QStringLiteral("-");
}

QString comparisonText(const std::optional<Comparison>& c)
{
    return c ? exact(c->reference) + QLatin1Char('\t') + exact(c->measured) + QLatin1Char('\t') + exact(c->permissiblePct)
             : QStringLiteral("-");
}

QString timeText(const QDateTime& time)
{
    return time.isValid() ? rows::timeText(time) : QStringLiteral("-");
}

class Lines {
public:
    void add(const QString& name, const QStringList& values) { m_text += name + QLatin1Char('\t') + values.join(QLatin1Char('\t')) + QLatin1Char('\n'); }
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

}  // namespace

QByteArray canonicalRecord(const ArchivedRun& run)
{
    const Protocol& p = run.protocol;
    const VerificationParameters& par = p.parameters;
    Lines lines;
    lines.add(QStringLiteral("record"), {QStringLiteral("1")});
    lines.add(QStringLiteral("number"), {escaped(run.number)});
    lines.add(QStringLiteral("bench"), {escaped(run.bench)});
    lines.add(QStringLiteral("state"), {rows::stateKey(run.state)});
    lines.add(QStringLiteral("ended"), {timeText(run.ended)});
    lines.add(QStringLiteral("conclusion"), {rows::conclusionKey(run.conclusion)});
    lines.add(QStringLiteral("started"), {timeText(p.started)});
    lines.add(QStringLiteral("modules"), {escaped(p.bench)});
    lines.add(QStringLiteral("meter"), {escaped(p.meterType), escaped(p.meter.serialNumber), escaped(p.meter.owner),
                                        escaped(p.meter.operatorName)});
    lines.add(QStringLiteral("bench values"), {QString::number(p.autoCirculations), exact(p.delayNs)});
    QStringList planned;
    for (int point : par.points)
        planned.append(QString::number(point));
    lines.add(QStringLiteral("parameters"), {QString::number(par.settleMs), QString::number(par.readings),
                                             QString::number(par.periodMs), QString::number(par.volumeSettleMs),
                                             exact(par.volume), planned.join(QLatin1Char(','))});
    lines.add(QStringLiteral("incomplete"), {escaped(p.incompleteReason)});
    for (int i = 0; i < p.points.size(); ++i) {
        const PointResult& point = p.points[i];
        lines.add(QStringLiteral("point"), {QString::number(i), QString::number(point.point), optionalText(point.imitatedFlow),
                                            exact(point.permissiblePct), QString::number(point.complete),
                                            comparisonText(point.current)});
        for (int r = 0; r < point.readings.size(); ++r)
            lines.add(QStringLiteral("reading"), {QString::number(i), QString::number(r), exact(point.readings[r]),
                                                  timeText(run.takenAt.value(i).value(r))});
    }
    lines.add(QStringLiteral("volume"), {comparisonText(p.volume ? std::optional<Comparison>(p.volume->meter) : std::nullopt)});
    lines.add(QStringLiteral("pulses"), {comparisonText(p.volume ? p.volume->pulses : std::nullopt)});
    lines.add(QStringLiteral("skipped"), {escaped(p.volumeSkipped), escaped(p.pulsesSkipped), escaped(p.currentSkipped)});
    return lines.text().toUtf8();
}

QString sealOf(const QString& previousSeal, const ArchivedRun& run)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(previousSeal.toUtf8());
    hash.addData(QByteArrayView("\n"));
    hash.addData(canonicalRecord(run));
    return QString::fromLatin1(hash.result().toHex());
}

void sealRun(Transaction& t, qint64 run)
{
    const std::optional<QVariant> last = t.value(QStringLiteral("SELECT max(seal_order) FROM runs"));
    const qint64 order = last && !last->isNull() ? last->toLongLong() : 0;
    const QString previous =
        order > 0 ? t.value(QStringLiteral("SELECT seal FROM runs WHERE seal_order = ?"), {order}).value_or(QVariant()).toString() : QString();
    const std::optional<ArchivedRun> record = rows::load(t, run);
    if (!record) {
        t.fail(QStringLiteral("запись поверки не найдена"));  // kept only when no failure came first
        return;
    }
    t.exec(QStringLiteral("UPDATE runs SET seal_order = ?, previous_seal = ?, seal = ? WHERE id = ?"),
           {order + 1, previous, sealOf(previous, *record), run});
}

}  // namespace verification::archive
