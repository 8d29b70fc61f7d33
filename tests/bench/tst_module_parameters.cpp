// The module parameters dialog (one setting written to one module, with the refusals of values
// the module cannot keep) and the defaults broadcast over the five line speeds.
#include "bench/FrmInit.h"
#include "bench/ModuleParameters.h"
#include "bench/PropertyFrm.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/Result.h"
#include "shell/context/Context.h"
#include "shell/input/NumberInput.h"
#include "tests/support/FakeComMaster.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/StatisticsProbe.h"

#include <QTest>

namespace {

using Ints = QList<int>;

// A bench line whose port opens and closes from the event loop when asked, as the server's
// connection event does; a test may take over what happens on a request instead.
class BenchLine : public test::FakeComMaster {
public:
    void setConnected(bool on) override
    {
        FakeComMaster::setConnected(on);
        if (onConnectRequest)
            onConnectRequest(on);
        else
            QMetaObject::invokeMethod(this, [this, on] { reportConnected(on); }, Qt::QueuedConnection);
    }
    std::function<void(bool)> onConnectRequest;
};

struct Bench {
    Bench()
    {
        QObject::connect(&line, &comm::MBComMaster::OnExchange, &host,
                         [this](int qid, int addr, int fun, const QVariant& v, int r) {
                             ctx.bench.routes.dispatch({qid, addr, fun, v, r});
                         });
        ctx.bench.connected = true;
    }

    test::ScriptedDialogs dialogs;
    ui::Form host{"host"};
    ui::StatusBar SB{&host, "SB", nullptr};
    test::StatisticsProbe statistics;
    BenchLine line;
    test::FakeComMaster meterLine;
    shell::Context ctx{line, meterLine, SB, statistics};
    bench::ModuleParameters rows{ctx};
};

struct PropertyFixture : Bench {
    PropertyFixture()
    {
        module.Adr = 5;
        module.RTSDelay = 7;
        line.responder = [this](const comm::Request&, QVariant*, int* result) {
            *result = answerResult;
            return true;
        };
        dialog.showFor(module);
    }
    ui::forms::PropertyForm& form() { return dialog.form; }
    void click(const QString& button) { static_cast<ui::Button*>(form().find(button))->click(); }

    bench::TPZTA module;
    int answerResult = comm::ResultOk;
    bench::TPropertyFrm dialog{ctx.bench, ctx.access};
};

struct InitFixture : Bench {
    InitFixture()
    {
        ctx.timing.defaultsSettleMs = 10;  // the order of the steps is under test, not the modules' settling
        QObject::connect(&line, &comm::MBComMaster::OnChangeConnected, &host,
                         [this](bool on) { dialog.benchConnectionChanged(on); });
        line.responder = [this](const comm::Request& r, QVariant*, int* result) {
            speedsWritten.append(line.ComSpeed());
            *result = broadcastResult;
            return r.qid == bench::qid::DefaultsBroadcast;
        };
        line.reportConnected(true);
        dialog.show();
    }
    ui::forms::FrmInitForm& form() { return dialog.form; }

    int broadcastResult = comm::ResultOk;
    Ints speedsWritten;
    bench::TFrmInit dialog{ctx};
};

QStringList speedLog(int speed)
{
    return {QStringLiteral("Скорость=%1...").arg(speed), QStringLiteral("Ok"), QStringLiteral("Запись адреса...")};
}

}  // namespace

class TstModuleParameters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each activation reloads the fields from the descriptor and the line's speed.
    void opening_data()
    {
        QTest::addColumn<int>("lineSpeed");
        QTest::addColumn<int>("index");
        QTest::newRow("1200") << 1200 << 0;
        QTest::newRow("9600") << 9600 << 3;
        QTest::newRow("19200 has no entry") << 19200 << -1;
        QTest::newRow("unknown speed keeps the choice") << 38400 << 1;
    }
    void opening()
    {
        QFETCH(int, lineSpeed);
        QFETCH(int, index);
        PropertyFixture f;
        f.form().CBSpeed.setItemIndex(1);
        f.form().EdtAdr.setText(QStringLiteral("99"));
        f.line.setComSpeed(lineSpeed);
        f.form().activate();
        QCOMPARE(f.form().EdtAdr.text(), QStringLiteral("5"));
        QCOMPARE(f.form().EdtRts.text(), QStringLiteral("7"));
        QCOMPARE(f.form().CBSpeed.itemIndex(), index);
    }

    // One byte to one common register of the module at its present address; a failed answer
    // shows its Result text, and only a written address moves the descriptor.
    void writes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("adr");
        QTest::addColumn<QString>("rts");
        QTest::addColumn<int>("speedIndex");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("qid");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("adrAfter");
        const int failed = comm::ResultNoAnswer;
        QTest::newRow("address") << "Button2" << " 247 " << "0" << 0 << 0 << 1 << 0 << 247 << 247;
        QTest::newRow("address failed") << "Button2" << "44" << "0" << 0 << failed << 1 << 0 << 44 << 5;
        QTest::newRow("rts delay") << "Button3" << "5" << "255" << 0 << 0 << 3 << 2 << 255 << 5;
        QTest::newRow("rts delay failed") << "Button3" << "5" << "0" << 0 << failed << 3 << 2 << 0 << 5;
        QTest::newRow("speed") << "Button5" << "5" << "0" << 2 << 0 << 2 << 1 << 2 << 5;
        QTest::newRow("speed failed") << "Button5" << "5" << "0" << 3 << failed << 2 << 1 << 3 << 5;
    }
    void writes()
    {
        QFETCH(QString, button);
        QFETCH(QString, adr);
        QFETCH(QString, rts);
        QFETCH(int, speedIndex);
        QFETCH(int, result);
        QFETCH(int, qid);
        QFETCH(int, reg);
        QFETCH(int, value);
        QFETCH(int, adrAfter);
        PropertyFixture f;
        f.answerResult = result;
        f.form().EdtAdr.setText(adr);
        f.form().EdtRts.setText(rts);
        f.form().CBSpeed.select(speedIndex);
        f.click(button);

        QCOMPARE(f.line.requests.size(), 1);
        const comm::Request& r = f.line.requests.first();
        QCOMPARE(r.qid, qid);
        QCOMPARE(r.op, comm::Request::Op::WriteRegisters);
        QCOMPARE(r.period, 0);
        QCOMPARE(r.address, 5);
        QCOMPARE(r.reg, reg);
        QCOMPARE(r.type, comm::DataType::UInt8);
        QCOMPARE(r.value.toInt(), value);
        QCOMPARE(f.ctx.bench.result(qid), result);
        QCOMPARE(f.dialogs.messages, result == 0 ? QStringList() : QStringList{comm::resultText(result)});
        QCOMPARE(int(f.module.Adr), adrAfter);
    }

    // A value the module cannot keep stops the click with one message; nothing is sent and the
    // descriptor keeps its address ("Закрыть" included, which stays open).
    void refusals_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("adr");
        QTest::addColumn<QString>("rts");
        QTest::addColumn<int>("speedIndex");
        QTest::addColumn<QString>("message");
        const QString adrRange = QStringLiteral("Адрес прибора «%1» вне пределов: допустимо от 1 до 247.");
        const QString rtsRange = QStringLiteral("Задержка RTS «%1» вне пределов: допустимо от 0 до 255.");
        QTest::newRow("address 300 (would be written as 44)") << "Button2" << "300" << "0" << 0 << adrRange.arg(300);
        QTest::newRow("address 0") << "Button2" << "0" << "0" << 0 << adrRange.arg(0);
        QTest::newRow("address 248") << "Button2" << "248" << "0" << 0 << adrRange.arg(248);
        QTest::newRow("address not a number") << "Button2" << "1a" << "0" << 0 << input::notAnInteger("1a");
        QTest::newRow("rts 256") << "Button3" << "5" << "256" << 0 << rtsRange.arg(256);
        QTest::newRow("rts negative") << "Button3" << "5" << "-1" << 0 << rtsRange.arg(-1);
        QTest::newRow("rts not a number") << "Button3" << "5" << "" << 0 << input::notAnInteger("");
        QTest::newRow("no speed (would send 255)")
            << "Button5" << "5" << "0" << -1 << QStringLiteral("Скорость не выбрана: выберите её в списке.");
        QTest::newRow("close with address 300") << "Button1" << "300" << "0" << 0 << adrRange.arg(300);
    }
    void refusals()
    {
        QFETCH(QString, button);
        QFETCH(QString, adr);
        QFETCH(QString, rts);
        QFETCH(int, speedIndex);
        QFETCH(QString, message);
        PropertyFixture f;
        f.form().EdtAdr.setText(adr);
        f.form().EdtRts.setText(rts);
        f.form().CBSpeed.setItemIndex(speedIndex);
        f.click(button);
        QCOMPARE(f.dialogs.messages, QStringList{message});
        QVERIFY(f.line.requests.isEmpty());
        QCOMPARE(int(f.module.Adr), 5);
        QVERIFY(f.form().isVisible());
    }

    // "Закрыть" (and Esc) tells the program a module's address without writing it.
    void closeTakesTypedAddress_data()
    {
        QTest::addColumn<bool>("esc");
        QTest::newRow("button") << false;
        QTest::newRow("esc") << true;
    }
    void closeTakesTypedAddress()
    {
        QFETCH(bool, esc);
        PropertyFixture f;
        f.form().EdtAdr.setText(QStringLiteral("17"));
        if (esc)
            f.form().pressCancel();
        else
            f.click(QStringLiteral("Button1"));
        QCOMPARE(int(f.module.Adr), 17);
        QVERIFY(f.line.requests.isEmpty());
        QVERIFY(!f.form().isVisible());
    }

    // The defaults go out once at every speed, whatever the broadcast's Result; the link is
    // closed at the end, left at 19200 and address 0.
    void fullRun_data()
    {
        QTest::addColumn<int>("broadcastResult");
        QTest::newRow("sent") << int(comm::ResultOk);
        QTest::newRow("failed") << int(comm::ResultCannotSend);
    }
    void fullRun()
    {
        QFETCH(int, broadcastResult);
        InitFixture f;
        f.broadcastResult = broadcastResult;
        f.form().Memo1.add(QStringLiteral("from the previous run"));
        f.form().Button1.click();

        QStringList expected;
        for (int speed : {1200, 2400, 4800, 9600, 19200})
            expected += speedLog(speed);
        expected += QStringLiteral("Завершено.");
        QCOMPARE(f.form().Memo1.lines(), expected);
        QCOMPARE(f.speedsWritten, (Ints{1200, 2400, 4800, 9600, 19200}));
        for (const comm::Request& r : f.line.requests) {
            QCOMPARE(r.qid, bench::qid::DefaultsBroadcast);
            QCOMPARE(r.address, 0);
            QVERIFY(r.broadcast);
            QCOMPARE(r.reg, bench::reg::Address);
            QCOMPARE(r.period, 0);
            QCOMPARE(r.type, comm::DataType::UInt8);
            Ints values;
            for (const QVariant& v : r.value.toList())
                values.append(v.toInt());
            QCOMPARE(values, (Ints{0, 3, 0}));
        }
        // Closed first (it was open), then opened and closed again at each speed but the last.
        QList<bool> connects{false};
        for (int i = 0; i < 5; ++i)
            connects += QList<bool>{true, false};
        QCOMPARE(f.line.connectedRequests, connects);
        QCOMPARE(f.line.ComSpeed(), 19200);
        QVERIFY(f.form().Button1.isEnabled());
    }

    // "Закрыть" while the link does not come up at 2400 ends the procedure with no further write.
    void closeWhileWaitingForLink()
    {
        InitFixture f;
        int opens = 0;
        f.line.onConnectRequest = [&](bool on) {
            if (on && ++opens == 2) {
                QMetaObject::invokeMethod(&f.line, [&] { f.form().Button2.click(); }, Qt::QueuedConnection);
                return;
            }
            QMetaObject::invokeMethod(&f.line, [&f, on] { f.line.reportConnected(on); }, Qt::QueuedConnection);
        };
        f.form().Button1.click();

        QCOMPARE(f.form().Memo1.lines(), speedLog(1200) << QStringLiteral("Скорость=2400..."));
        QCOMPARE(f.speedsWritten, Ints{1200});
        QCOMPARE(f.line.connectedRequests, (QList<bool>{false, true, false, true}));
        QVERIFY(!f.form().isVisible());

        // Started again, it runs from the beginning with a fresh log.
        f.line.onConnectRequest = nullptr;
        f.dialog.show();
        f.form().Button1.click();
        QCOMPARE(f.form().Memo1.lines().first(), QStringLiteral("Скорость=1200..."));
        QCOMPARE(f.form().Memo1.lines().last(), QStringLiteral("Завершено."));
    }
};

QTEST_GUILESS_MAIN(TstModuleParameters)
#include "tst_module_parameters.moc"
