#include "sim/Equipment.h"

namespace sim {

Equipment::Equipment(Options options, TimeSource now)
    : m_options(std::move(options)),
      m_now(std::move(now)),
      m_playsMeterType(meterType(m_options.meterType).has_value()),
      m_bench(m_options, meterType(m_options.meterType).value_or(*meterType(0)), m_now()),
      m_wire{m_options.wireTime, m_options.baud}
{
    for (Module m : {Module::Imr, Module::Usi, Module::Ipt, Module::Meter})
        responder(lineOf(m)).attach(m, &m_bench.device(m));
}

std::optional<Reply> Equipment::respond(LineKind line, const QByteArray& frame, int lineBaud)
{
    std::lock_guard lock(m_mutex);
    m_bench.advanceTo(m_now());
    return responder(line).respond(frame, m_wire, lineBaud > 0 ? lineBaud : m_options.lineSpeed);
}

Device& Equipment::current(Module m)
{
    m_bench.advanceTo(m_now());
    return m_bench.device(m);
}

void Equipment::setFault(Module m, const FaultSpec& f)
{
    std::lock_guard lock(m_mutex);
    responder(lineOf(m)).setFault(m, f);
}

void Equipment::setWireTime(bool on, int baud)
{
    std::lock_guard lock(m_mutex);
    m_wire = WireSettings{on, baud};
}

void Equipment::setAddress(Module m, int address)
{
    std::lock_guard lock(m_mutex);
    current(m).setAddress(address);
}

quint16 Equipment::holding(Module m, int reg)
{
    std::lock_guard lock(m_mutex);
    return current(m).registers().word(Table::Holding, reg);
}

void Equipment::setHolding(Module m, int reg, quint16 value)
{
    std::lock_guard lock(m_mutex);
    Device& device = current(m);
    device.registers().setWord(Table::Holding, reg, value);
    device.holdingWritten(reg);
}

quint16 Equipment::input(Module m, int reg)
{
    std::lock_guard lock(m_mutex);
    return current(m).registers().word(Table::Input, reg);
}

void Equipment::setInput(Module m, int reg, quint16 value)
{
    std::lock_guard lock(m_mutex);
    current(m).registers().setWord(Table::Input, reg, value);
}

bool Equipment::coil(Module m, int coil)
{
    std::lock_guard lock(m_mutex);
    return current(m).registers().coil(coil);
}

void Equipment::setCoil(Module m, int coil, bool value)
{
    std::lock_guard lock(m_mutex);
    Device& device = current(m);
    device.registers().setCoil(coil, value);
    device.coilWritten(coil);
}

int Equipment::requestCount(Module m) const
{
    std::lock_guard lock(m_mutex);
    return responder(lineOf(m)).requestCount(m);
}

void Equipment::setImrError(int error)
{
    std::lock_guard lock(m_mutex);
    m_bench.advanceTo(m_now());
    m_bench.imr().injectAutomatonError(quint8(error));
}

}  // namespace sim
