#pragma once
// Where a run's record goes as it is measured: the header when the run starts, each reading
// the moment it is taken, each point's result and the volume check as they end, the outcome
// at the end. A write that fails ends the run, as nothing measured after it would be kept;
// error() says why, in the operator's words.
#include "modes/verification/Protocol.h"

#include <QString>

namespace verification {

class RunJournal {
public:
    virtual ~RunJournal() = default;

    // The header, the parameters, the checks decided and the points planned.
    virtual bool begin(const Protocol& header) = 0;
    // The next reading of point `pointIndex` (0-based).
    virtual bool reading(int pointIndex, double value) = 0;
    virtual bool pointDone(int pointIndex, const PointResult& point) = 0;
    virtual bool volumeDone(const VolumeCheck& volume) = 0;
    // The run ended, complete or not: `protocol` is all it measured.
    virtual bool end(const Protocol& protocol) = 0;

    virtual const QString& error() const = 0;
};

}  // namespace verification
