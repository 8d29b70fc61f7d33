// The multi-channel meter's window: the regime and the verification command, the channel list
// and the polling of the chosen channel, the reads of all channels and the writes of the chosen
// one with their refusals, the readings it shows and the stored position.
#include "../support/FakeContext.h"
#include "../support/WindowPlace.h"
#include "link/DataType.h"
#include "link/Line.h"
#include "link/Result.h"
#include "meter/FlowMeterWindowKS.h"
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

// The slot window and its calibration windows, as far as this window drives them.
struct FakePeriphery : meter::PeripheryWindows {
    void showSlots() override { shown = true; }
    void showPeriphery() override { ++comebacks; }
    void hidePeriphery() override
    {
        shown = false;
        ++hides;
    }
    bool calibrating() const override { return calibratingNow; }

    bool shown = false;
    int comebacks = 0;
    int hides = 0;
    bool calibratingNow = false;
};

// The registers the main window polls after a restart.
struct Polled {
    int RegQ, RegV, RegAc;
    friend bool operator==(const Polled&, const Polled&) = default;
};

// The window on a connected fake meter line of type 6, its settings in a directory of its own.
struct KsFixture : test::FakeContext {
    KsFixture()
    {
        ctx.meter.connected = true;
        ctx.PriborType = 6;
        open();
    }
    void open()
    {
        window = std::make_unique<meter::TFlowMeterFormKS>(ctx, periphery, [this] {
            restarts.append(Polled{ctx.Pribor.RegQ, ctx.Pribor.RegV, ctx.Pribor.RegAc});
        });
    }
    void reopen()
    {
        window.reset();
        ctx.meter.routes = comm::RouteTable();
        open();
    }
    void answer(int qid, const QVariant& value, int result = comm::ResultOk)
    {
        ctx.meter.routes.dispatch(comm::Exchange{qid, 1, 3, value, result});
    }
    // Posted window messages run.
    static void deliverPosted() { QCoreApplication::sendPostedEvents(); }
    // The channel list of `count` channels with channel `index` chosen by the operator.
    void choose(int index, int count = 4)
    {
        answer(26, comm::u8(quint8(count)));
        deliverPosted();
        form().RgCanal.select(index);
        deliverPosted();
    }
    // The arrays read with distinct values per channel c: Med 10+c, Arifm 20+c, UZS 1500.5+c,
    // ShiftZero 0.0125*(c+1), Otsek 0.25+c, AC 256+c.
    void readArrays()
    {
        QVariantList med, arifm, uzs, shift, otsek, ac;
        for (int c = 0; c < 4; ++c) {
            med << comm::u8(quint8(10 + c));
            arifm << comm::u8(quint8(20 + c));
            uzs << comm::f32(1500.5f + float(c));
            shift << comm::f32(0.0125f * float(c + 1));
            otsek << comm::f32(0.25f + float(c));
            ac << comm::u16(quint16(256 + c));
        }
        answer(20, med);
        answer(21, arifm);
        answer(22, uzs);
        answer(23, shift);
        answer(24, otsek);
        answer(25, ac);
    }
    ui::forms::FlowMeterFormKS& form() { return window->form; }

    FakePeriphery periphery;
    QList<Polled> restarts;
    std::unique_ptr<meter::TFlowMeterFormKS> window;
};

}  // namespace

Q_DECLARE_METATYPE(Op)

class TstFlowMeterWindowKS : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { input::setDecimalSeparator(u'.'); }

    void startState()
    {
        KsFixture f;
        QCOMPARE(f.form().caption(), QStringLiteral("Расходомер"));
        QCOMPARE(f.form().lblStat.caption(), QStringLiteral("???"));
        QCOMPARE(f.form().Button7.caption(), QStringLiteral("Старт поверки"));
        QVERIFY(!f.form().Button7.isEnabled());
        QVERIFY(!f.form().BtnSetup.isEnabled());
        QVERIFY(f.form().RgCanal.items().isEmpty());
        QCOMPARE(f.form().RgCanal.itemIndex(), -1);
        QCOMPARE(f.window->Canal(), -1);
        QVERIFY(f.window->OneCanal);
        QVERIFY(f.form().EdtV.isReadOnly() && f.form().EdtQ.isReadOnly() && f.form().EdtAc.isReadOnly());
        QVERIFY(!f.form().cbxIzm.isVisible() && !f.form().Button8.isVisible() && !f.form().Label10.isVisible());
        QCOMPARE(f.form().cbxIzm.itemIndex(), 1);
        QVERIFY(f.meterServer.requests.isEmpty());
    }

    // Each polled regime sets the row of the state table; a failed poll only says so.
    void regime_data()
    {
        QTest::addColumn<int>("regime");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("setup");
        QTest::addColumn<bool>("periphery");  // still shown
        QTest::newRow("working") << 0 << "Рабочий" << "Старт поверки" << true << true;
        QTest::newRow("verification") << 1 << "Поверка" << "Стоп поверки" << false << false;
        QTest::newRow("another value") << 2 << "Поверка" << "Стоп поверки" << false << true;
    }
    void regime()
    {
        QFETCH(int, regime);
        KsFixture f;
        f.periphery.shown = true;
        f.answer(meter::qid::CurrentRegime, comm::u8(quint8(regime)));
        QCOMPARE(f.window->CurRegim(), regime);
        QTEST(f.form().lblStat.caption(), "status");
        QTEST(f.form().Button7.caption(), "button");
        QVERIFY(f.form().Button7.isEnabled());
        QTEST(f.form().BtnSetup.isEnabled(), "setup");
        QTEST(f.periphery.shown, "periphery");

        f.answer(meter::qid::CurrentRegime, QVariant(), comm::ResultNoAnswer);
        QCOMPARE(f.form().lblStat.caption(), QStringLiteral("ошибка чтения"));
        QTEST(f.form().Button7.caption(), "button");
        QTEST(f.form().BtnSetup.isEnabled(), "setup");
    }

    void regimeBackToWorkingEnablesSetup()
    {
        KsFixture f;
        f.answer(meter::qid::CurrentRegime, comm::u8(1));
        QVERIFY(!f.form().BtnSetup.isEnabled());
        f.answer(meter::qid::CurrentRegime, comm::u8(0));
        QVERIFY(f.form().BtnSetup.isEnabled());
        f.form().BtnSetup.click();
        QVERIFY(f.periphery.shown);
    }

    // The button writes the command that leaves the present regime; its answer re-enables it.
    void verificationCommand_data()
    {
        QTest::addColumn<int>("regime");
        QTest::addColumn<int>("command");
        QTest::newRow("start from working") << 0 << 2;
        QTest::newRow("stop from verification") << 1 << 1;
    }
    void verificationCommand()
    {
        QFETCH(int, regime);
        QFETCH(int, command);
        KsFixture f;
        f.answer(meter::qid::CurrentRegime, comm::u8(quint8(regime)));
        f.periphery.shown = true;
        f.form().Button7.click();
        const comm::Request* r = f.meterServer.last(16);
        QVERIFY(r);
        QCOMPARE(r->op, Op::WriteRegisters);
        QCOMPARE(r->reg, 74);
        QCOMPARE(r->type, comm::DataType::UInt8);
        QCOMPARE(r->value.toInt(), command);
        QVERIFY(!f.periphery.shown);
        QVERIFY(!f.form().Button7.isEnabled());
        QVERIFY(!f.form().BtnSetup.isEnabled());

        f.answer(16, QVariant(), comm::ResultNoAnswer);
        QVERIFY(f.form().Button7.isEnabled());
        QVERIFY(!f.form().BtnSetup.isEnabled());
        QCOMPARE(f.form().SB.panelText(0), QStringLiteral("Старт/Стоп: ") + comm::resultText(comm::ResultNoAnswer));
        f.answer(16, QVariant());
        QCOMPARE(f.form().SB.panelText(0), QStringLiteral("Старт/Стоп: Ок"));
    }

    void verificationRefused_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("calibrating");
        QTest::addColumn<QString>("message");
        QTest::newRow("slot calibration runs") << true << true << "Остановите калибровку токовых слотов";
        QTest::newRow("line not connected") << false << false << "";
    }
    void verificationRefused()
    {
        QFETCH(bool, connected);
        QFETCH(bool, calibrating);
        QFETCH(QString, message);
        KsFixture f;
        f.answer(meter::qid::CurrentRegime, comm::u8(0));
        f.ctx.meter.connected = connected;
        f.periphery.calibratingNow = calibrating;
        f.periphery.shown = true;
        f.form().Button7.click();
        QVERIFY(f.meterServer.requests.isEmpty());
        QCOMPARE(f.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(f.periphery.shown);
        QVERIFY(f.form().Button7.isEnabled());
        QVERIFY(f.form().BtnSetup.isEnabled());
    }

    // A channel choice polls that channel's registers, tells the meter which channel to
    // measure and shows the channel's entries of the arrays.
    void channelChoice_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("flowReg");
        QTest::addColumn<int>("volumeReg");
        QTest::addColumn<int>("acReg");
        QTest::newRow("channel 1") << 0 << 49592 << 49600 << 16480;
        QTest::newRow("channel 2") << 1 << 49594 << 49602 << 16481;
        QTest::newRow("channel 3") << 2 << 49596 << 49604 << 16482;
        QTest::newRow("channel 4") << 3 << 49598 << 49606 << 16483;
    }
    void channelChoice()
    {
        QFETCH(int, index);
        QFETCH(int, flowReg);
        QFETCH(int, volumeReg);
        QFETCH(int, acReg);
        KsFixture f;
        f.readArrays();
        f.choose(index);
        QCOMPARE(f.window->Canal(), index);
        QCOMPARE(f.restarts.last(), (Polled{flowReg, volumeReg, acReg}));
        const comm::Request* r = f.meterServer.last(18);
        QVERIFY(r);
        QCOMPARE(r->op, Op::WriteRegisters);
        QCOMPARE(r->reg, 75);
        QCOMPARE(r->type, comm::DataType::UInt8);
        QCOMPARE(r->value.toInt(), index);
        QCOMPARE(f.form().EdtMed.text(), QString::number(10 + index));
        QCOMPARE(f.form().EdtArifm.text(), QString::number(20 + index));
        QCOMPARE(f.form().EdtAc.text(), QString::number(256 + index));
        QCOMPARE(f.form().EdtUZS.text(), input::format4(1500.5 + index));
        QCOMPARE(f.form().EdtShift.text(), input::format4(double(0.0125f * float(index + 1))));
        QCOMPARE(f.form().EdtOtsek.text(), input::format4(0.25 + index));
        QCOMPARE(f.ctx.AutoCircCount(), 256 + index);
    }

    void channelChoiceBeforeAnyRead()
    {
        KsFixture f;
        f.ctx.AutoCircCount() = 256;
        f.choose(1);
        QCOMPARE(f.ctx.AutoCircCount(), 0);
        QCOMPARE(f.form().EdtMed.text(), QStringLiteral("0"));
        QCOMPARE(f.form().EdtShift.text(), QStringLiteral("0"));
    }

    void channelChoiceWithoutOneChannelMode()
    {
        KsFixture f;
        f.window->OneCanal = false;
        f.choose(2);
        QCOMPARE(f.restarts.last(), (Polled{49596, 49604, 16482}));
        QCOMPARE(f.meterServer.count(18), 0);
    }

    // The click is a posted message: nothing changes until the event loop runs it.
    void channelClickIsPosted()
    {
        KsFixture f;
        f.choose(0);
        const int restarts = f.restarts.size();
        f.form().RgCanal.select(3);
        QCOMPARE(f.restarts.size(), restarts);
        QCOMPARE(f.window->Canal(), 0);
        f.deliverPosted();
        QCOMPARE(f.window->Canal(), 3);
        QCOMPARE(f.restarts.size(), restarts + 1);
    }

    // The meter refuses the channel: the choice is undone, no channel is polled any more and
    // the writes of the chosen channel are refused.
    void measuredChannelRefused()
    {
        KsFixture f;
        f.choose(2);
        const int writes = f.meterServer.count(18);
        f.answer(18, QVariant(), comm::ResultIllegalAddress);
        QCOMPARE(f.form().RgCanal.itemIndex(), -1);
        f.deliverPosted();
        QCOMPARE(f.window->Canal(), -1);
        QCOMPARE(f.restarts.last(), (Polled{-1, -1, -1}));
        QCOMPARE(f.meterServer.count(18), writes);

        f.answer(18, QVariant());
        QCOMPARE(f.form().RgCanal.itemIndex(), -1);
    }

    // The list offers at most four channels and keeps the earlier choice while it exists;
    // the rebuilt list always reaches the channel handler. Without a choice only the regime
    // is polled and register 75 is left alone.
    void channelList_data()
    {
        QTest::addColumn<int>("before");  // chosen index before the answer; -1 none
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("status");
        const QStringList none;
        QTest::newRow("two, second chosen") << 1 << 2 << QStringList{"1", "2"} << 1 << "";
        QTest::newRow("two, nothing chosen") << -1 << 2 << QStringList{"1", "2"} << -1 << "";
        QTest::newRow("none") << -1 << 0 << none << -1 << "";
        QTest::newRow("three, fourth chosen") << 3 << 3 << QStringList{"1", "2", "3"} << -1 << "";
        QTest::newRow("four") << 0 << 4 << QStringList{"1", "2", "3", "4"} << 0 << "";
        QTest::newRow("six") << 2 << 6 << QStringList{"1", "2", "3", "4"} << 2
                             << "Каналов в приборе: 6, в окне доступны первые 4";
    }
    void channelList()
    {
        QFETCH(int, before);
        QFETCH(int, count);
        QFETCH(int, after);
        KsFixture f;
        if (before >= 0)
            f.choose(before);
        const int restarts = f.restarts.size();
        const int writes = f.meterServer.count(18);
        f.answer(26, comm::u8(quint8(count)));
        QTEST(f.form().RgCanal.items(), "items");
        QCOMPARE(f.form().RgCanal.itemIndex(), after);
        QTEST(f.form().SB.panelText(0), "status");
        QCOMPARE(f.restarts.size(), restarts);

        f.deliverPosted();
        QCOMPARE(f.restarts.size(), restarts + 1);
        QCOMPARE(f.window->Canal(), after);
        if (after < 0) {
            QCOMPARE(f.restarts.last(), (Polled{-1, -1, -1}));
            QCOMPARE(f.meterServer.count(18), writes);
        } else {
            QCOMPARE(f.restarts.last().RegQ, 49592 + 2 * after);
            QCOMPARE(f.meterServer.count(18), writes + 1);
        }
    }

    void channelCountFailure()
    {
        KsFixture f;
        f.choose(1, 2);
        const int restarts = f.restarts.size();
        f.answer(26, QVariant(), comm::ResultNoAnswer);
        f.deliverPosted();
        QCOMPARE(f.form().SB.panelText(0), QStringLiteral("Кол-во каналов: ") + comm::resultText(comm::ResultNoAnswer));
        QCOMPARE(f.form().RgCanal.items(), (QStringList{"1", "2"}));
        QCOMPARE(f.restarts.size(), restarts);
    }

    // "Считать" clears the fields and reads every channel's parameters, the channel count
    // and the slot kinds, in this order, connected or not.
    void readAll_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::newRow("connected") << true;
        QTest::newRow("not connected") << false;
    }
    void readAll()
    {
        QFETCH(bool, connected);
        KsFixture f;
        f.ctx.meter.connected = connected;
        for (ui::Edit* e : {&f.form().EdtOtsek, &f.form().EdtShift, &f.form().EdtUZS, &f.form().EdtAc,
                            &f.form().EdtMed, &f.form().EdtArifm})
            e->setText(QStringLiteral("7"));
        f.form().Button6.click();
        for (ui::Edit* e : {&f.form().EdtOtsek, &f.form().EdtShift, &f.form().EdtUZS, &f.form().EdtAc,
                            &f.form().EdtMed, &f.form().EdtArifm})
            QCOMPARE(e->text(), QString());

        struct Read {
            int qid;
            Op op;
            int reg;
            comm::DataType type;
            int count;
        };
        const QList<Read> expected{
            {20, Op::ReadHolding, 280, comm::DataType::UInt8, 4},
            {21, Op::ReadHolding, 284, comm::DataType::UInt8, 4},
            {22, Op::ReadHolding, 49864, comm::DataType::Float, 4},
            {23, Op::ReadHolding, 49872, comm::DataType::Float, 4},
            {24, Op::ReadHolding, 49880, comm::DataType::Float, 4},
            {25, Op::ReadInput, 16480, comm::DataType::UInt16, 4},
            {26, Op::ReadInput, 26, comm::DataType::UInt8, 1},
            {28, Op::ReadHolding, 7, comm::DataType::UInt8, 2},
        };
        QCOMPARE(f.meterServer.requests.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const comm::Request& r = f.meterServer.requests.at(i);
            QCOMPARE(r.qid, expected[i].qid);
            QCOMPARE(r.op, expected[i].op);
            QCOMPARE(r.reg, expected[i].reg);
            QCOMPARE(r.type, expected[i].type);
            QCOMPARE(r.count, expected[i].count);
            QCOMPARE(r.period, 0);
        }
    }

    // A failed read says "ошибка" in its field and keeps the array: the next choice of the
    // channel shows the values read before.
    void readFailure_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("kept");  // the channel 2 value read before
        QTest::newRow("median") << 20 << "EdtMed" << "11";
        QTest::newRow("arithmetic") << 21 << "EdtArifm" << "21";
        QTest::newRow("phase velocity") << 22 << "EdtUZS" << "1501.5";
        QTest::newRow("zero shift") << 23 << "EdtShift" << "0.025";
        QTest::newRow("cut-off") << 24 << "EdtOtsek" << "1.25";
    }
    void readFailure()
    {
        QFETCH(int, qid);
        QFETCH(QString, field);
        KsFixture f;
        f.readArrays();
        f.choose(1);
        auto* edit = static_cast<ui::Edit*>(f.form().find(field));
        QVERIFY(edit);
        f.answer(qid, QVariant(), comm::ResultCrc);
        QCOMPARE(edit->text(), QStringLiteral("ошибка"));
        f.form().RgCanal.select(1);
        f.deliverPosted();
        QTEST(edit->text(), "kept");
    }

    // The autocirculations are stored without a redisplay, and a failed read keeps them.
    void autoCirculationRead()
    {
        KsFixture f;
        f.choose(1);
        QCOMPARE(f.form().EdtAc.text(), QStringLiteral("0"));
        f.answer(25, QVariantList{comm::u16(5), comm::u16(600), comm::u16(7), comm::u16(8)});
        QCOMPARE(f.form().EdtAc.text(), QStringLiteral("0"));
        f.answer(25, QVariant(), comm::ResultNoAnswer);
        QCOMPARE(f.form().EdtAc.text(), QStringLiteral("0"));
        f.answer(20, QVariantList{comm::u8(1), comm::u8(2), comm::u8(3), comm::u8(4)});
        QCOMPARE(f.form().EdtAc.text(), QStringLiteral("600"));
        QCOMPARE(f.ctx.AutoCircCount(), 600);
    }

    // Type 6's autocirculation answer (QID 3) as the main window passes it on.
    void readingsShown()
    {
        KsFixture f;
        f.window->showAutoCirculations(256);
        QCOMPARE(f.form().EdtAc.text(), QStringLiteral("256"));
        f.window->showFlow(12.34567);
        QCOMPARE(f.form().EdtQ.text(), QStringLiteral("12.346"));
        f.window->showVolume(0.5);
        QCOMPARE(f.form().EdtV.text(), QStringLiteral("0.5"));
    }

    // The writes of the chosen channel, each to its register and in this order.
    void writes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("qids");
        QTest::addColumn<QList<int>>("regs");
        QTest::addColumn<QVariantList>("values");
        // Channel 3 chosen; EdtMed "12.5", EdtOtsek "0,75", EdtUZS "1480.25", EdtArifm "255",
        // EdtShift "-0.5".
        QTest::newRow("averaging group") << "Button1" << QList<int>{-20, -24, -22, -21}
                                         << QList<int>{282, 49884, 49868, 286}
                                         << QVariantList{comm::u8(12), comm::f32(0.75f), comm::f32(1480.25f),
                                                         comm::u8(255)};
        QTest::newRow("zero shift") << "Button5" << QList<int>{-23} << QList<int>{49876}
                                    << QVariantList{comm::f32(-0.5f)};
        QTest::newRow("volume reset") << "Button9" << QList<int>{27} << QList<int>{85} << QVariantList{comm::u8(1)};
        QTest::newRow("measurement mode") << "Button8" << QList<int>{-26} << QList<int>{79} << QVariantList{comm::u8(1)};
    }
    void writes()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, qids);
        QFETCH(QList<int>, regs);
        QFETCH(QVariantList, values);
        KsFixture f;
        f.choose(2);
        f.meterServer.requests.clear();
        f.form().EdtMed.setText(QStringLiteral("12.5"));
        f.form().EdtOtsek.setText(QStringLiteral("0,75"));
        f.form().EdtUZS.setText(QStringLiteral("1480.25"));
        f.form().EdtArifm.setText(QStringLiteral("255"));
        f.form().EdtShift.setText(QStringLiteral("-0.5"));
        static_cast<ui::Button*>(f.form().find(button))->click();
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.meterServer.requests.size(), qids.size());
        for (int i = 0; i < qids.size(); ++i) {
            const comm::Request& r = f.meterServer.requests.at(i);
            QCOMPARE(r.qid, qids[i]);
            QCOMPARE(r.op, Op::WriteRegisters);
            QCOMPARE(r.reg, regs[i]);
            QCOMPARE(r.value, values[i]);
        }
    }

    // Byte fields: the nearest integer, a half to the even neighbour.
    void byteConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sent");
        QTest::newRow("whole") << "16" << 16;
        QTest::newRow("half down to even") << "2.5" << 2;
        QTest::newRow("half up to even") << "3.5" << 4;
        QTest::newRow("comma") << "7,6" << 8;
        QTest::newRow("largest") << "255.4" << 255;
    }
    void byteConversion()
    {
        QFETCH(QString, text);
        KsFixture f;
        f.choose(0);
        f.form().EdtMed.setText(text);
        f.form().EdtArifm.setText(text);
        f.form().EdtOtsek.setText(QStringLiteral("0"));
        f.form().EdtUZS.setText(QStringLiteral("0"));
        f.form().Button1.click();
        QTEST(f.meterServer.last(-20)->value.toInt(), "sent");
        QTEST(f.meterServer.last(-21)->value.toInt(), "sent");
    }

    // A write with bad input or without a chosen channel says why in one message and sends
    // nothing; without the line it does nothing at all.
    void writeRefused_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");  // the field made bad ("name" or "name=text"); empty: none
        QTest::addColumn<int>("channel");    // -1: none chosen
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("message");
        const QString noChannel = QStringLiteral("Выберите канал");
        const QString bad = QStringLiteral("1x");
        QTest::newRow("median not a number") << "Button1" << "EdtMed" << 0 << true << input::notANumber(bad);
        QTest::newRow("cut-off not a number") << "Button1" << "EdtOtsek" << 0 << true << input::notANumber(bad);
        QTest::newRow("velocity not a number") << "Button1" << "EdtUZS" << 0 << true << input::notANumber(bad);
        QTest::newRow("arithmetic not a number") << "Button1" << "EdtArifm" << 0 << true << input::notANumber(bad);
        QTest::newRow("zero shift not a number") << "Button5" << "EdtShift" << 0 << true << input::notANumber(bad);
        // A byte the meter cannot keep would otherwise arrive as its low 8 bits.
        QTest::newRow("median above a byte") << "Button1" << "EdtMed=300" << 0 << true
                                             << "Длина буфера усреднения «300» вне пределов: допустимо от 0 до 255.";
        QTest::newRow("arithmetic negative") << "Button1" << "EdtArifm=-1" << 0 << true
                                             << "Длина буфера усреднения «-1» вне пределов: допустимо от 0 до 255.";
        QTest::newRow("averaging, no channel") << "Button1" << "" << -1 << true << noChannel;
        QTest::newRow("zero shift, no channel") << "Button5" << "" << -1 << true << noChannel;
        QTest::newRow("volume reset, no channel") << "Button9" << "" << -1 << true << noChannel;
        QTest::newRow("averaging, not connected") << "Button1" << "" << 0 << false << "";
        QTest::newRow("zero shift, not connected") << "Button5" << "" << 0 << false << "";
        QTest::newRow("volume reset, not connected") << "Button9" << "" << 0 << false << "";
    }
    void writeRefused()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(int, channel);
        QFETCH(bool, connected);
        QFETCH(QString, message);
        KsFixture f;
        if (channel >= 0)
            f.choose(channel);
        for (ui::Edit* e : {&f.form().EdtMed, &f.form().EdtOtsek, &f.form().EdtUZS, &f.form().EdtArifm,
                            &f.form().EdtShift})
            e->setText(QStringLiteral("1"));
        // "name" makes the field "1x"; "name=text" gives it that text.
        if (!field.isEmpty()) {
            const QStringList named = field.split('=');
            static_cast<ui::Edit*>(f.form().find(named[0]))->setText(named.value(1, QStringLiteral("1x")));
        }
        f.ctx.meter.connected = connected;
        f.meterServer.requests.clear();
        static_cast<ui::Button*>(f.form().find(button))->click();
        QVERIFY(f.meterServer.requests.isEmpty());
        QCOMPARE(f.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
    }

    void writeStatus_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QString>("words");
        QTest::newRow("volume reset") << 27 << "Сброс объема: ";
        QTest::newRow("median") << -20 << "Медианное усреднение: ";
        QTest::newRow("arithmetic") << -21 << "Арифметические усреднение: ";
        QTest::newRow("phase velocity") << -22 << "УЗС: ";
        QTest::newRow("zero shift") << -23 << "Смещение нуля: ";
        QTest::newRow("cut-off") << -24 << "Измерения: ";
    }
    void writeStatus()
    {
        QFETCH(int, qid);
        QFETCH(QString, words);
        KsFixture f;
        f.answer(qid, QVariant());
        QCOMPARE(f.form().SB.panelText(0), words + QStringLiteral("Ок"));
        f.answer(qid, QVariant(), comm::ResultIllegalValue);
        QCOMPARE(f.form().SB.panelText(0), words + comm::resultText(comm::ResultIllegalValue));
    }

    void showAndHide()
    {
        KsFixture f;
        f.window->ShowAll();
        QVERIFY(f.form().isVisible());
        QCOMPARE(f.periphery.comebacks, 1);  // the slot and calibration windows opened before
        QCOMPARE(f.meterServer.requests.size(), 1);
        const comm::Request& r = f.meterServer.requests.first();
        QCOMPARE(r.qid, 26);
        QCOMPARE(r.op, Op::ReadInput);
        QCOMPARE(r.reg, 26);
        QCOMPARE(r.type, comm::DataType::UInt8);
        QCOMPARE(r.count, 1);

        f.periphery.shown = true;
        f.window->HideAll();
        QVERIFY(!f.form().isVisible());
        QVERIFY(!f.periphery.shown);
    }

    void positionStoredAndRestored()
    {
        KsFixture f;
        test::verifyPlaceKept(f, "FlowFormKS");
    }
};

QTEST_GUILESS_MAIN(TstFlowMeterWindowKS)
#include "tst_flow_meter_window_ks.moc"
