#pragma once
// Writes one run into the archive as it is measured, so that a program killed mid-run leaves
// every reading the window has shown. Each call is one transaction: it is on disk when the
// call returns true; on false, error() tells the operator what was not written and nothing of
// that call is kept.
//
// begin() gives the run its protocol number, <prefix><year>-<sequence>: the sequence counts
// per prefix and year, and the counter is raised in the transaction that stores the run, under
// the file's write lock, so two writers never take the same number and a number is never
// given again. end() stores the outcome and seals the record (see RecordSeal.h).
#include "modes/verification/Protocol.h"
#include "modes/verification/RunJournal.h"
#include "modes/verification/archive/ArchivedRun.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace verification::archive {

class ArchiveDatabase;
class Transaction;

class RunRecorder : public RunJournal {
public:
    // `bench`: this bench's name in the archive; `prefix`: put before its protocol numbers.
    RunRecorder(const ArchiveDatabase& archive, QString bench, QString prefix);

    // Stores the header, the parameters and the points planned (header.points); `header.started`
    // gives the number's year.
    bool begin(const Protocol& header) override;
    // The run's number, once begun.
    const QString& number() const { return m_number; }

    // The next reading of point `pointIndex`.
    bool reading(int pointIndex, double value) override;
    // A point's result and its current check; its readings came through reading().
    bool pointDone(int pointIndex, const PointResult& point) override;
    bool volumeDone(const VolumeCheck& volume) override;
    // Why the volume, the pulses or the current were not checked.
    bool checksSkipped(const Protocol& protocol);
    // Stores the final protocol's header and results and the run's state (complete or not),
    // and seals the record. Refused when the readings stored differ from the protocol's. Once
    // it succeeds, the recorder writes nothing more.
    bool end(const Protocol& protocol) override;

    const QString& error() const override { return m_error; }

private:
    bool fail(const QString& what, const QString& why);
    // Runs `statements` on the run begun and not yet ended, in one transaction.
    bool write(const QString& what, const std::function<void(Transaction&, qint64 run)>& statements);

    const ArchiveDatabase& m_archive;
    QString m_bench;
    QString m_prefix;
    std::optional<qint64> m_run;
    QString m_number;
    QString m_error;
};

// The reason an interrupted run's protocol gives.
inline const QString InterruptedReason = QStringLiteral("программа остановилась во время поверки");

// Runs of `bench` still marked running: their program died. Each becomes interrupted with
// everything measured, and is sealed. Call once at start, before this bench begins a run.
struct Recovery {
    QStringList numbers;
    QString error;  // empty on success
};
Recovery recoverInterrupted(const ArchiveDatabase& archive, const QString& bench);

}  // namespace verification::archive
