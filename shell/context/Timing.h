#pragma once
// How long the workflows wait, in one place: the specified values are the defaults. A test
// that runs on a clock it drives may shorten them to reach a time-out in fewer steps.
namespace shell {

struct Timing {
    int meterPollMs = 1000;          // the meter's flow, volume and regime
    int meterStatusPollMs = 2000;    // the two-channel meter's status words
    int defaultsSettleMs = 1000;     // after the defaults broadcast, before the modules are read
    int imrIdleTimeoutMs = 10000;    // the imitation module's return to idle
    int readingTimeoutMs = 10000;    // a verification reading the meter does not send
    int volumeEndMarginMs = 1000;    // past a volume imitation's time, before it is read
    int iptCodeSettleMs = 2000;      // the current meter after a converter code
    int iptChannelSettleMs = 1000;   // the current meter after a channel change
};

}  // namespace shell
