// Volume accumulation and the verification of volume imitation against the simulated bench: the
// parameters dialog, what refuses a start, whole runs to the end of the planned time, the stops,
// and each way a start or a stop can fail.
#include "Workbench.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/Result.h"
#include "modes/DelayedPulseCount.h"
#include "shell/input/NumberFormat.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

namespace qid = bench::qid;
namespace reg = bench::reg;

enum class Page { Accumulation, Verification };

// Autocirculations of the meter under test; the verification must not depend on them.
constexpr int kMeterAutoCirc = 256;
constexpr int kOwnPointItem = 5;  // "Своя"
constexpr int kImitating = 2;     // state of the module's automaton
const QString kOtherModes = QStringLiteral("Отмените работу других режимов");
const QString kZeroFlow = QStringLiteral("Рaсход не может быть нулевым");
const QString kImrNotFound = QStringLiteral("Модуль ИМР не обнаружен: выполните «Проверка связи»");
const QString kStopRefused = QStringLiteral("Не удалось выполнить запись команды STOP");

struct ModeControls {
    ui::Button& start;
    ui::Button& stop;
    ui::ProgressBar& bar;
    shell::Mode mode;
};

ModeControls controlsOf(test::Workbench& w, Page page)
{
    if (page == Page::Accumulation)
        return {w.form().imitV.BtnQStart, w.form().imitV.BtnQStop, w.form().imitV.PB, shell::Mode::VolumeAccumulation};
    return {w.form().poverV.BtnQ2Start, w.form().poverV.BtnQ2Stop, w.form().poverV.PB2, shell::Mode::VolumeVerification};
}

bool emulating(test::Workbench& w) { return w.equipment.coil(sim::Module::Imr, reg::ImrEmulCoil); }

// The operator's answer to the parameters dialog: a point item (for "Своя" the flow typed into
// Edit1), the volume typed into EdtV, then "Да".
void answerParameters(test::Workbench& w, int item, const QString& ownFlow, const QString& volume)
{
    w.dialogs.onModal = [&w, item, ownFlow, volume](ui::Form&) {
        ui::forms::ImVOForm& f = w.main->ImVOFrm.form;
        f.RGPoint.select(item);
        f.Edit1.setText(ownFlow);
        f.EdtV.setText(volume);
        f.BitBtn1.click();
    };
}

// Sets the volume and the flow through the dialog of the accumulation page, as the operator does.
void setParameters(test::Workbench& w, int volume, int point)
{
    answerParameters(w, kOwnPointItem, QString::number(point), QString::number(volume));
    w.form().imitV.Button5.click();
    w.dialogs.onModal = {};
}

// The meter's autocirculations known and the parameters set: ready to start.
void prepare(test::Workbench& w, int volume = 10, int point = 13)
{
    w.ctx().AutoCircCount() = kMeterAutoCirc;
    setParameters(w, volume, point);
}

// What the module imitates for the point when the start computed its count as it should.
modes::DelayedPulses expectedPulses(test::Workbench& w, int point, Page page)
{
    const bool fixedScale = page == Page::Verification;
    return modes::delayedPulseCount(point, w.ctx().PriborType,
                                    fixedScale ? modes::VerifyDivisor : w.ctx().AutoCircCount(), fixedScale,
                                    w.ctx().imitation.CalibratedDT);
}

int plannedSeconds(int volume, double flow) { return int(std::lround(volume / flow * 3600)) + 1; }

QList<comm::Request> requestsOf(test::Workbench& w, int qid)
{
    QList<comm::Request> found;
    for (const comm::Request& r : w.bench->requests)
        if (r.qid == qid)
            found.append(r);
    return found;
}

// Ticks the progress timer up to the planned time; the mode still runs after this.
void tickThroughPlannedTime(test::Workbench& w)
{
    const shell::Imitation& im = w.ctx().imitation;
    while (w.form().Timer1.isRunning() && im.TimerTickCount < im.ImitTimeSec)
        w.form().Timer1.tick();
}

int elapsedAnswers(const QSignalSpy& exchanges)
{
    return int(std::count_if(exchanges.begin(), exchanges.end(),
                             [](const QList<QVariant>& args) { return args.at(0).toInt() == qid::ImitTimeRead; }));
}

}  // namespace

Q_DECLARE_METATYPE(Page)

class TstVolume : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dialogSetsVolumeAndFlow_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("ownFlow");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<int>("point");
        QTest::newRow("item 13") << Page::Accumulation << 1 << "0" << "10" << 13;
        QTest::newRow("item 250, own flow ignored") << Page::Accumulation << 4 << "77" << "3" << 250;
        QTest::newRow("own flow") << Page::Accumulation << kOwnPointItem << "77" << "25" << 77;
        QTest::newRow("verification page") << Page::Verification << kOwnPointItem << "41" << "7" << 41;
    }
    void dialogSetsVolumeAndFlow()
    {
        QFETCH(Page, page);
        QFETCH(int, item);
        QFETCH(QString, ownFlow);
        QFETCH(QString, volume);
        QFETCH(int, point);
        test::Workbench w;
        QVERIFY(w.connected);
        QVERIFY(!w.form().imitV.BtnQStart.isEnabled());
        answerParameters(w, item, ownFlow, volume);
        (page == Page::Accumulation ? w.form().imitV.Button5 : w.form().poverV.Button26).click();

        QCOMPARE(w.dialogs.modalShown, QStringList{"ImVOFrm"});
        QVERIFY(w.dialogs.messages.isEmpty());
        QCOMPARE(w.ctx().imitation.ImitVolume, volume.toInt());
        QCOMPARE(w.ctx().imitation.ImitPoint, point);
        // Either page's dialog readies the accumulation.
        QVERIFY(w.form().imitV.BtnQStart.isEnabled());
        QCOMPARE(w.form().imitV.edtZadV.text(), volume);
        if (page == Page::Verification) {
            QCOMPARE(w.form().poverV.EdtZadV2.text(), volume);
            QCOMPARE(w.form().poverV.EdtZadQ2.text(), QString::number(point));
        }
    }

    void dialogKeepsVolumeThatIsNotWhole()
    {
        test::Workbench w;
        setParameters(w, 7, 30);
        w.form().imitV.BtnQStart.setEnabled(false);
        bool stayedOpen = false;
        w.dialogs.onModal = [&](ui::Form& form) {
            ui::forms::ImVOForm& f = w.main->ImVOFrm.form;
            f.RGPoint.select(1);
            f.EdtV.setText("1a");
            f.BitBtn1.click();
            stayedOpen = form.isVisible();
            f.BitBtn2.click();
        };
        w.form().imitV.Button5.click();

        QVERIFY(stayedOpen);
        QCOMPARE(w.dialogs.messages, QStringList{"«1a» не является целым числом"});
        QCOMPARE(w.ctx().imitation.ImitVolume, 7);
        QCOMPARE(w.ctx().imitation.ImitPoint, 30);
        QVERIFY(!w.form().imitV.BtnQStart.isEnabled());
        QCOMPARE(w.form().imitV.edtZadV.text(), QString("7"));
    }

    void startRefused_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("message");
        QTest::newRow("accumulation: no meter type")
            << Page::Accumulation << "no meter type" << QStringLiteral("Не выбран поверяемый прибор");
        QTest::newRow("accumulation: flow imitation runs") << Page::Accumulation << "other mode" << kOtherModes;
        QTest::newRow("accumulation: zero flow") << Page::Accumulation << "zero point" << kZeroFlow;
        QTest::newRow("accumulation: line down") << Page::Accumulation << "line down" << QString();
        QTest::newRow("accumulation: no module") << Page::Accumulation << "no module" << kImrNotFound;
        // Two modes on one module would overwrite each other's count and time.
        QTest::newRow("verification: flow imitation runs") << Page::Verification << "other mode" << kOtherModes;
        QTest::newRow("verification: zero flow") << Page::Verification << "zero point" << kZeroFlow;
        QTest::newRow("verification: line down") << Page::Verification << "line down" << QString();
        QTest::newRow("verification: no module") << Page::Verification << "no module" << kImrNotFound;
    }
    void startRefused()
    {
        QFETCH(Page, page);
        QFETCH(QString, condition);
        QFETCH(QString, message);
        test::Workbench w(test::quickBench(), condition == "no meter type" ? -1 : 0);
        QVERIFY(w.connected);
        prepare(w, 10, condition == "zero point" ? 0 : 13);
        const shell::Mode before = condition == "other mode" ? shell::Mode::FlowImitation : shell::Mode::None;
        w.ctx().workMode.enter(before);
        if (condition == "no module")
            w.ctx().modules.ImrModule.Adr = 0;
        if (condition == "line down") {
            w.bench->dropLine();
            QVERIFY(QTest::qWaitFor([&] { return !w.ctx().bench.connected; }));
        }
        w.dialogs.clear();
        w.bench->requests.clear();

        controlsOf(w, page).start.click();

        QCOMPARE(w.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(w.bench->requests.isEmpty());
        QCOMPARE(w.ctx().workMode.value(), before);
        QVERIFY(!w.form().Timer1.isRunning());
        QVERIFY(emulating(w));
    }

    void plannedTimeBeyondTheModuleIsRefused_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<int>("volume");
        // At 13 m3/h: about 2.2 million s, whose ms read back negative; about 5.5 million s, past
        // even an unsigned count of ms.
        QTest::newRow("accumulation: past the signed ms") << Page::Accumulation << 8000;
        QTest::newRow("accumulation: past the unsigned ms") << Page::Accumulation << 20000;
        QTest::newRow("verification: past the signed ms") << Page::Verification << 8000;
    }
    // Refused with the field named, before the count or the time is written.
    void plannedTimeBeyondTheModuleIsRefused()
    {
        QFETCH(Page, page);
        QFETCH(int, volume);
        test::Workbench w;
        QVERIFY(w.connected);
        prepare(w, volume, 13);
        w.bench->requests.clear();
        const ModeControls c = controlsOf(w, page);
        c.start.click();

        const double flow = expectedPulses(w, 13, page).imitatedFlow;
        QCOMPARE(w.dialogs.messages,
                 QStringList{QStringLiteral("«Набираемый объём, м3»: %1 м3 при расходе %2 м3/ч не набрать за время, которое "
                                            "принимает модуль ИМР (от 0 до 2147483 с). Уменьшите объём или увеличьте расход.")
                                 .arg(volume)
                                 .arg(input::format3(flow))});
        QVERIFY(requestsOf(w, qid::DelayCountWrite).isEmpty());
        QVERIFY(requestsOf(w, qid::ImitTimeWrite).isEmpty());
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::None);
        QVERIFY(c.start.isEnabled());
        QVERIFY(!w.form().Timer1.isRunning());
    }

    void accumulationRunsThroughThePlannedTime_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("point");
        QTest::newRow("10 m3 at 13 m3/h") << 10 << 13;
        QTest::newRow("2 m3 at 250 m3/h") << 2 << 250;
    }
    void accumulationRunsThroughThePlannedTime()
    {
        QFETCH(int, volume);
        QFETCH(int, point);
        test::Workbench w;
        QVERIFY(w.connected);
        prepare(w, volume, point);
        w.bench->requests.clear();
        auto& page = w.form().imitV;
        page.BtnQStart.click();

        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::VolumeAccumulation);
        QVERIFY(!page.BtnQStart.isEnabled());
        QVERIFY(page.BtnQStop.isEnabled());
        QVERIFY(w.form().Timer1.isRunning());
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, 1)), kImitating);
        QVERIFY(emulating(w));

        const modes::DelayedPulses pulses = expectedPulses(w, point, Page::Accumulation);
        const double flow = w.ctx().state.values.ImitatedFlow;
        QCOMPARE(flow, pulses.imitatedFlow);
        QCOMPARE(int(w.equipment.holding(sim::Module::Imr, reg::ImrDelayCount)), pulses.written);
        QCOMPARE(page.EdtQReal.text(), input::format3(flow));
        const int planned = plannedSeconds(volume, flow);
        QCOMPARE(w.ctx().imitation.ImitTimeSec, planned);
        QCOMPARE(requestsOf(w, qid::ImitTimeWrite).last().value.toUInt(), quint32(planned) * 1000u);
        QCOMPARE(page.edttime.text(), QString::number(planned));
        QCOMPARE(w.form().poverV.EdtTime2.text(), QString::number(planned));
        QCOMPARE(page.PB.maximum(), planned);
        QCOMPARE(w.form().poverV.PB2.maximum(), planned);

        const QList<comm::Request> elapsedReads = requestsOf(w, qid::ImitTimeRead);
        QCOMPARE(elapsedReads.size(), 1);
        QCOMPARE(elapsedReads.first().period, 2000);
        QCOMPARE(elapsedReads.first().reg, reg::ImrElapsedIn);
        QCOMPARE(elapsedReads.first().address, w.ctx().modules.ImrModule.Adr);

        // A click shows the module's own elapsed time, and the volume follows it.
        QTest::qWait(20);
        page.edttime.click();
        QCOMPARE(requestsOf(w, qid::ImitTimeRead).size(), 1);
        QCOMPARE(requestsOf(w, qid::ImitTimeOnce).size(), 1);
        QCOMPARE(requestsOf(w, qid::ImitTimeOnce).last().period, 0);
        const qint32 elapsedMs = w.ctx().state.values.ImitTimeMs;
        QVERIFY(elapsedMs > 0);
        QCOMPARE(page.edttime.text(), input::formatGeneral(elapsedMs / 1000.0));
        const double accumulated = elapsedMs * flow / 3600 / 1000;
        QCOMPARE(page.EdtNaborV.text(), input::format4(accumulated));
        QCOMPARE(w.main->calcFrm.VEtalon(), accumulated);
        QCOMPARE(w.form().poverV.EdtPoverV.text(), page.EdtNaborV.text());

        tickThroughPlannedTime(w);
        QCOMPARE(w.ctx().imitation.TimerTickCount, planned);
        QCOMPARE(page.PB.position(), planned);
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::VolumeAccumulation);
        QVERIFY(w.form().Timer1.isRunning());

        // Cleared behind the program's back, so that the end's setting of the bit shows.
        w.equipment.setCoil(sim::Module::Imr, reg::ImrEmulCoil, false);
        w.form().Timer1.tick();

        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::None);
        QVERIFY(!w.form().Timer1.isRunning());
        QVERIFY(page.BtnQStart.isEnabled());
        QVERIFY(!page.BtnQStop.isEnabled());
        QVERIFY(w.form().poverV.BtnQ2Start.isEnabled());
        QVERIFY(!w.form().poverV.BtnQ2Stop.isEnabled());
        QCOMPARE(w.ctx().imitation.TimerTickCount, planned + 1);
        QCOMPARE(page.PB.position(), page.PB.maximum());  // a bar stops at its maximum
        QVERIFY(emulating(w));
        QCOMPARE(requestsOf(w, qid::ImitTimeOnce).size(), 2);
        QCOMPARE(requestsOf(w, qid::ImitTimeOnce).last().period, 0);
        QCOMPARE(page.edttime.text(), input::formatGeneral(w.ctx().state.values.ImitTimeMs / 1000.0));
        QVERIFY(w.ctx().state.values.ImitTimeMs >= elapsedMs);
    }

    void endWithoutElapsedTimeSaysSo()
    {
        test::Workbench w;
        prepare(w, 1, 250);
        w.form().imitV.BtnQStart.click();
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::VolumeAccumulation);
        w.bench->failures.insert(qid::ImitTimeOnce, comm::ResultBusy);
        tickThroughPlannedTime(w);
        w.form().Timer1.tick();

        QCOMPARE(w.dialogs.messages, QStringList{"Не удалось считать время имитации"});
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::None);
        QVERIFY(!w.form().Timer1.isRunning());
        QVERIFY(w.form().imitV.BtnQStart.isEnabled());
    }

    void verificationRunsWithFixedScale()
    {
        test::Workbench w(test::quickBench(), -1);  // no meter type is needed
        QVERIFY(w.connected);
        const int volume = 10;
        const int point = 13;
        w.ctx().imitation.ImitVolume = volume;
        w.ctx().imitation.ImitPoint = point;
        // Other autocirculations than the fixed divisor, so that a count taken with them shows.
        w.ctx().AutoCircCount() = 2 * modes::VerifyDivisor;
        auto& page = w.form().poverV;
        page.BtnQ2Start.click();

        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::VolumeVerification);
        QVERIFY(w.ctx().imitation.VerifyScale);
        QVERIFY(!emulating(w));
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, 1)), kImitating);
        QVERIFY(!page.BtnQ2Start.isEnabled());
        QVERIFY(page.BtnQ2Stop.isEnabled());
        QVERIFY(w.form().Timer1.isRunning());
        QCOMPARE(page.EdtZadV2.text(), QString::number(volume));
        QCOMPARE(page.EdtZadQ2.text(), QString::number(point));

        const modes::DelayedPulses pulses = expectedPulses(w, point, Page::Verification);
        const double dT = w.ctx().imitation.CalibratedDT;
        QVERIFY(pulses.written != modes::delayedPulseCount(point, w.ctx().PriborType, 2 * modes::VerifyDivisor, false, dT).written);
        QCOMPARE(int(w.equipment.holding(sim::Module::Imr, reg::ImrDelayCount)), pulses.written);
        const double flow = w.ctx().state.values.ImitatedFlow;
        QCOMPARE(flow, pulses.imitatedFlow);
        QCOMPARE(page.EdtPoverQ.text(), input::format3(flow));
        const int planned = plannedSeconds(volume, flow);
        QCOMPARE(w.ctx().imitation.ImitTimeSec, planned);
        QCOMPARE(page.EdtTime2.text(), QString::number(planned));
        QCOMPARE(page.PB2.maximum(), planned);
        QCOMPARE(requestsOf(w, qid::ImitTimeRead).last().period, 2000);

        tickThroughPlannedTime(w);
        QCOMPARE(page.PB2.position(), planned);
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::VolumeVerification);
        w.form().Timer1.tick();

        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::None);
        QVERIFY(!w.form().Timer1.isRunning());
        QVERIFY(page.BtnQ2Start.isEnabled());
        QVERIFY(!page.BtnQ2Stop.isEnabled());
        QVERIFY(emulating(w));
        QCOMPARE(page.EdtTime2.text(), input::formatGeneral(w.ctx().state.values.ImitTimeMs / 1000.0));
    }

    void stopEndsTheMode_data()
    {
        QTest::addColumn<Page>("page");
        QTest::newRow("accumulation") << Page::Accumulation;
        QTest::newRow("verification") << Page::Verification;
    }
    void stopEndsTheMode()
    {
        QFETCH(Page, page);
        test::Workbench w;
        prepare(w);
        const ModeControls c = controlsOf(w, page);
        c.start.click();
        QCOMPARE(w.ctx().workMode.value(), c.mode);
        QSignalSpy exchanges(w.bench, &comm::MBComMaster::OnExchange);
        // The periodic read of the elapsed time is alive before the stop...
        QVERIFY(QTest::qWaitFor([&] { return elapsedAnswers(exchanges) > 0; }, 5000));
        w.bench->requests.clear();

        c.stop.click();

        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.lastMessage()));
        QList<int> commands;
        for (const comm::Request& r : requestsOf(w, qid::ImrCommand))
            commands.append(r.value.toInt());
        QCOMPARE(commands, (QList<int>{0, 2}));
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::None);
        QVERIFY(!w.form().Timer1.isRunning());
        QVERIFY(c.start.isEnabled());
        QVERIFY(!c.stop.isEnabled());
        QCOMPARE(w.form().imitQ.EdtRashQImit.text(), QString("0.000"));
        QCOMPARE(w.main->calcFrm.QEtalon(), 0.0);
        QVERIFY(emulating(w));
        // ...and gone after it.
        QCOMPARE(w.bench->owes(qid::ImitTimeRead), 0);
    }

    void failedStopKeepsTheModeRunning_data() { stopEndsTheMode_data(); }
    void failedStopKeepsTheModeRunning()
    {
        QFETCH(Page, page);
        test::Workbench w;
        prepare(w);
        const ModeControls c = controlsOf(w, page);
        c.start.click();
        QCOMPARE(w.ctx().workMode.value(), c.mode);
        const bool emulatingBefore = emulating(w);
        w.bench->failures.insert(qid::ImrCommand, comm::ResultBusy);

        c.stop.click();

        QCOMPARE(w.dialogs.messages, QStringList{kStopRefused});
        QCOMPARE(w.ctx().workMode.value(), c.mode);
        QVERIFY(w.form().Timer1.isRunning());
        QVERIFY(!c.start.isEnabled());
        QVERIFY(c.stop.isEnabled());
        QCOMPARE(emulating(w), emulatingBefore);
    }

    void failedStartLeavesNoMode_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");  // {count}: the count that was to be written
        const QString busy = comm::resultText(comm::ResultBusy);
        const QString countRefused = "Не удалось записать количество задержанных импульсов ({count}) " + busy;
        const QString timeRefused = "Запись времени имитации не прошла (" + busy + ")";
        const QString noMeter = QStringLiteral("Ошибка!\rПроверьте подключение расходомера.");
        const QString noImitation = QStringLiteral("Ошибка!\rЗТА не вошел в состояние имитации.");
        QTest::newRow("accumulation: count refused") << Page::Accumulation << "count write" << countRefused;
        QTest::newRow("accumulation: time refused") << Page::Accumulation << "time write" << timeRefused;
        QTest::newRow("accumulation: automaton error") << Page::Accumulation << "automaton error" << noMeter;
        QTest::newRow("accumulation: never imitating") << Page::Accumulation << "never imitating" << noMeter;
        QTest::newRow("verification: count refused") << Page::Verification << "count write" << countRefused;
        QTest::newRow("verification: time refused") << Page::Verification << "time write" << timeRefused;
        QTest::newRow("verification: automaton error") << Page::Verification << "automaton error" << noImitation;
        QTest::newRow("verification: never imitating") << Page::Verification << "never imitating" << noImitation;
    }
    void failedStartLeavesNoMode()
    {
        QFETCH(Page, page);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        sim::Options o = test::quickBench();
        if (fault == "never imitating")
            o.executingMs = 3600 * 1000;  // the start command executes for an hour
        test::Workbench w(o);
        QVERIFY(w.connected);
        prepare(w);
        if (fault == "count write")
            w.bench->failures.insert(qid::DelayCountWrite, comm::ResultBusy);
        if (fault == "time write")
            w.bench->failures.insert(qid::ImitTimeWrite, comm::ResultBusy);
        if (fault == "automaton error") {
            // The calibration before the count has to pass; the start command then fails.
            QObject::connect(w.bench, &comm::MBComMaster::OnExchange, w.bench, [&w](int q) {
                if (q == qid::DelayCountWrite)
                    w.equipment.setImrError(3);
            });
        }
        const ModeControls c = controlsOf(w, page);
        c.start.click();

        const int count = expectedPulses(w, w.ctx().imitation.ImitPoint, page).written;
        QCOMPARE(w.dialogs.messages, QStringList{QString(message).replace("{count}", QString::number(count))});
        QCOMPARE(w.ctx().workMode.value(), shell::Mode::None);
        QVERIFY(c.start.isEnabled());
        QVERIFY(!c.stop.isEnabled());
        QVERIFY(!w.form().Timer1.isRunning());
        QVERIFY(requestsOf(w, qid::ImitTimeRead).isEmpty());
        QVERIFY(requestsOf(w, qid::ImitTimeOnce).isEmpty());
        // The verification cleared the bit before its start; it stays so until a stop or an end.
        QCOMPARE(emulating(w), page == Page::Accumulation);
    }
};

QTEST_GUILESS_MAIN(TstVolume)
#include "tst_volume.moc"
