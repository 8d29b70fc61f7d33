#pragma once
// One measuring channel of a flow meter: it reads the flow that reaches its transducers off by
// the meter's error and with a little noise, shifted by its zero shift, and shows nothing below
// its cut-off; it accumulates the volume it reads.
#include "sim/Jitter.h"

namespace sim {

class MeasuringChannel {
public:
    MeasuringChannel(double errorPct, unsigned noiseSeed);

    // Measures for `hours` the flow reaching it, m3/h (0: none reaches it).
    void measure(double sensed, double hours, double zeroShift = 0, double cutOff = 0);
    // A channel that hears nothing reads no flow and adds no volume.
    void measureNothing() { m_flow = 0; }

    double flow() const { return m_flow; }
    double volume() const { return m_volume; }
    void resetVolume() { m_volume = 0; }

private:
    double m_gain;
    double m_flow = 0;
    double m_volume = 0;
    Jitter m_noise;
};

}  // namespace sim
