#pragma once
// The accumulation of a volume, shared by volume accumulation and the verification of volume
// imitation: the start (calibration, count and time, the module entering imitation), the
// module's elapsed time read every 2000 ms, and the one-second progress timer that ends the
// mode when the planned time has passed.
#include "bench/DelayLineCalibrator.h"
#include "bench/ImrAutomaton.h"
#include "modes/FlowSetter.h"
#include "modes/ImitationDisplay.h"
#include "shell/context/Context.h"

namespace modes {

class VolumeImitation {
public:
    // The start gives up when the module is still entering imitation after this many reads.
    static constexpr int MaxStateReads = 50;
    static constexpr int ElapsedPeriodMs = 2000;
    static const QString kElapsedReadFailed;

    VolumeImitation(shell::Context& ctx, FlowSetter& setter, bench::ImrAutomaton& imr,
                    bench::DelayLineCalibrator& calibrator, ImitationDisplay& display, ui::Timer& progressTimer);

    bool StartVolumeImitation();
    // Stops following the accumulation: the progress timer and the periodic elapsed-time read.
    void stopFollowing();
    // Writes the stop command and waits; false (after the message) when it was refused.
    bool writeStop();
    // Reads the elapsed time once and waits; false (after the failure's message) when it failed.
    bool readElapsed(const comm::Failure& failure);
    void Timer1Timer();

private:
    void elapsedAnswered(const comm::Exchange& e);
    bool enteringImitation() const;

    shell::Context& m_ctx;
    FlowSetter& m_setter;
    bench::ImrAutomaton& m_imr;
    bench::DelayLineCalibrator& m_calibrator;
    ImitationDisplay& m_display;
    ui::Timer& m_timer;
};

}  // namespace modes
