#pragma once
// The two-channel meter (type 2): both channels measure the flow its imitator input brings
// (coil 3), with one zero shift and one cut-off; a channel without its ultrasonic signal reads
// nothing and says so in its status word. Coil 2 chooses the channel its outputs follow,
// register 21 whether that output gives pulses or a frequency.
#include "sim/FlowMeter.h"

#include <array>

namespace sim {

class TwoChannelMeter : public FlowMeter {
public:
    static constexpr int Channels = 2;

    // noSignalChannel: 1 or 2 has lost its ultrasonic signal; 0 none.
    TwoChannelMeter(const MeterType& type, int address, int autocirculations, double errorPct, int noSignalChannel,
                    Clock::time_point now);

    int refuseWrite(int reg, quint16 value) const override;
    void holdingWritten(int reg) override;
    double flow() const override;

protected:
    void measure(double hours) override;
    double pulsesPerM3() const override;

private:
    void showReadings();

    const int m_noSignalChannel;  // 0-based; -1 none
    std::array<MeasuringChannel, Channels> m_channels;
};

}  // namespace sim
