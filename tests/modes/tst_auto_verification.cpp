// Whole automatic verifications of the meter against the simulated bench and meter: the verdict
// follows the meter's error, the pulse count and the current output are checked where their
// modules and the meter's output are there and said not made where not, "Стоп" at any moment
// or the run's end of life leaves an incomplete protocol with what was measured and the bench
// idle, a lost line, failing meter or failed read ends the run without a verdict, and what
// refuses a start. The run window shows the permissible error of the chosen meter type and
// starts the run with what the operator typed there.
#include "Workbench.h"

#include "bench/ImrCommands.h"
#include "bench/Registers.h"
#include "link/Result.h"
#include "bench/Qids.h"
#include "meter/MeterQids.h"
#include "meter/MeterTypes.h"
#include "modes/MeterOutputs.h"
#include "modes/verification/AutoVerification.h"
#include "modes/verification/AutoVerificationWindow.h"
#include "modes/verification/ProtocolCsv.h"
#include "modes/verification/ProtocolFiles.h"
#include "modes/verification/ProtocolText.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QSignalSpy>

using namespace verification;

namespace {

constexpr int kRunTimeoutMs = 90000;
// The simulated module imitates up to about 47 m3/h for a meter of 256 autocirculations.
const QList<int> kPoints{5, 20, 40};
constexpr double kVolume = 0.05;  // m3: a few seconds at the largest point
const MeterIdentity kMeter{QStringLiteral("ДТК-1024"), QStringLiteral("МУП \"Теплосеть\""), QStringLiteral("Петров П. П.")};

// executingMs: how long the imitation module takes to carry out a command; 0 keeps the quick one.
sim::Options benchWithMeterError(double pct, int executingMs = 0)
{
    sim::Options o = test::quickBench();
    o.meterErrorPct = pct;
    if (executingMs > 0)
        o.executingMs = executingMs;
    return o;
}

// Short times, so a run of three points takes seconds; `volume` 0 leaves out the volume check.
VerificationParameters quickParameters(double volume, int settleMs = 200)
{
    return VerificationParameters{settleMs, 2, 100, 300, volume, kPoints};
}

// What the run's record receives, in order; a write of a kind can be made to fail.
struct JournalLog {
    QStringList writes;
    QString failing;  // "begin", "reading", "point", "volume" or "end"
    std::optional<Protocol> ended;
};

class LoggingJournal : public RunJournal {
public:
    explicit LoggingJournal(JournalLog& log) : m_log(log) {}
    bool begin(const Protocol& header) override { return write(QStringLiteral("begin %1").arg(header.points.size())); }
    bool reading(int point, double value) override { return write(QStringLiteral("reading %1 %2").arg(point).arg(value)); }
    bool pointDone(int point, const PointResult&) override { return write(QStringLiteral("point %1").arg(point)); }
    bool volumeDone(const VolumeCheck&) override { return write(QStringLiteral("volume")); }
    bool end(const Protocol& protocol) override
    {
        m_log.ended = protocol;
        return write(QStringLiteral("end"));
    }
    const QString& error() const override { return m_error; }

private:
    bool write(const QString& what)
    {
        if (!m_log.failing.isEmpty() && what.startsWith(m_log.failing))
            return false;
        m_log.writes.append(what);
        return true;
    }
    JournalLog& m_log;
    const QString m_error = QStringLiteral("диск переполнен");
};

struct Bench : test::Workbench {
    explicit Bench(double meterErrorPct = 0.3, int executingMs = 0) : Bench(benchWithMeterError(meterErrorPct, executingMs), 0) {}
    Bench(const sim::Options& options, int meterType)
        : Workbench(options, meterType), verification(ctx(), parts()), finished(&verification, &AutoVerification::finished)
    {
        // The multi-channel meter's window starts its polling once a channel is chosen.
        if (meterType == meter::TypeMultiChannel)
            main->meterPolling.restartPolling();
    }

    AutoVerification::Parts parts()
    {
        AutoVerification::Parts p{main->flowSetter, main->imr, main->delayLine, main->volumeImitation};
        p.journal = [this] { return std::make_unique<LoggingJournal>(journal); };
        return p;
    }
    bool start(double volume = 0, int settleMs = 200) { return verification.start(quickParameters(volume, settleMs), 0.8, kMeter); }
    bool waitForEnd() { return finished.count() > 0 || finished.wait(kRunTimeoutMs); }
    bool waitFor(const std::function<bool()>& reached)
    {
        return QTest::qWaitFor([&] { return reached() || !verification.running(); }, kRunTimeoutMs) && verification.running();
    }
    const Protocol& protocol() const { return verification.protocol(); }
    bool imrIdle() { return ctx().state.values.ImrState == bench::imr::StateIdle; }

    JournalLog journal;
    AutoVerification verification;
    QSignalSpy finished;
};

void verifyEndedIncomplete(Bench& b, const QString& reason)
{
    QVERIFY(b.waitForEnd());
    QCOMPARE(b.finished.count(), 1);
    QVERIFY(!b.verification.running());
    QVERIFY(!b.protocol().complete);
    QVERIFY2(b.protocol().incompleteReason.contains(reason), qPrintable(b.protocol().incompleteReason + QLatin1Char('|') + b.dialogs.messages.join(QLatin1Char('|'))));
    QCOMPARE(b.protocol().conclusion(), Conclusion::None);
    QVERIFY(b.ctx().workMode.isFree());
}

enum class StopAt { FirstStep, FirstSettling, SecondPoint, VolumeCheck };

// Where in a run trouble strikes: from its start, once the first point has a reading, once
// every point is done.
enum class Moment { Start, FirstReading, PointsDone };
// What happens: a request fails, or its line is lost as it is sent; or, at the moment itself,
// the meter answers with exceptions, its line is lost, or its readings stop coming.
enum class Trouble { RequestFails, LineDrops, MeterFails, MeterDrops, ReadingsStop };

struct Ending {
    Moment moment = Moment::Start;
    Trouble trouble = Trouble::RequestFails;
    bool benchLine = true;
    int qid = 0;     // the request struck, after `passes` of its kind went through since the moment
    int passes = 0;
    int times = 1;   // requests in a row that fail
};

Ending failing(Moment moment, int qid, int passes = 0, int times = 1) { return {moment, Trouble::RequestFails, true, qid, passes, times}; }
Ending meterFailing(int qid) { return {Moment::Start, Trouble::RequestFails, false, qid}; }
Ending dropping(Moment moment, bool benchLine, int qid) { return {moment, Trouble::LineDrops, benchLine, qid}; }
Ending atMoment(Moment moment, Trouble trouble) { return {moment, trouble, false}; }

bool reached(const Protocol& p, Moment moment)
{
    switch (moment) {
    case Moment::Start: return true;
    case Moment::FirstReading: return !p.points.first().readings.isEmpty();
    case Moment::PointsDone: return p.points.last().complete;
    }
    return false;
}

// The simulated bench with or without each of its counting modules, and the meter of a type.
struct Setup {
    int meterType = meter::TypeMultiChannel;
    bool usi = true;
    bool ipt = true;
    double slotErrorPct = 0;  // the meter's current board, off at 20 mA
};

sim::Options benchFor(const Setup& setup)
{
    sim::Options o = benchWithMeterError(0);
    o.meterType = setup.meterType;
    o.slotErrorPct = setup.slotErrorPct;
    return o;
}

// "Автоматическая поверка" opened from the main window, the meter's identity typed in.
ui::forms::AutoVerificationForm& openRunWindow(Bench& b)
{
    b.form().protocol.BtnAutoVerification.click();
    ui::forms::AutoVerificationForm& f = b.main->autoVerificationWindow.form;
    f.EdtSerial.setText(kMeter.serialNumber);
    f.EdtOwner.setText(kMeter.owner);
    f.EdtOperator.setText(kMeter.operatorName);
    return f;
}

// As the program shows a number: with the platform's decimal separator.
QString shown(const char* number)
{
    return QString::fromLatin1(number).replace(QLatin1Char('.'), input::decimalSeparator());
}

std::optional<double> storedPermissibleError(int meterType)
{
    return meter::storedPermissibleErrorPct(settings::IniFile(settings::ztaIniPath()), meterType + 1);
}

const QString kPermissibleErrorField = QStringLiteral("\"Допустимая погрешность, %\": ");

// The smallest volume whose pulses, counted to the whole, resolve the permissible error of 0.8 %.
constexpr double kPulseVolume = 0.25;

}  // namespace

Q_DECLARE_METATYPE(StopAt)
Q_DECLARE_METATYPE(Ending)
Q_DECLARE_METATYPE(Setup)

class TstAutoVerification : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verdictFollowsTheMeterError_data()
    {
        QTest::addColumn<double>("meterError");
        QTest::addColumn<double>("volume");
        QTest::addColumn<Conclusion>("conclusion");
        QTest::addColumn<QList<int>>("failed");
        QTest::addColumn<int>("executingMs");
        QTest::newRow("0.3 % high, with the volume check") << 0.3 << kVolume << Conclusion::Fit << QList<int>{} << 0;
        QTest::newRow("1.5 % high, with the volume check") << 1.5 << kVolume << Conclusion::Unfit << kPoints << 0;
        QTest::newRow("1.5 % low") << -1.5 << 0.0 << Conclusion::Unfit << kPoints << 0;
        // Still imitating when its planned time is over: the volume is taken at its real end.
        QTest::newRow("0.3 % high, the module starts late") << 0.3 << kVolume << Conclusion::Fit << QList<int>{}
                                                            << 2 * shell::Timing{}.volumeEndMarginMs;
    }

    void verdictFollowsTheMeterError()
    {
        QFETCH(double, meterError);
        QFETCH(double, volume);
        QFETCH(Conclusion, conclusion);
        QFETCH(QList<int>, failed);
        QFETCH(int, executingMs);
        Bench b(meterError, executingMs);
        QVERIFY(b.connected);
        const qsizetype meterRequests = b.meter->requests.size();
        QSignalSpy progress(&b.verification, &AutoVerification::progress);
        // A flow change waits for the module to carry it out.
        QVERIFY(b.start(volume, 200 + executingMs));
        QCOMPARE(b.ctx().workMode.value(), shell::Mode::AutoVerification);
        QVERIFY(b.waitForEnd());
        QCOMPARE(b.finished.count(), 1);
        QVERIFY2(b.dialogs.messages.isEmpty(), qPrintable(b.dialogs.messages.join(QLatin1Char('\n'))));

        const Protocol& p = b.protocol();
        QVERIFY2(p.complete, qPrintable(p.incompleteReason));
        QVERIFY2(p.conclusion() == conclusion, qPrintable(protocolLines(p).join(QLatin1Char('\n'))));
        QCOMPARE(p.failedPoints(), failed);
        QCOMPARE(p.meter, kMeter);
        QCOMPARE(p.delayNs, b.ctx().imitation.CalibratedDT);
        QVERIFY(p.delayNs > 0);
        QCOMPARE(p.autoCirculations, 256);
        QCOMPARE(p.points.size(), kPoints.size());
        for (const PointResult& point : p.points) {
            QCOMPARE(point.readings.size(), 2);
            QVERIFY(point.imitatedFlow);
            QVERIFY2(qAbs(*point.imitatedFlow - point.point) < 0.05 * point.point, qPrintable(QString::number(*point.imitatedFlow)));
            // The meter reads the imitated flow off by its error and a little noise.
            QVERIFY2(qAbs(point.errorPct() - meterError) < 0.3, qPrintable(QString::number(point.errorPct())));
        }
        // The progress goes through the points (the volume check counts as one more) while the
        // time left shrinks.
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.first().at(0).toInt(), 1);
        QCOMPARE(progress.first().at(1).toInt(), kPoints.size());
        for (qsizetype i = 1; i < progress.size(); ++i) {
            QVERIFY(progress[i].at(0).toInt() >= progress[i - 1].at(0).toInt());
            QVERIFY(progress[i].at(2).toInt() <= progress[i - 1].at(2).toInt());
        }
        QCOMPARE(progress.last().at(0).toInt(), kPoints.size() + (volume > 0 ? 1 : 0));
        QVERIFY(progress.first().at(2).toInt() > progress.last().at(2).toInt());

        QCOMPARE(p.volume.has_value(), volume > 0);
        if (p.volume) {
            // The module's elapsed time ends at the time written: the reference is the volume asked for.
            QVERIFY2(qAbs(p.volume->meter.reference - volume) < 1e-3 * volume, qPrintable(QString::number(p.volume->meter.reference, 'g', 10)));
            QVERIFY2(qAbs(p.volume->meter.errorPct() - meterError) < 0.6, qPrintable(QString::number(p.volume->meter.errorPct())));
        }

        // The bench is back at rest and the program in no mode.
        QVERIFY(b.ctx().workMode.isFree());
        QVERIFY(b.imrIdle());
        QCOMPARE(b.main->calcFrm.QEtalon(), 0.0);
        // The run listened to the meter's polling and never asked the meter itself.
        QCOMPARE(b.meter->requests.size(), meterRequests);
        const QString csv = QString::fromUtf8(protocolCsv(p));
        QVERIFY(csv.endsWith(QStringLiteral("Заключение;") + conclusionText(conclusion) + QStringLiteral("\r\n")));
    }

    void stopKeepsWhatWasMeasured_data()
    {
        QTest::addColumn<StopAt>("at");
        QTest::addColumn<int>("completePoints");
        QTest::newRow("inside the first waited step") << StopAt::FirstStep << 0;
        QTest::newRow("while the first point settles") << StopAt::FirstSettling << 0;
        QTest::newRow("at the second point") << StopAt::SecondPoint << 1;
        QTest::newRow("in the volume check") << StopAt::VolumeCheck << 3;
    }

    void stopKeepsWhatWasMeasured()
    {
        QFETCH(StopAt, at);
        QFETCH(int, completePoints);
        Bench b;
        if (at == StopAt::FirstStep)
            QTimer::singleShot(0, &b.verification, [&b] { b.verification.stop(); });
        QVERIFY(b.start(kVolume));
        const auto pointsDone = [&b](int n) { return b.protocol().points.value(n - 1).complete; };
        if (at == StopAt::SecondPoint)
            QVERIFY(b.waitFor([&] { return pointsDone(1); }));
        if (at == StopAt::VolumeCheck)
            QVERIFY(b.waitFor([&] { return pointsDone(3); }));
        b.verification.stop();
        verifyEndedIncomplete(b, AutoVerification::kStopped);

        const Protocol& p = b.protocol();
        QVERIFY(!p.volume);
        for (int i = 0; i < p.points.size(); ++i) {
            QCOMPARE(p.points[i].passed().has_value(), i < completePoints);
            if (i < completePoints)
                QCOMPARE(p.points[i].readings.size(), 2);
        }
        QVERIFY(b.imrIdle());
        // The protocol can be saved and read back as it is.
        QVERIFY(parseProtocolCsv(protocolCsv(p)) == p);
        b.verification.stop();
        QCOMPARE(b.finished.count(), 1);
    }

    void outputChecksFollowTheBench_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<double>("volume");
        QTest::addColumn<QString>("pulsesSkipped");
        QTest::addColumn<QString>("currentSkipped");
        QTest::addColumn<QList<int>>("currentFails");  // points whose current is off
        QTest::addColumn<Conclusion>("conclusion");
        QTest::newRow("every module, a meter with a current output")
            << Setup{} << kPulseVolume << QString() << QString() << QList<int>{} << Conclusion::Fit;
        QTest::newRow("without the pulse counter") << Setup{meter::TypeMultiChannel, false} << 0.0
                                                   << QStringLiteral("нет модуля УСИ") << QString() << QList<int>{}
                                                   << Conclusion::Fit;
        QTest::newRow("without a volume check") << Setup{} << 0.0 << QStringLiteral("нет проверки объема") << QString()
                                                << QList<int>{} << Conclusion::Fit;
        QTest::newRow("a volume too small for the pulses to resolve the error")
            << Setup{} << kVolume << QStringLiteral("объем проверки мал для счета импульсов: нужно не менее 0.25 м3")
            << QString() << QList<int>{} << Conclusion::Fit;
        QTest::newRow("without the current meter") << Setup{meter::TypeMultiChannel, true, false} << 0.0
                                                   << QStringLiteral("нет проверки объема")
                                                   << QStringLiteral("нет модуля ИПТ") << QList<int>{} << Conclusion::Fit;
        QTest::newRow("a meter type without a current output")
            << Setup{0} << 0.0 << QStringLiteral("нет проверки объема")
            << QStringLiteral("у прибора нет токового выхода") << QList<int>{} << Conclusion::Fit;
        // Its error grows towards 20 mA: only the largest point's current is beyond the limit.
        QTest::newRow("a current board 10 % off at 20 mA") << Setup{meter::TypeMultiChannel, true, true, 10.0} << 0.0
                                                           << QStringLiteral("нет проверки объема") << QString()
                                                           << QList<int>{40} << Conclusion::Unfit;
    }

    void outputChecksFollowTheBench()
    {
        QFETCH(Setup, setup);
        QFETCH(double, volume);
        QFETCH(QString, pulsesSkipped);
        QFETCH(QString, currentSkipped);
        QFETCH(QList<int>, currentFails);
        QFETCH(Conclusion, conclusion);
        Bench b(benchFor(setup), setup.meterType);
        QVERIFY(b.connected);
        if (!setup.usi)
            b.ctx().modules.UsiModule.Adr = 0;
        if (!setup.ipt)
            b.ctx().modules.IptModule.Adr = 0;
        QVERIFY(b.start(volume));
        QVERIFY(b.waitForEnd());
        const Protocol& p = b.protocol();
        QVERIFY2(p.complete, qPrintable(p.incompleteReason));
        QCOMPARE(p.pulsesSkipped, pulsesSkipped);
        QCOMPARE(p.currentSkipped, currentSkipped);
        QCOMPARE(p.conclusion(), conclusion);
        QCOMPARE(p.failedPoints(), QList<int>{});
        QCOMPARE(p.failedCurrents(), currentFails);

        QCOMPARE(p.volume && p.volume->pulses, pulsesSkipped.isEmpty());
        if (pulsesSkipped.isEmpty()) {
            // One pulse a litre, counted between two readings at rest: the meter's own volume to
            // the pulse, and the imitated volume within the limit.
            const Comparison& pulses = *p.volume->pulses;
            QCOMPARE(pulses.reference, p.volume->meter.reference);
            QVERIFY2(qAbs(pulses.measured - p.volume->meter.measured) <= 2 * modes::VolumePerPulse,
                     qPrintable(QStringLiteral("%1 against %2").arg(pulses.measured).arg(p.volume->meter.measured)));
            QVERIFY2(pulses.passed(), qPrintable(QString::number(pulses.errorPct())));
        }
        for (const PointResult& point : p.points) {
            QCOMPARE(point.current.has_value(), currentSkipped.isEmpty());
            if (!point.current)
                continue;
            // The meter's calibration table is as delivered: 4..20 mA over 0..300 m3/h.
            QVERIFY2(qAbs(point.current->reference - (4 + point.mean() / 300 * 16)) < 1e-6,
                     qPrintable(QString::number(point.current->reference)));
            QCOMPARE(point.current->passed(), !currentFails.contains(point.point));
        }
        QVERIFY(b.ctx().workMode.isFree());
        QVERIFY(b.imrIdle());
        QVERIFY(parseProtocolCsv(protocolCsv(p)) == p);
    }

    // Every way a run ends without a verdict, on a bench with every module and a meter with a
    // current output, so that each step of the run is there to fail: the protocol keeps what was
    // measured and says why, and the bench is given back at rest.
    void runEndsWithoutVerdict_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("pointsDone");
        const QString noAnswer = comm::resultText(comm::ResultNoAnswer);
        const QString notPrepared = QStringLiteral("стенд не подготовлен к имитации");
        const QString volumeNotStarted = QStringLiteral("проверка объема не начата");
        const QString benchLost = QStringLiteral("потеряна связь со стендом");
        const QString meterLost = QStringLiteral("потеряна связь с прибором");
        namespace q = bench::qid;

        // Preparing: the meter's current output, the delay line, the emulation bit.
        QTest::newRow("slot kinds not read") << meterFailing(AutoVerification::SlotKindsQid)
                                             << QStringLiteral("не прочитаны типы слотов прибора: ") + noAnswer << 0;
        QTest::newRow("current table not read") << meterFailing(AutoVerification::CurrentTableQid)
                                                << QStringLiteral("не прочитаны калибровочные токи прибора: ") + noAnswer << 0;
        QTest::newRow("conversions not written") << failing(Moment::Start, q::ConvCountWrite) << notPrepared << 0;
        QTest::newRow("calibration command not written") << failing(Moment::Start, q::ImrCommand) << notPrepared << 0;
        QTest::newRow("module state not read") << failing(Moment::Start, q::ImrStateRead) << notPrepared << 0;
        QTest::newRow("calibration sums not read") << failing(Moment::Start, q::CalibSumsRead) << notPrepared << 0;
        QTest::newRow("quartz not read") << failing(Moment::Start, q::FoscRead) << notPrepared << 0;
        QTest::newRow("t0, t1 not read") << failing(Moment::Start, q::T0T1Read) << notPrepared << 0;
        QTest::newRow("emulation bit not read") << failing(Moment::Start, q::EmulBitRead) << notPrepared << 0;
        QTest::newRow("emulation bit never written")
            << failing(Moment::Start, q::EmulBitWrite, 0, bench::ImrAutomaton::EmulBitTries) << notPrepared << 0;
        QTest::newRow("imitation time not zeroed") << failing(Moment::Start, q::ImitTimeWrite) << notPrepared << 0;

        // The points.
        QTest::newRow("first point's count not written") << failing(Moment::Start, q::DelayCountWrite)
                                                         << QStringLiteral("расход точки 5 м3/ч не задан") << 0;
        QTest::newRow("second point's count not written") << failing(Moment::FirstReading, q::DelayCountWrite)
                                                          << QStringLiteral("расход точки 20 м3/ч не задан") << 1;
        QTest::newRow("current not read at a reading") << failing(Moment::FirstReading, q::IptCurrentsOnce)
                                                       << QStringLiteral("не прочитан ток ИПТ: ") + noAnswer << 0;
        QTest::newRow("meter answers with exceptions") << atMoment(Moment::FirstReading, Trouble::MeterFails)
                                                       << QStringLiteral("прибор не ответил: ") << 0;
        QTest::newRow("meter's readings stop at a point") << atMoment(Moment::FirstReading, Trouble::ReadingsStop)
                                                          << QStringLiteral("прибор не передал показания за 10 с") << 0;

        // The volume check.
        QTest::newRow("imitation not stopped before the volume") << failing(Moment::PointsDone, q::ImrCommand)
                                                                 << QStringLiteral("имитация не остановлена перед проверкой объема") << int(kPoints.size());
        QTest::newRow("pulse counter not read before") << failing(Moment::PointsDone, q::UsiCountersOnce)
                                                       << QStringLiteral("не прочитан счетчик импульсов УСИ: ") + noAnswer << int(kPoints.size());
        QTest::newRow("volume's time not written") << failing(Moment::PointsDone, q::ImitTimeWrite) << volumeNotStarted << int(kPoints.size());
        QTest::newRow("volume's count not written") << failing(Moment::PointsDone, q::DelayCountWrite) << volumeNotStarted << int(kPoints.size());
        QTest::newRow("volume's start not written") << failing(Moment::PointsDone, q::ImrCommand, 1) << volumeNotStarted << int(kPoints.size());
        QTest::newRow("imitated time not read") << failing(Moment::PointsDone, q::ImitTimeOnce)
                                                << QStringLiteral("объем имитации не известен") << int(kPoints.size());
        QTest::newRow("pulse counter not read after") << failing(Moment::PointsDone, q::UsiCountersOnce, 1)
                                                      << QStringLiteral("не прочитан счетчик импульсов УСИ: ") + noAnswer << int(kPoints.size());
        QTest::newRow("meter's volume answered with exceptions") << atMoment(Moment::PointsDone, Trouble::MeterFails)
                                                                 << QStringLiteral("прибор не ответил: ") << int(kPoints.size());
        QTest::newRow("meter's volume stops coming") << atMoment(Moment::PointsDone, Trouble::ReadingsStop)
                                                     << QStringLiteral("прибор не передал показания за 10 с") << int(kPoints.size());

        // A line lost at each phase.
        QTest::newRow("bench lost in the calibration") << dropping(Moment::Start, true, q::CalibSumsRead) << benchLost << 0;
        QTest::newRow("bench lost setting a point") << dropping(Moment::Start, true, q::DelayCountWrite) << benchLost << 0;
        QTest::newRow("bench lost reading the current") << dropping(Moment::FirstReading, true, q::IptCurrentsOnce) << benchLost << 0;
        QTest::newRow("bench lost in the volume imitation") << dropping(Moment::PointsDone, true, q::ImitTimeOnce) << benchLost << int(kPoints.size());
        QTest::newRow("meter lost reading its slots") << dropping(Moment::Start, false, AutoVerification::SlotKindsQid) << meterLost << 0;
        QTest::newRow("meter lost at a point") << atMoment(Moment::FirstReading, Trouble::MeterDrops) << meterLost << 0;
        QTest::newRow("meter lost before the volume") << atMoment(Moment::PointsDone, Trouble::MeterDrops) << meterLost << int(kPoints.size());
    }

    void runEndsWithoutVerdict()
    {
        QFETCH(Ending, ending);
        QFETCH(QString, reason);
        QFETCH(int, pointsDone);
        Bench b(benchFor(Setup{}), meter::TypeMultiChannel);
        QVERIFY(b.connected);
        // The emulation off, as another mode may leave it: the run has to set it.
        b.equipment.setCoil(sim::Module::Imr, bench::reg::ImrEmulCoil, false);
        test::FailingServer* line = ending.benchLine ? b.bench : b.meter;
        bool armed = false;
        int passes = ending.passes;
        int times = ending.times;
        line->intercept = [&](const comm::Request& r) -> std::optional<int> {
            armed = armed || reached(b.protocol(), ending.moment);
            if (!armed || r.qid != ending.qid || times == 0 || passes-- > 0)
                return std::nullopt;
            --times;
            if (ending.trouble != Trouble::LineDrops)
                return comm::ResultNoAnswer;
            line->dropLine();  // the request then finds the port closed
            return std::nullopt;
        };
        if (ending.qid == 0) {
            QObject::connect(&b.verification, &AutoVerification::progress, &b.verification, [&] {
                if (armed || !reached(b.protocol(), ending.moment))
                    return;
                armed = true;
                switch (ending.trouble) {
                case Trouble::MeterFails: b.equipment.setFault(sim::Module::Meter, {sim::Fault::Exception}); break;
                case Trouble::MeterDrops: b.meter->dropLine(); break;
                case Trouble::ReadingsStop: b.meter->FreePeriodicTasks(); break;
                default: QFAIL("not a trouble of a moment");
                }
            });
        }
        QVERIFY(b.start(kPulseVolume));
        verifyEndedIncomplete(b, reason);
        QVERIFY(armed);
        const Protocol& p = b.protocol();
        for (int i = 0; i < p.points.size(); ++i)
            QCOMPARE(p.points[i].complete, i < pointsDone);
        QVERIFY(!p.volume);
        // The bench is left at rest, unless its own line is gone.
        if (ending.trouble != Trouble::LineDrops || !ending.benchLine)
            QVERIFY(b.imrIdle());
        QVERIFY(parseProtocolCsv(protocolCsv(p)) == p);
        // The run's own reads end it quietly: the protocol says why.
        const QList<int> ownReads{AutoVerification::SlotKindsQid, AutoVerification::CurrentTableQid,
                                  bench::qid::IptCurrentsOnce, bench::qid::UsiCountersOnce};
        if (ending.trouble == Trouble::RequestFails && ownReads.contains(ending.qid))
            QVERIFY2(b.dialogs.messages.isEmpty(), qPrintable(b.dialogs.messages.join(QLatin1Char('|'))));
    }

    // The pulse counter is 32 bits: a count that wraps during the volume check still counts the
    // pulses between its two readings.
    void pulseCountSurvivesTheCounterWrap()
    {
        Bench b(benchFor(Setup{}), meter::TypeMultiChannel);
        QVERIFY(b.connected);
        for (int word = 0; word < 8; ++word)  // every input at 2^32 - 1: the first pulse wraps it
            b.equipment.setInput(sim::Module::Usi, bench::reg::UsiCountersIn + word, 0xFFFF);
        QVERIFY(b.start(kPulseVolume));
        QVERIFY(b.waitForEnd());
        const Protocol& p = b.protocol();
        QVERIFY2(p.complete, qPrintable(p.incompleteReason));
        QVERIFY(p.volume && p.volume->pulses);
        QVERIFY(p.volume->pulses->measured > 0.9 * kPulseVolume);
        QVERIFY2(p.volume->pulses->passed(), qPrintable(QString::number(p.volume->pulses->errorPct())));
    }

    // The run's record gets each reading the moment it is taken, each point and the volume
    // check as they end, and the whole protocol at the end.
    void recordFollowsTheRun()
    {
        Bench b(benchFor(Setup{}), meter::TypeMultiChannel);
        QVERIFY(b.connected);
        QVERIFY(b.start(kPulseVolume));
        QVERIFY(b.waitForEnd());
        const Protocol& p = b.protocol();
        QVERIFY2(p.complete, qPrintable(p.incompleteReason));
        QStringList expected{QStringLiteral("begin %1").arg(kPoints.size())};
        for (int i = 0; i < p.points.size(); ++i) {
            for (double reading : p.points[i].readings)
                expected.append(QStringLiteral("reading %1 %2").arg(i).arg(reading));
            expected.append(QStringLiteral("point %1").arg(i));
        }
        expected << QStringLiteral("volume") << QStringLiteral("end");
        QCOMPARE(b.journal.writes, expected);
        QVERIFY(b.journal.ended == p);
    }

    void failedRecordEndsTheRun_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("pointsDone");
        QTest::newRow("a reading") << QStringLiteral("reading") << 0;
        QTest::newRow("a point") << QStringLiteral("point") << 1;  // judged, then not recorded
        QTest::newRow("the volume check") << QStringLiteral("volume") << int(kPoints.size());
    }
    void failedRecordEndsTheRun()
    {
        QFETCH(QString, failing);
        QFETCH(int, pointsDone);
        Bench b(benchFor(Setup{}), meter::TypeMultiChannel);
        QVERIFY(b.connected);
        b.journal.failing = failing;
        QVERIFY(b.start(kPulseVolume));
        verifyEndedIncomplete(b, QStringLiteral("архив протоколов не записал измерение: диск переполнен"));
        for (int i = 0; i < b.protocol().points.size(); ++i)
            QCOMPARE(b.protocol().points[i].complete, i < pointsDone);
        QVERIFY(b.imrIdle());
        QVERIFY(b.journal.ended == b.protocol());
    }

    // A run whose start cannot be recorded does not start: nothing reaches the bench.
    void unrecordedStartIsRefused()
    {
        Bench b(benchFor(Setup{}), meter::TypeMultiChannel);
        QVERIFY(b.connected);
        b.journal.failing = QStringLiteral("begin");
        b.bench->requests.clear();
        QVERIFY(!b.start(kPulseVolume));
        QCOMPARE(b.dialogs.messages,
                 QStringList{QStringLiteral("Поверка не начата: архив протоколов не записал ее начало.\rдиск переполнен")});
        QVERIFY(!b.verification.running());
        QVERIFY(b.ctx().workMode.isFree());
        QVERIFY(b.bench->requests.isEmpty());
    }

    // The run object goes away (its window closed, the program ending) while a run goes.
    void destroyedRunGivesTheBenchBack_data()
    {
        QTest::addColumn<StopAt>("at");
        QTest::newRow("while the first point settles") << StopAt::FirstSettling;
        QTest::newRow("in the volume check") << StopAt::VolumeCheck;
    }

    void destroyedRunGivesTheBenchBack()
    {
        QFETCH(StopAt, at);
        Bench b(benchFor(Setup{}), meter::TypeMultiChannel);
        QVERIFY(b.connected);
        auto run = std::make_unique<AutoVerification>(b.ctx(), b.parts());
        QVERIFY(run->start(quickParameters(kVolume), 0.8, kMeter));
        if (at == StopAt::VolumeCheck)
            QVERIFY(QTest::qWaitFor([&] { return run->protocol().points.last().complete || !run->running(); }, kRunTimeoutMs));
        QVERIFY(run->running());
        run.reset();
        QVERIFY(b.ctx().workMode.isFree());
        QVERIFY(b.imrIdle());
        QCOMPARE(b.main->calcFrm.QEtalon(), 0.0);
        // Nothing of it is left on the lines: another run object takes the bench.
        QVERIFY(b.start());
        QVERIFY(b.waitForEnd());
        QVERIFY2(b.protocol().complete, qPrintable(b.protocol().incompleteReason));
    }

    void operatorRunsItFromItsWindow_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("to the end") << false << QStringLiteral("Заключение: Годен");
        QTest::newRow("stopped") << true
                                 << QStringLiteral("Поверка не завершена: ") + AutoVerification::kStopped
                                        + QStringLiteral(". Заключение не выносится.");
    }

    void operatorRunsItFromItsWindow()
    {
        QFETCH(bool, stop);
        QFETCH(QString, lastLine);
        Bench b;
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(quickParameters(0).write(ini));
        QVERIFY(writePermissibleErrorPct(ini, b.ctx().PriborType, 1.0));
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Протоколы"));
        AutoVerificationWindow window(b.ctx(), b.verification, ini.path(), folder);
        ui::forms::AutoVerificationForm& f = window.form;
        f.show();
        QCOMPARE(f.EdtPermissibleError.text(), QStringLiteral("1"));

        f.BtnStart.click();
        QCOMPARE(b.dialogs.lastMessage(), QStringLiteral("Заполните поле \"Заводской номер\": по нему назван протокол"));
        QVERIFY(!b.verification.running());

        f.EdtSerial.setText(kMeter.serialNumber);
        f.EdtOwner.setText(kMeter.owner);
        f.EdtOperator.setText(kMeter.operatorName);
        f.BtnStart.click();
        QVERIFY(b.verification.running());
        QVERIFY(!f.BtnStart.isEnabled());
        QVERIFY(f.BtnStop.isEnabled());
        QCOMPARE(f.PB.maximum(), kPoints.size());
        QVERIFY2(f.LblProgress.caption().startsWith(QStringLiteral("Точка 1 из 3, осталось около ")),
                 qPrintable(f.LblProgress.caption()));
        if (stop) {
            QVERIFY(b.waitFor([&] { return b.protocol().points.first().complete; }));
            f.BtnStop.click();
        }
        QVERIFY(b.waitForEnd());

        QVERIFY(f.BtnStart.isEnabled());
        QVERIFY(!f.BtnStop.isEnabled());
        QVERIFY(window.protocolForm.isVisible());
        const QStringList lines = window.protocolForm.MemoProtocol.lines();
        QCOMPARE(lines.last(), lastLine);
        QVERIFY(lines.contains(QStringLiteral("Заводской номер: ") + kMeter.serialNumber));
        QCOMPARE(b.protocol().points.first().permissiblePct, 1.0);

        window.protocolForm.Button13.click();
        QVERIFY2(b.dialogs.lastMessage().startsWith(QStringLiteral("Протокол сохранён:")), qPrintable(b.dialogs.lastMessage()));
        const QString base = folder + QLatin1Char('/') + protocolFileBase(b.protocol());
        QVERIFY(QFileInfo(base + QStringLiteral(".pdf")).size() > 0);
        QFile csv(base + QStringLiteral(".csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(parseProtocolCsv(csv.readAll()) == b.protocol());
    }

    void runWindowShowsThePermissibleErrorOfTheMeterType()
    {
        Bench b;
        const int type = b.ctx().PriborType;
        const int other = type + 1;
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(writePermissibleErrorPct(ini, type, 1.5));
        ui::forms::AutoVerificationForm& f = openRunWindow(b);
        QVERIFY(f.isVisible());
        QCOMPARE(f.EdtPermissibleError.text(), shown("1.5"));

        // Another type chosen while the window stays open: its value, here the default, once
        // the operator comes back to the window.
        b.form().config.cbxprib.select(other);
        QCOMPARE(b.ctx().PriborType, other);
        f.activate();
        QCOMPARE(f.EdtPermissibleError.text(), shown("0.8"));
        // Coming back without a change of type keeps what the operator typed.
        f.EdtPermissibleError.setText(QStringLiteral("2"));
        f.activate();
        QCOMPARE(f.EdtPermissibleError.text(), QStringLiteral("2"));

        // Closed, the type changed back, opened again.
        f.hide();
        b.form().config.cbxprib.select(type);
        b.form().protocol.BtnAutoVerification.click();
        QCOMPARE(f.EdtPermissibleError.text(), shown("1.5"));
        QVERIFY(!storedPermissibleError(other));
    }

    void runTakesThePermissibleErrorTyped_data()
    {
        QTest::addColumn<QString>("typed");  // empty: left as shown
        QTest::addColumn<double>("used");
        QTest::addColumn<bool>("stored");
        QTest::newRow("as shown") << QString() << VerificationParameters::DefaultPermissibleErrorPct << false;
        QTest::newRow("with a comma") << QStringLiteral("1,25") << 1.25 << true;
        QTest::newRow("with a point") << QStringLiteral(" 1.25 ") << 1.25 << true;
        QTest::newRow("the largest") << QStringLiteral("10") << 10.0 << true;
    }

    void runTakesThePermissibleErrorTyped()
    {
        QFETCH(QString, typed);
        QFETCH(double, used);
        QFETCH(bool, stored);
        Bench b;
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(quickParameters(0).write(ini));
        ui::forms::AutoVerificationForm& f = openRunWindow(b);
        if (!typed.isEmpty())
            f.EdtPermissibleError.setText(typed);
        f.BtnStart.click();
        QVERIFY2(b.main->autoVerification.running(), qPrintable(b.dialogs.lastMessage()));
        QCOMPARE(b.main->autoVerification.protocol().points.first().permissiblePct, used);
        // An unchanged value is not written: the type keeps having the default.
        QCOMPARE(storedPermissibleError(b.ctx().PriborType), stored ? std::optional(used) : std::nullopt);
        QCOMPARE(permissibleErrorPct(settings::IniFile(settings::ztaIniPath()), b.ctx().PriborType), used);
        f.BtnStop.click();
        QVERIFY(QTest::qWaitFor([&] { return !b.main->autoVerification.running(); }, kRunTimeoutMs));

        // The next opening shows what was stored.
        f.hide();
        b.form().protocol.BtnAutoVerification.click();
        QCOMPARE(input::AnySepStrToFloat(f.EdtPermissibleError.text()), used);
    }

    void runWindowRefusesPermissibleError_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << kPermissibleErrorField + input::notANumber(QString());
        QTest::newRow("not a number") << QStringLiteral("abc") << kPermissibleErrorField + input::notANumber(QStringLiteral("abc"));
        QTest::newRow("two separators") << QStringLiteral("1,2,5")
                                        << kPermissibleErrorField + input::notANumber(QStringLiteral("1,2,5"));
        QTest::newRow("zero") << QStringLiteral("0") << kPermissibleErrorField + QStringLiteral("значение 0 должно быть больше нуля");
        QTest::newRow("negative") << QStringLiteral("-0,5")
                                  << kPermissibleErrorField + QStringLiteral("значение -0,5 должно быть больше нуля");
        QTest::newRow("above ten") << QStringLiteral("10.5")
                                   << kPermissibleErrorField + QStringLiteral("значение 10.5 больше допустимого (10)");
    }

    void runWindowRefusesPermissibleError()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Bench b;
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(quickParameters(0).write(ini));
        QVERIFY(writePermissibleErrorPct(ini, b.ctx().PriborType, 1.5));
        ui::forms::AutoVerificationForm& f = openRunWindow(b);
        f.EdtPermissibleError.setText(typed);
        const int requests = b.bench->requests.size();
        f.BtnStart.click();
        QCOMPARE(b.dialogs.lastMessage(), message);
        QVERIFY(!b.main->autoVerification.running());
        QVERIFY(f.BtnStart.isEnabled());
        QVERIFY(!f.BtnStop.isEnabled());
        QCOMPARE(b.bench->requests.size(), requests);
        QCOMPARE(storedPermissibleError(b.ctx().PriborType), std::optional(1.5));
    }

    // Typed key by key: no character is dropped, so "0,8x" is refused as typed, not run as 0.8.
    void runWindowKeepsEveryKeyOfThePermissibleError()
    {
        Bench b;
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(quickParameters(0).write(ini));
        ui::forms::AutoVerificationForm& f = openRunWindow(b);
        f.EdtPermissibleError.setText(QString());
        f.EdtPermissibleError.typeText(QStringLiteral("0,8x"));
        QCOMPARE(f.EdtPermissibleError.text(), QStringLiteral("0,8x"));
        f.BtnStart.click();
        QCOMPARE(b.dialogs.messages, QStringList{kPermissibleErrorField + input::notANumber(QStringLiteral("0,8x"))});
        QVERIFY(!b.main->autoVerification.running());
    }

    void runWindowRefusesAMissingIdentity_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("verifier");
        QTest::addColumn<QString>("message");
        const QString noSerial = QStringLiteral("Заполните поле \"Заводской номер\": по нему назван протокол");
        const QString noVerifier = QStringLiteral("Заполните поле \"Поверитель\": он указывается в протоколе");
        QTest::newRow("no serial number") << QString() << kMeter.operatorName << noSerial;
        QTest::newRow("a serial number of blanks") << QStringLiteral("   ") << kMeter.operatorName << noSerial;
        QTest::newRow("no verifier") << kMeter.serialNumber << QString() << noVerifier;
        QTest::newRow("a verifier of blanks") << kMeter.serialNumber << QStringLiteral(" \t ") << noVerifier;
        QTest::newRow("neither: the serial number first") << QString() << QString() << noSerial;
    }

    void runWindowRefusesAMissingIdentity()
    {
        QFETCH(QString, serial);
        QFETCH(QString, verifier);
        QFETCH(QString, message);
        Bench b;
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(quickParameters(0).write(ini));
        ui::forms::AutoVerificationForm& f = openRunWindow(b);
        f.EdtSerial.setText(serial);
        f.EdtOperator.setText(verifier);
        const int requests = b.bench->requests.size();
        f.BtnStart.click();
        QCOMPARE(b.dialogs.messages, QStringList{message});
        QVERIFY(!b.main->autoVerification.running());
        QCOMPARE(b.bench->requests.size(), requests);
        // Nothing the operator typed is lost, and the window stays ready for another try.
        QCOMPARE(f.EdtSerial.text(), serial);
        QCOMPARE(f.EdtOperator.text(), verifier);
        QCOMPARE(f.EdtOwner.text(), kMeter.owner);
        QVERIFY(f.EdtSerial.isEnabled());
        QVERIFY(f.BtnStart.isEnabled());
        QVERIFY(!f.BtnStop.isEnabled());
    }

    // What the protocol records cannot change under a run: from its first waited step, while the
    // bench is still being prepared, to its end.
    void runWindowLocksTheMeterWhileItRuns()
    {
        Bench b;
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(quickParameters(0).write(ini));
        ui::forms::AutoVerificationForm& f = openRunWindow(b);
        const std::array<ui::Control*, 5> locked{&f.EdtSerial, &f.EdtOwner, &f.EdtOperator, &f.EdtPermissibleError, &f.BtnStart};
        const auto enabledOnes = [&] {
            QStringList names;
            for (const ui::Control* c : locked)
                if (c->isEnabled())
                    names.append(c->name());
            return names;
        };
        std::optional<QStringList> duringPreparation;
        QTimer::singleShot(0, &f, [&] { duringPreparation = enabledOnes(); });
        f.BtnStart.click();
        QVERIFY2(b.main->autoVerification.running(), qPrintable(b.dialogs.lastMessage()));
        QVERIFY(duringPreparation);
        QCOMPARE(*duringPreparation, QStringList());
        QCOMPARE(enabledOnes(), QStringList());
        QVERIFY(f.BtnStop.isEnabled());

        f.BtnStop.click();
        QVERIFY(QTest::qWaitFor([&] { return !b.main->autoVerification.running(); }, kRunTimeoutMs));
        QCOMPARE(enabledOnes().size(), qsizetype(locked.size()));
        QVERIFY(!f.BtnStop.isEnabled());
        QCOMPARE(b.main->autoVerification.protocol().meter, kMeter);
    }

    void runWindowShowsTheConclusion_data()
    {
        QTest::addColumn<double>("meterError");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<ui::Color>("color");
        QTest::newRow("fit") << 0.3 << false << QStringLiteral("Годен") << ui::colors::Green;
        QTest::newRow("unfit") << 1.5 << false << QStringLiteral("Не годен") << ui::colors::Red;
        QTest::newRow("stopped") << 0.3 << true << QStringLiteral("Поверка не завершена: ") + AutoVerification::kStopped
                                 << ui::colors::Default;
    }

    void runWindowShowsTheConclusion()
    {
        QFETCH(double, meterError);
        QFETCH(bool, stop);
        QFETCH(QString, caption);
        QFETCH(ui::Color, color);
        Bench b(meterError);
        settings::IniFile ini(settings::ztaIniPath());
        QVERIFY(quickParameters(0).write(ini));
        ui::forms::AutoVerificationForm& f = openRunWindow(b);
        const AutoVerification& run = b.main->autoVerification;
        f.BtnStart.click();
        QVERIFY2(run.running(), qPrintable(b.dialogs.lastMessage()));
        if (stop) {
            QVERIFY(QTest::qWaitFor([&] { return run.protocol().points.first().complete || !run.running(); }, kRunTimeoutMs));
            f.BtnStop.click();
        }
        QVERIFY(QTest::qWaitFor([&] { return !run.running(); }, kRunTimeoutMs));
        QCOMPARE(f.LblProgress.caption(), caption);
        QCOMPARE(f.LblProgress.font().color, color);
        QVERIFY(f.LblProgress.font().style.bold);
        if (stop) {
            // The last point was never reached: no imitation of 0 stands in for it.
            QVERIFY(!run.protocol().points.last().imitatedFlow);
            const QStringList lines = b.main->autoVerificationWindow.protocolForm.MemoProtocol.lines();
            QVERIFY2(lines.contains(QStringLiteral("Точка 40 м3/ч: не измерялась")), qPrintable(lines.join(QLatin1Char('\n'))));
        }

        // The next run shows its progress again, not in the colour of the last conclusion.
        f.BtnStart.click();
        QVERIFY(run.running());
        QVERIFY(f.LblProgress.caption().startsWith(QStringLiteral("Точка 1 из 3")));
        QCOMPARE(f.LblProgress.font().color, ui::colors::Default);
        QVERIFY(!f.LblProgress.font().style.bold);
        f.BtnStop.click();
        QVERIFY(QTest::qWaitFor([&] { return !run.running(); }, kRunTimeoutMs));
    }

    void refusedStarts_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::newRow("no meter type") << QStringLiteral("type") << QStringLiteral("Не выбран поверяемый прибор");
        QTest::newRow("another mode runs") << QStringLiteral("mode") << QStringLiteral("Отмените работу других режимов");
        QTest::newRow("no points") << QStringLiteral("points") << QStringLiteral("Не заданы поверочные точки");
        QTest::newRow("meter line closed") << QStringLiteral("meter")
                                           << QStringLiteral("Нет связи с прибором: поверка не начата");
        QTest::newRow("no imitation module") << QStringLiteral("imr")
                                             << QStringLiteral("Модуль ИМР не обнаружен: выполните «Проверка связи»");
    }

    void refusedStarts()
    {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        Bench b;
        VerificationParameters parameters = quickParameters(0);
        shell::Mode before = shell::Mode::None;
        if (situation == QLatin1String("type"))
            b.ctx().PriborType = -1;
        if (situation == QLatin1String("mode")) {
            before = shell::Mode::FlowImitation;
            b.ctx().workMode.enter(before);
        }
        if (situation == QLatin1String("points"))
            parameters.points.clear();
        if (situation == QLatin1String("meter"))
            b.ctx().meter.connected = false;
        if (situation == QLatin1String("imr"))
            b.ctx().modules.ImrModule.Adr = 0;
        const int requests = b.bench->requests.size();
        QVERIFY(!b.verification.start(parameters, 0.8, kMeter));
        QCOMPARE(b.dialogs.lastMessage(), message);
        QCOMPARE(b.ctx().workMode.value(), before);
        QCOMPARE(b.bench->requests.size(), requests);
        QCOMPARE(b.finished.count(), 0);
    }
};

QTEST_MAIN(TstAutoVerification)
#include "tst_auto_verification.moc"
