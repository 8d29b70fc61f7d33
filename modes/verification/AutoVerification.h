#pragma once
// The automatic verification of the meter under test. A run calibrates the delay line, sets the
// emulation bit, then for each point sets the flow, lets it settle, takes the meter's readings
// at their period and judges their error; then checks the volume. With the current meter ИПТ
// and a meter that has a current output, each reading also reads the output's current, judged
// against the current the point's mean flow reading should give; with the pulse counter УСИ,
// the volume check also counts the meter's pulses. A check whose module or output is absent is
// recorded as not made. The waits between steps are timers, so the window stays live and
// "Стоп" ends the run at any moment: the bench goes back to idle and the protocol keeps what
// was measured, marked incomplete. A lost line or a failed step ends the run the same way with
// its message.
#include "bench/DelayLineCalibrator.h"
#include "bench/ImrAutomaton.h"
#include "modes/FlowSetter.h"
#include "modes/MeterOutputs.h"
#include "modes/VolumeImitation.h"
#include "modes/verification/Protocol.h"
#include "modes/verification/RunJournal.h"
#include "shell/context/Context.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace verification {

class AutoVerification : public QObject {
    Q_OBJECT
public:
    static const QString kStopped;
    // Its own reads of the meter's output slots on the meter line: their kinds and the current
    // calibration table.
    static constexpr int SlotKindsQid = 43;
    static constexpr int CurrentTableQid = 44;

    struct Parts {
        modes::FlowSetter& setter;
        bench::ImrAutomaton& imr;
        bench::DelayLineCalibrator& calibrator;
        modes::VolumeImitation& volume;
        // The УСИ input and the ИПТ channel (0..3) the meter's pulse and current outputs are
        // wired to, asked at each start: those the operator chose for the statistics window.
        std::function<int()> pulseInput = [] { return 0; };
        std::function<int()> currentChannel = [] { return 0; };
        // Makes the record of each run as it goes (none, after telling the operator: the run
        // does not start); no function: the runs are not recorded.
        std::function<std::unique_ptr<RunJournal>()> journal;
    };

    AutoVerification(shell::Context& ctx, Parts parts);
    // A run still going ends without a word: the bench back at rest, the working mode given
    // back. Destroy it from the event loop (deleteLater), never from inside one of its steps.
    ~AutoVerification() override;
    AutoVerification(const AutoVerification&) = delete;
    AutoVerification& operator=(const AutoVerification&) = delete;

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

    // The current output's check as prepared at the start.
    struct CurrentPlan {
        modes::CurrentCalibration calibration;
        int channel;  // of the ИПТ, 0..3
    };
    using Send = std::function<void(comm::MBComMaster&)>;

    // The sequencing (AutoVerification.cpp).
    bool canStart(const VerificationParameters& parameters) const;
    void fillHeader(const VerificationParameters& parameters, const MeterIdentity& meter);
    bool prepareBench();
    void startPoint();
    void finishPoint();
    void complete();
    void end(QString reason);
    // Brings the bench back to rest and gives the working mode back.
    void releaseBench();
    // Enters `phase` and continues it when `ms` have passed.
    void waitThen(Phase phase, int ms);
    // Waits for the next answer of the meter's flow or volume, whichever the phase needs.
    void awaitMeter(Phase phase);
    void timerFired();
    void meterAnswered(int qid, const QVariant& value, int result);
    void lineChanged(const comm::Line& line, bool connected);
    // After a waited step: false when the run has been ended meanwhile or must end now.
    bool stillRunning();
    // The run's record begun; false (after telling the operator) when it cannot be.
    bool beginRecord();
    // A write to the run's record; a failed one ends the run. False when it did.
    bool record(const std::function<bool(RunJournal&)>& write);

    int secondsLeft() const;
    void reportProgress();

    // Which checks are made, and the run's own reads (AutoVerificationChecks.cpp).
    // The checks the modules and the meter allow; the reasons for those they do not.
    void decideChecks();
    bool prepareCurrentCheck();
    bool volumeCheckPlanned() const;
    // The rows of its own reads live on both lines while a run goes.
    void registerRows();
    void removeRows();
    comm::Line& lineOf(int qid);
    // A waited read of the run's own; its answer, or none when the run has ended (a failed
    // read ends it with `what` and the Result).
    std::optional<comm::Exchange> read(comm::Line& line, quint8 address, int qid, const Send& send, const QString& what);
    std::optional<quint32> readPulseCounter();
    std::optional<double> readCurrent();

    // A point's readings and judgement (AutoVerificationPoint.cpp).
    void takeReading(double flow);
    // Judges the point in work once its last reading is in; false when that ended the run.
    bool judgePoint();

    // The volume check (AutoVerificationVolume.cpp).
    void startVolumeCheck();
    void startVolumeImitation(double meterVolume);
    void volumeImitationDone();
    void finishVolumeCheck(double meterVolume);

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
    qint32 m_imitationMs = 0;    // the volume imitation's time as written to the module
    qint32 m_lastElapsedMs = -1;  // the module's elapsed time at the previous look
    std::optional<int> m_pulseInput;  // the УСИ input counted; none: no pulse count
    quint32 m_pulsesBefore = 0;
    std::optional<CurrentPlan> m_currentPlan;
    QList<double> m_currents;  // mA, at the readings of the point in work
    // The run's own reads: their result slots and the latest answer.
    std::array<int, 4> m_readSlots{};
    comm::Exchange m_answer;
    // The pause of the phase in work, and the meter's readings not coming for the time the
    // context's timing allows (the run ends then); both on the context's clock.
    std::unique_ptr<comm::Alarm> m_timer;
    std::unique_ptr<comm::Alarm> m_readingTimeout;
    std::unique_ptr<RunJournal> m_journal;  // the record of the run in work or the latest one
};

}  // namespace verification
