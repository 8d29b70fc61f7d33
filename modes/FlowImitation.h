#pragma once
// The page "Имитация расхода": starting and stopping the imitation of a flow, changing its
// point, and the reset of all modes.
#include "bench/DelayLineCalibrator.h"
#include "bench/ImrAutomaton.h"
#include "modes/FlowSetter.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ImitQPage.h"

namespace modes {

class FlowImitation {
public:
    // The reset of all modes: its button (on the configuration page) and the volume progress
    // timer it stops.
    struct Reset {
        ui::Button& button;
        ui::Timer& progressTimer;
    };

    FlowImitation(shell::Context& ctx, ui::forms::ImitQPage& page, FlowSetter& setter, bench::ImrAutomaton& imr,
                  bench::DelayLineCalibrator& calibrator, Reset reset);

    void btnImitClick();
    void RGPointClick();
    void Edit1KeyPress(QChar& key);
    void Button19Click();

private:
    void start();
    void stop();
    void showStopped();
    // The chosen point: the item's text, or the flow typed for "Своя".
    int chosenPoint() const;
    void applyPoint(int point);

    shell::Context& m_ctx;
    ui::forms::ImitQPage& m_page;
    FlowSetter& m_setter;
    bench::ImrAutomaton& m_imr;
    bench::DelayLineCalibrator& m_calibrator;
    Reset m_reset;
};

}  // namespace modes
