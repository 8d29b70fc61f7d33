#include "sim/UsiModule.h"

#include "sim/ModbusFunctions.h"

#include <cmath>

namespace sim {

namespace {
constexpr int Inputs = 4;
constexpr int CountersReg = 32768;  // input, u32 per input
constexpr int CommandReg = 3;
constexpr int ResetAll = 5;
}  // namespace

UsiModule::UsiModule(int address, Clock::time_point now) : BenchModule("ТЕРВАЛО ЗТА-УСИ 64.09.02.00", address, now)
{
    registers().declare(Table::Input, CountersReg, 2 * Inputs);
    registers().declare(Table::Holding, CommandReg);
    registers().declareCoils(0, Inputs);
    for (int i = 0; i < Inputs; ++i)
        registers().setCoil(i, true);  // passive inputs
}

int UsiModule::refuseWrite(int reg, quint16 value) const
{
    if (reg == CommandReg)
        return value > ResetAll ? exception::IllegalDataValue : 0;
    return BenchModule::refuseWrite(reg, value);
}

void UsiModule::holdingWritten(int reg)
{
    BenchModule::holdingWritten(reg);
    if (reg != CommandReg)
        return;
    const int command = registers().word(Table::Holding, CommandReg);
    if (command == ResetAll)
        for (int i = 1; i <= Inputs; ++i)
            reset(i);
    else if (command >= 1)
        reset(command);
}

void UsiModule::countPulses(double pulses)
{
    m_fraction += pulses;
    const double whole = std::floor(m_fraction);
    m_fraction -= whole;
    for (int i = 0; i < Inputs; ++i) {
        const int reg = CountersReg + 2 * i;
        registers().setU32(Table::Input, reg, registers().u32(Table::Input, reg) + quint32(whole));
    }
}

void UsiModule::reset(int input) { registers().setU32(Table::Input, CountersReg + 2 * (input - 1), 0); }

}  // namespace sim
