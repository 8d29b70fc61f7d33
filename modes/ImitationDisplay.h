#pragma once
// What the shared imitation routines show on the pages of the modes that use them: the flow
// setter's imitated flow and planned time, and the volume accumulation's progress. The pages'
// owner implements it, so the routines never reach into another mode's page.
#include "shell/context/WorkMode.h"

#include <QString>

namespace modes {

class ImitationDisplay {
public:
    virtual ~ImitationDisplay() = default;

    virtual void showDelay(double dT) = 0;
    // Flow imitation stopped: "0.000".
    virtual void showStopped() = 0;
    // The imitated flow, in the field of the running mode and as the accumulation's real flow.
    virtual void showImitatedFlow(shell::Mode running, double flow) = 0;
    // The planned accumulation time: both time fields, and both progress bars restarted.
    virtual void showPlannedTime(int seconds) = 0;
    virtual void showProgress(int seconds) = 0;
    // The module's elapsed imitation time, seconds as text: on both volume pages, or on the
    // accumulation's page only.
    virtual void showElapsed(const QString& seconds) = 0;
    virtual void showAccumulationTime(const QString& seconds) = 0;
    virtual void showImitatedVolume(double volume) = 0;
    // The accumulation ended by itself: both volume pages may start again.
    virtual void accumulationEnded() = 0;
};

}  // namespace modes
