#pragma once
// The DC current meter module ИПТ: four channels whose raw sums turn into currents through a
// scale and an offset per channel; in calibration mode the selected channel measures the
// module's own AD420 DAC. Channel 1 carries the meter's current output.
#include "sim/BenchModule.h"
#include "sim/Jitter.h"

#include <array>

namespace sim {

class IptModule : public BenchModule {
public:
    static constexpr int Channels = 4;

    IptModule(int address, Clock::time_point now);

    int refuseWrite(int reg, quint16 value) const override;
    // The current fed into a channel (0..3), mA.
    void setInputCurrent(int channel, double mA) { m_inputsMa.at(size_t(channel)) = mA; }

protected:
    void elapse(Clock::time_point before) override;

private:
    double rawSum(int channel);

    std::array<double, Channels> m_inputsMa{4.0, 8.0, 12.0, 20.0};
    Jitter m_noise{11};
};

}  // namespace sim
