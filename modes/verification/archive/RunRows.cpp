#include "modes/verification/archive/RunRows.h"

#include "modes/verification/archive/Transaction.h"

#include <QStringList>

namespace verification::archive::rows {

namespace {
// The point index of the checks that belong to the run rather than to one point.
constexpr int kRunWide = -1;
const QString kVolume = QStringLiteral("volume");
const QString kPulses = QStringLiteral("pulses");
const QString kCurrent = QStringLiteral("current");

const QList<std::pair<RunState, QString>> kStates{{RunState::Running, QStringLiteral("running")},
                                                  {RunState::Complete, QStringLiteral("complete")},
                                                  {RunState::Incomplete, QStringLiteral("incomplete")},
                                                  {RunState::Interrupted, QStringLiteral("interrupted")}};

std::optional<RunState> stateOf(const QString& key)
{
    for (const auto& [state, text] : kStates)
        if (text == key)
            return state;
    return std::nullopt;
}

QDateTime timeOf(const QVariant& text)
{
    if (text.isNull())
        return {};
    return QDateTime::fromString(text.toString(), Qt::ISODateWithMs).toLocalTime();
}

QVariant optionalValue(const std::optional<double>& v)
{
    return v ? QVariant(*v) : QVariant();
}

std::optional<double> optionalOf(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

QString pointsText(const QList<int>& points)
{
    QStringList items;
    for (int p : points)
        items.append(QString::number(p));
    return items.join(QLatin1Char(','));
}

QList<int> pointsOf(const QString& text)
{
    QList<int> points;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        points.append(item.toInt());
    return points;
}

void writeComparison(Transaction& t, qint64 run, const QString& kind, int index, const std::optional<Comparison>& c)
{
    t.exec(QStringLiteral("INSERT INTO checks (run_id, kind, point_index, reference, measured, permissible_pct) "
                          "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (run_id, kind, point_index) DO UPDATE SET "
                          "reference = excluded.reference, measured = excluded.measured, permissible_pct = excluded.permissible_pct"),
           {run, kind, index, c ? QVariant(c->reference) : QVariant(), c ? QVariant(c->measured) : QVariant(),
            c ? QVariant(c->permissiblePct) : QVariant()});
}

void writeReason(Transaction& t, qint64 run, const QString& kind, const QString& reason)
{
    t.exec(QStringLiteral("INSERT INTO checks (run_id, kind, point_index, skipped) VALUES (?, ?, ?, ?) "
                          "ON CONFLICT (run_id, kind, point_index) DO UPDATE SET skipped = excluded.skipped"),
           {run, kind, kRunWide, reason});
}

std::optional<Comparison> comparisonOf(const QSqlQuery& q, int column)
{
    if (q.value(column).isNull())
        return std::nullopt;
    return Comparison{q.value(column).toDouble(), q.value(column + 1).toDouble(), q.value(column + 2).toDouble()};
}

// The points in index order with their readings; false for a damaged record.
bool loadPoints(Transaction& t, qint64 run, ArchivedRun& r)
{
    std::optional<QSqlQuery> q = t.exec(QStringLiteral("SELECT point_index, flow, imitated_flow, permissible_pct, complete "
                                                       "FROM points WHERE run_id = ? ORDER BY point_index"),
                                        {run});
    while (q && q->next()) {
        if (q->value(0).toInt() != r.protocol.points.size())
            return false;
        r.protocol.points.append(PointResult{q->value(1).toInt(), optionalOf(q->value(2)), q->value(3).toDouble(), {},
                                             q->value(4).toBool(), std::nullopt});
        r.takenAt.append(QList<QDateTime>());
    }
    q = t.exec(QStringLiteral("SELECT point_index, value, taken_at FROM readings WHERE run_id = ? ORDER BY point_index, ord"), {run});
    while (q && q->next()) {
        const int index = q->value(0).toInt();
        if (index < 0 || index >= r.protocol.points.size())
            return false;
        r.protocol.points[index].readings.append(q->value(1).toDouble());
        r.takenAt[index].append(timeOf(q->value(2)));
    }
    return !t.failed();
}

bool loadChecks(Transaction& t, qint64 run, ArchivedRun& r)
{
    std::optional<QSqlQuery> q = t.exec(
        QStringLiteral("SELECT kind, point_index, reference, measured, permissible_pct, skipped FROM checks WHERE run_id = ?"), {run});
    Protocol& p = r.protocol;
    std::optional<Comparison> pulses;
    while (q && q->next()) {
        const QString kind = q->value(0).toString();
        const int index = q->value(1).toInt();
        const std::optional<Comparison> comparison = comparisonOf(*q, 2);
        const QString skipped = q->value(5).toString();
        if (kind == kCurrent && index != kRunWide) {
            if (index < 0 || index >= p.points.size())
                return false;
            p.points[index].current = comparison;
        } else if (kind == kCurrent) {
            p.currentSkipped = skipped;
        } else if (kind == kVolume) {
            if (comparison)
                p.volume = VolumeCheck{*comparison, std::nullopt};
            p.volumeSkipped = skipped;
        } else if (kind == kPulses) {
            pulses = comparison;
            p.pulsesSkipped = skipped;
        }
    }
    if (p.volume)
        p.volume->pulses = pulses;
    return !t.failed();
}
}  // namespace

QString stateKey(RunState state)
{
    for (const auto& [s, text] : kStates)
        if (s == state)
            return text;
    Q_UNREACHABLE();
}

QString conclusionKey(Conclusion conclusion)
{
    switch (conclusion) {
    case Conclusion::None:
        return QStringLiteral("none");
    case Conclusion::Fit:
        return QStringLiteral("fit");
    case Conclusion::Unfit:
        return QStringLiteral("unfit");
    }
    Q_UNREACHABLE();
}

QString timeText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

std::optional<qint64> runId(Transaction& t, const QString& number)
{
    const std::optional<QVariant> id = t.value(QStringLiteral("SELECT id FROM runs WHERE number = ?"), {number});
    return id ? std::optional<qint64>(id->toLongLong()) : std::nullopt;
}

void writeHeader(Transaction& t, qint64 run, const Protocol& p)
{
    const VerificationParameters& par = p.parameters;
    t.exec(QStringLiteral("UPDATE runs SET started = ?, modules = ?, meter_type = ?, serial_number = ?, owner = ?, "
                          "operator_name = ?, auto_circulations = ?, delay_ns = ?, settle_ms = ?, readings_per_point = ?, "
                          "period_ms = ?, volume_settle_ms = ?, check_volume = ?, planned_points = ?, incomplete_reason = ? "
                          "WHERE id = ?"),
           {timeText(p.started), p.bench, p.meterType, p.meter.serialNumber, p.meter.owner, p.meter.operatorName,
            p.autoCirculations, p.delayNs, par.settleMs, par.readings, par.periodMs, par.volumeSettleMs, par.volume,
            pointsText(par.points), p.incompleteReason, run});
}

void writePoint(Transaction& t, qint64 run, int index, const PointResult& point)
{
    t.exec(QStringLiteral("INSERT INTO points (run_id, point_index, flow, imitated_flow, permissible_pct, complete) "
                          "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (run_id, point_index) DO UPDATE SET flow = excluded.flow, "
                          "imitated_flow = excluded.imitated_flow, permissible_pct = excluded.permissible_pct, "
                          "complete = excluded.complete"),
           {run, index, point.point, optionalValue(point.imitatedFlow), point.permissiblePct, point.complete});
    writeComparison(t, run, kCurrent, index, point.current);
}

void writeVolume(Transaction& t, qint64 run, const std::optional<VolumeCheck>& volume)
{
    writeComparison(t, run, kVolume, kRunWide, volume ? std::optional<Comparison>(volume->meter) : std::nullopt);
    writeComparison(t, run, kPulses, kRunWide, volume ? volume->pulses : std::nullopt);
}

void writeSkipped(Transaction& t, qint64 run, const Protocol& p)
{
    writeReason(t, run, kVolume, p.volumeSkipped);
    writeReason(t, run, kPulses, p.pulsesSkipped);
    writeReason(t, run, kCurrent, p.currentSkipped);
}

void writeResults(Transaction& t, qint64 run, const Protocol& p)
{
    for (int i = 0; i < p.points.size(); ++i)
        writePoint(t, run, i, p.points[i]);
    writeVolume(t, run, p.volume);
    writeSkipped(t, run, p);
}

void writeOutcome(Transaction& t, qint64 run, RunState state, const QDateTime& ended, Conclusion conclusion)
{
    t.exec(QStringLiteral("UPDATE runs SET state = ?, ended = ?, conclusion = ? WHERE id = ?"),
           {stateKey(state), ended.isValid() ? QVariant(timeText(ended)) : QVariant(),
            conclusion == Conclusion::None ? QVariant() : QVariant(conclusionKey(conclusion)), run});
}

void addReading(Transaction& t, qint64 run, int index, double value)
{
    t.exec(QStringLiteral("INSERT INTO readings (run_id, point_index, ord, value, taken_at) VALUES "
                          "(?, ?, (SELECT count(*) FROM readings WHERE run_id = ? AND point_index = ?), ?, ?)"),
           {run, index, run, index, value, timeText(QDateTime::currentDateTimeUtc())});
}

std::optional<ArchivedRun> load(Transaction& t, qint64 run)
{
    std::optional<QSqlQuery> q = t.exec(
        QStringLiteral("SELECT number, bench, state, started, ended, modules, meter_type, serial_number, owner, operator_name, "
                       "auto_circulations, delay_ns, settle_ms, readings_per_point, period_ms, volume_settle_ms, check_volume, "
                       "planned_points, incomplete_reason, conclusion, previous_seal, seal FROM runs WHERE id = ?"),
        {run});
    if (!q || !q->next())
        return std::nullopt;
    ArchivedRun r;
    r.number = q->value(0).toString();
    r.bench = q->value(1).toString();
    const std::optional<RunState> state = stateOf(q->value(2).toString());
    if (!state) {
        t.fail(QStringLiteral("запись %1 повреждена: неизвестное состояние %2").arg(r.number, q->value(2).toString()));
        return std::nullopt;
    }
    r.state = *state;
    Protocol& p = r.protocol;
    p.started = timeOf(q->value(3));
    r.ended = timeOf(q->value(4));
    p.bench = q->value(5).toString();
    p.meterType = q->value(6).toString();
    p.meter = MeterIdentity{q->value(7).toString(), q->value(8).toString(), q->value(9).toString()};
    p.autoCirculations = q->value(10).toInt();
    p.delayNs = q->value(11).toDouble();
    p.parameters = VerificationParameters{q->value(12).toInt(), q->value(13).toInt(), q->value(14).toInt(),
                                          q->value(15).toInt(), q->value(16).toDouble(), pointsOf(q->value(17).toString())};
    p.incompleteReason = q->value(18).toString();
    const QString conclusion = q->value(19).toString();
    for (Conclusion c : {Conclusion::Fit, Conclusion::Unfit})
        if (conclusion == conclusionKey(c))
            r.conclusion = c;
    r.previousSeal = q->value(20).toString();
    r.seal = q->value(21).toString();
    p.complete = r.state == RunState::Complete;
    if (!loadPoints(t, run, r) || !loadChecks(t, run, r)) {
        t.fail(QStringLiteral("запись %1 повреждена: ее точки или проверки не сходятся").arg(r.number));
        return std::nullopt;
    }
    return r;
}

}  // namespace verification::archive::rows
