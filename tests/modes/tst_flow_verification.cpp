// Verification of the bench's own flow imitation on the simulated bench: the count of each
// point, the continuous and single checks of the delayed-pulse count, the delay line's control
// modes, the stop, and the refusal while another mode runs.
#include "Workbench.h"

#include "link/Result.h"
#include "modes/DelayedPulseCount.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"

#include <QTest>

namespace {

constexpr int kDelayCountReg = 16386;
constexpr int kStateReg = 1;
constexpr int kCommandQid = 400004;

struct Verification : test::Workbench {
    using Workbench::Workbench;
    ui::forms::PoverQPage& page() { return form().poverQ; }
    modes::VerifyPulses expected(int point) { return modes::verifyPulseCount(point, ctx().imitation.CalibratedDT); }
    int writtenCount() { return equipment.holding(sim::Module::Imr, kDelayCountReg); }
    QList<int> commands() const
    {
        QList<int> codes;
        for (const comm::Request& r : bench->requests)
            if (r.qid == kCommandQid)
                codes.append(r.value.toInt());
        return codes;
    }
    bool choicesEnabled() { return page().rgPover.isEnabled() && page().RGNepr.isEnabled() && page().RGControl.isEnabled(); }
};

}  // namespace

class TstFlowVerification : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { input::setDecimalSeparator('.'); }

    void startWritesTheCountOfThePoint()
    {
        Verification w;
        w.page().BtnStartPover.click();
        QVERIFY(w.dialogs.messages.isEmpty());
        QVERIFY(w.ctx().imitation.VerifyScale);
        QVERIFY(w.ctx().workMode.isFree());  // the start alone is no mode
        const modes::VerifyPulses at2 = w.expected(2);
        QCOMPARE(w.writtenCount(), at2.count);
        QCOMPARE(w.page().edtDPN.text(), QString::number(at2.count));
        QCOMPARE(w.page().edtQReal_Imited.text(), input::format3(at2.imitatedFlow));
        QVERIFY(w.choicesEnabled());
        QVERIFY(!w.page().BtnStartPover.isEnabled());
        QVERIFY(w.page().BtnStopPover.isEnabled());

        w.page().rgPover.select(3);  // 250 m3/h
        QCOMPARE(w.writtenCount(), w.expected(250).count);
        QCOMPARE(w.ctx().state.values.ImitatedFlow, w.expected(250).imitatedFlow);
    }

    void continuousThenSingleCheck()
    {
        Verification w;
        w.page().BtnStartPover.click();
        w.page().RGNepr.select(1);
        QCOMPARE(w.commands().last(), 11);
        QVERIFY(w.ctx().workMode.is(shell::Mode::CountVerification));
        QCOMPARE(w.ctx().SB.panelText(0), QString("Идет поверка числа задержанных импульсов."));
        QVERIFY(!w.page().btnPover1.isVisible());
        // A second mode is refused meanwhile.
        w.form().imitQ.btnImit.click();
        QCOMPARE(w.dialogs.messages, QStringList{"Отмените работу других режимов"});
        w.dialogs.clear();

        w.page().RGNepr.select(0);
        QCOMPARE(w.commands().last(), 12);
        QVERIFY(w.ctx().workMode.is(shell::Mode::SingleCheck));
        QVERIFY(w.page().btnPover1.isVisible());

        const int count = w.expected(2).count;
        w.page().btnPover1.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messages.join('|')));
        QCOMPARE(w.writtenCount(), count - 1);
        QCOMPARE(w.commands().last(), 10);
        QCOMPARE(w.ctx().state.values.ImrLastCmd, 19);
    }

    void singleCheckReportsTheAutomaton()
    {
        Verification w;
        w.page().BtnStartPover.click();
        w.page().RGNepr.select(0);
        w.equipment.setImrError(2);
        w.page().btnPover1.click();
        QCOMPARE(w.dialogs.lastMessage(), QString("Прибор ответил ошибкой автомата имитиции."));
    }

    void delayLineControlModes_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("command");
        QTest::newRow("without delay") << 0 << 13;
        QTest::newRow("with delay") << 1 << 14;
    }
    void delayLineControlModes()
    {
        QFETCH(int, item);
        QFETCH(int, command);
        Verification w;
        w.page().BtnStartPover.click();
        w.page().RGNepr.select(0);
        w.page().RGControl.select(item);
        QVERIFY(!w.page().btnPover1.isVisible());
        QCOMPARE(w.commands().last(), command);
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), 7);
    }

    void stopReturnsToIdle()
    {
        Verification w;
        w.page().BtnStartPover.click();
        w.page().RGNepr.select(1);
        w.page().RGControl.select(0);
        w.page().BtnStopPover.click();
        QVERIFY(w.ctx().workMode.isFree());
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), 0);
        QVERIFY(!w.page().rgPover.isEnabled() && !w.page().RGNepr.isEnabled() && !w.page().RGControl.isEnabled());
        QCOMPARE(w.page().RGNepr.itemIndex(), -1);
        QCOMPARE(w.page().RGControl.itemIndex(), -1);
        QVERIFY(w.page().BtnStartPover.isEnabled());
        QVERIFY(!w.page().BtnStopPover.isEnabled());
    }

    void failedCommandsSayWhy_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("message");
        QTest::newRow("single") << 0 << "Не прошла команда STOP задержанных импульсов";
        QTest::newRow("continuous") << 1 << "Не прошла команда поверка числа задержанных импульсов"
                                             + QString::number(comm::ResultBusy);
    }
    void failedCommandsSayWhy()
    {
        QFETCH(int, item);
        QFETCH(QString, message);
        Verification w;
        w.page().BtnStartPover.click();
        w.bench->failures.insert(kCommandQid, comm::ResultBusy);
        w.page().RGNepr.select(item);
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QVERIFY(w.ctx().workMode.isFree());
    }

    void failedCountWriteStillOpensTheChoices()
    {
        Verification w;
        w.bench->failures.insert(416387, comm::ResultNoAnswer);
        w.page().BtnStartPover.click();
        QCOMPARE(w.dialogs.messages, QStringList{"Не удалось записать количество задержанных импульсов"});
        QVERIFY(w.choicesEnabled());
    }

    void startRefusedWhileAnotherModeRuns()
    {
        Verification w;
        w.ctx().workMode.enter(shell::Mode::FlowImitation);
        w.bench->requests.clear();
        w.page().BtnStartPover.click();
        QCOMPARE(w.dialogs.messages, QStringList{"Отмените работу других режимов"});
        QVERIFY(w.bench->requests.isEmpty());
        QVERIFY(w.page().BtnStartPover.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TstFlowVerification)
#include "tst_flow_verification.moc"
