// The meter's number of autocirculations: counted by the imitation module on the simulated
// bench, with the bound on the count's state reads and its failures, and read from the meter.
#include "../modes/Workbench.h"

#include "link/Result.h"
#include "meter/MeterTypes.h"

#include <QTest>

namespace {

struct Count : test::Workbench {
    // meterType: chosen in the program; the simulated meter plays it where it can.
    explicit Count(int meterAutocirculations = 256, int executingMs = 20, int meterType = 0)
        : Workbench(options(meterAutocirculations, executingMs, meterType), meterType)
    {
    }
    static sim::Options options(int autocirculations, int executingMs, int meterType)
    {
        sim::Options o = test::quickBench();
        o.meterAutocirculations = autocirculations;
        o.executingMs = executingMs;
        o.meterType = meterType == kTypeWithRegister ? meterType : 0;
        return o;
    }
    static constexpr int kTypeWithRegister = 1;  // the type whose meter keeps its count in a register
    ui::forms::ConfigPage& page() { return form().config; }
};

}  // namespace

class TstAutoCirculation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countedByTheBench_data()
    {
        QTest::addColumn<int>("meterType");
        QTest::addColumn<int>("counted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("type 0") << 0 << 300 << "300";
        QTest::newRow("multi-channel shows one less") << meter::TypeMultiChannel << 256 << "255";
    }
    void countedByTheBench()
    {
        QFETCH(int, meterType);
        QFETCH(int, counted);
        QFETCH(QString, shown);
        Count w(counted, 20, meterType);
        w.page().BtnCount.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messages.join('|')));
        QCOMPARE(w.ctx().AutoCircCount(), counted);
        QCOMPARE(w.page().edtac.text(), shown);
        QCOMPARE(w.ctx().state.values.ImrState, 0);
    }

    void countStillRunningAfterFiftyReadsFails()
    {
        Count w(300, 60000);
        const int before = w.ctx().AutoCircCount();
        w.page().BtnCount.click();
        QCOMPARE(w.dialogs.messages, QStringList{"Не удалось подсчитать число автоциркуляций"});
        QCOMPARE(w.bench->count(300002), 1 + 50);  // the return to idle, then the bound
        QCOMPARE(w.ctx().AutoCircCount(), before);
        QCOMPARE(w.page().edtac.text(), QString("???"));
    }

    void failures_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("command refused: silent") << 400004 << QStringList{};
        QTest::newRow("result read") << 316385 << QStringList{"Не удалось считать из прибора число автоциркуляций"};
        QTest::newRow("state read")
            << 300002 << QStringList{"Не удалось считать состояние ИМР"};
    }
    void failures()
    {
        QFETCH(int, qid);
        QFETCH(QStringList, messages);
        Count w(300);
        w.bench->failures.insert(qid, comm::ResultNoAnswer);
        w.page().BtnCount.click();
        QCOMPARE(w.dialogs.messages, messages);
        QCOMPARE(w.ctx().AutoCircCount(), 256);
        QCOMPARE(w.page().edtac.text(), QString("???"));
    }

    void nothingWithoutTheModule()
    {
        Count w;
        w.ctx().modules.ImrModule.Adr = 0;
        w.bench->requests.clear();
        w.page().BtnCount.click();
        QVERIFY(w.bench->requests.isEmpty());
        QCOMPARE(w.page().edtac.text(), QString("256"));
    }

    void readFromTheMeter()
    {
        Count w(312, 20, Count::kTypeWithRegister);
        QVERIFY(w.page().BtnCount1.isEnabled());
        w.page().BtnCount1.click();
        QTRY_COMPARE(w.page().edtac.text(), QString("312"));
        QCOMPARE(w.ctx().AutoCircCount(), 312);
    }

    // The multi-channel window open without a channel chosen: its channel has no register yet.
    void readWithoutAChannelIsRefused()
    {
        sim::Options o = test::quickBench();
        o.meterType = meter::TypeMultiChannel;
        test::Workbench w(o, meter::TypeMultiChannel);
        w.form().config.BtnSetup.click();
        QTRY_COMPARE(w.ctx().Pribor.RegAc, -1);
        w.meter->requests.clear();
        w.form().config.edtac.setText(QStringLiteral("255"));
        w.form().config.BtnCount1.click();
        QCOMPARE(w.dialogs.messages, QStringList{QStringLiteral("Канал прибора не выбран: выберите его в окне «Расходомер»")});
        QCOMPARE(w.meter->count(3), 0);
        QCOMPARE(w.form().config.edtac.text(), QStringLiteral("255"));
    }
};

QTEST_GUILESS_MAIN(TstAutoCirculation)
#include "tst_autocirculation.moc"
