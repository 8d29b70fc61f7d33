#pragma once
// The imitation module's delay line as its calibration sees it: a whole number of quartz
// periods plus a fine part. The fine codes of both converters sit at mid-scale with a little
// scatter, so the fine parts cancel and the delay is the coarse count times the period.
#include <QtGlobal>

#include <array>

namespace sim {

class DelayLine {
public:
    static constexpr double NominalDelayNs = 100.0;

    // Sum0..Sum4 of the series without and with inversion, for `conversions` conversions.
    static std::array<quint32, 10> calibrationSums(int conversions, quint32 quartzRaw);
    // The delay the calibration leads to, ns.
    static double delayNs(quint32 quartzRaw);

private:
    static quint32 coarseCount(quint32 quartzRaw);
};

}  // namespace sim
