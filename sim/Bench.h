#pragma once
// The bench and the meter under test as one piece of equipment: the imitation module delays
// the meter's pulses, the meter measures the flow that delay stands for, and the pulse counter
// counts the meter's pulse output. Time runs in short slices so each device sees the others
// as they were at that moment.
#include "sim/FlowMeter.h"
#include "sim/ImrModule.h"
#include "sim/IptModule.h"
#include "sim/Options.h"
#include "sim/UsiModule.h"

#include <memory>

namespace sim {

class Bench {
public:
    Bench(const Options& options, const MeterType& meterType, Clock::time_point now);

    void advanceTo(Clock::time_point now);
    Device& device(Module m);
    ImrModule& imr() { return m_imr; }

private:
    void step(Clock::time_point to);
    // The flow the meter sees from the imitation module, m3/h.
    double imitatedFlow() const;

    Clock::time_point m_now;
    ImrModule m_imr;
    UsiModule m_usi;
    IptModule m_ipt;
    std::unique_ptr<FlowMeter> m_meter;
    const int m_meterCurrentChannel;
};

}  // namespace sim
