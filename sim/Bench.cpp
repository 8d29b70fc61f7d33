#include "sim/Bench.h"

#include "sim/MultiChannelMeter.h"
#include "sim/TwoChannelMeter.h"

#include <algorithm>

namespace sim {

namespace {
constexpr auto Slice = std::chrono::milliseconds(20);
// Flow per delayed pulse and autocirculation for 1 ns of delay, m3/h.
constexpr double FlowPerPulseNs = 0.4913328;

std::unique_ptr<FlowMeter> makeMeter(const Options& o, const MeterType& type, Clock::time_point now)
{
    switch (type.kind) {
    case MeterKind::TwoChannel:
        return std::make_unique<TwoChannelMeter>(type, o.meterAddress, o.meterAutocirculations, o.meterErrorPct,
                                                 o.noSignalChannel, now);
    case MeterKind::MultiChannel:
        return std::make_unique<MultiChannelMeter>(type, o.meterAddress, o.meterAutocirculations, o.meterErrorPct,
                                                   MultiChannelSetup{o.channels, o.slotKinds, o.slotErrorPct}, now);
    case MeterKind::SingleChannel: break;
    }
    return std::make_unique<SingleChannelMeter>(type, o.meterAddress, o.meterAutocirculations, o.meterErrorPct, now);
}

}  // namespace

Bench::Bench(const Options& o, const MeterType& meterType, Clock::time_point now)
    : m_now(now),
      m_imr(o, now),
      m_usi(o.usiAddress, now),
      m_ipt(o.iptAddress, o.iptOutOfLimits, now),
      m_meter(makeMeter(o, meterType, now)),
      m_meterCurrentChannel(o.slotIptChannel - 1)
{
    Q_ASSERT(m_meterCurrentChannel >= 0 && m_meterCurrentChannel < IptModule::Channels);
    m_imr.setMeterAutocirculations(o.meterAutocirculations);
    m_imr.setSpeedCode(o.moduleSpeedCodes[0]);
    m_usi.setSpeedCode(o.moduleSpeedCodes[1]);
    m_ipt.setSpeedCode(o.moduleSpeedCodes[2]);
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
    m_imr.advanceTo(to);
    m_meter->setSensedFlow(imitatedFlow());
    m_meter->advanceTo(to);
    m_usi.countPulses(m_meter->takePulses());
    m_usi.advanceTo(to);
    m_ipt.setInputCurrent(m_meterCurrentChannel, m_meter->currentOutputMa());
    m_ipt.advanceTo(to);
    m_now = to;
}

// Each delayed pulse adds the delay to one of the meter's autocirculations: the flow it
// stands for grows with the pulses and shrinks with the autocirculations.
double Bench::imitatedFlow() const
{
    if (!m_imr.isImitating() || !m_imr.isEmulating())
        return 0.0;
    const int pulses = std::max(0, m_imr.delayedPulses() - m_meter->type().delayedPulsesBias + 1);
    return double(pulses) / m_meter->autocirculations() * FlowPerPulseNs * m_imr.delayNs();
}

Device& Bench::device(Module m)
{
    switch (m) {
    case Module::Imr: return m_imr;
    case Module::Usi: return m_usi;
    case Module::Ipt: return m_ipt;
    case Module::Meter: break;
    }
    return *m_meter;
}

}  // namespace sim
