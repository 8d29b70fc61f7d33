#pragma once
// The page "Поверка имитации расхода": the bench checks its own delayed-pulse count (once or
// continuously) and the pulse duration of its delay line at fixed points, with the fixed
// divisor 256.
#include "bench/DelayLineCalibrator.h"
#include "bench/ImrAutomaton.h"
#include "shell/context/Context.h"
#include "ui/forms/main/PoverQPage.h"

namespace modes {

class FlowVerification {
public:
    FlowVerification(shell::Context& ctx, ui::forms::PoverQPage& page, bench::ImrAutomaton& imr,
                     bench::DelayLineCalibrator& calibrator);

    int VerifyCount = 0;

    // Writes the count of point P and shows the flow it imitates; false when the write failed.
    bool SetVerifyCount(int point);

    void BtnStartPoverClick();
    void rgPoverClick();
    void RGNeprClick();
    void btnPover1Click();
    void RGControlClick();
    void BtnStopPoverClick();

private:
    int chosenPoint() const;
    bool writeCount(int count);
    bool writeCommand(int code, const comm::Failure& failure);
    void enableChoices(bool on);

    shell::Context& m_ctx;
    ui::forms::PoverQPage& m_page;
    bench::ImrAutomaton& m_imr;
    bench::DelayLineCalibrator& m_calibrator;
};

}  // namespace modes
