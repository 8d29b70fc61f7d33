// The live readouts of the pulse counter and the current meter on the simulated bench: the
// periodic readings and their check boxes, the counter resets, the input modes.
#include "../modes/Workbench.h"

#include "link/Result.h"

#include <QTest>

namespace {

constexpr int kCounters = 532769, kModes = 500011, kCurrents = 749153, kCounterCommand = 600004;

const comm::Request* lastOf(const test::FailingServer& s, int qid)
{
    for (auto it = s.requests.crbegin(); it != s.requests.crend(); ++it)
        if (it->qid == qid)
            return &*it;
    return nullptr;
}

}  // namespace

class TstReadouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countersReadEverySecondWhileChecked()
    {
        test::Workbench w;
        auto& g = w.form().usiGroup;
        g.ChbCnt1.click();
        const comm::Request* read = lastOf(*w.bench, kCounters);
        QVERIFY(read);
        QCOMPARE(read->period, 1000);
        QCOMPARE(read->address, 2);
        QCOMPARE(w.bench->count(kModes), 1);
        QTRY_COMPARE(g.lbls2.caption(), QString("|"));

        g.ChbCnt1.click();
        QTRY_COMPARE(w.bench->count(kModes), 2);  // the modes are refreshed once more
    }

    void withoutTheCounterNothingIsSent()
    {
        test::Workbench w;
        w.ctx().modules.UsiModule.Adr = 0;
        auto& g = w.form().usiGroup;
        w.bench->requests.clear();
        g.ChbCnt1.click();
        g.Button6.click();
        g.Button8.click();
        g.PnlUsi3.click();
        QVERIFY(g.ChbCnt1.isChecked());
        // Nothing at all: a reset would otherwise reach every module as a broadcast.
        QVERIFY(w.bench->requests.isEmpty());
    }

    void resets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("command");
        QTest::newRow("second row") << "Button8" << 2;
        QTest::newRow("all") << "Button6" << 5;
    }
    void resets()
    {
        QFETCH(QString, button);
        QFETCH(int, command);
        test::Workbench w;
        static_cast<ui::Button*>(w.form().find(button))->click();
        const comm::Request* write = lastOf(*w.bench, kCounterCommand);
        QVERIFY(write);
        QCOMPARE(write->value.toInt(), command);
        QCOMPARE(write->address, 2);
    }

    void inputModeToggles()
    {
        test::Workbench w;
        auto& g = w.form().usiGroup;
        w.equipment.setCoil(sim::Module::Usi, 2, true);
        g.PnlUsi3.click();  // shows "Пассивный" in black: asks for active
        QVERIFY(!w.equipment.coil(sim::Module::Usi, 2));
        QTRY_COMPARE(g.PnlUsi3.caption(), QString("Активный"));
        QCOMPARE(g.PnlUsi3.font().color, ui::colors::Red);
        QCOMPARE(g.PnlUsi3.bevel(), ui::Bevel::Lowered);
        g.PnlUsi3.click();
        QVERIFY(w.equipment.coil(sim::Module::Usi, 2));
        QTRY_COMPARE(g.PnlUsi3.caption(), QString("Пассивный"));
    }

    void checkedCounterFeedsTheStatistics_data()
    {
        QTest::addColumn<int>("input");  // 0..3, rbv0..rbv3
        QTest::newRow("first input") << 0;
        QTest::newRow("fourth input") << 3;
    }
    void checkedCounterFeedsTheStatistics()
    {
        QFETCH(int, input);
        test::Workbench w;
        auto& g = w.form().usiGroup;
        ui::RadioButton* const choice[] = {&g.rbv0, &g.rbv1, &g.rbv2, &g.rbv3};
        choice[input]->setChecked(true);
        const int counterReg = 32768 + 2 * input;
        w.equipment.setInput(sim::Module::Usi, counterReg, 0);
        w.equipment.setInput(sim::Module::Usi, counterReg + 1, quint16(1234 + input));
        g.ChbCnt1.click();
        QTRY_COMPARE(w.main->calcFrm.ImpIzm(), double(1234 + input));
    }

    void resetOfAllModesStopsBothReadings()
    {
        test::Workbench w;
        auto& counters = w.form().usiGroup.ChbCnt1;
        auto& currents = w.form().iptGroup.ChbTok;
        counters.click();
        currents.click();
        int answers = 0;
        QObject::connect(w.bench, &comm::MBComMaster::OnExchange, w.bench,
                         [&answers](int qid) { answers += qid == kCounters || qid == kCurrents; });
        QTRY_VERIFY(answers >= 2);
        w.form().config.Button19.click();
        QCOMPARE(w.bench->owes(kCounters), 0);
        QCOMPARE(w.bench->owes(kCurrents), 0);
        QVERIFY(counters.isChecked() && currents.isChecked());
        // Unchecking and checking again restarts them.
        answers = 0;
        counters.click();
        counters.click();
        QTRY_VERIFY(answers > 0);
    }

    void bothCurrentBoxesShareOneReading()
    {
        test::Workbench w;
        auto& box = w.form().iptGroup.ChbTok;
        auto& pageBox = w.form().ipt.CHBTok1;
        w.form().iptGroup.rbi2.setChecked(true);
        box.click();
        pageBox.click();
        QCOMPARE(w.bench->count(kCurrents), 2);
        QTRY_VERIFY(w.main->calcFrm.IIzm() > 0);
        // Channel 3 of the simulated current meter reads its fixed 12 mA.
        QVERIFY(qAbs(w.main->calcFrm.IIzm() - 12.0) < 0.1);
        int answers = 0;
        QObject::connect(w.bench, &comm::MBComMaster::OnExchange, w.bench,
                         [&answers](int qid) { answers += qid == kCurrents; });
        QTRY_VERIFY(answers > 0);
        pageBox.click();
        QVERIFY(box.isChecked());
        QCOMPARE(w.bench->owes(kCurrents), 0);  // stopped although ChbTok stays checked
    }
};

QTEST_GUILESS_MAIN(TstReadouts)
#include "tst_readouts.moc"
