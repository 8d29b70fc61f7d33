#pragma once
// The DC current meter module ИПТ: four channels whose raw sums grow linearly with their
// current, each with a response of its own, and turn into currents through the scale and offset
// written per channel; in calibration mode the selected channel measures the module's own AD420
// DAC. Channel 1 carries the meter's current output.
#include "sim/BenchModule.h"
#include "sim/Jitter.h"

#include <array>

namespace sim {

class IptModule : public BenchModule {
public:
    static constexpr int Channels = 4;

    // A raw sum's response to the current: the sum at no current and its growth over the DAC's range.
    struct Response {
        double rawAtZero;
        double rawSpan;
        double rawSum(double mA) const;
    };

    // outOfLimits: the channel (1..4) whose response a calibration must refuse; 0 none.
    IptModule(int address, int outOfLimits, Clock::time_point now);

    int refuseWrite(int reg, quint16 value) const override;
    // The current fed into a channel (0..3), mA.
    void setInputCurrent(int channel, double mA) { m_inputsMa.at(size_t(channel)) = mA; }

protected:
    void elapse(Clock::time_point before) override;

private:
    double rawSum(int channel);

    std::array<Response, Channels> m_responses;
    std::array<double, Channels> m_inputsMa{4.0, 8.0, 12.0, 20.0};
    Jitter m_noise{11};
};

}  // namespace sim
