#pragma once
// The one place that knows how a run lies in the archive's tables: the run's row (header and
// parameters), its points, its readings and its checks. Each function adds its statements to
// the caller's transaction, which says whether they all succeeded.
#include "modes/verification/archive/ArchivedRun.h"

#include <optional>

namespace verification::archive {

class Transaction;

namespace rows {

QString stateKey(RunState state);
QString conclusionKey(Conclusion conclusion);
// ISO 8601 UTC with milliseconds: sorts as text, the same on every bench.
QString timeText(const QDateTime& time);

std::optional<qint64> runId(Transaction& t, const QString& number);
// The run's own row: the identification, the header values, the parameters and why the run
// ended early.
void writeHeader(Transaction& t, qint64 run, const Protocol& protocol);
// A point's result and its current check; its readings are written one by one (addReading).
void writePoint(Transaction& t, qint64 run, int index, const PointResult& point);
void writeVolume(Transaction& t, qint64 run, const std::optional<VolumeCheck>& volume);
// Why the checks were not made.
void writeSkipped(Transaction& t, qint64 run, const Protocol& protocol);
// Every point, the volume and the reasons: all but the readings.
void writeResults(Transaction& t, qint64 run, const Protocol& protocol);
// The run's state, when it ended (none: unknown) and its conclusion.
void writeOutcome(Transaction& t, qint64 run, RunState state, const QDateTime& ended, Conclusion conclusion);
// The next reading of point `index`, taken now.
void addReading(Transaction& t, qint64 run, int index, double value);
std::optional<ArchivedRun> load(Transaction& t, qint64 run);

}  // namespace rows
}  // namespace verification::archive
