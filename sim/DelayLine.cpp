#include "sim/DelayLine.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace sim {

namespace {

constexpr int TopCode = 255;
// Where the series with inversion catches the start of the pulse, in codes: low in the range,
// so that the end, up to a period later, stays inside it.
constexpr double InvertedStartCode = 60;
// Half-widths of the scatter of single codes: a steady converter stays well inside a variance
// of 5 codes squared, a noisy one well beyond it.
constexpr double SteadyScatter = 1.2;
constexpr double NoisyScatterMin = 3.5;
constexpr double NoisyScatterMax = 6.0;
constexpr int CoarseCountsPerConversion = 8;

}  // namespace

// Both series: delay = coarse x Tq + (A - B) x K, the end one gap (up to a period) after the
// start in the converter's range. Without inversion the start lies half a period later.
DelayLine::Series DelayLine::series(bool inverted) const
{
    const double tq = 1000.0 / m_hw.quartzMHz;
    const double k = (m_hw.t1Ns - m_hw.t0Ns) / TopCode;
    const double periods = std::floor(m_hw.delayNs / tq) + 1;
    const double gap = periods * tq - m_hw.delayNs;  // (0, Tq]
    Series s{quint32(periods), InvertedStartCode, 0};
    if (!inverted)
        s.meanA += tq / 2 / k;  // in the second half of a period: the same coarse count
    s.meanB = s.meanA + gap / k;
    return s;
}

QList<int> DelayLine::codes(double mean, int conversions, bool noisy)
{
    std::uniform_real_distribution<double> scatter(noisy ? NoisyScatterMin : 0.0, noisy ? NoisyScatterMax : SteadyScatter);
    // Deviations in pairs of opposite sign keep the mean where it is ...
    std::vector<double> exact(size_t(conversions), mean);
    for (size_t i = 0; i + 1 < exact.size(); i += 2) {
        const double d = scatter(m_engine);
        exact[i] += d;
        exact[i + 1] -= d;
    }
    // ... and carrying each code's rounding to the next keeps the sum within half a code of it.
    QList<int> out;
    double carried = 0;
    for (double x : exact) {
        const int code = std::clamp(int(std::lround(x + carried)), 0, TopCode);
        carried += x - code;
        out.append(code);
    }
    return out;
}

std::array<quint32, 10> DelayLine::calibrationSums(int conversions)
{
    std::array<quint32, 10> sums{};
    for (int record = 0; record < 2; ++record) {
        const Series s = series(record == 1);
        const bool noisy = record == m_hw.noisyRecord;
        quint32* out = sums.data() + 5 * record;
        out[0] = quint32(CoarseCountsPerConversion) * quint32(conversions) * s.coarse;
        for (const auto& [mean, sum, squares] : {std::tuple{s.meanA, 1, 2}, std::tuple{s.meanB, 3, 4}}) {
            for (int code : codes(mean, conversions, noisy)) {
                out[sum] += quint32(code);
                out[squares] += quint32(code * code);
            }
        }
    }
    return sums;
}

}  // namespace sim
