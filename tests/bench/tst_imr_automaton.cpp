// The imitation module's automaton: its state text, the return to idle against the simulated
// module, the emulation bit routine and the state read's preconditions.
#include "../support/MainFixture.h"

#include "../support/StatisticsProbe.h"
#include "bench/ImrAutomaton.h"
#include "bench/ImrStateText.h"
#include "bench/Qids.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "link/rtu/RtuComMaster.h"
#include "sim/Simulator.h"

#include <QTest>

namespace {

using Codes = QList<int>;

// The real server component, recording what it is asked to send.
class RecordingRtu : public comm::RtuComMaster {
public:
    QList<comm::Request> requests;

protected:
    void submit(const comm::Request& r) override
    {
        requests.append(r);
        RtuComMaster::submit(r);
    }
};

// The automaton routines on the simulated bench line.
struct SimulatedBench {
    SimulatedBench()
    {
        sim::Options o;
        o.directory = dir.path();
        o.executingMs = 200;
        simulator = std::make_unique<sim::Simulator>(o);
        QString error;
        started = simulator->start(&error);
        if (!started) {
            qWarning("simulator did not start: %s", qPrintable(error));
            return;
        }
        ctx.modules.ImrModule.Adr = 1;
        QObject::connect(&line, &comm::MBComMaster::OnExchange, &form,
                         [this](int qid, int addr, int fun, const QVariant& v, int r) {
                             ctx.bench.routes.dispatch({qid, addr, fun, v, r});
                         });
        QObject::connect(&line, &comm::MBComMaster::OnChangeConnected, &form,
                         [this](bool on) { ctx.bench.connected = on; });
        line.setComPort(simulator->benchPort());
        line.setComSpeed(19200);
        line.setAnswerDelay(200);
        line.setRetries(1);
        line.attach();
        line.setConnected(true);
    }
    // The written commands, in order.
    Codes commands() const
    {
        Codes codes;
        for (const comm::Request& r : line.requests)
            if (r.qid == bench::qid::ImrCommand)
                codes.append(r.value.toInt());
        return codes;
    }

    QTemporaryDir dir;
    std::unique_ptr<sim::Simulator> simulator;
    bool started = false;
    test::ScriptedDialogs dialogs;
    ui::forms::MainForm form;
    test::StatisticsProbe statistics;
    RecordingRtu line;
    test::FakeComMaster meterLine;
    shell::Context ctx{line, meterLine, form.SB, statistics};
    bench::BenchState& state = ctx.state;
    bench::ImrAutomaton imr{ctx, form.Label84};
};

}  // namespace

class TstImrAutomaton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stateText_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("idle, no command") << 0 << 0 << 0 << "0\rOk\rкоманды не было";
        QTest::newRow("imitating") << 2 << 0 << 2
                                   << "состояние \"ИМИТАЦИЯ ЗАПУЩЕНА\"\rOk\rКОМАНДА \"НАЧАТЬ ИМИТАЦИЮ\" ВЫПОЛНЕНА УСПЕШНО\"";
        QTest::newRow("last rows of each table")
            << 8 << 2 << 25
            << "состояние \"НЕПРЕРЫВНАЯ ПОВЕРКА ЧИСЛА ЗАДЕРЖАННЫХ ИМПУЛЬСОВ\"\r"
               "не дождались EOC в течение EOC_TIMEOUT_MKS (ошибка режима калибровки)\r"
               "КОМАНДА \"ПРЕКРАТИТЬ ПОВЕРКУ ЛИНИИ ЗАДЕРЖКИ\" ВЫПОЛНЕНА УСПЕШНО\"";
        QTest::newRow("unknown state") << 9 << 0 << 0 << "???\rOk\rкоманды не было";
        QTest::newRow("being read") << -1 << -1 << -1 << "???\r???\r???";
        QTest::newRow("unknown error") << 0 << 5 << 0 << "0\r???\rкоманды не было";
        QTest::newRow("result above 25") << 0 << 0 << 26 << "0\rOk\rнеизвестный итог команды (код 26)";
    }
    void stateText()
    {
        QFETCH(int, state);
        QFETCH(int, error);
        QFETCH(int, result);
        QFETCH(QString, text);
        QCOMPARE(bench::ImrStateText(state, error, result), text);
    }

    void resetToIdle_data()
    {
        QTest::addColumn<int>("setup");  // command that brings the module into the state; -1 none
        QTest::addColumn<int>("state");
        QTest::addColumn<Codes>("written");
        QTest::addColumn<bool>("done");
        QTest::newRow("0 idle") << -1 << 0 << Codes{} << true;
        QTest::newRow("1 entering imitation") << 1 << 1 << Codes{2} << true;
        QTest::newRow("2 imitating") << 1 << 2 << Codes{2} << true;
        QTest::newRow("3 leaving imitation") << 2 << 3 << Codes{} << true;
        QTest::newRow("4 counting") << 4 << 4 << Codes{} << true;
        QTest::newRow("5 DA2 tuning") << 5 << 5 << Codes{9} << true;
        QTest::newRow("6 DA1 tuning") << 8 << 6 << Codes{9} << true;
        QTest::newRow("7 delay line check") << 13 << 7 << Codes{15} << true;
        QTest::newRow("8 continuous check") << 11 << 8 << Codes{12} << true;
        QTest::newRow("state read fails") << -1 << -1 << Codes{} << false;
    }
    void resetToIdle()
    {
        QFETCH(int, setup);
        QFETCH(int, state);
        QFETCH(Codes, written);
        QFETCH(bool, done);
        SimulatedBench b;
        QVERIFY(b.started);
        QTRY_VERIFY_WITH_TIMEOUT(b.line.Connected(), 10000);
        if (setup >= 0)
            b.simulator->setHolding(sim::Module::Imr, 3, quint16(setup));
        if (state >= 0)
            QTRY_COMPARE_WITH_TIMEOUT(int(b.simulator->input(sim::Module::Imr, 1)), state, 5000);
        else
            b.simulator->setFault(sim::Module::Imr, {sim::Fault::Exception});

        QCOMPARE(b.imr.ResetToIdle(), done);
        QCOMPARE(b.commands(), written);
        if (done) {
            QCOMPARE(b.state.values.ImrState, 0);
            QCOMPARE(int(b.simulator->input(sim::Module::Imr, 1)), 0);
            QVERIFY(b.dialogs.messages.isEmpty());
        } else {
            QCOMPARE(b.dialogs.messages, QStringList{"Не удалось считать состояние ИМР"});
            QCOMPARE(b.form.Label84.caption(), QString("Не удалось считать состояние ИМР"));
            QCOMPARE(b.state.values.ImrState, 255);
        }
        if (state == 0)
            QCOMPARE(b.line.requests.size(), 1);
    }

    void resetToIdleGivesUpOnAModuleThatNeverStops()
    {
        test::MainFixture w;
        w.bench->reportConnected(true);
        w.main->ctx.modules.ImrModule.Adr = 1;
        w.main->ctx.timing.imrIdleTimeoutMs = 1000;
        w.bench->responder = [](const comm::Request& r, QVariant* value, int*) {
            if (r.qid == 300002)
                *value = QVariantList{comm::u8(2), comm::u8(0), comm::u8(2)};  // imitating, for ever
            return true;
        };
        QVERIFY(!w.main->imr.ResetToIdle());
        QCOMPARE(w.bench->count(400004), 1);
        QCOMPARE(w.bench->last(400004)->value, comm::u8(2));
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY2(w.dialogs.lastMessage().startsWith("ИМР не вернулся в исходное состояние за 1 с"),
                 qPrintable(w.dialogs.lastMessage()));
    }

    void emulationBit_data()
    {
        QTest::addColumn<bool>("oldBench");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("readResult");
        QTest::addColumn<bool>("bitNow");
        QTest::addColumn<int>("failingWrites");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("reads");
        QTest::addColumn<int>("writes");
        QTest::addColumn<QString>("message");
        const QString noAnswer = comm::resultText(comm::ResultNoAnswer);
        QTest::newRow("first write succeeds") << false << 1 << 0 << false << 0 << true << 1 << 1 << "";
        QTest::newRow("nine writes fail") << false << 1 << 0 << false << 9 << true << 1 << 10 << "";
        QTest::newRow("ten writes fail") << false << 1 << 0 << false << 10 << false << 1 << 10
                                         << "Не прошла запись битовой команды:" + noAnswer;
        QTest::newRow("already set") << false << 1 << 0 << true << 0 << true << 1 << 0 << "";
        QTest::newRow("read fails") << false << 1 << int(comm::ResultNoAnswer) << false << 0 << false << 1 << 0
                                    << "Никак не считать состояние бита:" + noAnswer;
        QTest::newRow("old bench") << true << 0 << 0 << false << 0 << true << 0 << 0 << "";
        QTest::newRow("no module") << false << 0 << 0 << false << 0 << false << 0 << 0 << "Модуль ИМР не обнаружен: выполните «Проверка связи»";
    }
    void emulationBit()
    {
        QFETCH(bool, oldBench);
        QFETCH(int, address);
        QFETCH(int, readResult);
        QFETCH(bool, bitNow);
        QFETCH(int, failingWrites);
        QFETCH(bool, ok);
        QFETCH(int, reads);
        QFETCH(int, writes);
        QFETCH(QString, message);
        test::MainFixture w;
        w.main->ctx.OldBench = oldBench;
        w.main->ctx.modules.ImrModule.Adr = quint8(address);
        int failures = failingWrites;
        w.bench->responder = [&](const comm::Request& r, QVariant* value, int* result) {
            if (r.qid == -11) {
                *value = QVariantList{comm::boolean(bitNow)};
                *result = readResult;
            } else {
                *result = failures-- > 0 ? int(comm::ResultNoAnswer) : 0;
            }
            return true;
        };
        QCOMPARE(w.main->imr.SetEmulBit(true), ok);
        QCOMPARE(w.bench->count(-11), reads);
        QCOMPARE(w.bench->count(11), writes);
        QCOMPARE(w.bench->requests.size(), reads + writes);
        if (const comm::Request* write = w.bench->last(11)) {
            QCOMPARE(write->reg, 2);
            QCOMPARE(write->value, comm::boolean(true));
            QCOMPARE(write->address, address);
        }
        QCOMPARE(w.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (ok && !oldBench) {
            QVERIFY(w.main->ctx.state.values.EmulBit);
            QCOMPARE(w.form().SB.panelText(0), QString("true"));
        }
    }

    void stateReadPreconditions_data()
    {
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("label");  // empty: unchanged
        QTest::newRow("link down") << false << 1 << "";
        QTest::newRow("no module") << true << 0 << "Прибор ИМР не найден";
    }
    void stateReadPreconditions()
    {
        QFETCH(bool, linkUp);
        QFETCH(int, address);
        QFETCH(QString, label);
        test::MainFixture w;
        w.bench->reportConnected(linkUp);
        w.main->ctx.modules.ImrModule.Adr = quint8(address);
        const QString before = w.form().Label84.caption();
        w.form().Label84.click();
        QVERIFY(!w.main->imr.ReadImrState());
        QVERIFY(w.bench->requests.isEmpty());
        QCOMPARE(w.form().Label84.caption(), label.isEmpty() ? before : label);
    }

    void stateReadShowsTheText()
    {
        test::MainFixture w;
        w.bench->reportConnected(true);
        w.main->ctx.modules.ImrModule.Adr = 4;
        w.bench->responder = [](const comm::Request&, QVariant* value, int*) {
            *value = QVariantList{comm::u8(7), comm::u8(0), comm::u8(23)};
            return true;
        };
        QVERIFY(w.main->imr.ReadImrState());
        const comm::Request& r = w.bench->requests.at(0);
        QCOMPARE(r.qid, 300002);
        QCOMPARE(r.op, comm::Request::Op::ReadInput);
        QCOMPARE(r.reg, 1);
        QCOMPARE(r.count, 3);
        QCOMPARE(r.address, 4);
        QCOMPARE(w.form().Label84.caption(), bench::ImrStateText(7, 0, 23));
    }
};

QTEST_GUILESS_MAIN(TstImrAutomaton)
#include "tst_imr_automaton.moc"
