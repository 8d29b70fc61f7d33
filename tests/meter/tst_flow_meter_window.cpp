// The settings window of the two-channel meter: the channel choice and the registers it hands
// to the polling, the status words, every read and write with what it sends and shows, bad
// input, the connected flag, and the stored window position.
#include "../support/FakeContext.h"
#include "../support/WindowPlace.h"
#include "link/DataType.h"
#include "link/Line.h"
#include "link/Result.h"
#include "meter/FlowMeterWindow.h"
#include "meter/MeterQids.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Op = comm::Request::Op;

// What the polling finds when the window asks for a restart.
struct Restart {
    int regQ;
    int regV;
    int channel;
};

// The window on a connected fake meter line, its settings in a directory of its own.
struct WindowFixture : test::FakeContext {
    WindowFixture()
    {
        ctx.meter.connected = true;
        ctx.Pribor.RegQ = -1;
        ctx.Pribor.RegV = -1;
        open();
    }
    void open()
    {
        window = std::make_unique<meter::TFlowMeterForm>(ctx, [this] {
            restarts.append({ctx.Pribor.RegQ, ctx.Pribor.RegV, window->channel()});
        });
    }
    void reopen()
    {
        window.reset();
        ctx.meter.routes = comm::RouteTable();
        open();
    }
    ui::forms::FlowMeterForm& form() { return window->form; }
    // Channel 1 or 2 as the operator clicks it; 0 leaves the choice untouched.
    void choose(int channel)
    {
        if (channel != 0)
            form().rgCanal.select(channel - 1);
    }
    // An answer of the meter line, as its connection delivers it.
    void answer(int qid, const QVariant& value, int result = comm::ResultOk)
    {
        ctx.meter.routes.dispatch(comm::Exchange{qid, 1, 3, value, result});
    }
    // The operator's gesture on the named control: a button or check box is clicked, the
    // second item of a combo or radio group chosen.
    void operate(const QString& name)
    {
        ui::Control* c = form().find(name);
        QVERIFY2(c, qPrintable(name));
        switch (c->kind()) {
        case ui::Kind::Button: static_cast<ui::Button*>(c)->click(); break;
        case ui::Kind::CheckBox: static_cast<ui::CheckBox*>(c)->click(); break;
        case ui::Kind::ComboBox: static_cast<ui::ComboBox*>(c)->select(1); break;
        case ui::Kind::RadioGroup: static_cast<ui::RadioGroup*>(c)->select(1); break;
        default: QFAIL(qPrintable(name));
        }
    }
    void type(const QString& editName, const QString& text)
    {
        if (editName.isEmpty())
            return;
        auto* edit = qobject_cast<ui::Edit*>(form().find(editName));
        QVERIFY2(edit, qPrintable(editName));
        edit->setText(text);
    }
    // The text an answer shows: the status line ("SB") or a field.
    QString shown(const QString& where)
    {
        if (where == QLatin1String("SB"))
            return form().SB.panelText(0);
        return qobject_cast<ui::Edit*>(form().find(where))->text();
    }

    QList<Restart> restarts;
    std::unique_ptr<meter::TFlowMeterForm> window;
};

}  // namespace

class TstFlowMeterWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { input::setDecimalSeparator(u'.'); }

    void startsWithoutChannel()
    {
        WindowFixture f;
        QCOMPARE(f.window->channel(), 0);
        QCOMPARE(f.form().rgCanal.itemIndex(), -1);
        QCOMPARE(f.form().lblErr.caption(), QStringLiteral("..."));
        QVERIFY(!f.form().Button2.isEnabled());
        QVERIFY(f.meterServer.requests.isEmpty());
        QVERIFY(f.restarts.isEmpty());
    }

    // The polling restarts once, already seeing the new channel's registers.
    void channelChoice_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("regQ");
        QTest::addColumn<int>("regV");
        QTest::newRow("channel 1") << 1 << 210 << 219;
        QTest::newRow("channel 2") << 2 << 235 << 244;
    }
    void channelChoice()
    {
        QFETCH(int, channel);
        QFETCH(int, regQ);
        QFETCH(int, regV);
        WindowFixture f;
        f.choose(channel);
        QCOMPARE(f.window->channel(), channel);
        QCOMPARE(f.ctx.Pribor.RegQ, regQ);
        QCOMPARE(f.ctx.Pribor.RegV, regV);
        QCOMPARE(f.restarts.size(), 1);
        QCOMPARE(f.restarts[0].regQ, regQ);
        QCOMPARE(f.restarts[0].regV, regV);
        QCOMPARE(f.restarts[0].channel, channel);
        QVERIFY(f.form().Button2.isEnabled());
        QVERIFY(f.meterServer.requests.isEmpty());
    }

    void switchingChannelsRestartsEachTime()
    {
        WindowFixture f;
        f.choose(2);
        f.choose(1);
        QCOMPARE(f.restarts.size(), 2);
        QCOMPARE(f.restarts[1].regQ, 210);
        QCOMPARE(f.restarts[1].regV, 219);
        QCOMPARE(f.restarts[1].channel, 1);
    }

    // Message 0x402: the word of the chosen channel, or the failure.
    void statusWords_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("first");   // register 254, channel 1
        QTest::addColumn<int>("second");  // register 255, channel 2
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("label");
        QTest::newRow("no signal on channel 1") << 1 << 8 << 0 << 0 << "НЕТ УЗС";
        QTest::newRow("channel 2 of the same words") << 2 << 8 << 0 << 0 << "OK";
        QTest::newRow("no signal on channel 2") << 2 << 0 << 8 << 0 << "НЕТ УЗС";
        QTest::newRow("other bits only") << 1 << 0xFFF7 << 0xFFFF << 0 << "OK";
        QTest::newRow("bit 3 among others") << 2 << 0 << 0xFF0F << 0 << "НЕТ УЗС";
        QTest::newRow("no channel chosen") << 0 << 8 << 8 << 0 << "...";
        QTest::newRow("failure") << 1 << 0 << 0 << int(comm::ResultNoAnswer) << comm::resultText(comm::ResultNoAnswer);
        QTest::newRow("failure without channel")
            << 0 << 0 << 0 << int(comm::ResultCrc) << comm::resultText(comm::ResultCrc);
    }
    void statusWords()
    {
        QFETCH(int, channel);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, result);
        WindowFixture f;
        f.choose(channel);
        const QVariant words = result == 0 ? QVariant(QVariantList{comm::u16(quint16(first)), comm::u16(quint16(second))})
                                           : QVariant();
        f.answer(meter::qid::StatusWords, words, result);
        QTEST(f.form().lblErr.caption(), "label");
    }

    // Each request: what it sends, and what its answer shows on success and on failure.
    void requests_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("edit");    // the field the operator fills first; empty: none
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("qid");
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("sent");   // the written value; invalid for reads
        QTest::addColumn<QVariant>("answer"); // the value a successful answer carries
        QTest::addColumn<QString>("where");   // "SB" or the field the answer fills
        QTest::addColumn<QString>("success");
        QTest::addColumn<QString>("failure");

        const QString noAnswer = comm::resultText(comm::ResultNoAnswer);
        const int wr = int(Op::WriteRegisters);
        const int rd = int(Op::ReadHolding);
        const int u8 = int(comm::DataType::UInt8);
        const int u16 = int(comm::DataType::UInt16);
        const int f = int(comm::DataType::Float);
        const QString none;
        const auto failed = [&](const char* prefix) -> QString { return QString::fromUtf8(prefix) + noAnswer; };

        QTest::newRow("volume reset before any choice resets channel 1")
            << "Button1" << 0 << none << none << 5 << wr << 27 << u8 << comm::u8(2) << QVariant() << "SB"
            << "Сброс оъема: Ок" << failed("Сброс оъема: ");
        QTest::newRow("volume reset of channel 2")
            << "Button1" << 2 << none << none << 5 << wr << 28 << u8 << comm::u8(2) << QVariant() << "SB"
            << "Сброс оъема: Ок" << failed("Сброс оъема: ");
        QTest::newRow("zero shift with a comma")
            << "Button5" << 0 << "EdtShift" << "-1,25" << 10 << wr << 24 << f << comm::f32(-1.25f) << QVariant()
            << "SB" << "Смещение нуля: Ок" << failed("Смещение нуля: ");
        QTest::newRow("flow cut-off")
            << "Button3" << 0 << "EdtOtsek" << "0.5" << 11 << wr << 31 << f << comm::f32(0.5f) << QVariant() << "SB"
            << "Отсечка: Ок" << failed("Отсечка: ");
        QTest::newRow("window shift of channel 1, negative")
            << "Button2" << 1 << "EdtWindow" << "-5" << 14 << wr << 78 << u16 << comm::u16(65531) << QVariant()
            << "SB" << "Смещение окна: Ок" << failed("Смещение окна: ");
        QTest::newRow("window shift of channel 2")
            << "Button2" << 2 << "EdtWindow" << "32767" << 14 << wr << 161 << u16 << comm::u16(32767) << QVariant()
            << "SB" << "Смещение окна: Ок" << failed("Смещение окна: ");
        QTest::newRow("pulse output mode")
            << "cbxOut" << 0 << none << none << 12 << wr << 21 << u16 << comm::u16(1) << QVariant() << "SB"
            << "Импульсный выход: Ок" << failed("Импульсный выход: ");
        QTest::newRow("imitator")
            << "chbImit" << 0 << none << none << 8 << int(Op::WriteCoil) << 3 << int(comm::DataType::Bool)
            << comm::boolean(true) << QVariant() << "SB" << "подключ. имитатора ОК" << failed("8: ");
        QTest::newRow("operating mode")
            << "RGWork" << 0 << none << none << 9 << wr << 15 << u8 << comm::u8(1) << QVariant() << "SB"
            << "режим работы ОК" << failed("9: ");
        QTest::newRow("read zero shift")
            << "Button6" << 0 << none << none << 6 << rd << 24 << f << QVariant() << comm::f32(2.5f) << "EdtShift"
            << "2.5" << noAnswer;
        QTest::newRow("read cut-off, three decimals")
            << "Button6" << 0 << none << none << 7 << rd << 31 << f << QVariant() << comm::f32(0.0625f)
            << "EdtOtsek" << "0.063" << noAnswer;
        QTest::newRow("read window shift of channel 1, signed")
            << "Button6" << 1 << none << none << 13 << rd << 78 << int(comm::DataType::Int16) << QVariant()
            << comm::i16(-5) << "EdtWindow" << "-5" << noAnswer;
        QTest::newRow("read window shift of channel 2")
            << "Button6" << 2 << none << none << 13 << rd << 161 << int(comm::DataType::Int16) << QVariant()
            << comm::i16(300) << "EdtWindow" << "300" << noAnswer;
    }
    void requests()
    {
        QFETCH(QString, control);
        QFETCH(int, channel);
        QFETCH(QString, edit);
        QFETCH(QString, input);
        QFETCH(int, qid);
        QFETCH(QVariant, sent);
        QFETCH(QVariant, answer);
        QFETCH(QString, where);
        WindowFixture f;
        f.choose(channel);
        f.type(edit, input);
        f.operate(control);
        QVERIFY(f.dialogs.messages.isEmpty());

        QCOMPARE(f.meterServer.count(qid), 1);
        const comm::Request& r = *f.meterServer.last(qid);
        QTEST(int(r.op), "op");
        QTEST(r.reg, "reg");
        QTEST(int(r.type), "type");
        QCOMPARE(r.period, 0);
        if (sent.isValid()) {
            QCOMPARE(r.value.metaType(), sent.metaType());
            QCOMPARE(r.value, sent);
        } else {
            QCOMPARE(r.count, 1);
        }

        f.answer(qid, answer);
        QTEST(f.shown(where), "success");
        f.answer(qid, QVariant(), comm::ResultNoAnswer);
        QTEST(f.shown(where), "failure");
    }

    // "Считать" empties the fields it refills; the window shift only with a channel chosen.
    void readSendsPerChannel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QList<int>>("qids");
        QTest::newRow("no channel: shift and cut-off only") << 0 << QList<int>{6, 7};
        QTest::newRow("channel 1") << 1 << QList<int>{6, 7, 13};
        QTest::newRow("channel 2") << 2 << QList<int>{6, 7, 13};
    }
    void readSendsPerChannel()
    {
        QFETCH(int, channel);
        WindowFixture f;
        f.choose(channel);
        f.form().EdtShift.setText("1");
        f.form().EdtOtsek.setText("2");
        f.form().EdtWindow.setText("3");
        f.form().Button6.click();
        QList<int> qids;
        for (const comm::Request& r : f.meterServer.requests)
            qids.append(r.qid);
        QTEST(qids, "qids");
        QCOMPARE(f.form().EdtShift.text(), QString());
        QCOMPARE(f.form().EdtOtsek.text(), QString());
        QCOMPARE(f.form().EdtWindow.text(), QStringLiteral("3"));
    }

    // A text that is not a value stops the write with one message; nothing is sent.
    void badInput_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero shift") << "Button5" << "EdtShift" << "abc" << input::notANumber("abc");
        QTest::newRow("zero shift, empty") << "Button5" << "EdtShift" << "" << input::notANumber("");
        QTest::newRow("cut-off") << "Button3" << "EdtOtsek" << "1.2.3" << input::notANumber("1.2.3");
        QTest::newRow("window shift, a fraction") << "Button2" << "EdtWindow" << "1.5" << input::notAnInteger("1.5");
        QTest::newRow("window shift, above a signed word")
            << "Button2" << "EdtWindow" << "32768" << "Смещение окна должно быть от -32768 до 32767";
        QTest::newRow("window shift, below a signed word")
            << "Button2" << "EdtWindow" << "-32769" << "Смещение окна должно быть от -32768 до 32767";
    }
    void badInput()
    {
        QFETCH(QString, control);
        QFETCH(QString, edit);
        QFETCH(QString, input);
        WindowFixture f;
        f.choose(1);
        f.type(edit, input);
        f.operate(control);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QTEST(f.dialogs.lastMessage(), "message");
        QVERIFY(f.meterServer.requests.isEmpty());
    }

    // Only some handlers wait for the meter line; the others send and let the server's
    // failed answer tell the operator.
    void disconnectedLine_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("sends");
        QTest::newRow("volume reset") << "Button1" << "" << "" << false;
        QTest::newRow("zero shift, even with bad input") << "Button5" << "EdtShift" << "abc" << false;
        QTest::newRow("cut-off") << "Button3" << "EdtOtsek" << "1" << false;
        QTest::newRow("pulse output mode") << "cbxOut" << "" << "" << false;
        QTest::newRow("operating mode") << "RGWork" << "" << "" << false;
        QTest::newRow("window shift") << "Button2" << "EdtWindow" << "1" << true;
        QTest::newRow("read") << "Button6" << "" << "" << true;
        QTest::newRow("imitator") << "chbImit" << "" << "" << true;
    }
    void disconnectedLine()
    {
        QFETCH(QString, control);
        QFETCH(QString, edit);
        QFETCH(QString, input);
        QFETCH(bool, sends);
        WindowFixture f;
        f.choose(1);
        f.ctx.meter.connected = false;
        f.type(edit, input);
        f.operate(control);
        QCOMPARE(!f.meterServer.requests.isEmpty(), sends);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void pulseOutputClearsStatusBeforeWriting()
    {
        WindowFixture f;
        f.form().SB.setPanelText(0, "Отсечка: Ок");
        f.form().cbxOut.select(0);
        QCOMPARE(f.form().SB.panelText(0), QString());
        QCOMPARE(f.meterServer.last(12)->value, comm::u16(0));
    }

    void readings()
    {
        WindowFixture f;
        f.window->showFlow(12.34567);
        f.window->showVolume(0.5);
        QCOMPARE(f.form().EdtQ.text(), QStringLiteral("12.346"));
        QCOMPARE(f.form().EdtV.text(), QStringLiteral("0.5"));
    }

    void positionStoredAndRestored()
    {
        WindowFixture f;
        test::verifyPlaceKept(f, "FlowForm");
    }
};

QTEST_GUILESS_MAIN(TstFlowMeterWindow)
#include "tst_flow_meter_window.moc"
