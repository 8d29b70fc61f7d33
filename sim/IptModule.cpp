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

constexpr double DacFullScaleMa = 23.999334;
constexpr double DacCodes = 65535;

// Each channel's own response, all of them within the calibration's limits (scale 0.00002 to
// 0.00004, offset -4 to -2); channel 1 is the nominal one.
constexpr std::array<IptModule::Response, IptModule::Channels> Healthy{{
    {100000, 800000},
    {92000, 780000},
    {108000, 815000},
    {97000, 805000},
}};
// A channel whose offset would come out near -16.
constexpr IptModule::Response OutOfLimits{400000, 600000};

}  // namespace

double IptModule::Response::rawSum(double mA) const
{
    return rawAtZero + mA * rawSpan / DacFullScaleMa;
}

IptModule::IptModule(int address, int outOfLimits, Clock::time_point now)
    : BenchModule("ТЕРВАЛО ЗТА-ИПТ 64.10.01.01", address, now), m_responses(Healthy)
{
    Q_ASSERT(outOfLimits >= 0 && outOfLimits <= Channels);
    if (outOfLimits > 0)
        m_responses.at(size_t(outOfLimits - 1)) = OutOfLimits;
    RegisterMap& r = registers();
    r.declare(Table::Input, RawSumsReg, 2 * Channels);
    r.declare(Table::Input, CurrentsReg, 2 * Channels);
    r.declare(Table::Holding, ModeReg);
    r.declare(Table::Holding, DacReg);
    r.declare(Table::Holding, ScalesReg, 2 * Channels);
    r.declare(Table::Holding, OffsetsReg, 2 * Channels);
    // Factory calibration: exactly each channel's response.
    for (int c = 0; c < Channels; ++c) {
        const Response& response = m_responses.at(size_t(c));
        const double scale = DacFullScaleMa / response.rawSpan;
        r.setReal(Table::Holding, ScalesReg + 2 * c, float(scale));
        r.setReal(Table::Holding, OffsetsReg + 2 * c, float(-response.rawAtZero * scale));
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
    const Response& response = m_responses.at(size_t(channel));
    const int calibrated = registers().word(Table::Holding, ModeReg) - 1;
    if (channel == calibrated) {
        const double dacMa = registers().word(Table::Holding, DacReg) * DacFullScaleMa / DacCodes;
        return response.rawSum(dacMa) + m_noise.next(1.0);
    }
    return response.rawSum(m_inputsMa.at(size_t(channel))) + m_noise.next(30.0);
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
