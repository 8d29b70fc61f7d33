#include "sim/FlowMeter.h"

#include <algorithm>

namespace sim {

namespace {
constexpr double PulsesPerM3 = 1000;
constexpr double CurrentAtZeroMa = 4;
constexpr double CurrentSpanMa = 16;
constexpr double FlowAtFullScale = 300;  // m3/h
constexpr unsigned NoiseSeed = 3;
}  // namespace

double currentForFlow(double m3h)
{
    return CurrentAtZeroMa + CurrentSpanMa * std::clamp(m3h / FlowAtFullScale, 0.0, 1.0);
}

FlowMeter::FlowMeter(const MeterType& type, int address, int autocirculations, Clock::time_point now)
    : Device(address, now), m_type(type), m_autocirculations(autocirculations)
{
    registers().declareCoils(ChannelCoil);
}

QByteArray FlowMeter::name() const { return QByteArray(m_type.name).append(" (имитатор)"); }

double FlowMeter::takePulses()
{
    const double pulses = m_pulses;
    m_pulses = 0;
    return pulses;
}

double FlowMeter::pulsesPerM3() const { return PulsesPerM3; }

void FlowMeter::elapse(Clock::time_point before)
{
    const double hours = std::chrono::duration<double>(now() - before).count() / 3600.0;
    measure(hours);
    m_pulses += std::max(0.0, flow()) * hours * pulsesPerM3();
}

SingleChannelMeter::SingleChannelMeter(const MeterType& type, int address, int autocirculations, double errorPct,
                                       Clock::time_point now)
    : FlowMeter(type, address, autocirculations, now), m_channel(errorPct, NoiseSeed)
{
    RegisterMap& r = registers();
    r.declare(Table::Holding, type.flowReg, 2);
    r.declare(Table::Holding, type.volumeReg, 2);
    if (type.autocirculationsReg >= 0) {
        r.declare(Table::Holding, type.autocirculationsReg);
        r.setWord(Table::Holding, type.autocirculationsReg, quint16(autocirculations));
    }
}

double SingleChannelMeter::flow() const { return m_channel.flow(); }

void SingleChannelMeter::measure(double hours)
{
    m_channel.measure(sensedFlow(), hours);
    registers().setReal(Table::Holding, type().flowReg, float(m_channel.flow()));
    registers().setReal(Table::Holding, type().volumeReg, float(m_channel.volume()));
}

}  // namespace sim
