#include "modes/DelayedPulseCount.h"

#include "meter/MeterTypes.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace modes {

int roundHalfEven(double x)
{
    return int(std::nearbyint(x));
}

DelayedPulses delayedPulseCount(int point, int priborType, int autoCircCount, bool verifyScale, double dT)
{
    const bool fixedDivisor = priborType == meter::TypeFixedAutoCirc;
    Q_ASSERT(point != 0);
    Q_ASSERT_X(fixedDivisor || autoCircCount > 0, "delayedPulseCount",
               "the caller refuses a meter without autocirculations");
    Q_ASSERT_X(dT != 0, "delayedPulseCount", "the caller refuses an uncalibrated delay line");

    const int s = fixedDivisor ? 256 : autoCircCount;
    // 64 bits: any point the operator types still ends at the upper limit instead of wrapping.
    const qint64 r = qint64(verifyScale ? VerifyDivisor : s) * point;
    const double d = r / (FlowPerPulseNs * dT) - 1;

    int count = 0;
    if (d > MaxDelayedPulses)
        count = MaxDelayedPulses;
    else if (d >= 0)
        count = roundHalfEven(d + 0.5);
    if (count + 1 > s)
        count = s - 1;

    const int t = verifyScale ? VerifyDivisor : s;
    return {count, fixedDivisor ? count + 16 : count, double(count + 1) / t * FlowPerPulseNs * dT};
}

std::optional<int> imitationTimeSec(int volume, double imitatedFlow)
{
    // Kept in single precision before rounding, so a quotient within a float step of x.5 is a tie.
    const float seconds = float(volume / imitatedFlow * 3600);
    if (!(seconds >= 0 && seconds <= MaxImitTimeSec - 1))
        return std::nullopt;
    return roundHalfEven(seconds) + 1;
}

VerifyPulses verifyPulseCount(int point, double dT)
{
    Q_ASSERT_X(dT != 0, "verifyPulseCount", "the caller refuses an uncalibrated delay line");
    // Kept in single precision, so a c within a float step of a whole number rounds as a tie.
    const float c = float(point * VerifyDivisor / (FlowPerPulseNs * dT));

    int count = 0;
    if (c > VerifyDivisor)
        count = VerifyDivisor;
    else if (c >= 0)
        count = roundHalfEven(c + 0.5);
    return {count, count * FlowPerPulseNs * dT / VerifyDivisor};
}

}  // namespace modes
