#include "sim/FlowMeter.h"

#include <algorithm>

namespace sim {

namespace {
constexpr int ChannelCoil = 2;
constexpr double RelativeNoise = 0.002;
constexpr double PulsesPerM3 = 1000;
constexpr double CurrentAtZeroMa = 4;
constexpr double CurrentSpanMa = 16;
constexpr double FlowAtFullScale = 300;  // m3/h
}  // namespace

FlowMeter::FlowMeter(const MeterType& type, int address, int autocirculations, double errorPct, Clock::time_point now)
    : Device(address, now), m_type(type), m_autocirculations(autocirculations), m_gain(1.0 + errorPct / 100.0)
{
    RegisterMap& r = registers();
    r.declare(Table::Holding, type.flowReg, 2);
    r.declare(Table::Holding, type.volumeReg, 2);
    if (type.autocirculationsReg >= 0) {
        r.declare(Table::Holding, type.autocirculationsReg);
        r.setWord(Table::Holding, type.autocirculationsReg, quint16(autocirculations));
    }
    r.declareCoils(ChannelCoil);
}

QByteArray FlowMeter::name() const { return QByteArray(m_type.name).append(" (имитатор)"); }

double FlowMeter::takePulses()
{
    const double pulses = m_pulses;
    m_pulses = 0;
    return pulses;
}

double FlowMeter::currentOutputMa() const
{
    const double share = std::clamp(m_measuredFlow / FlowAtFullScale, 0.0, 1.0);
    return CurrentAtZeroMa + CurrentSpanMa * share;
}

void FlowMeter::elapse(Clock::time_point before)
{
    const double hours = std::chrono::duration<double>(now() - before).count() / 3600.0;
    m_measuredFlow = m_sensedFlow == 0 ? 0.0 : m_sensedFlow * m_gain * (1.0 + m_noise.next(RelativeNoise));
    m_volume += m_measuredFlow * hours;
    m_pulses += m_measuredFlow * hours * PulsesPerM3;
    registers().setReal(Table::Holding, m_type.flowReg, float(m_measuredFlow));
    registers().setReal(Table::Holding, m_type.volumeReg, float(m_volume));
}

}  // namespace sim
