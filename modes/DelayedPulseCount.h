#pragma once
// How a flow rate becomes the imitation module's count of delayed pulses, the flow that count
// really imitates, and the time a volume takes at that flow.
#include <optional>

namespace modes {

// m3/h imitated per delayed pulse and ns of delay, for one autocirculation.
inline constexpr double FlowPerPulseNs = 0.4913328;
inline constexpr int MaxDelayedPulses = 1023;
inline constexpr int VerifyDivisor = 256;  // fixed divisor of the verification modes
// The imitation time goes to the module in ms as a 32-bit value, and its elapsed time comes back
// in the same register read as signed: beyond 2^31 - 1 ms it reads back negative.
inline constexpr int MaxImitTimeSec = 2147483;

// Nearest integer, a half going to the even neighbour (the processor's default rounding).
int roundHalfEven(double x);

struct DelayedPulses {
    int count;            // delayed pulses the flow is computed from
    int written;          // value for the module's count register
    double imitatedFlow;  // m3/h
};

// point != 0 (m3/h); the divisor is 256 for the fixed-autocirculation meter type, whatever
// autoCircCount is, else autoCircCount (> 0); verifyScale computes the product with 256.
// dT (ns) is not 0.
DelayedPulses delayedPulseCount(int point, int priborType, int autoCircCount, bool verifyScale, double dT);

// Seconds to accumulate volume (m3) at imitatedFlow (m3/h); empty when the time is negative or
// does not fit the module's register (a zero or NaN flow gives none either).
std::optional<int> imitationTimeSec(int volume, double imitatedFlow);

struct VerifyPulses {
    int count;            // 0..256, written as is
    double imitatedFlow;  // m3/h
};

// Count of the bench's own flow verification for point (m3/h); dT (ns) is not 0.
VerifyPulses verifyPulseCount(int point, double dT);

}  // namespace modes
