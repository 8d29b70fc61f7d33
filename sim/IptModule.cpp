#include "sim/IptModule.h"

#include "sim/ModbusFunctions.h"

#include <array>
#include <cmath>

namespace sim {

namespace {

// Input registers.
constexpr int RawSumsReg = 32768;
constexpr int CurrentsReg = 49152;
// Holding registers.
constexpr int ModeReg = 3;  // 0 measure, 1..4 calibrate that channel
constexpr int DacReg = 16384;
constexpr int ScalesReg = 49152;
constexpr int OffsetsReg = 49160;

// The converter's response: raw sum at no current and its growth over the DAC's full range.
constexpr double RawAtZero = 100000;
constexpr double RawSpan = 800000;
constexpr double DacFullScaleMa = 23.999334;
constexpr double DacCodes = 65535;

double rawForCurrent(double mA) { return RawAtZero + mA * RawSpan / DacFullScaleMa; }

}  // namespace

IptModule::IptModule(int address, Clock::time_point now) : BenchModule("ТЕРВАЛО ЗТА-ИПТ 64.10.01.01", address, now)
{
    RegisterMap& r = registers();
    r.declare(Table::Input, RawSumsReg, 2 * Channels);
    r.declare(Table::Input, CurrentsReg, 2 * Channels);
    r.declare(Table::Holding, ModeReg);
    r.declare(Table::Holding, DacReg);
    r.declare(Table::Holding, ScalesReg, 2 * Channels);
    r.declare(Table::Holding, OffsetsReg, 2 * Channels);
    // Factory calibration: exactly the converter's response.
    const double scale = DacFullScaleMa / RawSpan;
    for (int c = 0; c < Channels; ++c) {
        r.setReal(Table::Holding, ScalesReg + 2 * c, float(scale));
        r.setReal(Table::Holding, OffsetsReg + 2 * c, float(-RawAtZero * scale));
    }
    elapse(now);
}

int IptModule::refuseWrite(int reg, quint16 value) const
{
    if (reg == ModeReg)
        return value > Channels ? exception::IllegalDataValue : 0;
    return BenchModule::refuseWrite(reg, value);
}

double IptModule::rawSum(int channel)
{
    const int calibrated = registers().word(Table::Holding, ModeReg) - 1;
    if (channel == calibrated)
        return RawAtZero + registers().word(Table::Holding, DacReg) * RawSpan / DacCodes + m_noise.next(1.0);
    return rawForCurrent(m_inputsMa.at(size_t(channel))) + m_noise.next(30.0);
}

void IptModule::elapse(Clock::time_point before)
{
    RegisterMap& r = registers();
    for (int c = 0; c < Channels; ++c) {
        const quint32 raw = quint32(std::lround(rawSum(c)));
        r.setU32(Table::Input, RawSumsReg + 2 * c, raw);
        const double mA = r.real(Table::Holding, ScalesReg + 2 * c) * raw + r.real(Table::Holding, OffsetsReg + 2 * c);
        r.setReal(Table::Input, CurrentsReg + 2 * c, float(mA));
    }
}

}  // namespace sim
