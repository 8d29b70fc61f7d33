#include "sim/ImrModule.h"

#include "sim/ModbusFunctions.h"

namespace sim {

namespace {

// Input registers.
constexpr int StateReg = 1;  // state, error, last result
constexpr int SarDataReg = 6;
constexpr int AutocirculationsReg = 16384;
constexpr int ElapsedMsReg = 32770;
constexpr int CalibrationSumsReg = 32772;
// Holding registers.
constexpr int CommandReg = 3;
constexpr int ConversionsReg = 16385;
constexpr int DelayedPulsesReg = 16386;
constexpr int ImitationMsReg = 32772;
constexpr int QuartzReg = 32774;
constexpr int T0Reg = 49152;
constexpr int T1Reg = 49154;
// Coils.
constexpr int PolarityCoil = 1;
constexpr int EmulationCoil = 2;

constexpr int SarMidScale = 128;
// The quartz and the fine converter as built; the registers hold their nominal values.
constexpr double QuartzMHz = 40;
constexpr double T0Ns = 10;
constexpr double T1Ns = 60;
constexpr unsigned FineCodeNoiseSeed = 5;

}  // namespace

ImrModule::ImrModule(const Options& o, Clock::time_point now)
    : BenchModule("ТЕРВАЛО ЗТА-ИМР 64.08.02.00", o.imrAddress, now),
      m_automaton(o.executingMs, o.calibrationMs),
      m_delayLine({o.delayNs, QuartzMHz, T0Ns, T1Ns, o.noisyRecord}, FineCodeNoiseSeed)
{
    RegisterMap& r = registers();
    r.declare(Table::Input, StateReg, 3);
    r.declare(Table::Input, SarDataReg);
    r.declare(Table::Input, AutocirculationsReg);
    r.declare(Table::Input, ElapsedMsReg, 2);
    r.declare(Table::Input, CalibrationSumsReg, 20);
    r.declare(Table::Holding, CommandReg);
    r.declare(Table::Holding, ConversionsReg);
    r.declare(Table::Holding, DelayedPulsesReg);
    r.declare(Table::Holding, ImitationMsReg, 4);
    r.declare(Table::Holding, T0Reg, 4);
    r.declareCoils(PolarityCoil, 2);

    r.setWord(Table::Holding, ConversionsReg, 10);
    r.setU32(Table::Holding, QuartzReg, quint32(QuartzMHz * 1e8));
    r.setReal(Table::Holding, T0Reg, float(T0Ns));
    r.setReal(Table::Holding, T1Reg, float(T1Ns));
    r.setCoil(EmulationCoil, true);
    r.setWord(Table::Input, SarDataReg, SarMidScale);
    storeCalibrationSums();  // the sums of the calibration at power-on
}

int ImrModule::refuseWrite(int reg, quint16 value) const
{
    if (reg == CommandReg)
        return ImrAutomaton::isCommand(value) ? 0 : exception::IllegalDataValue;
    return BenchModule::refuseWrite(reg, value);
}

void ImrModule::holdingWritten(int reg)
{
    BenchModule::holdingWritten(reg);
    if (reg != CommandReg)
        return;
    m_automaton.command(registers().word(Table::Holding, CommandReg), now());
    showAutomaton();
}

int ImrModule::delayedPulses() const { return registers().word(Table::Holding, DelayedPulsesReg); }

bool ImrModule::isEmulating() const { return registers().coil(EmulationCoil); }

void ImrModule::injectAutomatonError(quint8 error)
{
    m_automaton.injectError(error);
    showAutomaton();
}

void ImrModule::elapse(Clock::time_point before)
{
    if (const auto done = m_automaton.advanceTo(now()))
        finished(*done);
    runImitationClock();
    showAutomaton();
    registers().setWord(Table::Input, SarDataReg, quint16(SarMidScale + int(m_sarNoise.next(3.5))));
}

void ImrModule::finished(const ImrAutomaton::Completion& c)
{
    if (c.failed)
        return;
    RegisterMap& r = registers();
    switch (c.command) {
    case imr::StartImitation:
        m_imitationStart = c.at;
        r.setU32(Table::Input, ElapsedMsReg, 0);
        break;
    case imr::Calibrate:
        storeCalibrationSums();
        break;
    case imr::CountAutocirculations:
        r.setWord(Table::Input, AutocirculationsReg, quint16(m_meterAutocirculations));
        break;
    default:
        break;
    }
}

void ImrModule::storeCalibrationSums()
{
    RegisterMap& r = registers();
    const auto sums = m_delayLine.calibrationSums(r.word(Table::Holding, ConversionsReg));
    for (int i = 0; i < int(sums.size()); ++i)
        r.setU32(Table::Input, CalibrationSumsReg + 2 * i, sums[i]);
}

// Counts while imitating; a non-zero imitation time ends the imitation when it has run out.
void ImrModule::runImitationClock()
{
    if (!isImitating())
        return;
    using namespace std::chrono;
    const quint32 limit = registers().u32(Table::Holding, ImitationMsReg);
    quint32 elapsed = quint32(duration_cast<milliseconds>(now() - m_imitationStart).count());
    if (limit != 0 && elapsed >= limit) {
        elapsed = limit;
        m_automaton.endImitation();
    }
    registers().setU32(Table::Input, ElapsedMsReg, elapsed);
}

void ImrModule::showAutomaton()
{
    registers().setWord(Table::Input, StateReg, m_automaton.state());
    registers().setWord(Table::Input, StateReg + 1, m_automaton.error());
    registers().setWord(Table::Input, StateReg + 2, m_automaton.lastResult());
}

}  // namespace sim
