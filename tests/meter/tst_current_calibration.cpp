// Current-output calibration of the multi-channel meter over real serial lines: the simulated
// meter drives each point's current through its output slot, the simulated current meter
// measures it, and the program checks the four points and writes the meter's table.
#include "../support/PtyLines.h"
#include "../support/ScriptedDialogs.h"
#include "link/rtu/RtuComMaster.h"
#include "meter/MeterTypes.h"
#include "ui/app/MainFrm.h"
#include "ui/model/Messages.h"

#include <QTest>

#include <cstring>

namespace {

constexpr int kTimeoutMs = 30000;
constexpr int kTableReg = 0xC02C;       // point k of slot s at kTableReg + 4k + 2s, a float
constexpr int kPointQid = 31;           // the point write of slot 0
constexpr int kStopQid = -29;           // the stop write of slot 0
constexpr int kTableQid = 33;           // the table write of point k of slot 0: kTableQid + k
constexpr int kQuickSecondMs = 40;      // the calibration's one-second ticks, sped up

const QString kFailure = QStringLiteral("Значения токов отличаются от эталонных\r"
                                        "на значения больше допустимых\r"
                                        "Проверьте подключение ИПТ");

float tableValue(sim::Simulator& s, int point)
{
    const quint32 bits = (quint32(s.holding(sim::Module::Meter, kTableReg + 4 * point)) << 16)
                         | s.holding(sim::Module::Meter, kTableReg + 4 * point + 1);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// The window connected to a simulated type 6 meter, its slot window open.
struct Calibration {
    explicit Calibration(double slotErrorPct) : lines(options(slotErrorPct))
    {
        lines.pointSettingsAtThem(settingsDir.path());
        main = std::make_unique<app::TMainFrm>([](const char*) { return std::make_unique<comm::RtuComMaster>(); });
        auto& cfg = main->form.config;
        cfg.BtnConnect.click();
        cfg.BtnConnect1.click();
        ready = QTest::qWaitFor([&] { return main->ctx.bench.connected && main->ctx.meter.connected; }, kTimeoutMs);
        cfg.BitBtn5.click();
        ready = ready && QTest::qWaitFor([&] { return cfg.BitBtn5.isEnabled(); }, kTimeoutMs);
        cfg.cbxprib.select(meter::TypeMultiChannel);
        cfg.BtnSetup.click();
        // "Настройка периферии >>" opens once the meter reports its working regime.
        auto& periphery = main->FlowMeterFormKS.form.BtnSetup;
        ready = ready && QTest::qWaitFor([&] { return periphery.isEnabled(); }, kTimeoutMs);
        periphery.click();
        main->KsForm1.form.Button2.click();  // "Считать": the slot kinds
        ready = ready && QTest::qWaitFor([&] { return main->KsForm1.form.btnCalib1.isVisible(); }, kTimeoutMs);
        main->KsForm1.calibration(0).form.Timer.setInterval(kQuickSecondMs);
        QObject::connect(main->MBCM1.get(), &comm::MBComMaster::OnExchange, main->MBCM1.get(),
                         [this](int qid) {
                             pointWrites += qid == kPointQid;
                             stopWrites += qid == kStopQid;
                         });
    }
    static sim::Options options(double slotErrorPct)
    {
        sim::Options o;
        o.meterType = meter::TypeMultiChannel;
        o.slotErrorPct = slotErrorPct;
        return o;
    }
    ui::forms::KsCalibTokForm& window() { return main->KsForm1.calibration(0).form; }
    // No table write is on its way: what the table holds now, it keeps.
    bool noTableWriteOwed() const
    {
        const auto& meter = static_cast<const comm::RtuComMaster&>(*main->MBCM1);
        for (int k = 0; k < 4; ++k)
            if (meter.owes(kTableQid + k) > 0)
                return false;
        return true;
    }

    test::PtyLines lines;
    QTemporaryDir settingsDir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<app::TMainFrm> main;
    bool ready = false;
    int pointWrites = 0;
    int stopWrites = 0;
};

}  // namespace

class TstCurrentCalibration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void allPointsPassAndTheTableIsWritten()
    {
        if (test::PtyLines::external())
            QSKIP("needs the simulated meter's slot");
        Calibration c(0);
        QVERIFY(c.ready);
        c.main->KsForm1.form.btnCalib1.click();
        QVERIFY2(c.dialogs.messages.isEmpty(), qPrintable(c.dialogs.messages.join('|')));
        QCOMPARE(c.pointWrites, 4);
        QCOMPARE(c.stopWrites, 1);
        const float nominal[] = {0, 4, 5, 20};
        for (int k = 0; k < 4; ++k)
            QTRY_VERIFY2(qAbs(tableValue(*c.lines.simulator, k) - nominal[k]) < 0.2f,
                         qPrintable(QString::number(tableValue(*c.lines.simulator, k))));
        QTRY_COMPARE(c.window().lblstat20.caption(), QString("Записано"));
    }

    void twentyMilliampsOffFailsAndWritesNothing()
    {
        if (test::PtyLines::external())
            QSKIP("needs the simulated meter's slot");
        Calibration c(7.5);
        QVERIFY(c.ready);
        const float before = tableValue(*c.lines.simulator, 3);
        c.main->KsForm1.form.btnCalib1.click();
        QCOMPARE(c.dialogs.messages, QStringList{kFailure});
        QCOMPARE(c.stopWrites, 1);
        QVERIFY(c.noTableWriteOwed());
        QCOMPARE(tableValue(*c.lines.simulator, 3), before);
        QVERIFY(c.window().lblstat20.caption().isEmpty());
    }

    void stopAtTheSecondPoint()
    {
        if (test::PtyLines::external())
            QSKIP("needs the simulated meter's slot");
        Calibration c(0);
        QVERIFY(c.ready);
        auto& w = c.window();
        int points = 0;
        QObject::connect(c.main->MBCM1.get(), &comm::MBComMaster::OnExchange, &w, [&w, &points](int qid) {
            if (qid == kPointQid && ++points == 2)
                ui::postMessage(&w, [&w] { w.BtnStop.click(); });
        });
        const float before = tableValue(*c.lines.simulator, 0);
        c.main->KsForm1.form.btnCalib1.click();
        QCOMPARE(c.pointWrites, 2);
        QCOMPARE(c.stopWrites, 1);
        QVERIFY(c.dialogs.messages.isEmpty());
        QVERIFY(c.noTableWriteOwed());
        QCOMPARE(tableValue(*c.lines.simulator, 0), before);
        QVERIFY(w.btnStart.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TstCurrentCalibration)
#include "tst_current_calibration.moc"
