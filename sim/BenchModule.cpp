#include "sim/BenchModule.h"

namespace sim {

namespace {
constexpr int AddressReg = 0;
constexpr int SpeedReg = 1;
constexpr int RtsDelayReg = 2;
constexpr int Bauds[BenchModule::HighestSpeedCode + 1] = {1200, 2400, 4800, 9600, 19200};
constexpr quint16 IllegalDataValue = 3;
}  // namespace

int BenchModule::baudOfSpeedCode(int code)
{
    Q_ASSERT(code >= 0 && code <= HighestSpeedCode);
    return Bauds[code];
}

int BenchModule::speedCodeOfBaud(int baud)
{
    for (int code = 0; code <= HighestSpeedCode; ++code)
        if (Bauds[code] == baud)
            return code;
    return -1;
}

BenchModule::BenchModule(const char* name, int address, Clock::time_point now)
    : Device(address, now), m_name(name), m_factoryAddress(address)
{
    registers().declare(Table::Holding, AddressReg, 3);
    registers().setWord(Table::Holding, AddressReg, quint16(address));
    setSpeedCode(HighestSpeedCode);
}

int BenchModule::lineBaud() const { return baudOfSpeedCode(registers().word(Table::Holding, SpeedReg)); }

void BenchModule::setSpeedCode(int code) { registers().setWord(Table::Holding, SpeedReg, quint16(code)); }

void BenchModule::setAddress(int address)
{
    Device::setAddress(address);
    registers().setWord(Table::Holding, AddressReg, quint16(address));
}

int BenchModule::refuseWrite(int reg, quint16 value) const
{
    switch (reg) {
    case AddressReg: return value > 247 ? IllegalDataValue : 0;
    case SpeedReg: return value > HighestSpeedCode ? IllegalDataValue : 0;
    case RtsDelayReg: return value > 255 ? IllegalDataValue : 0;
    default: return 0;
    }
}

void BenchModule::holdingWritten(int reg)
{
    if (reg != AddressReg)
        return;
    // The answer to this write already carries the old address; later requests need the new
    // one. Address 0 is what the default-settings broadcast writes: back to the factory address.
    const int written = registers().word(Table::Holding, AddressReg);
    setAddress(written == 0 ? m_factoryAddress : written);
}

}  // namespace sim
