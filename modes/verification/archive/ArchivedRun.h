#pragma once
// One run as the archive keeps it: the protocol with what the archive adds to it — the number,
// the bench that made it, its state, when its record was closed, and its seal.
#include "modes/verification/Protocol.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace verification::archive {

enum class RunState { Running, Complete, Incomplete, Interrupted };

// "выполняется", "завершена", "не завершена", "прервана"
QString stateText(RunState state);

struct ArchivedRun {
    QString number;
    QString bench;  // the bench's name in the archive
    RunState state = RunState::Running;
    QDateTime ended;  // none while running, and for a run whose program died
    Conclusion conclusion = Conclusion::None;  // as stored for the search
    Protocol protocol;
    // When each reading of protocol.points[i] was taken, in the same order.
    QList<QList<QDateTime>> takenAt;
    QString previousSeal;  // the seal of the record sealed before; empty for the first
    QString seal;          // empty until the run has ended

    friend bool operator==(const ArchivedRun&, const ArchivedRun&) = default;
};

}  // namespace verification::archive
