// The current-output calibration of the multi-channel meter inside the main window, on the
// simulated meter and bench: the meter line's other traffic (a channel choice restarts the
// polling) cancels none of its writes, only currents this run measured reach the meter, and a
// run that fails at any point leaves the bench idle.
#include "../modes/Workbench.h"

#include "bench/Qids.h"
#include "link/Result.h"
#include "meter/MeterTypes.h"

#include <QTest>

#include <cstring>
#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr int kModeReg = 60;            // slot 1's calibration mode: 1 running, 0 stopped
constexpr int kTableReg = 0xC02C;       // point k of slot 1 at kTableReg + 4k, a float
constexpr int kPointQid = 31;           // slot 1's point write
constexpr int kTableQid = 33;           // slot 1's table write of point 0; points 1..3 follow
constexpr int kStartQid = 29;           // slot 1's start write
constexpr int kStopQid = -29;           // slot 1's stop write
constexpr int kFirstChannelFlowReg = 49592;  // polled once channel 1 is chosen; channel 2 follows
const QString kStatusOk = QStringLiteral("Ок");
const QString kNotMeasured = QStringLiteral("Ток %1 мА не измерен: ИПТ не ответил\rПроверьте подключение ИПТ");

float tableValue(sim::Equipment& e, int point)
{
    const quint32 bits = (quint32(e.holding(sim::Module::Meter, kTableReg + 4 * point)) << 16)
                         | e.holding(sim::Module::Meter, kTableReg + 4 * point + 1);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// A type 6 meter with a current board in slot 1, wired to the current meter's channel 1; its
// window open with channel 1 chosen, the slot window open and its kinds read.
struct SlotCalibration : test::Workbench {
    SlotCalibration() : Workbench(options(), meter::TypeMultiChannel)
    {
        form().config.BtnSetup.click();
        auto& multi = main->FlowMeterFormKS.form;
        ready = connected && QTest::qWaitFor([&] { return multi.RgCanal.items().size() == 2 && multi.BtnSetup.isEnabled(); });
        multi.RgCanal.select(0);
        ready = ready && QTest::qWaitFor([&] { return ctx().Pribor.RegQ == kFirstChannelFlowReg; });
        multi.BtnSetup.click();
        main->KsForm1.form.Button2.click();
        ready = ready && QTest::qWaitFor([&] { return main->KsForm1.form.btnCalib1.isVisible(); });
        window().Timer.setInterval(1);  // the calibration's seconds, sped up
    }
    static sim::Options options()
    {
        sim::Options o = test::quickBench();
        o.meterType = meter::TypeMultiChannel;
        o.channels = 2;
        return o;
    }
    ui::forms::KsCalibTokForm& window() { return main->KsForm1.calibration(0).form; }
    // Runs `action` inside the calibration, once, when the meter answers `qid`.
    void onAnswer(int qid, std::function<void()> action)
    {
        auto done = std::make_shared<bool>(false);
        QObject::connect(meter, &comm::MBComMaster::OnExchange, meter, [qid, action, done](int answered) {
            if (answered == qid && !std::exchange(*done, true))
                action();
        });
    }
    // The labels of the four table writes.
    QStringList tableStatus()
    {
        QStringList s;
        for (const ui::Label* l : window().status())
            s.append(l->caption());
        return s;
    }

    bool ready = false;
};

}  // namespace

class TstCalibrationRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The channel list's answer restarts the polling; the slot kinds read behind it keep theirs.
    void readingWithTheSlotWindowOpenShowsTheKinds()
    {
        SlotCalibration c;
        QVERIFY(c.ready);
        auto& slots = c.main->KsForm1.form;
        slots.SB.setPanelText(0, QString());
        slots.cbxDopSlot1.setItemIndex(-1);
        c.main->FlowMeterFormKS.form.Button6.click();  // "Считать" of the multi-channel window
        QTRY_COMPARE(slots.SB.panelText(0), QStringLiteral("Тип доп. слотов: Ок"));
        QCOMPARE(slots.cbxDopSlot1.text(), QStringLiteral("Токовый"));
    }

    void channelClickCancelsNothing_data()
    {
        QTest::addColumn<int>("clickAtAnswer");
        QTest::newRow("during the table writes") << kTableQid;
        QTest::newRow("during the stop") << kTableQid + 3;
    }
    void channelClickCancelsNothing()
    {
        QFETCH(int, clickAtAnswer);
        SlotCalibration c;
        QVERIFY(c.ready);
        auto& channels = c.main->FlowMeterFormKS.form.RgCanal;
        c.onAnswer(clickAtAnswer, [&channels] { channels.select(1); });
        c.main->KsForm1.form.btnCalib1.click();

        QVERIFY2(c.dialogs.messages.isEmpty(), qPrintable(c.dialogs.messages.join('|')));
        QCOMPARE(c.window().SB.panelText(0), QStringLiteral("Стоп калибровки: ") + kStatusOk);
        QCOMPARE(int(c.equipment.holding(sim::Module::Meter, kModeReg)), 0);
        QTRY_COMPARE(c.tableStatus(), QStringList(4, QStringLiteral("Записано")));
        const float nominal[] = {0, 4, 5, 20};
        for (int k = 0; k < 4; ++k)
            QVERIFY2(qAbs(tableValue(c.equipment, k) - nominal[k]) < 0.2f, qPrintable(QString::number(tableValue(c.equipment, k))));
        QTRY_COMPARE(c.ctx().Pribor.RegQ, kFirstChannelFlowReg + 2);  // the click took effect: the second channel is polled
    }

    // The run fails from one point on: the current meter falls silent or its reading of the
    // point's current fails, or a write to the meter does. Whichever it is, the operator is
    // told, the run ends there, no current reaches the meter's table (not even one a run before
    // measured), the meter is not left calibrating and the bench is free: no mode, the current
    // meter held by no one.
    void failureAtOnePointLeavesTheBenchIdle_data()
    {
        QTest::addColumn<bool>("runBefore");  // a full calibration left its currents behind
        QTest::addColumn<bool>("onBench");    // the failing request goes to the current meter
        QTest::addColumn<int>("qid");         // 0: the current meter falls silent
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("armedAt");     // the point whose write's answer arms the failure; -1 before the start
        QTest::addColumn<int>("pointWrites"); // sent before the run ended
        QTest::addColumn<int>("stopWrites");
        QTest::addColumn<QString>("message");
        const int read = bench::qid::IptCurrentsCalib;
        QTest::newRow("first run, current meter silent from 0 mA")
            << false << true << 0 << 0 << 0 << 1 << 1 << kNotMeasured.arg(0);
        QTest::newRow("second run, current meter silent from 5 mA")
            << true << true << 0 << 0 << 2 << 3 << 1 << kNotMeasured.arg(5);
        QTest::newRow("second run, current meter silent at 20 mA")
            << true << true << 0 << 0 << 3 << 4 << 1 << kNotMeasured.arg(20);
        QTest::newRow("first run, current meter's reading fails at 0 mA")
            << false << true << read << int(comm::ResultNoAnswer) << 0 << 1 << 1 << kNotMeasured.arg(0);
        QTest::newRow("second run, current meter's reading fails at 5 mA")
            << true << true << read << int(comm::ResultCrc) << 2 << 3 << 1 << kNotMeasured.arg(5);
        QTest::newRow("second run, current meter's reading fails at 20 mA")
            << true << true << read << int(comm::ResultDeviceFailure) << 3 << 4 << 1 << kNotMeasured.arg(20);
        const QString pointRefused = QStringLiteral("Не удалось записать измеряемый ток!");
        QTest::newRow("first run, meter refuses the 0 mA point")
            << false << false << kPointQid << int(comm::ResultNoAnswer) << -1 << 1 << 1 << pointRefused;
        QTest::newRow("second run, meter refuses the 5 mA point")
            << true << false << kPointQid << int(comm::ResultIllegalValue) << 1 << 3 << 1 << pointRefused;
        QTest::newRow("second run, meter refuses the 20 mA point")
            << true << false << kPointQid << int(comm::ResultNoAnswer) << 2 << 4 << 1 << pointRefused;
        // Nothing started, so nothing to stop.
        QTest::newRow("second run, meter refuses the start")
            << true << false << kStartQid << int(comm::ResultNoAnswer) << -1 << 0 << 0
            << QStringLiteral("Не удалось записать команду START");
    }
    void failureAtOnePointLeavesTheBenchIdle()
    {
        QFETCH(bool, runBefore);
        QFETCH(bool, onBench);
        QFETCH(int, qid);
        QFETCH(int, result);
        QFETCH(int, armedAt);
        QFETCH(int, pointWrites);
        QFETCH(int, stopWrites);
        SlotCalibration c;
        QVERIFY(c.ready);
        auto& calibrate = c.main->KsForm1.form.btnCalib1;
        if (runBefore) {
            calibrate.click();
            QVERIFY2(c.dialogs.messages.isEmpty(), qPrintable(c.dialogs.messages.join('|')));
            QTRY_COMPARE(c.tableStatus(), QStringList(4, QStringLiteral("Записано")));
        }
        // Marks the table, so that any write shows.
        for (int k = 0; k < 4; ++k)
            c.equipment.setHolding(sim::Module::Meter, kTableReg + 4 * k, 0xFFFF);
        test::FailingServer* failing = onBench ? c.bench : c.meter;
        const auto arm = [&c, failing, qid, result] {
            if (qid == 0)
                c.equipment.setFault(sim::Module::Ipt, {sim::Fault::Silent});
            else
                failing->failures.insert(qid, result);
        };
        if (armedAt < 0)
            arm();
        int points = 0;
        QObject::connect(c.meter, &comm::MBComMaster::OnExchange, c.meter, [&](int answered) {
            if (answered == kPointQid && points++ == armedAt)
                arm();
        });
        c.meter->requests.clear();

        calibrate.click();

        QTEST(c.dialogs.messages.join('|'), "message");
        QCOMPARE(c.meter->count(kPointQid), pointWrites);
        QCOMPARE(c.meter->count(kStopQid), stopWrites);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(c.meter->count(kTableQid + k), 0);
            QCOMPARE(int(c.equipment.holding(sim::Module::Meter, kTableReg + 4 * k)), 0xFFFF);
        }
        QCOMPARE(int(c.equipment.holding(sim::Module::Meter, kModeReg)), 0);
        QVERIFY(c.window().btnStart.isEnabled());
        QVERIFY(!c.main->KsForm1.calibrating());
        QVERIFY(c.ctx().workMode.isFree());
        QCOMPARE(c.ctx().access.holder(), QString());
    }
};

QTEST_GUILESS_MAIN(TstCalibrationRun)
#include "tst_calibration_run.moc"
