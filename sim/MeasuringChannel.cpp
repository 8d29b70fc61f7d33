#include "sim/MeasuringChannel.h"

#include <cmath>

namespace sim {

namespace {
constexpr double RelativeNoise = 0.002;
}  // namespace

MeasuringChannel::MeasuringChannel(double errorPct, unsigned noiseSeed) : m_gain(1.0 + errorPct / 100.0), m_noise(noiseSeed) {}

void MeasuringChannel::measure(double sensed, double hours, double zeroShift, double cutOff)
{
    const double read = sensed == 0 ? 0.0 : sensed * m_gain * (1.0 + m_noise.next(RelativeNoise));
    const double shifted = read + zeroShift;
    m_flow = std::abs(shifted) < cutOff ? 0.0 : shifted;
    m_volume += m_flow * hours;
}

}  // namespace sim
