#include "sim/TwoChannelMeter.h"

#include "sim/ModbusFunctions.h"

namespace sim {

namespace {

// Holding registers.
constexpr int OperatingModeReg = 15;  // 0 operation, 1 verification
constexpr int PulseModeReg = 21;      // 0 pulses, 1 frequency
constexpr int ZeroShiftReg = 24;
constexpr int VolumeResetReg = 27;  // + channel
constexpr int CutOffReg = 31;
constexpr std::array<int, TwoChannelMeter::Channels> WindowShiftRegs{78, 161};
constexpr int ChannelStride = 25;  // between the two channels' flow and volume
constexpr int StatusReg = 254;     // + channel
// Coils.
constexpr int ImitatorCoil = 3;

constexpr quint16 ResetVolume = 2;
constexpr quint16 NoSignalBit = 0x0008;
constexpr int FrequencyMode = 1;
// The frequency output gives this at the current output's full scale, 300 m3/h.
constexpr double PulsesPerM3AtFrequency = 1000.0 * 3600 / 300;
constexpr unsigned NoiseSeed = 3;

}  // namespace

TwoChannelMeter::TwoChannelMeter(const MeterType& type, int address, int autocirculations, double errorPct,
                                 int noSignalChannel, Clock::time_point now)
    : FlowMeter(type, address, autocirculations, now),
      m_noSignalChannel(noSignalChannel - 1),
      m_channels{MeasuringChannel(errorPct, NoiseSeed), MeasuringChannel(errorPct, NoiseSeed + 1)}
{
    Q_ASSERT(noSignalChannel >= 0 && noSignalChannel <= Channels);
    RegisterMap& r = registers();
    r.declare(Table::Holding, type.autocirculationsReg);
    r.setWord(Table::Holding, type.autocirculationsReg, quint16(autocirculations));
    r.declare(Table::Holding, OperatingModeReg);
    r.declare(Table::Holding, PulseModeReg);
    r.declare(Table::Holding, ZeroShiftReg, 2);
    r.declare(Table::Holding, VolumeResetReg, Channels);
    r.declare(Table::Holding, CutOffReg, 2);
    for (int c = 0; c < Channels; ++c) {
        r.declare(Table::Holding, WindowShiftRegs[size_t(c)]);
        r.declare(Table::Holding, type.flowReg + c * ChannelStride, 2);
        r.declare(Table::Holding, type.volumeReg + c * ChannelStride, 2);
        r.declare(Table::Holding, StatusReg + c);
    }
    r.declareCoils(ImitatorCoil);
}

int TwoChannelMeter::refuseWrite(int reg, quint16 value) const
{
    if (reg == OperatingModeReg || reg == PulseModeReg)
        return value > 1 ? exception::IllegalDataValue : 0;
    if (reg >= VolumeResetReg && reg < VolumeResetReg + Channels)
        return value != ResetVolume ? exception::IllegalDataValue : 0;
    return 0;
}

void TwoChannelMeter::holdingWritten(int reg)
{
    if (reg >= VolumeResetReg && reg < VolumeResetReg + Channels) {
        m_channels[size_t(reg - VolumeResetReg)].resetVolume();
        showReadings();
    }
}

double TwoChannelMeter::flow() const { return m_channels[registers().coil(ChannelCoil) ? 1 : 0].flow(); }

void TwoChannelMeter::measure(double hours)
{
    RegisterMap& r = registers();
    // Without the imitator the transducers hear the pipe, where nothing flows.
    const double sensed = r.coil(ImitatorCoil) ? sensedFlow() : 0.0;
    const double zeroShift = r.real(Table::Holding, ZeroShiftReg);
    const double cutOff = r.real(Table::Holding, CutOffReg);
    for (int c = 0; c < Channels; ++c) {
        MeasuringChannel& channel = m_channels[size_t(c)];
        if (c == m_noSignalChannel)
            channel.measureNothing();
        else
            channel.measure(sensed, hours, zeroShift, cutOff);
    }
    showReadings();
}

void TwoChannelMeter::showReadings()
{
    RegisterMap& r = registers();
    for (int c = 0; c < Channels; ++c) {
        const MeasuringChannel& channel = m_channels[size_t(c)];
        r.setReal(Table::Holding, type().flowReg + c * ChannelStride, float(channel.flow()));
        r.setReal(Table::Holding, type().volumeReg + c * ChannelStride, float(channel.volume()));
        r.setWord(Table::Holding, StatusReg + c, c == m_noSignalChannel ? NoSignalBit : 0);
    }
}

double TwoChannelMeter::pulsesPerM3() const
{
    return registers().word(Table::Holding, PulseModeReg) == FrequencyMode ? PulsesPerM3AtFrequency
                                                                           : FlowMeter::pulsesPerM3();
}

}  // namespace sim
