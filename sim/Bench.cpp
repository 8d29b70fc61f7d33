#include "sim/Bench.h"

namespace sim {

namespace {
constexpr auto Slice = std::chrono::milliseconds(20);
// Flow per delayed pulse and autocirculation for 1 ns of delay, m3/h.
constexpr double FlowPerPulseNs = 0.4913328;
constexpr double PulsesPerM3 = 10000;

// The flow the meter sees while the module delays its pulses by `delayedPulses`, m3/h.
double imitatedFlow(int delayedPulses, double delayNs)
{
    return (delayedPulses + 1.0) / FlowMeter::Autocirculations * FlowPerPulseNs * delayNs;
}

}  // namespace

Bench::Bench(const Options& o, const MeterType& meterType, Clock::time_point now)
    : m_now(now),
      m_imr(o.imrAddress, o.executingMs, now),
      m_usi(o.usiAddress, now),
      m_ipt(o.iptAddress, now),
      m_meter(meterType, o.meterAddress, now)
{
    m_imr.setMeterAutocirculations(FlowMeter::Autocirculations);
}

void Bench::advanceTo(Clock::time_point now)
{
    while (m_now + Slice < now)
        step(m_now + Slice);
    step(now);
}

void Bench::step(Clock::time_point to)
{
    if (to <= m_now)
        return;
    const double seconds = std::chrono::duration<double>(to - m_now).count();
    m_imr.advanceTo(to);
    m_meter.setSensedFlow(m_imr.isImitating() ? imitatedFlow(m_imr.delayedPulses(), m_imr.delayNs()) : 0.0);
    m_meter.advanceTo(to);
    m_usi.countPulses(m_meter.flow() / 3600.0 * seconds * PulsesPerM3);
    m_usi.advanceTo(to);
    m_ipt.advanceTo(to);
    m_now = to;
}

Device& Bench::device(Module m)
{
    switch (m) {
    case Module::Imr: return m_imr;
    case Module::Usi: return m_usi;
    case Module::Ipt: return m_ipt;
    case Module::Meter: break;
    }
    return m_meter;
}

}  // namespace sim
