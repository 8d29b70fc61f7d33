#include "service/DelayLineMath.h"

#include <cmath>

namespace service {

namespace {

using C = DelayLineConstants;

// The module's firmware squares in 32 bits; the wrapped product is what the variance is built on.
double variance(quint32 sum, quint32 sumOfSquares)
{
    const quint32 square = sum * sum;
    return (double(sumOfSquares) - double(square) / C::Conversions) / (C::Conversions - 1);
}

}  // namespace

double quartzPeriodNs(quint32 foscRaw)
{
    Q_ASSERT_X(foscRaw != 0, "quartzPeriodNs", "the caller refuses a zero quartz frequency");
    return 1000 / (foscRaw / 100000000.0);
}

void deriveStatistics(bench::DelayCalibRecord& r)
{
    r.Coarse = r.Sum[0] / (8.0 * C::Conversions);
    r.MeanA = double(r.Sum[1]) / C::Conversions;
    r.VarA = variance(r.Sum[1], r.Sum[2]);
    r.MeanB = double(r.Sum[3]) / C::Conversions;
    r.VarB = variance(r.Sum[3], r.Sum[4]);
}

bool fineCodeSteady(double varA)
{
    return !(varA >= C::NoiseLimit);
}

bool seriesNoisy(double varB)
{
    return !(varB <= C::NoiseLimit);
}

int chooseRecord(const std::array<bench::DelayCalibRecord, 2>& records)
{
    const auto& [r0, r1] = records;
    const bool noisy0 = r0.Flags & C::NoisyFlag;
    const bool noisy1 = r1.Flags & C::NoisyFlag;
    if (noisy0 && noisy1)
        return r0.VarB < r1.VarB ? 0 : 1;
    if (noisy0 != noisy1)
        return noisy0 ? 1 : 0;
    return std::abs(r0.MeanB - C::MidScaleCode) < std::abs(r1.MeanB - C::MidScaleCode) ? 0 : 1;
}

int computeDelayLine(std::array<bench::DelayCalibRecord, 2>& records, quint32 foscRaw, double t0, double t1,
                     double& fineOffset)
{
    const double tq = quartzPeriodNs(foscRaw);
    const double k = (t1 - t0) / C::ConverterCodes;
    for (bench::DelayCalibRecord& r : records)
        deriveStatistics(r);

    auto& [r0, r1] = records;
    r0.Delay = (r0.Coarse + 1) * tq - r0.MeanB * k;
    if (fineCodeSteady(r0.VarA))
        fineOffset = r0.MeanA * k;
    // An offset of half a quartz period or more is counted back from the end of the period.
    if (fineOffset >= tq / 2)
        r0.Delay -= tq - fineOffset;
    else
        r0.Delay += fineOffset;

    r1.Delay = (r1.Coarse + 0.5) * tq - r1.MeanB * k - (tq / 2 - r1.MeanA * k);

    for (bench::DelayCalibRecord& r : records)
        r.Flags = seriesNoisy(r.VarB) ? C::NoisyFlag : 0;
    return chooseRecord(records);
}

}  // namespace service
