#include "sim/DelayLine.h"

#include <cmath>

namespace sim {

namespace {

constexpr int MidScale = 128;
// The quartz register counts in 1e-8 MHz.
double periodNs(quint32 quartzRaw) { return quartzRaw == 0 ? 0.0 : 1000.0 / (quartzRaw / 1e8); }

struct FineSums {
    quint32 sum;
    quint32 squares;
};

// Codes alternating one step either side of mid-scale: a variance near 1 code squared.
FineSums fineSums(int conversions)
{
    FineSums s{0, 0};
    for (int i = 0; i < conversions; ++i) {
        const quint32 code = MidScale + (i % 2 ? 1 : -1);
        s.sum += code;
        s.squares += code * code;
    }
    return s;
}

}  // namespace

quint32 DelayLine::coarseCount(quint32 quartzRaw)
{
    const double period = periodNs(quartzRaw);
    return period > 0 ? quint32(std::lround(NominalDelayNs / period)) : 0;
}

std::array<quint32, 10> DelayLine::calibrationSums(int conversions, quint32 quartzRaw)
{
    const quint32 coarseSum = 8u * quint32(conversions) * coarseCount(quartzRaw);
    const FineSums fine = fineSums(conversions);
    std::array<quint32, 10> sums{};
    for (int series = 0; series < 2; ++series) {
        quint32* s = sums.data() + 5 * series;
        s[0] = coarseSum;
        s[1] = s[3] = fine.sum;
        s[2] = s[4] = fine.squares;
    }
    return sums;
}

double DelayLine::delayNs(quint32 quartzRaw) { return coarseCount(quartzRaw) * periodNs(quartzRaw); }

}  // namespace sim
