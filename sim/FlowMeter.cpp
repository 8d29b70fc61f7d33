#include "sim/FlowMeter.h"

namespace sim {

namespace {
constexpr int ChannelCoil = 2;
constexpr double RelativeNoise = 0.002;
}  // namespace

FlowMeter::FlowMeter(const MeterType& type, int address, Clock::time_point now) : Device(address, now), m_type(type)
{
    RegisterMap& r = registers();
    r.declare(Table::Holding, type.flowReg, 2);
    r.declare(Table::Holding, type.volumeReg, 2);
    if (type.autocirculationsReg >= 0) {
        r.declare(Table::Holding, type.autocirculationsReg);
        r.setWord(Table::Holding, type.autocirculationsReg, Autocirculations);
    }
    r.declareCoils(ChannelCoil);
}

QByteArray FlowMeter::name() const { return QByteArray(m_type.name).append(" (имитатор)"); }

void FlowMeter::elapse(Clock::time_point before)
{
    const double hours = std::chrono::duration<double>(now() - before).count() / 3600.0;
    m_volume += m_sensedFlow * hours;
    const double shown = m_sensedFlow == 0 ? 0.0 : m_sensedFlow * (1.0 + m_noise.next(RelativeNoise));
    registers().setReal(Table::Holding, m_type.flowReg, float(shown));
    registers().setReal(Table::Holding, m_type.volumeReg, float(m_volume));
}

}  // namespace sim
