// Flow imitation on the simulated bench: start, point changes, stop, the refusals, bad input,
// failed writes and the reset of all modes.
#include "Workbench.h"

#include "link/Result.h"
#include "meter/MeterTypes.h"
#include "modes/DelayedPulseCount.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"

#include <QTest>

namespace {

constexpr int kDelayCountReg = 16386;
constexpr int kStateReg = 1;
constexpr int kImitating = 2;
constexpr int kEmulCoil = 2;

struct Imitation : test::Workbench {
    using Workbench::Workbench;
    ui::forms::ImitQPage& page() { return form().imitQ; }
    modes::DelayedPulses expected(int point)
    {
        const shell::Context& c = ctx();
        return modes::delayedPulseCount(point, c.PriborType, c.state.values.AutoCircCount, false, c.imitation.CalibratedDT);
    }
    int writtenCount() { return equipment.holding(sim::Module::Imr, kDelayCountReg); }
    // Starts at the point of the given item.
    void startAt(int item)
    {
        page().RGPoint.setItemIndex(item);
        page().btnImit.click();
    }
};

}  // namespace

class TstFlowImitation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { input::setDecimalSeparator('.'); }

    void startChangeAndStop()
    {
        Imitation w;
        QVERIFY(w.connected);
        w.startAt(1);  // 13 m3/h
        QVERIFY(w.dialogs.messages.isEmpty());
        QVERIFY(w.ctx().workMode.is(shell::Mode::FlowImitation));
        QVERIFY(!w.ctx().imitation.VerifyScale);
        QCOMPARE(w.page().btnImit.caption(), QString("Остановить имитацию"));
        QVERIFY(w.page().RGPoint.isEnabled());
        QVERIFY(qAbs(w.ctx().imitation.CalibratedDT - w.equipment.options().delayNs) < 0.5);
        modes::DelayedPulses at13 = w.expected(13);
        QCOMPARE(w.writtenCount(), at13.written);
        QCOMPARE(w.page().EdtRashQImit.text(), input::format3(at13.imitatedFlow));
        QCOMPARE(w.main->calcFrm.QEtalon(), at13.imitatedFlow);
        QCOMPARE(w.form().imitV.EdtQReal.text(), input::format3(at13.imitatedFlow));
        QCOMPARE(w.ctx().SB.panelText(0), QString("Записано %1 импульсов").arg(at13.written));
        QVERIFY(w.equipment.coil(sim::Module::Imr, kEmulCoil));
        QTRY_COMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), kImitating);

        w.page().RGPoint.select(3);  // 130 m3/h, without a stop in between
        const modes::DelayedPulses at130 = w.expected(130);
        QCOMPARE(w.writtenCount(), at130.written);
        QCOMPARE(w.page().EdtRashQImit.text(), input::format3(at130.imitatedFlow));
        QCOMPARE(w.bench->count(400004), 2 + 1);  // calibration, start, start again

        w.page().btnImit.click();
        QVERIFY(w.ctx().workMode.isFree());
        QCOMPARE(w.page().btnImit.caption(), QString("Начать имитацию"));
        QVERIFY(!w.page().RGPoint.isEnabled());
        QCOMPARE(w.page().EdtRashQImit.text(), QString("0.000"));
        QCOMPARE(w.bench->requests.last().value.toInt(), 2);
        // The reference flow of the statistics window keeps its last value.
        QCOMPARE(w.main->calcFrm.QEtalon(), at130.imitatedFlow);
        QTRY_VERIFY(w.equipment.input(sim::Module::Imr, kStateReg) != kImitating);
    }

    void pointZeroOnlyStops()
    {
        Imitation w;
        w.startAt(0);
        QVERIFY(w.ctx().workMode.is(shell::Mode::FlowImitation));
        QCOMPARE(w.bench->count(416387), 0);
        QCOMPARE(w.page().EdtRashQImit.text(), QString("0.000"));
        QCOMPARE(w.main->calcFrm.QEtalon(), 0.0);
    }

    void ownPointFromEdit1()
    {
        Imitation w;
        w.page().Edit1.setText("57");
        w.startAt(5);
        QCOMPARE(w.writtenCount(), w.expected(57).written);
    }

    void meterTypeWithFixedAutocirculationsAddsSixteen()
    {
        Imitation w(test::quickBench(), meter::TypeFixedAutoCirc);
        w.startAt(1);
        const modes::DelayedPulses p = w.expected(13);
        QCOMPARE(p.written, p.count + 16);
        QCOMPARE(w.writtenCount(), p.written);
    }

    void refusals_data()
    {
        QTest::addColumn<int>("meterType");      // -1: none chosen
        QTest::addColumn<int>("otherMode");      // a mode already running; 0 none
        QTest::addColumn<QString>("message");
        QTest::newRow("no meter type") << -1 << 0 << "Не выбран поверяемый прибор";
        QTest::newRow("volume accumulation runs") << 0 << int(shell::Mode::VolumeAccumulation)
                                                  << "Отмените работу других режимов";
        QTest::newRow("flow verification runs") << 0 << int(shell::Mode::CountVerification)
                                                << "Отмените работу других режимов";
    }
    void refusals()
    {
        QFETCH(int, meterType);
        QFETCH(int, otherMode);
        QFETCH(QString, message);
        Imitation w(test::quickBench(), meterType);
        w.ctx().workMode.enter(shell::Mode(otherMode));
        w.bench->requests.clear();
        w.startAt(1);
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QVERIFY(w.bench->requests.isEmpty());
        QCOMPARE(int(w.ctx().workMode.value()), otherMode);
        QCOMPARE(w.page().btnImit.caption(), QString("Начать имитацию"));
    }

    void withoutModuleOrLineNothingIsSent_data()
    {
        QTest::addColumn<bool>("lineUp");
        QTest::addColumn<int>("address");
        QTest::addColumn<QStringList>("messages");
        // Each of the two actions is refused on its own.
        QTest::newRow("module not found") << true << 0 << QStringList{"Модуль ИМР не обнаружен: выполните «Проверка связи»", "Модуль ИМР не обнаружен: выполните «Проверка связи»"};
        QTest::newRow("line down") << false << 1 << QStringList{};
    }
    void withoutModuleOrLineNothingIsSent()
    {
        QFETCH(bool, lineUp);
        QFETCH(int, address);
        QFETCH(QStringList, messages);
        Imitation w;
        w.ctx().bench.connected = lineUp;
        w.ctx().modules.ImrModule.Adr = quint8(address);
        w.bench->requests.clear();
        w.startAt(1);
        w.page().Edit1.setText("20");
        QChar enter(13);
        w.page().Edit1.onKeyPress(enter);
        QVERIFY(w.bench->requests.isEmpty());
        QCOMPARE(w.dialogs.messages, messages);
        QVERIFY(w.ctx().workMode.isFree());
    }

    void badOwnPointLeavesNoMode()
    {
        Imitation w;
        w.page().Edit1.setText("1З");
        w.startAt(5);
        QCOMPARE(w.dialogs.messages, QStringList{"«1З» не является целым числом"});
        QVERIFY(w.ctx().workMode.isFree());
        QCOMPARE(w.page().btnImit.caption(), QString("Начать имитацию"));
        QCOMPARE(w.bench->count(416387), 0);
        // The next start works.
        w.page().Edit1.setText("13");
        w.page().btnImit.click();
        QVERIFY(w.ctx().workMode.is(shell::Mode::FlowImitation));
    }

    void failedStepsLeaveNoMode_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QString>("message");  // %1: the written count
        const QString busy = comm::resultText(comm::ResultBusy);
        QTest::newRow("imitation time") << 432773 << "Не удалось записать продолжительность имитации(" + busy + ")'";
        QTest::newRow("count") << 416387 << "Не удалось записать количество задержанных импульсов (%1) " + busy;
        QTest::newRow("emulation bit read") << -11 << "Никак не считать состояние бита:" + busy;
    }
    void failedStepsLeaveNoMode()
    {
        QFETCH(int, qid);
        QFETCH(QString, message);
        Imitation w;
        w.equipment.setCoil(sim::Module::Imr, kEmulCoil, false);
        w.bench->failures.insert(qid, comm::ResultBusy);
        w.startAt(1);
        QCOMPARE(w.dialogs.messages, QStringList{QString(message).replace("%1", QString::number(w.expected(13).written))});
        QVERIFY(w.ctx().workMode.isFree());
        QCOMPARE(w.page().btnImit.caption(), QString("Начать имитацию"));
        QVERIFY(!w.page().RGPoint.isEnabled());
    }

    void enterWritesWhateverTheMode()
    {
        Imitation w;
        QVERIFY(w.main->delayLine.CalibrateDelayLine());
        w.page().Edit1.setText("30");
        QChar enter(13);
        w.page().Edit1.onKeyPress(enter);
        QCOMPARE(w.writtenCount(), w.expected(30).written);
        QCOMPARE(w.bench->requests.last().value.toInt(), 1);  // start
        QVERIFY(w.ctx().workMode.isFree());
    }

    void countNeedsDelayAndAutocirculations_data()
    {
        QTest::addColumn<double>("delay");
        QTest::addColumn<int>("autocirculations");
        QTest::addColumn<QString>("messageStart");
        QTest::newRow("no calibration yet") << 0.0 << 256 << "Линия задержки ещё не откалибрована";
        QTest::newRow("autocirculations unknown") << 97.3 << 0 << "Число автоциркуляций прибора неизвестно (0)";
    }
    void countNeedsDelayAndAutocirculations()
    {
        QFETCH(double, delay);
        QFETCH(int, autocirculations);
        QFETCH(QString, messageStart);
        Imitation w;
        w.ctx().imitation.CalibratedDT = delay;
        w.ctx().AutoCircCount() = autocirculations;
        w.bench->requests.clear();
        w.page().Edit1.setText("30");
        QChar enter(13);
        w.page().Edit1.onKeyPress(enter);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY2(w.dialogs.lastMessage().startsWith(messageStart), qPrintable(w.dialogs.lastMessage()));
        QVERIFY(w.bench->requests.isEmpty());
    }

    void resetOfAllModes()
    {
        Imitation w;
        auto& reset = w.form().config.Button19;
        QVERIFY(!reset.isVisible());
        w.form().config.Label3.click();
        QVERIFY(reset.isVisible());
        w.startAt(1);
        w.form().Timer1.setRunning(true);
        reset.click();
        QVERIFY(w.dialogs.messages.isEmpty());
        QVERIFY(!w.form().Timer1.isRunning());
        QCOMPARE(w.page().btnImit.caption(), QString("Начать имитацию"));
        QVERIFY(!w.page().RGPoint.isEnabled());
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), 0);
        // The mode stays: the next press performs the stop.
        QVERIFY(w.ctx().workMode.is(shell::Mode::FlowImitation));
        w.page().btnImit.click();
        QVERIFY(w.ctx().workMode.isFree());
        w.form().config.Label3.click();
        QVERIFY(!reset.isVisible());
    }

    void resetThatCannotReachIdleSaysSo()
    {
        Imitation w;
        w.bench->failures.insert(300002, comm::ResultNoAnswer);
        w.form().config.Button19.click();
        QCOMPARE(w.dialogs.messages, (QStringList{"Не удалось считать состояние ИМР", "Ошибка : попробуйте еще раз"}));
    }
};

QTEST_GUILESS_MAIN(TstFlowImitation)
#include "tst_flow_imitation.moc"
