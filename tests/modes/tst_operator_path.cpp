// The operator's path over real serial lines: connect, find the modules, choose the meter type,
// imitate 13 m3/h and read the meter's error in the statistics window, then accumulate a volume
// to its end. Against the built-in simulator, or the ports named by ZTA_BENCH_PORT and
// ZTA_METER_PORT (another bench emulation or real hardware), without the simulator's controls.
#include "../support/PtyLines.h"
#include "../support/ScriptedDialogs.h"
#include "link/rtu/RtuComMaster.h"
#include "modes/DelayedPulseCount.h"
#include "ui/app/MainFrm.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kTimeoutMs = 30000;
constexpr double kErrorLimit = 0.8;  // %, above it an error shows in red

sim::Options simulatedBench(double meterErrorPct)
{
    sim::Options o;
    o.meterErrorPct = meterErrorPct;
    // Exchanges take their time on the wire, as the bounds on state reads count on.
    o.wireTime = true;
    // A longer delay line reaches higher flows, so that a cubic metre accumulates in seconds.
    o.delayNs = 400;
    return o;
}

double percentOf(const QString& text)
{
    QString t = text;
    t.chop(1);  // "%"
    return input::AnySepStrToFloat(t);
}

}  // namespace

class TstOperatorPath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { input::setDecimalSeparator('.'); }

    void imitateThenAccumulate_data()
    {
        QTest::addColumn<double>("meterError");  // %, of the simulated meter; NaN: a bench of its own
        QTest::addColumn<bool>("accumulate");
        if (test::PtyLines::external()) {
            QTest::newRow("external bench") << qQNaN() << true;
            return;
        }
        QTest::newRow("meter within tolerance") << 0.3 << true;
        QTest::newRow("meter out of tolerance") << 1.5 << false;
    }
    void imitateThenAccumulate()
    {
        QFETCH(double, meterError);
        QFETCH(bool, accumulate);
        test::PtyLines lines(simulatedBench(meterError));
        QTemporaryDir settingsDir;
        lines.pointSettingsAtThem(settingsDir.path());
        test::ScriptedDialogs dialogs;
        app::TMainFrm main([](const char*) { return std::make_unique<comm::RtuComMaster>(); });
        auto& cfg = main.form.config;
        auto& calc = main.calcFrm.form;

        cfg.BtnConnect.click();
        cfg.BtnConnect1.click();
        QTRY_VERIFY_WITH_TIMEOUT(main.ctx.bench.connected && main.ctx.meter.connected, kTimeoutMs);
        cfg.BitBtn5.click();
        QTRY_VERIFY_WITH_TIMEOUT(cfg.BitBtn5.isEnabled(), kTimeoutMs);
        QVERIFY(main.ctx.modules.ImrModule.Adr != 0);
        cfg.cbxprib.select(0);

        // Flow imitation at 13 m3/h, the statistics window beside it.
        auto& flowPage = main.form.imitQ;
        flowPage.RGPoint.setItemIndex(1);
        flowPage.btnImit.click();
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('|')));
        QVERIFY(main.ctx.workMode.is(shell::Mode::FlowImitation));
        flowPage.SpeedButton3.click();
        QVERIFY(calc.isVisible());
        const double imitated = main.ctx.state.values.ImitatedFlow;
        QVERIFY(qAbs(imitated - 13) < 0.5);
        QCOMPARE(calc.edtqe.text(), input::format3(imitated));
        // Readings taken before the start may still be on their way: wait for a settled one.
        QTRY_VERIFY_WITH_TIMEOUT(!calc.lblqproc.caption().isEmpty(), kTimeoutMs);
        QTest::qWait(2500);
        const double measured = input::AnySepStrToFloat(calc.edtqi.text());
        const double error = percentOf(calc.lblqproc.caption());
        QVERIFY(qAbs(error - qAbs(imitated - measured) / imitated * 100) < 0.01);
        QCOMPARE(calc.lblqproc.font().color, error > kErrorLimit ? ui::colors::Red : ui::colors::Green);
        if (!qIsNaN(meterError))
            QCOMPARE(calc.lblqproc.font().color, meterError > kErrorLimit ? ui::colors::Red : ui::colors::Green);
        flowPage.btnImit.click();
        QVERIFY(main.ctx.workMode.isFree());
        if (!accumulate)
            return;

        // A short volume accumulation, with the pulse counters read, to its planned end.
        dialogs.onModal = [](ui::Form& form) {
            auto& d = static_cast<ui::forms::ImVOForm&>(form);
            d.RGPoint.setItemIndex(4);  // 250 m3/h
            d.EdtV.setText("1");
            d.BitBtn1.click();
        };
        auto& volumePage = main.form.imitV;
        volumePage.Button5.click();
        main.form.usiGroup.ChbCnt1.click();
        volumePage.BtnQStart.click();
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('|')));
        QVERIFY(main.ctx.workMode.is(shell::Mode::VolumeAccumulation));
        const int planned = main.ctx.imitation.ImitTimeSec;
        QCOMPARE(planned, *modes::imitationTimeSec(1, main.ctx.state.values.ImitatedFlow));
        QTRY_VERIFY_WITH_TIMEOUT(main.ctx.workMode.isFree(), (planned + 10) * 1000);
        QVERIFY(volumePage.BtnQStart.isEnabled());
        QVERIFY(!volumePage.BtnQStop.isEnabled());
        QVERIFY(input::AnySepStrToFloat(volumePage.EdtNaborV.text()) > 0.9);
        QTRY_VERIFY_WITH_TIMEOUT(!calc.lblVproc.caption().isEmpty() && !calc.lblVproc2.caption().isEmpty(), kTimeoutMs);
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('|')));
    }
};

QTEST_GUILESS_MAIN(TstOperatorPath)
#include "tst_operator_path.moc"
