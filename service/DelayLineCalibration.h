#pragma once
// Delay line calibration: the module measures its delay line ten times; from the sums, the
// quartz frequency and the converter's end-point times the program computes the delay time
// dT that every delayed-pulse count uses. It runs before each start of an imitation or
// verification mode and from the two "Калибровать" buttons.
#include "bench/DelayLineCalibrator.h"
#include "bench/ImrAutomaton.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ImrPage.h"
#include "ui/forms/main/PoverQPage.h"

namespace service {

class DelayLineCalibration : public bench::DelayLineCalibrator {
public:
    DelayLineCalibration(shell::Context& ctx, ui::forms::ImrPage& tuningPage, ui::forms::PoverQPage& verificationPage,
                         bench::ImrAutomaton& imr);

    bool CalibrateDelayLine() override;
    // Button29 and Button20 "Калибровать": calibrate and show the values.
    void calibrateAndShow();

    // Fine offset of the record without inversion, kept between calibrations.
    double FineOffset = 0;

private:
    void registerRows();
    void status(const QString& text);
    bool read(int qid, int reg, comm::DataType type, int count, bool input, const comm::Failure& failure);
    void showValues();

    shell::Context& m_ctx;
    ui::forms::ImrPage& m_tuningPage;
    ui::forms::PoverQPage& m_verificationPage;
    bench::ImrAutomaton& m_imr;
};

}  // namespace service
