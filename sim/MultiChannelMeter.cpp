#include "sim/MultiChannelMeter.h"

#include "sim/ModbusFunctions.h"

namespace sim {

namespace {

// Input registers.
constexpr int ChannelCountReg = 26;
constexpr int RegimeReg = 29;  // 0 working, 1 verification
// Holding registers; c the channel.
constexpr int VerificationReg = 74;
constexpr int SelectedChannelReg = 75;
constexpr int MeasurementModeReg = 79;
constexpr int VolumeResetReg = 83;       // + c
constexpr int MedianLengthReg = 280;     // + c
constexpr int ArithmeticLengthReg = 284; // + c
constexpr int PhaseVelocityReg = 49864;  // + 2c, float
constexpr int ZeroShiftReg = 49872;      // + 2c, float
constexpr int CutOffReg = 49880;         // + 2c, float; in verification only

constexpr quint16 StartVerification = 2;
constexpr quint16 StopVerification = 1;
constexpr quint16 ResetVolume = 1;
constexpr quint16 AllChannels = 0;
constexpr quint16 OneChannel = 1;

// As delivered.
constexpr quint16 FactoryMedianLength = 3;
constexpr quint16 FactoryArithmeticLength = 8;
constexpr float FactoryPhaseVelocity = 1480;  // m/s, water

constexpr unsigned NoiseSeed = 3;

}  // namespace

MultiChannelMeter::MultiChannelMeter(const MeterType& type, int address, int autocirculations, double errorPct,
                                     const MultiChannelSetup& setup, Clock::time_point now)
    : FlowMeter(type, address, autocirculations, now),
      m_channels{MeasuringChannel(errorPct, NoiseSeed), MeasuringChannel(errorPct, NoiseSeed + 1),
                 MeasuringChannel(errorPct, NoiseSeed + 2), MeasuringChannel(errorPct, NoiseSeed + 3)},
      m_slots(registers(), setup.slotKinds, setup.slotErrorPct)
{
    Q_ASSERT(setup.channels >= 0 && setup.channels <= MaxChannels);
    RegisterMap& r = registers();
    r.declare(Table::Input, ChannelCountReg);
    r.declare(Table::Input, RegimeReg);
    r.declare(Table::Input, type.autocirculationsReg, MaxChannels);
    // The same counts answer the main window's holding-register read of the chosen channel's;
    // the base meter declared the first channel's already.
    r.declare(Table::Holding, type.autocirculationsReg + 1, MaxChannels - 1);
    r.declare(Table::Input, type.flowReg, 2 * MaxChannels);
    r.declare(Table::Input, type.volumeReg, 2 * MaxChannels);
    r.declare(Table::Holding, VerificationReg);
    r.declare(Table::Holding, SelectedChannelReg);
    r.declare(Table::Holding, MeasurementModeReg);
    r.declare(Table::Holding, VolumeResetReg, MaxChannels);
    r.declare(Table::Holding, MedianLengthReg, MaxChannels);
    r.declare(Table::Holding, ArithmeticLengthReg, MaxChannels);
    r.declare(Table::Holding, PhaseVelocityReg, 2 * MaxChannels);
    r.declare(Table::Holding, ZeroShiftReg, 2 * MaxChannels);
    r.declare(Table::Holding, CutOffReg, 2 * MaxChannels);

    r.setWord(Table::Input, ChannelCountReg, quint16(setup.channels));
    r.setWord(Table::Holding, MeasurementModeReg, OneChannel);
    for (int c = 0; c < MaxChannels; ++c) {
        r.setWord(Table::Input, type.autocirculationsReg + c, quint16(autocirculations));
        r.setWord(Table::Holding, type.autocirculationsReg + c, quint16(autocirculations));
        r.setWord(Table::Holding, MedianLengthReg + c, FactoryMedianLength);
        r.setWord(Table::Holding, ArithmeticLengthReg + c, FactoryArithmeticLength);
        r.setReal(Table::Holding, PhaseVelocityReg + 2 * c, FactoryPhaseVelocity);
    }
}

int MultiChannelMeter::refuseWrite(int reg, quint16 value) const
{
    if (reg == VerificationReg)
        return value == StartVerification || value == StopVerification ? 0 : exception::IllegalDataValue;
    if (reg == SelectedChannelReg)
        return value >= channels() ? exception::IllegalDataValue : 0;
    if (reg == MeasurementModeReg)
        return value > OneChannel ? exception::IllegalDataValue : 0;
    if (reg >= VolumeResetReg && reg < VolumeResetReg + MaxChannels)
        return value != ResetVolume || reg - VolumeResetReg >= channels() ? exception::IllegalDataValue : 0;
    return m_slots.refuseWrite(reg, value);
}

void MultiChannelMeter::holdingWritten(int reg)
{
    RegisterMap& r = registers();
    if (reg == VerificationReg)
        r.setWord(Table::Input, RegimeReg, r.word(Table::Holding, VerificationReg) == StartVerification ? 1 : 0);
    if (reg >= VolumeResetReg && reg < VolumeResetReg + MaxChannels) {
        m_channels[size_t(reg - VolumeResetReg)].resetVolume();
        showReadings();
    }
}

int MultiChannelMeter::channels() const { return registers().word(Table::Input, ChannelCountReg); }

int MultiChannelMeter::selectedChannel() const
{
    return qMin<int>(registers().word(Table::Holding, SelectedChannelReg), MaxChannels - 1);
}

bool MultiChannelMeter::measures(int channel) const
{
    if (channel >= channels())
        return false;
    return registers().word(Table::Holding, MeasurementModeReg) == AllChannels || channel == selectedChannel();
}

bool MultiChannelMeter::verifying() const { return registers().word(Table::Input, RegimeReg) == 1; }

double MultiChannelMeter::flow() const { return m_channels[size_t(selectedChannel())].flow(); }

double MultiChannelMeter::currentOutputMa() const { return m_slots.wireCurrentMa(currentForFlow(flow())); }

void MultiChannelMeter::measure(double hours)
{
    const RegisterMap& r = registers();
    for (int c = 0; c < MaxChannels; ++c) {
        MeasuringChannel& channel = m_channels[size_t(c)];
        if (!measures(c)) {
            channel.measureNothing();
            continue;
        }
        const double cutOff = verifying() ? r.real(Table::Holding, CutOffReg + 2 * c) : 0.0;
        channel.measure(sensedFlow(), hours, r.real(Table::Holding, ZeroShiftReg + 2 * c), cutOff);
    }
    showReadings();
}

void MultiChannelMeter::showReadings()
{
    RegisterMap& r = registers();
    for (int c = 0; c < MaxChannels; ++c) {
        r.setReal(Table::Input, type().flowReg + 2 * c, float(m_channels[size_t(c)].flow()));
        r.setReal(Table::Input, type().volumeReg + 2 * c, float(m_channels[size_t(c)].volume()));
    }
}

}  // namespace sim
