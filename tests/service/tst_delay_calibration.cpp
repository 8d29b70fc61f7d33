// Delay line calibration against the simulated imitation module: the delay it recovers, what
// the operator sees, and every way it can fail without touching the delay in use.
#include "../modes/Workbench.h"

#include "link/Result.h"

#include <QTest>

namespace {

constexpr double kKeptDelay = 42.5;

double trueDelay(const test::Workbench& w) { return w.equipment.options().delayNs; }

}  // namespace

class TstDelayCalibration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recoversTheTrueDelay_data()
    {
        QTest::addColumn<double>("delay");
        QTest::addColumn<int>("noisyRecord");
        QTest::newRow("default delay") << 97.3 << -1;
        QTest::newRow("short delay, noisy record 0") << 61.7 << 0;
        QTest::newRow("long delay, noisy record 1") << 143.9 << 1;
    }
    void recoversTheTrueDelay()
    {
        QFETCH(double, delay);
        QFETCH(int, noisyRecord);
        sim::Options o = test::quickBench();
        o.delayNs = delay;
        o.noisyRecord = noisyRecord;
        test::Workbench w(o);
        QVERIFY(w.connected);
        QVERIFY(w.main->delayLine.CalibrateDelayLine());
        QVERIFY2(qAbs(w.ctx().imitation.CalibratedDT - delay) < 0.5,
                 qPrintable(QString::number(w.ctx().imitation.CalibratedDT)));
        QVERIFY(w.ctx().SB.panelText(0).startsWith("Производится калибровка : расчеты проведены = "));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void buttonShowsTheValues()
    {
        test::Workbench w;
        w.form().imr.Button29.click();
        auto& p = w.form().imr;
        QCOMPARE(p.Edit28.text(), QString("40"));
        QVERIFY(!p.Edit29.text().isEmpty() && !p.Edit30.text().isEmpty());
        const double mean = p.Edit33.text().toDouble();
        QVERIFY2(qAbs(mean - trueDelay(w)) < 0.5, qPrintable(p.Edit33.text()));
        QCOMPARE(w.form().poverQ.Edit10.text(), p.Edit33.text());
    }

    void failureKeepsTheDelay_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QStringList>("messages");
        const QString busy = comm::resultText(comm::ResultBusy);
        QTest::newRow("conversion count") << 416386 << QStringList{"Калибровка:Не прошла запись числа конверсий:" + busy};
        QTest::newRow("state read")
            << 300002 << QStringList{"Не удалось считать состояние ИМР", "Ошибка : попробуйте еще раз"};
        QTest::newRow("command") << 400004 << QStringList{"Калибровка:Не прошла команда калибровки"};
        QTest::newRow("sums") << 332773
                              << QStringList{"Калибровка:Ошибка чтения результатов:" + QString::number(comm::ResultBusy)};
        QTest::newRow("quartz") << 432775 << QStringList{"Калибровка:Ошибка чтения частоты кварца"};
        QTest::newRow("times") << 449153 << QStringList{"Калибровка:Ошибка чтения времен"};
    }
    void failureKeepsTheDelay()
    {
        QFETCH(int, qid);
        QFETCH(QStringList, messages);
        test::Workbench w;
        w.ctx().imitation.CalibratedDT = kKeptDelay;
        w.bench->failures.insert(qid, comm::ResultBusy);
        QVERIFY(!w.main->delayLine.CalibrateDelayLine());
        QCOMPARE(w.dialogs.messages, messages);
        QCOMPARE(w.ctx().imitation.CalibratedDT, kKeptDelay);
    }

    void automatonErrorIsReported()
    {
        test::Workbench w;
        w.ctx().imitation.CalibratedDT = kKeptDelay;
        w.equipment.setImrError(3);
        QVERIFY(!w.main->delayLine.CalibrateDelayLine());
        QCOMPARE(w.dialogs.lastMessage(), QString("Автомат сработал некорректно"));
        QCOMPARE(w.ctx().imitation.CalibratedDT, kKeptDelay);
    }

    void zeroQuartzFrequencyIsRefused()
    {
        test::Workbench w;
        w.ctx().imitation.CalibratedDT = kKeptDelay;
        w.equipment.setHolding(sim::Module::Imr, 0x8006, 0);
        w.equipment.setHolding(sim::Module::Imr, 0x8007, 0);
        QVERIFY(!w.main->delayLine.CalibrateDelayLine());
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY(w.dialogs.lastMessage().contains("частоту кварца 0 МГц"));
        QCOMPARE(w.ctx().imitation.CalibratedDT, kKeptDelay);
    }

    void withoutTheModuleNothingIsSent()
    {
        test::Workbench w;
        w.ctx().modules.ImrModule.Adr = 0;
        w.bench->requests.clear();
        QVERIFY(!w.main->delayLine.CalibrateDelayLine());
        QVERIFY(w.bench->requests.isEmpty());
        QCOMPARE(w.dialogs.messages, QStringList{"Модуль ИМР не обнаружен: выполните «Проверка связи»"});
    }
};

QTEST_GUILESS_MAIN(TstDelayCalibration)
#include "tst_delay_calibration.moc"
