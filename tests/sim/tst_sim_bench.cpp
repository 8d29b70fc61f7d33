// The simulated bench and meter as the monitor's workflows use them: the imitation module's
// automaton for every command, its timed imitation and calibration, the meter following the
// imitation, the pulse counter and the current meter.
#include "SimFixture.h"

#include "modes/DelayedPulseCount.h"
#include "service/DelayLineMath.h"
#include "service/IptLineFit.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>

#include <array>
#include <bit>
#include <cmath>
#include <optional>

using sim::Module;
using namespace test;

namespace {

constexpr quint8 Imr = 1, Usi = 2, Ipt = 3;
constexpr quint8 Meter = 1;
constexpr quint16 IllegalDataValue = 3;
constexpr int TwoChannelType = 2, MultiChannelType = 6;
constexpr quint16 IptCurrents = 49152;

struct ImrStatus {
    int state = -1, error = -1, result = -1;
    bool operator==(const ImrStatus&) const = default;
};

char* toString(const ImrStatus& s)
{
    return QTest::toString(QStringLiteral("state %1, error %2, result %3").arg(s.state).arg(s.error).arg(s.result));
}

ImrStatus readStatus(RtuMaster& bench)
{
    const auto r = bench.readRegisters(Imr, 0x04, 1, 3);
    return r ? ImrStatus{r->at(0), r->at(1), r->at(2)} : ImrStatus{};
}

// Reads the state until it is `wanted` or a generous time has passed; the last one read.
ImrStatus awaitStatus(RtuMaster& bench, const ImrStatus& wanted)
{
    QElapsedTimer clock;
    clock.start();
    ImrStatus s = readStatus(bench);
    while (!(s == wanted) && clock.elapsed() < 3000) {
        QTest::qWait(10);
        s = readStatus(bench);
    }
    return s;
}

// Waits until the automaton has left the states a command executes in (1 starting, 3 stopping,
// 4 counting).
bool awaitRest(RtuMaster& bench)
{
    return QTest::qWaitFor([&] {
        const int state = readStatus(bench).state;
        return state >= 0 && state != 1 && state != 3 && state != 4;
    });
}

bool command(RtuMaster& bench, int code) { return bench.writeRegister(Imr, 3, quint16(code)).size() == 8; }

bool startImitation(RtuMaster& bench, int delayedPulses)
{
    return bench.writeRegister(Imr, 16386, quint16(delayedPulses)).size() == 8 && command(bench, 1)
           && awaitStatus(bench, {2, 0, 2}) == ImrStatus{2, 0, 2};
}

// The imitation the program sets up for about 13 m3/h with the delay line at dT, by its own
// computation: the count it writes for the meter type and the flow that count imitates.
modes::DelayedPulses imitation(double dT, int type = 0, int autocirculations = 256)
{
    return modes::delayedPulseCount(13, type, autocirculations, false, dT);
}

bool writeFloat(RtuMaster& line, quint8 address, quint16 reg, float value)
{
    const quint32 bits = std::bit_cast<quint32>(value);
    return line.exchange(writeRegistersRequest(address, reg, {quint16(bits >> 16), quint16(bits)})).size() == 8;
}

bool writeCoil(RtuMaster& line, quint8 address, quint16 coil, bool on)
{
    return line.exchange(request(address, 0x05, coil, on ? 0xFF00 : 0x0000)).size() == 8;
}

// The exception code a single-register write is refused with; 0 when it is accepted.
int refusal(RtuMaster& line, quint8 address, quint16 reg, quint16 value)
{
    const QByteArray answer = line.writeRegister(address, reg, value);
    if (answer.size() == 8)
        return 0;
    return answer.size() == 5 && (quint8(answer[1]) & 0x80) ? quint8(answer[2]) : -1;
}

float iptCurrent(RtuMaster& bench, int channel) { return bench.readFloat(Ipt, 0x04, quint16(IptCurrents + 2 * (channel - 1))).value_or(-1); }

// A flow reading against the one expected: the meter's noise is 0.2 %; no flow reads exactly 0.
bool readsAsExpected(float flow, double expected)
{
    return expected == 0 ? flow == 0.0f : std::abs(flow / expected - 1) < 0.005;
}

// Volume registers read twice on the simulator's real time, with the shortest and the longest
// time that can have passed between the moments it took the two readings.
class VolumeGrowth {
public:
    // Reads the volumes, then waits until each expected flow has added what it gives in
    // `enoughMs` and reads them again. No flow expected anywhere: the second reading follows at once.
    template <typename Read>
    bool measure(Read readVolumes, const QList<double>& expectedFlows, int enoughMs = 50)
    {
        QElapsedTimer clock;
        clock.start();
        m_before = readVolumes();
        const qint64 firstEnd = clock.nsecsElapsed();
        const bool grown = QTest::qWaitFor([&] {
            const QList<float> now = readVolumes();
            for (qsizetype c = 0; c < expectedFlows.size(); ++c)
                if (now.size() != m_before.size() || now[c] - m_before[c] < expectedFlows[c] * enoughMs / 3.6e6)
                    return false;
            return true;
        });
        const qint64 secondStart = clock.nsecsElapsed();
        m_after = readVolumes();
        m_minHours = double(secondStart - firstEnd) / 3.6e12;
        m_maxHours = double(clock.nsecsElapsed()) / 3.6e12;
        return grown && m_after.size() == m_before.size();
    }

    float grown(qsizetype c) const { return m_after[c] - m_before[c]; }
    // The growth of register c is what `flow` (m3/h, 0.2 % noise either way) adds in the time
    // between the readings, exactly 0 for no flow.
    bool fits(qsizetype c, double flow) const
    {
        return flow == 0 ? grown(c) == 0.0f
                         : grown(c) >= 0.998 * flow * m_minHours && grown(c) <= 1.002 * flow * m_maxHours;
    }
    QString describe(qsizetype c, double flow) const
    {
        return QStringLiteral("grown %1 at %2 m3/h over %3..%4 ms").arg(grown(c)).arg(flow).arg(m_minHours * 3.6e6).arg(m_maxHours * 3.6e6);
    }

private:
    QList<float> m_before, m_after;
    double m_minHours = 0, m_maxHours = 0;
};

// The sums of the last calibration as the program reads them: record r's five sums from word 10r.
std::optional<std::array<bench::DelayCalibRecord, 2>> readDelayRecords(RtuMaster& bench)
{
    const auto w = bench.readRegisters(Imr, 0x04, 32772, 20);
    if (!w)
        return std::nullopt;
    std::array<bench::DelayCalibRecord, 2> records{};
    for (int i = 0; i < 10; ++i)
        records[size_t(i / 5)].Sum[size_t(i % 5)] = (quint32(w->at(2 * i)) << 16) | w->at(2 * i + 1);
    return records;
}

}  // namespace

class tst_SimBench : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void automatonFollowsEveryCommand_data();
    void automatonFollowsEveryCommand();
    void calibrationIsDoneWhenTheProgramLooks();
    void calibrationRecoversTheTrueDelay_data();
    void calibrationRecoversTheTrueDelay();
    void calibrationSumsTheConversionsAskedFor();
    void countReportsTheMetersAutocirculations_data();
    void countReportsTheMetersAutocirculations();
    void timedImitationEndsItself();
    void injectedErrorFailsCommands();
    void meterFollowsTheImitation_data();
    void meterFollowsTheImitation();
    void meterSeesNoFlowWithoutEmulation();
    void pulseCounterCountsTheMetersPulses();
    void currentMeterCalibratesToItsLimits_data();
    void currentMeterCalibratesToItsLimits();
    void currentsFollowScaleAndOffset();
    void sarDataMoves();
    void twoChannelMeterMeasuresOnBothChannels_data();
    void twoChannelMeterMeasuresOnBothChannels();
    void twoChannelMeterOutputsFollowTheChosenChannel_data();
    void twoChannelMeterOutputsFollowTheChosenChannel();
    void twoChannelMeterKeepsItsSettings();
    void multiChannelMeterMeasures_data();
    void multiChannelMeterMeasures();
    void multiChannelMeterKeepsItsParameters();
    void slotsDriveTheCurrentOutput_data();
    void slotsDriveTheCurrentOutput();
    void calibrationTakesTheBoardsErrorOut();
};

void tst_SimBench::automatonFollowsEveryCommand_data()
{
    QTest::addColumn<int>("before");  // a command that leaves something to see; 0 none
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("runningState");  // -1: the command ends at once
    QTest::addColumn<int>("runningResult");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("result");
    QTest::newRow("0 changes nothing") << 13 << 0 << -1 << -1 << 7 << 23;
    QTest::newRow("1 start imitation") << 0 << 1 << 1 << 1 << 2 << 2;
    QTest::newRow("2 stop imitation") << 1 << 2 << 3 << 4 << 0 << 5;
    QTest::newRow("4 count autocirculations") << 0 << 4 << 4 << 10 << 0 << 11;
    QTest::newRow("5 DA2 t0") << 0 << 5 << -1 << -1 << 5 << 13;
    QTest::newRow("6 DA2 t1") << 0 << 6 << -1 << -1 << 5 << 14;
    QTest::newRow("7 DA2 t0 and t1") << 0 << 7 << -1 << -1 << 5 << 15;
    QTest::newRow("8 DA1") << 0 << 8 << -1 << -1 << 6 << 16;
    QTest::newRow("9 stop tuning") << 8 << 9 << -1 << -1 << 0 << 18;
    QTest::newRow("10 verify delayed pulses once") << 0 << 10 << -1 << -1 << 0 << 19;
    QTest::newRow("11 continuous verification") << 0 << 11 << -1 << -1 << 8 << 21;
    QTest::newRow("12 stop continuous verification") << 11 << 12 << -1 << -1 << 0 << 22;
    QTest::newRow("13 delay line CMODE 0") << 0 << 13 << -1 << -1 << 7 << 23;
    QTest::newRow("14 delay line CMODE 1") << 0 << 14 << -1 << -1 << 7 << 24;
    QTest::newRow("15 stop delay line verification") << 13 << 15 << -1 << -1 << 0 << 25;
}

void tst_SimBench::automatonFollowsEveryCommand()
{
    QFETCH(int, before);
    QFETCH(int, code);
    QFETCH(int, runningState);
    QFETCH(int, runningResult);
    QFETCH(int, state);
    QFETCH(int, result);
    SimFixture f;
    QVERIFY(f.started);
    if (before) {
        QVERIFY(command(f.bench, before));
        QVERIFY(awaitRest(f.bench));
    }
    QVERIFY(command(f.bench, code));
    if (runningState >= 0)
        QCOMPARE(readStatus(f.bench), (ImrStatus{runningState, 0, runningResult}));
    QCOMPARE(awaitStatus(f.bench, {state, 0, result}), (ImrStatus{state, 0, result}));
}

// The program writes command 3 and reads the state 30 ms later.
void tst_SimBench::calibrationIsDoneWhenTheProgramLooks()
{
    SimFixture f;
    QVERIFY(f.started);
    QVERIFY(command(f.bench, 3));
    QTest::qWait(30);
    QCOMPARE(readStatus(f.bench), (ImrStatus{0, 0, 8}));
}

void tst_SimBench::calibrationRecoversTheTrueDelay_data()
{
    QTest::addColumn<double>("dT");
    QTest::addColumn<int>("noisyRecord");
    QTest::addColumn<int>("chosen");  // -1: either
    QTest::newRow("default delay") << 97.3 << -1 << -1;
    QTest::newRow("whole periods") << 100.0 << -1 << -1;
    QTest::newRow("under one period") << 17.8 << -1 << -1;
    QTest::newRow("long") << 512.6 << -1 << -1;
    QTest::newRow("noisy without inversion") << 97.3 << 0 << 1;
    QTest::newRow("noisy with inversion") << 97.3 << 1 << 0;
}

// The program's delay computation from the sums, the quartz register and t0/t1, run on what
// the module gives for the program's count of conversions: every steady series and the chosen
// one come to the true delay.
void tst_SimBench::calibrationRecoversTheTrueDelay()
{
    QFETCH(double, dT);
    QFETCH(int, noisyRecord);
    QFETCH(int, chosen);
    using service::DelayLineConstants;
    sim::Options options;
    options.delayNs = dT;
    options.noisyRecord = noisyRecord;
    SimFixture f(options);
    QVERIFY(f.started);
    QVERIFY(f.bench.writeRegister(Imr, 16385, quint16(DelayLineConstants::Conversions)).size() == 8);
    QVERIFY(command(f.bench, 3));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 8}), (ImrStatus{0, 0, 8}));
    auto records = readDelayRecords(f.bench);
    QVERIFY(records);
    double fineOffset = 0;  // the first calibration since the program started
    const int c = service::computeDelayLine(*records, *f.bench.readU32(Imr, 0x03, 32774),
                                            *f.bench.readFloat(Imr, 0x03, 49152), *f.bench.readFloat(Imr, 0x03, 49154),
                                            fineOffset);
    for (int record = 0; record < 2; ++record) {
        const bench::DelayCalibRecord& r = (*records)[size_t(record)];
        QCOMPARE(bool(r.Flags & DelayLineConstants::NoisyFlag), record == noisyRecord);
        if (record != noisyRecord)
            QVERIFY2(std::abs(r.Delay - dT) < 0.5, qPrintable(QStringLiteral("record %1: %2").arg(record).arg(r.Delay)));
    }
    if (chosen >= 0)
        QCOMPARE(c, chosen);
    QVERIFY2(std::abs((*records)[size_t(c)].Delay - dT) < 0.5, qPrintable(QString::number((*records)[size_t(c)].Delay)));
}

// The module sums as many conversions as it is asked for: the coarse count and both fine codes
// come to the same value per conversion for 10 and for 200 conversions (a sum of fine codes
// stays within half a code of its mean's multiple).
void tst_SimBench::calibrationSumsTheConversionsAskedFor()
{
    sim::Options options;
    options.delayNs = 512.6;
    SimFixture f(options);
    QVERIFY(f.started);
    std::array<bench::DelayCalibRecord, 2> runs[2];
    const int conversions[2] = {10, 200};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(f.bench.writeRegister(Imr, 16385, quint16(conversions[i])).size() == 8);
        QVERIFY(command(f.bench, 3));
        QCOMPARE(awaitStatus(f.bench, {0, 0, 8}), (ImrStatus{0, 0, 8}));
        const auto records = readDelayRecords(f.bench);
        QVERIFY(records);
        runs[i] = *records;
    }
    for (int record = 0; record < 2; ++record)
        for (int sum : {0, 1, 3}) {
            const double few = runs[0][size_t(record)].Sum[size_t(sum)] / 10.0;
            const double many = runs[1][size_t(record)].Sum[size_t(sum)] / 200.0;
            QVERIFY2(std::abs(many - few) < 0.1,
                     qPrintable(QStringLiteral("record %1 sum %2: %3 per conversion for %4").arg(record).arg(sum).arg(many).arg(few)));
        }
}

void tst_SimBench::countReportsTheMetersAutocirculations_data()
{
    QTest::addColumn<int>("autocirculations");
    QTest::newRow("default") << 256;
    QTest::newRow("another meter") << 200;
}

void tst_SimBench::countReportsTheMetersAutocirculations()
{
    QFETCH(int, autocirculations);
    sim::Options options;
    options.meterAutocirculations = autocirculations;
    SimFixture f(options);
    QVERIFY(f.started);
    QVERIFY(command(f.bench, 4));
    QCOMPARE(readStatus(f.bench), (ImrStatus{4, 0, 10}));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 11}), (ImrStatus{0, 0, 11}));
    QCOMPARE(f.bench.readRegisters(Imr, 0x04, 16384, 1), QList<quint16>{quint16(autocirculations)});
}

void tst_SimBench::timedImitationEndsItself()
{
    SimFixture f;
    QVERIFY(f.started);
    QVERIFY(f.bench.exchange(writeRegistersRequest(Imr, 32772, {0, 150})).size() == 8);
    QVERIFY(startImitation(f.bench, 67));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 5}), (ImrStatus{0, 0, 5}));
    QCOMPARE(f.bench.readU32(Imr, 0x04, 32770), quint32(150));
    // At rest the automaton counts no more time.
    QCOMPARE(readStatus(f.bench), (ImrStatus{0, 0, 5}));
    QCOMPARE(f.bench.readU32(Imr, 0x04, 32770), quint32(150));
}

void tst_SimBench::injectedErrorFailsCommands()
{
    SimFixture f;
    QVERIFY(f.started);
    f.simulator->setImrError(1);
    QVERIFY(command(f.bench, 1));
    QCOMPARE(awaitStatus(f.bench, {0, 1, 3}), (ImrStatus{0, 1, 3}));
    QVERIFY(command(f.bench, 5));  // tuning has no failure result
    QCOMPARE(readStatus(f.bench), (ImrStatus{5, 1, 13}));
    f.simulator->setImrError(0);
    QVERIFY(startImitation(f.bench, 10));
}

void tst_SimBench::meterFollowsTheImitation_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("flowReg");
    QTest::addColumn<int>("volumeReg");
    QTest::addColumn<int>("autocirculationsReg");
    QTest::addColumn<int>("autocirculations");
    QTest::addColumn<double>("errorPct");
    QTest::newRow("0 ДТК-300Т") << 0 << 0 << 2 << -1 << 256 << 0.0;
    QTest::newRow("1 Тервало ЛК портативный") << 1 << 127 << 170 << 112 << 256 << 0.0;
    QTest::newRow("3 Тервало ЛК переносной") << 3 << 127 << 170 << 0 << 256 << 0.0;
    QTest::newRow("4 ДТК 300Т с АРУ") << 4 << 0 << 2 << -1 << 256 << 0.0;
    QTest::newRow("5 КС210") << 5 << 0 << 2 << -1 << 256 << 0.0;
    QTest::newRow("fewer autocirculations") << 1 << 127 << 170 << 112 << 128 << 0.0;
    QTest::newRow("meter reads 3 % high") << 0 << 0 << 2 << -1 << 256 << 3.0;
    QTest::newRow("meter reads 2 % low") << 3 << 127 << 170 << 0 << 256 << -2.0;
}

// The meter measures the flow the program expects of the count it writes for the meter's type
// and autocirculations, off by the meter's error; its current output on the current meter's
// channel 1.
void tst_SimBench::meterFollowsTheImitation()
{
    QFETCH(int, type);
    QFETCH(int, flowReg);
    QFETCH(int, volumeReg);
    QFETCH(int, autocirculationsReg);
    QFETCH(int, autocirculations);
    QFETCH(double, errorPct);
    sim::Options options;
    options.meterType = type;
    options.meterAutocirculations = autocirculations;
    options.meterErrorPct = errorPct;
    SimFixture f(options);
    QVERIFY(f.started);
    QCOMPARE(f.meter.readFloat(1, 0x03, quint16(flowReg)), 0.0f);
    if (autocirculationsReg >= 0)
        QCOMPARE(f.meter.readRegisters(1, 0x03, quint16(autocirculationsReg), 1), QList<quint16>{quint16(autocirculations)});

    const modes::DelayedPulses imitated = imitation(options.delayNs, type, autocirculations);
    QVERIFY(startImitation(f.bench, imitated.written));
    const double expected = imitated.imitatedFlow * (1 + errorPct / 100);
    const float flow = *f.meter.readFloat(1, 0x03, quint16(flowReg));
    QVERIFY2(std::abs(flow / expected - 1) < 0.005, qPrintable(QStringLiteral("%1 for %2").arg(flow).arg(expected)));
    const float current = *f.bench.readFloat(Ipt, 0x04, 49152);
    QVERIFY2(std::abs(current - (4 + 16 * expected / 300)) < 0.02, qPrintable(QString::number(current)));
    VolumeGrowth volume;
    QVERIFY(volume.measure([&] { return QList<float>{f.meter.readFloat(1, 0x03, quint16(volumeReg)).value_or(-1)}; }, {expected}));
    QVERIFY2(volume.fits(0, expected), qPrintable(volume.describe(0, expected)));

    QVERIFY(command(f.bench, 2));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 5}), (ImrStatus{0, 0, 5}));
    QCOMPARE(f.meter.readFloat(1, 0x03, quint16(flowReg)), 0.0f);
    QVERIFY(std::abs(f.bench.readFloat(Ipt, 0x04, 49152).value_or(0) - 4.0f) < 0.02f);
}

// With the emulation bit cleared the module's pulses do not reach the meter.
void tst_SimBench::meterSeesNoFlowWithoutEmulation()
{
    SimFixture f;
    QVERIFY(f.started);
    QCOMPARE(f.bench.exchange(request(Imr, 0x05, 2, 0x0000)).size(), 8);
    QVERIFY(startImitation(f.bench, 67));
    QCOMPARE(f.meter.readFloat(1, 0x03, 0), 0.0f);
    QCOMPARE(f.bench.exchange(request(Imr, 0x05, 2, 0xFF00)).size(), 8);
    QTRY_VERIFY(f.meter.readFloat(1, 0x03, 0).value_or(0) > 10);
}

void tst_SimBench::pulseCounterCountsTheMetersPulses()
{
    SimFixture f;
    QVERIFY(f.started);
    const auto idle = f.bench.readRegisters(Usi, 0x04, 32768, 8);
    QCOMPARE(idle, QList<quint16>(8, 0));
    QVERIFY(startImitation(f.bench, 500));
    std::optional<QList<quint16>> counting;
    QVERIFY(QTest::qWaitFor([&] {
        counting = f.bench.readRegisters(Usi, 0x04, 32768, 8);
        return counting && counting->at(1) > 0;
    }));
    QVERIFY2(counting->at(1) > 0, "no pulses while imitating");
    QCOMPARE(counting->at(3), counting->at(1));  // all inputs see the same output

    QVERIFY(f.bench.writeRegister(Usi, 3, 1).size() == 8);
    QVERIFY(f.bench.readU32(Usi, 0x04, 32768).value_or(99999) < counting->at(1));
    QVERIFY(command(f.bench, 2));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 5}), (ImrStatus{0, 0, 5}));
    // Stopped, so nothing moves: one pulse per litre the meter has measured.
    const double litres = 1000.0 * *f.meter.readFloat(1, 0x03, 2);
    const double pulses = *f.bench.readU32(Usi, 0x04, 32770);
    QVERIFY2(pulses > 0 && std::abs(pulses - litres) <= 1, qPrintable(QStringLiteral("%1 for %2 l").arg(pulses).arg(litres)));
    QVERIFY(f.bench.writeRegister(Usi, 3, 5).size() == 8);
    QCOMPARE(f.bench.readRegisters(Usi, 0x04, 32768, 8), QList<quint16>(8, 0));
}

void tst_SimBench::currentMeterCalibratesToItsLimits_data()
{
    QTest::addColumn<int>("outOfLimits");
    QTest::addColumn<int>("channel");
    QTest::addColumn<bool>("withinLimits");
    for (int c = 1; c <= 4; ++c)
        QTest::addRow("channel %d", c) << 0 << c << true;
    QTest::newRow("channel 3 out of limits") << 3 << 3 << false;
    QTest::newRow("channel 2 beside it") << 3 << 2 << true;
}

// The program's two-point fit over DAC codes 0 and 65535 lands within its limits on every
// channel but the one made to fail; written back, the fit reads the channel's input as the
// factory calibration did.
void tst_SimBench::currentMeterCalibratesToItsLimits()
{
    QFETCH(int, outOfLimits);
    QFETCH(int, channel);
    QFETCH(bool, withinLimits);
    sim::Options options;
    options.iptOutOfLimits = outOfLimits;
    SimFixture f(options);
    QVERIFY(f.started);
    const float factory = iptCurrent(f.bench, channel);
    QVERIFY(f.bench.writeRegister(Ipt, 3, quint16(channel)).size() == 8);
    quint32 sums[2];
    const quint16 codes[2] = {0, 65535};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(f.bench.writeRegister(Ipt, 16384, codes[i]).size() == 8);
        sums[i] = *f.bench.readU32(Ipt, 0x04, quint16(32768 + 2 * (channel - 1)));
    }
    const std::optional<service::IptLine> line = service::fitIptLine(qint32(sums[0]), qint32(sums[1]));
    QVERIFY(line);
    QVERIFY2(service::withinIptLimits(*line) == withinLimits,
             qPrintable(QStringLiteral("scale %1, offset %2").arg(line->scale).arg(line->offset)));

    QVERIFY(f.bench.writeRegister(Ipt, 3, 0).size() == 8);
    QVERIFY(writeFloat(f.bench, Ipt, quint16(49152 + 2 * (channel - 1)), float(line->scale)));
    QVERIFY(writeFloat(f.bench, Ipt, quint16(49160 + 2 * (channel - 1)), float(line->offset)));
    const float calibrated = iptCurrent(f.bench, channel);
    QVERIFY2(std::abs(calibrated - factory) < 0.01f, qPrintable(QStringLiteral("%1 for %2").arg(calibrated).arg(factory)));
}

void tst_SimBench::currentsFollowScaleAndOffset()
{
    SimFixture f;
    QVERIFY(f.started);
    const float first = *f.bench.readFloat(Ipt, 0x04, 49152);
    QVERIFY2(std::abs(first - 4.0f) < 0.05f, qPrintable(QString::number(first)));
    const float offset = *f.bench.readFloat(Ipt, 0x03, 49160);
    const quint32 raised = std::bit_cast<quint32>(offset + 1.0f);
    QVERIFY(f.bench.exchange(writeRegistersRequest(Ipt, 49160, {quint16(raised >> 16), quint16(raised)})).size() == 8);
    const float second = *f.bench.readFloat(Ipt, 0x04, 49152);
    QVERIFY2(std::abs(second - 5.0f) < 0.05f, qPrintable(QString::number(second)));
}

void tst_SimBench::sarDataMoves()
{
    SimFixture f;
    QVERIFY(f.started);
    QSet<quint16> seen;
    bool inRange = true;
    QVERIFY(QTest::qWaitFor([&] {
        const auto v = f.bench.readRegisters(Imr, 0x04, 6, 1);
        inRange = inRange && v && v->at(0) >= 120 && v->at(0) <= 136;
        if (v)
            seen.insert(v->at(0));
        return !inRange || seen.size() > 1;
    }));
    QVERIFY2(inRange, qPrintable(QStringLiteral("seen %1").arg(seen.values().size())));
}

void tst_SimBench::twoChannelMeterMeasuresOnBothChannels_data()
{
    QTest::addColumn<int>("noSignalChannel");
    QTest::addColumn<bool>("imitator");
    QTest::addColumn<double>("zeroShift");
    QTest::addColumn<double>("cutOff");
    QTest::newRow("both follow the imitator") << 0 << true << 0.0 << 0.0;
    QTest::newRow("no signal on channel 1") << 1 << true << 0.0 << 0.0;
    QTest::newRow("no signal on channel 2") << 2 << true << 0.0 << 0.0;
    QTest::newRow("imitator disconnected") << 0 << false << 0.0 << 0.0;
    QTest::newRow("zero shift") << 0 << true << 0.5 << 0.0;
    QTest::newRow("zero shift shows at rest") << 0 << false << 0.5 << 0.0;
    QTest::newRow("cut-off above the flow") << 0 << true << 0.0 << 20.0;
    QTest::newRow("cut-off below the flow") << 0 << true << 0.0 << 5.0;
    QTest::newRow("cut-off hides the shift at rest") << 0 << false << 0.5 << 1.0;
}

// Both channels read the imitated flow their transducers hear through the imitator input,
// shifted and cut off alike; a channel without signal reads nothing and its status word says so.
void tst_SimBench::twoChannelMeterMeasuresOnBothChannels()
{
    QFETCH(int, noSignalChannel);
    QFETCH(bool, imitator);
    QFETCH(double, zeroShift);
    QFETCH(double, cutOff);
    sim::Options options;
    options.meterType = TwoChannelType;
    options.noSignalChannel = noSignalChannel;
    SimFixture f(options);
    QVERIFY(f.started);
    QVERIFY(writeCoil(f.meter, Meter, 3, imitator));
    QVERIFY(writeFloat(f.meter, Meter, 24, float(zeroShift)));
    QVERIFY(writeFloat(f.meter, Meter, 31, float(cutOff)));
    const modes::DelayedPulses imitated = imitation(options.delayNs, TwoChannelType);
    QVERIFY(startImitation(f.bench, imitated.written));

    const quint16 flowRegs[2] = {210, 235}, volumeRegs[2] = {219, 244};
    QList<double> expected(2);
    for (int c = 0; c < 2; ++c) {
        const double read = c + 1 == noSignalChannel ? 0.0 : (imitator ? imitated.imitatedFlow : 0.0) + zeroShift;
        expected[c] = std::abs(read) < cutOff ? 0.0 : read;
        const float flow = *f.meter.readFloat(Meter, 0x03, flowRegs[c]);
        QVERIFY2(readsAsExpected(flow, expected[c]), qPrintable(QStringLiteral("channel %1: %2 for %3").arg(c + 1).arg(flow).arg(expected[c])));
    }
    const quint16 noSignal = 8;
    QCOMPARE(f.meter.readRegisters(Meter, 0x03, 254, 2),
             (QList<quint16>{quint16(noSignalChannel == 1 ? noSignal : 0), quint16(noSignalChannel == 2 ? noSignal : 0)}));
    VolumeGrowth volumes;
    QVERIFY(volumes.measure([&] {
        QList<float> v;
        for (quint16 reg : volumeRegs)
            v.append(f.meter.readFloat(Meter, 0x03, reg).value_or(-1));
        return v;
    }, expected));
    for (int c = 0; c < 2; ++c)
        QVERIFY2(volumes.fits(c, expected[c]), qPrintable(QStringLiteral("channel %1: ").arg(c + 1) + volumes.describe(c, expected[c])));
}

void tst_SimBench::twoChannelMeterOutputsFollowTheChosenChannel_data()
{
    QTest::addColumn<bool>("secondChannel");  // coil 2
    QTest::addColumn<int>("pulseMode");       // register 21
    QTest::addColumn<int>("noSignalChannel");
    QTest::addColumn<double>("pulsesPerM3");
    QTest::newRow("channel 1, pulses") << false << 0 << 2 << 1000.0;
    QTest::newRow("channel 2, pulses") << true << 0 << 1 << 1000.0;
    QTest::newRow("channel 2, frequency") << true << 1 << 0 << 12000.0;
    QTest::newRow("silent channel chosen") << true << 0 << 2 << 1000.0;
}

// Pulses and current come from the channel coil 2 chooses, a frequency output giving its full
// scale at 300 m3/h.
void tst_SimBench::twoChannelMeterOutputsFollowTheChosenChannel()
{
    QFETCH(bool, secondChannel);
    QFETCH(int, pulseMode);
    QFETCH(int, noSignalChannel);
    QFETCH(double, pulsesPerM3);
    sim::Options options;
    options.meterType = TwoChannelType;
    options.noSignalChannel = noSignalChannel;
    SimFixture f(options);
    QVERIFY(f.started);
    QVERIFY(writeCoil(f.meter, Meter, 3, true));
    QVERIFY(writeCoil(f.meter, Meter, 2, secondChannel));
    QCOMPARE(refusal(f.meter, Meter, 21, quint16(pulseMode)), 0);
    QVERIFY(startImitation(f.bench, 500));
    const quint16 flowReg = secondChannel ? 235 : 210, volumeReg = secondChannel ? 244 : 219;
    const float flow = *f.meter.readFloat(Meter, 0x03, flowReg);
    QVERIFY(std::abs(iptCurrent(f.bench, 1) - (4 + 16 * flow / 300)) < 0.05);
    if (flow > 0)  // a few pulses' worth of volume
        QVERIFY(QTest::qWaitFor([&] { return pulsesPerM3 * f.meter.readFloat(Meter, 0x03, volumeReg).value_or(0) >= 5; }));
    QVERIFY(command(f.bench, 2));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 5}), (ImrStatus{0, 0, 5}));
    const double expected = pulsesPerM3 * *f.meter.readFloat(Meter, 0x03, volumeReg);
    const double pulses = *f.bench.readU32(Usi, 0x04, 32768);
    QVERIFY2(std::abs(pulses - expected) <= 1, qPrintable(QStringLiteral("%1 for %2").arg(pulses).arg(expected)));
    QCOMPARE(pulses > 0, secondChannel + 1 != noSignalChannel);
}

void tst_SimBench::twoChannelMeterKeepsItsSettings()
{
    sim::Options options;
    options.meterType = TwoChannelType;
    options.meterAutocirculations = 200;
    SimFixture f(options);
    QVERIFY(f.started);
    QCOMPARE(f.meter.readRegisters(Meter, 0x03, 0, 1), QList<quint16>{200});
    QCOMPARE(refusal(f.meter, Meter, 15, 1), 0);
    QCOMPARE(refusal(f.meter, Meter, 21, 1), 0);
    QCOMPARE(refusal(f.meter, Meter, 78, quint16(-10)), 0);
    QCOMPARE(refusal(f.meter, Meter, 161, 7), 0);
    QVERIFY(writeFloat(f.meter, Meter, 24, -0.25f));
    QVERIFY(writeFloat(f.meter, Meter, 31, 2.5f));
    QCOMPARE(f.meter.readRegisters(Meter, 0x03, 15, 1), QList<quint16>{1});
    QCOMPARE(f.meter.readRegisters(Meter, 0x03, 21, 1), QList<quint16>{1});
    QCOMPARE(f.meter.readRegisters(Meter, 0x03, 78, 1), QList<quint16>{quint16(-10)});
    QCOMPARE(f.meter.readRegisters(Meter, 0x03, 161, 1), QList<quint16>{7});
    QCOMPARE(f.meter.readFloat(Meter, 0x03, 24), -0.25f);
    QCOMPARE(f.meter.readFloat(Meter, 0x03, 31), 2.5f);
    // Modes are 0 or 1; a volume is reset by writing 2.
    QCOMPARE(refusal(f.meter, Meter, 15, 2), IllegalDataValue);
    QCOMPARE(refusal(f.meter, Meter, 21, 2), IllegalDataValue);
    QCOMPARE(refusal(f.meter, Meter, 27, 1), IllegalDataValue);

    // No shift, so the volumes stand still once the imitation stops.
    QVERIFY(writeFloat(f.meter, Meter, 24, 0));
    QVERIFY(writeCoil(f.meter, Meter, 3, true));
    QVERIFY(startImitation(f.bench, 500));
    QVERIFY(QTest::qWaitFor([&] { return f.meter.readFloat(Meter, 0x03, 219) > 0 && f.meter.readFloat(Meter, 0x03, 244) > 0; }));
    QVERIFY(command(f.bench, 2));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 5}), (ImrStatus{0, 0, 5}));
    const float first = *f.meter.readFloat(Meter, 0x03, 219);
    QCOMPARE(refusal(f.meter, Meter, 28, 2), 0);
    QCOMPARE(f.meter.readFloat(Meter, 0x03, 244), 0.0f);
    QCOMPARE(f.meter.readFloat(Meter, 0x03, 219), first);
}

void tst_SimBench::multiChannelMeterMeasures_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("allChannels");
    QTest::addColumn<bool>("verification");
    QTest::addColumn<double>("zeroShift");
    QTest::addColumn<double>("cutOff");
    QTest::newRow("first channel as delivered") << 4 << 0 << false << false << 0.0 << 0.0;
    QTest::newRow("third channel chosen") << 4 << 2 << false << false << 0.0 << 0.0;
    QTest::newRow("all channels") << 4 << 1 << true << false << 0.0 << 0.0;
    QTest::newRow("all of two channels") << 2 << 0 << true << false << 0.0 << 0.0;
    QTest::newRow("zero shift") << 4 << 1 << false << false << 0.5 << 0.0;
    QTest::newRow("cut-off outside verification") << 4 << 0 << false << false << 0.0 << 20.0;
    QTest::newRow("cut-off in verification") << 4 << 0 << false << true << 0.0 << 20.0;
    QTest::newRow("cut-off below the flow") << 4 << 3 << false << true << 0.0 << 5.0;
}

// The chosen channel, or all the meter has, measure the imitated flow with their own zero
// shift and, in verification, their cut-off; the current output follows the chosen channel.
void tst_SimBench::multiChannelMeterMeasures()
{
    QFETCH(int, channels);
    QFETCH(int, selected);
    QFETCH(bool, allChannels);
    QFETCH(bool, verification);
    QFETCH(double, zeroShift);
    QFETCH(double, cutOff);
    sim::Options options;
    options.meterType = MultiChannelType;
    options.channels = channels;
    SimFixture f(options);
    QVERIFY(f.started);
    QCOMPARE(f.meter.readRegisters(Meter, 0x04, 26, 1), QList<quint16>{quint16(channels)});
    if (allChannels)
        QCOMPARE(refusal(f.meter, Meter, 79, 0), 0);
    QCOMPARE(refusal(f.meter, Meter, 75, quint16(selected)), 0);
    for (int c = 0; c < 4; ++c) {
        QVERIFY(writeFloat(f.meter, Meter, quint16(49872 + 2 * c), float(zeroShift)));
        QVERIFY(writeFloat(f.meter, Meter, quint16(49880 + 2 * c), float(cutOff)));
    }
    if (verification)
        QCOMPARE(refusal(f.meter, Meter, 74, 2), 0);
    QCOMPARE(f.meter.readRegisters(Meter, 0x04, 29, 1), QList<quint16>{quint16(verification)});
    const modes::DelayedPulses imitated = imitation(options.delayNs, MultiChannelType);
    QVERIFY(startImitation(f.bench, imitated.written));

    QList<double> expected(4);
    for (int c = 0; c < 4; ++c) {
        const bool measures = c < channels && (allChannels || c == selected);
        const double read = measures ? imitated.imitatedFlow + zeroShift : 0.0;
        expected[c] = verification && std::abs(read) < cutOff ? 0.0 : read;
        const float flow = *f.meter.readFloat(Meter, 0x04, quint16(49592 + 2 * c));
        QVERIFY2(readsAsExpected(flow, expected[c]), qPrintable(QStringLiteral("channel %1: %2 for %3").arg(c + 1).arg(flow).arg(expected[c])));
    }
    QVERIFY(std::abs(iptCurrent(f.bench, 1) - (4 + 16 * expected[selected] / 300)) < 0.05);
    VolumeGrowth volumes;
    QVERIFY(volumes.measure([&] {
        QList<float> v;
        for (int c = 0; c < 4; ++c)
            v.append(f.meter.readFloat(Meter, 0x04, quint16(49600 + 2 * c)).value_or(-1));
        return v;
    }, expected));
    for (int c = 0; c < 4; ++c)
        QVERIFY2(volumes.fits(c, expected[c]), qPrintable(QStringLiteral("channel %1: ").arg(c + 1) + volumes.describe(c, expected[c])));
}

void tst_SimBench::multiChannelMeterKeepsItsParameters()
{
    sim::Options options;
    options.meterType = MultiChannelType;
    options.meterAutocirculations = 200;
    options.channels = 3;
    SimFixture f(options);
    QVERIFY(f.started);
    QCOMPARE(f.meter.readRegisters(Meter, 0x04, 16480, 4), QList<quint16>(4, 200));
    QCOMPARE(refusal(f.meter, Meter, 281, 7), 0);
    QCOMPARE(refusal(f.meter, Meter, 285, 12), 0);
    QVERIFY(writeFloat(f.meter, Meter, 49866, 1500.5f));
    QVERIFY(writeFloat(f.meter, Meter, 49874, 0.125f));
    QVERIFY(writeFloat(f.meter, Meter, 49882, 3.5f));
    const auto medians = f.meter.readRegisters(Meter, 0x03, 280, 4);
    const auto arithmetic = f.meter.readRegisters(Meter, 0x03, 284, 4);
    QVERIFY(medians && arithmetic);
    QCOMPARE(medians->at(1), quint16(7));
    QCOMPARE(arithmetic->at(1), quint16(12));
    QCOMPARE((QList<quint16>{medians->at(0), arithmetic->at(0)}), (QList<quint16>{medians->at(2), arithmetic->at(2)}));
    QCOMPARE(f.meter.readFloat(Meter, 0x03, 49866), 1500.5f);
    QCOMPARE(f.meter.readFloat(Meter, 0x03, 49874), 0.125f);
    QCOMPARE(f.meter.readFloat(Meter, 0x03, 49882), 3.5f);

    // Verification starts with 2 and stops with 1.
    QCOMPARE(refusal(f.meter, Meter, 74, 2), 0);
    QCOMPARE(f.meter.readRegisters(Meter, 0x04, 29, 1), QList<quint16>{1});
    QCOMPARE(refusal(f.meter, Meter, 74, 1), 0);
    QCOMPARE(f.meter.readRegisters(Meter, 0x04, 29, 1), QList<quint16>{0});
    QCOMPARE(refusal(f.meter, Meter, 74, 0), IllegalDataValue);
    QCOMPARE(refusal(f.meter, Meter, 75, 3), IllegalDataValue);  // the meter has three channels
    QCOMPARE(refusal(f.meter, Meter, 79, 2), IllegalDataValue);
    QCOMPARE(refusal(f.meter, Meter, 86, 1), IllegalDataValue);
    QCOMPARE(refusal(f.meter, Meter, 83, 2), IllegalDataValue);
    QCOMPARE(f.meter.readRegisters(Meter, 0x03, 7, 2), (QList<quint16>{2, 0}));
    QCOMPARE(refusal(f.meter, Meter, 7, 4), IllegalDataValue);
    QCOMPARE(refusal(f.meter, Meter, 62, 4), IllegalDataValue);
    QCOMPARE(refusal(f.meter, Meter, 61, 1), IllegalDataValue);  // no current board to calibrate
    QCOMPARE(refusal(f.meter, Meter, 8, 2), 0);
    QCOMPARE(refusal(f.meter, Meter, 61, 1), 0);

    QCOMPARE(refusal(f.meter, Meter, 79, 0), 0);
    QVERIFY(startImitation(f.bench, 500));
    QVERIFY(QTest::qWaitFor([&] { return f.meter.readFloat(Meter, 0x04, 49600) > 0 && f.meter.readFloat(Meter, 0x04, 49604) > 0; }));
    QVERIFY(command(f.bench, 2));
    QCOMPARE(awaitStatus(f.bench, {0, 0, 5}), (ImrStatus{0, 0, 5}));
    const float first = *f.meter.readFloat(Meter, 0x04, 49600);
    QCOMPARE(refusal(f.meter, Meter, 85, 1), 0);
    QCOMPARE(f.meter.readFloat(Meter, 0x04, 49604), 0.0f);
    QCOMPARE(f.meter.readFloat(Meter, 0x04, 49600), first);
}

void tst_SimBench::slotsDriveTheCurrentOutput_data()
{
    QTest::addColumn<int>("firstKind");
    QTest::addColumn<int>("secondKind");
    QTest::addColumn<int>("calibratedSlot");  // -1: normal mode
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("iptChannel");
    QTest::addColumn<double>("errorPct");
    QTest::addColumn<double>("expectedMa");
    QTest::newRow("point 0 mA") << 2 << 0 << 0 << 0 << 1 << 0.0 << 0.0;
    QTest::newRow("point 4 mA") << 2 << 0 << 0 << 1 << 1 << 0.0 << 4.0;
    QTest::newRow("point 5 mA") << 2 << 0 << 0 << 2 << 1 << 0.0 << 5.0;
    QTest::newRow("point 20 mA") << 2 << 0 << 0 << 3 << 1 << 0.0 << 20.0;
    QTest::newRow("point 20 mA 7.5 % high") << 2 << 0 << 0 << 3 << 1 << 7.5 << 21.5;
    QTest::newRow("point 4 mA with the error") << 2 << 0 << 0 << 1 << 1 << 7.5 << 4.0;
    QTest::newRow("second slot on channel 3") << 0 << 2 << 1 << 3 << 3 << -2.0 << 19.6;
    QTest::newRow("at rest") << 2 << 0 << -1 << 0 << 1 << 5.0 << 4.0;
    QTest::newRow("no current board") << 1 << 3 << -1 << 0 << 1 << 0.0 << 0.0;
}

// In calibration a current board drives the point's nominal current, off by its error at
// 20 mA, on the ИПТ channel it is wired to; otherwise the current of no flow.
void tst_SimBench::slotsDriveTheCurrentOutput()
{
    QFETCH(int, firstKind);
    QFETCH(int, secondKind);
    QFETCH(int, calibratedSlot);
    QFETCH(int, point);
    QFETCH(int, iptChannel);
    QFETCH(double, errorPct);
    QFETCH(double, expectedMa);
    sim::Options options;
    options.meterType = MultiChannelType;
    options.slotKinds = {firstKind, secondKind};
    options.slotErrorPct = errorPct;
    options.slotIptChannel = iptChannel;
    SimFixture f(options);
    QVERIFY(f.started);
    if (calibratedSlot >= 0) {
        QCOMPARE(refusal(f.meter, Meter, quint16(60 + calibratedSlot), 1), 0);
        QCOMPARE(refusal(f.meter, Meter, quint16(62 + calibratedSlot), quint16(point)), 0);
    }
    const float current = iptCurrent(f.bench, iptChannel);
    QVERIFY2(std::abs(current - expectedMa) < 0.02, qPrintable(QString::number(current)));
}

// The currents the program measures at the four points, written into the table, make the
// board's output what the flow asks for.
void tst_SimBench::calibrationTakesTheBoardsErrorOut()
{
    sim::Options options;
    options.meterType = MultiChannelType;
    options.slotErrorPct = 3;
    SimFixture f(options);
    QVERIFY(f.started);
    QVERIFY(startImitation(f.bench, 802));  // about 150 m3/h
    const auto wanted = [&] { return 4 + 16 * *f.meter.readFloat(Meter, 0x04, 49592) / 300; };
    const double uncalibrated = iptCurrent(f.bench, 1);
    const double board = 5 + (wanted() - 5) * (20 * 1.03 - 5) / 15;
    QVERIFY2(std::abs(uncalibrated - board) < 0.05, qPrintable(QStringLiteral("%1 for %2").arg(uncalibrated).arg(board)));

    QCOMPARE(refusal(f.meter, Meter, 60, 1), 0);
    float measured[4];
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(refusal(f.meter, Meter, 62, quint16(k)), 0);
        measured[k] = iptCurrent(f.bench, 1);
    }
    QCOMPARE(refusal(f.meter, Meter, 60, 0), 0);
    for (int k = 0; k < 4; ++k)
        QVERIFY(writeFloat(f.meter, Meter, quint16(49196 + 4 * k), measured[k]));
    const double calibrated = iptCurrent(f.bench, 1);
    const double target = wanted();
    QVERIFY2(std::abs(calibrated - target) < 0.05, qPrintable(QStringLiteral("%1 for %2").arg(calibrated).arg(target)));
}

QTEST_GUILESS_MAIN(tst_SimBench)
#include "tst_sim_bench.moc"
