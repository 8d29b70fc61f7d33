#pragma once
// The automatic verification of the meter under test. A run calibrates the delay line, sets the
// emulation bit, then for each point sets the flow, lets it settle, takes the meter's readings
// at their period and judges their error; then checks the volume. The waits between steps are
// timers, so the window stays live and "Стоп" ends the run at any moment: the bench goes back
// to idle and the protocol keeps what was measured, marked incomplete. A lost line or a failed
// step ends the run the same way with its message.
#include "bench/DelayLineCalibrator.h"
#include "bench/ImrAutomaton.h"
#include "modes/FlowSetter.h"
#include "modes/VolumeImitation.h"
#include "modes/verification/Protocol.h"
#include "shell/context/Context.h"

#include <QObject>
#include <QTimer>

namespace verification {

class AutoVerification : public QObject {
    Q_OBJECT
public:
    // The meter's readings stop coming for this long: the run ends.
    static constexpr int ReadingTimeoutMs = 10000;
    // After the module's planned imitation time, before its elapsed time is read.
    static constexpr int VolumeEndMarginMs = 1000;
    static const QString kStopped;

    struct Parts {
        modes::FlowSetter& setter;
        bench::ImrAutomaton& imr;
        bench::DelayLineCalibrator& calibrator;
        modes::VolumeImitation& volume;
    };

    AutoVerification(shell::Context& ctx, Parts parts);

    // Starts a run; false (after telling the operator) when it cannot start.
    bool start(const VerificationParameters& parameters, double permissiblePct, const MeterIdentity& meter);
    // Ends a running run as incomplete; does nothing otherwise.
    void stop();

    bool running() const { return m_phase != Phase::Idle; }
    // The run in progress or the latest one.
    const Protocol& protocol() const { return m_protocol; }

Q_SIGNALS:
    // point: 1-based number of the point in work (points + 1 during the volume check).
    void progress(int point, int points, int secondsLeft);
    // The run ended; protocol() holds its result.
    void finished();

private:
    enum class Phase { Idle, Preparing, Settling, Reading, Pausing, VolumeBefore, VolumeRunning, VolumeAfter };

    bool canStart(const VerificationParameters& parameters) const;
    void fillHeader(const VerificationParameters& parameters, const MeterIdentity& meter);
    bool prepareBench();
    void startPoint();
    void takeReading(double flow);
    void finishPoint();
    void startVolumeCheck();
    void startVolumeImitation(double meterVolume);
    void volumeImitationDone();
    void finishVolumeCheck(double meterVolume);
    void complete();
    void end(QString reason);

    // Enters `phase` and continues it when `ms` have passed.
    void waitThen(Phase phase, int ms);
    // Waits for the next answer of the meter's flow or volume, whichever the phase needs.
    void awaitMeter(Phase phase);
    void timerFired();
    void meterAnswered(int qid, const QVariant& value, int result);
    void lineChanged(const comm::Line& line, bool connected);
    // After a waited step: false when the run has been ended meanwhile or must end now.
    bool stillRunning();

    bool volumeCheckPlanned() const;
    int secondsLeft() const;
    void reportProgress();

    shell::Context& m_ctx;
    Parts m_parts;
    Protocol m_protocol;
    Phase m_phase = Phase::Idle;
    bool m_awaitingMeter = false;
    bool m_stepping = false;  // a waited step runs
    QString m_pendingEnd;  // the reason an event gave while a waited step ran
    int m_point = 0;
    double m_volumeBefore = 0;
    double m_volumeReference = 0;
    QTimer m_timer;
    QTimer m_readingTimeout;
};

}  // namespace verification
