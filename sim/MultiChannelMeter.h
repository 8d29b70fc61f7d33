#pragma once
// The multi-channel meter (type 6): up to four channels in input registers, each with its own
// zero shift and a cut-off that holds in the verification regime; measuring on one chosen
// channel or on all of them; its current output on one of two output slots.
#include "sim/FlowMeter.h"
#include "sim/OutputSlots.h"

#include <array>

namespace sim {

struct MultiChannelSetup {
    int channels = 4;
    std::array<int, OutputSlots::Count> slotKinds{OutputSlots::Current, OutputSlots::Empty};
    double slotErrorPct = 0;
};

class MultiChannelMeter : public FlowMeter {
public:
    static constexpr int MaxChannels = 4;

    MultiChannelMeter(const MeterType& type, int address, int autocirculations, double errorPct,
                      const MultiChannelSetup& setup, Clock::time_point now);

    int refuseWrite(int reg, quint16 value) const override;
    void holdingWritten(int reg) override;
    double flow() const override;
    double currentOutputMa() const override;

protected:
    void measure(double hours) override;

private:
    int channels() const;
    int selectedChannel() const;
    bool measures(int channel) const;
    bool verifying() const;
    void showReadings();

    std::array<MeasuringChannel, MaxChannels> m_channels;
    OutputSlots m_slots;
};

}  // namespace sim
