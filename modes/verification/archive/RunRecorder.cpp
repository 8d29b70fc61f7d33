#include "modes/verification/archive/RunRecorder.h"

#include "modes/verification/archive/ArchiveDatabase.h"
#include "modes/verification/archive/ArchiveLog.h"
#include "modes/verification/archive/RecordSeal.h"
#include "modes/verification/archive/RunRows.h"
#include "modes/verification/archive/Transaction.h"

#include <QDir>

namespace verification::archive {

RunRecorder::RunRecorder(const ArchiveDatabase& archive, QString bench, QString prefix)
    : m_archive(archive), m_bench(std::move(bench)), m_prefix(std::move(prefix))
{
}

bool RunRecorder::fail(const QString& what, const QString& why)
{
    m_error = QStringLiteral("Архив протоколов %1: не записано %2 (%3)").arg(QDir::toNativeSeparators(m_archive.file()), what, why);
    return false;
}

bool RunRecorder::begin(const Protocol& header)
{
    if (m_run || !m_number.isEmpty())
        return fail(QStringLiteral("начало поверки"), QStringLiteral("поверка %1 уже начата").arg(m_number));
    if (!header.started.isValid())
        return fail(QStringLiteral("начало поверки"), QStringLiteral("не задано время начала"));
    const int year = header.started.date().year();
    Transaction t(m_archive.connection(), Transaction::Kind::Write);
    t.exec(QStringLiteral("INSERT INTO number_counters (prefix, year, last) VALUES (?, ?, 0) ON CONFLICT (prefix, year) DO NOTHING"),
           {m_prefix, year});
    t.exec(QStringLiteral("UPDATE number_counters SET last = last + 1 WHERE prefix = ? AND year = ?"), {m_prefix, year});
    const std::optional<QVariant> sequence =
        t.value(QStringLiteral("SELECT last FROM number_counters WHERE prefix = ? AND year = ?"), {m_prefix, year});
    const QString number = QStringLiteral("%1%2-%3").arg(m_prefix).arg(year).arg(sequence.value_or(0).toLongLong());
    t.exec(QStringLiteral("INSERT INTO runs (number, bench, state, started) VALUES (?, ?, ?, ?)"),
           {number, m_bench, rows::stateKey(RunState::Running), rows::timeText(header.started)});
    const std::optional<qint64> run = rows::runId(t, number);
    if (run) {
        rows::writeHeader(t, *run, header);
        rows::writeResults(t, *run, header);
    }
    if (!run || !t.commit())
        return fail(QStringLiteral("начало поверки"), t.error());
    m_run = run;
    m_number = number;
    return true;
}

bool RunRecorder::write(const QString& what, const std::function<void(Transaction&, qint64)>& statements)
{
    if (!m_run)
        return fail(what, QStringLiteral("поверка не начата или уже окончена"));
    Transaction t(m_archive.connection(), Transaction::Kind::Write);
    statements(t, *m_run);
    return t.commit() || fail(what, t.error());
}

bool RunRecorder::reading(int pointIndex, double value)
{
    return write(QStringLiteral("показание точки %1").arg(pointIndex + 1),
                 [&](Transaction& t, qint64 run) { rows::addReading(t, run, pointIndex, value); });
}

bool RunRecorder::pointDone(int pointIndex, const PointResult& point)
{
    return write(QStringLiteral("результат точки %1").arg(pointIndex + 1),
                 [&](Transaction& t, qint64 run) { rows::writePoint(t, run, pointIndex, point); });
}

bool RunRecorder::volumeDone(const VolumeCheck& volume)
{
    return write(QStringLiteral("результат проверки объема"), [&](Transaction& t, qint64 run) { rows::writeVolume(t, run, volume); });
}

bool RunRecorder::checksSkipped(const Protocol& protocol)
{
    return write(QStringLiteral("причины непроведенных проверок"),
                 [&](Transaction& t, qint64 run) { rows::writeSkipped(t, run, protocol); });
}

bool RunRecorder::end(const Protocol& protocol)
{
    const bool written = write(QStringLiteral("окончание поверки"), [&](Transaction& t, qint64 run) {
        rows::writeHeader(t, run, protocol);
        rows::writeResults(t, run, protocol);
        const RunState state = protocol.complete ? RunState::Complete : RunState::Incomplete;
        rows::writeOutcome(t, run, state, QDateTime::currentDateTimeUtc(), protocol.conclusion());
        const std::optional<ArchivedRun> stored = rows::load(t, run);
        // Everything but the readings was just written: a difference is a reading the run took
        // without writing it here, and the record would not be the protocol the operator sees.
        if (stored && stored->protocol != protocol)
            t.fail(QStringLiteral("показания в архиве не совпадают с показаниями поверки"));
        sealRun(t, run);
    });
    // A sealed record is not written again.
    if (written)
        m_run.reset();
    return written;
}

Recovery recoverInterrupted(const ArchiveDatabase& archive, const QString& bench)
{
    Recovery recovery;
    Transaction t(archive.connection(), Transaction::Kind::Write);
    QList<qint64> runs;
    std::optional<QSqlQuery> q = t.exec(QStringLiteral("SELECT id, number FROM runs WHERE bench = ? AND state = ? ORDER BY id"),
                                        {bench, rows::stateKey(RunState::Running)});
    while (q && q->next()) {
        runs.append(q->value(0).toLongLong());
        recovery.numbers.append(q->value(1).toString());
    }
    for (qint64 run : runs) {
        t.exec(QStringLiteral("UPDATE runs SET incomplete_reason = ? WHERE id = ? AND incomplete_reason = ''"), {InterruptedReason, run});
        rows::writeOutcome(t, run, RunState::Interrupted, QDateTime(), Conclusion::None);
        sealRun(t, run);
    }
    if (!t.commit()) {
        recovery.numbers.clear();
        recovery.error = QStringLiteral("Архив протоколов %1: не удалось отметить прерванные поверки (%2)")
                             .arg(QDir::toNativeSeparators(archive.file()), t.error());
    } else if (!recovery.numbers.isEmpty()) {
        qCInfo(archiveLog) << "runs left running marked interrupted:" << recovery.numbers;
    }
    return recovery;
}

}  // namespace verification::archive
