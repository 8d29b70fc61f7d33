// The in-process server as the program sees it: answers from the event loop with the values
// and Results the real server gives, periodic tasks until freed, cancellation answered once.
#include "tests/support/InProcessServer.h"

#include "link/Result.h"
#include "sim/Equipment.h"

#include <QSignalSpy>
#include <QTest>

using comm::DataType;
using sim::Module;
using test::InProcessServer;

namespace {

constexpr int Imr = 1, Usi = 2;

// A bench line attached and connected, with the event of the connection consumed.
struct BenchServer {
    explicit BenchServer(sim::Options options = {}) : equipment(options), server(equipment, sim::LineKind::Bench)
    {
        server.attach();
        server.setConnected(true);
        QSignalSpy connected(&server, &comm::MBComMaster::OnChangeConnected);
        connected.wait(1000);
        server.setDeviceAddres(Imr);
    }

    sim::Equipment equipment;
    InProcessServer server;
};

struct Exchange {
    int qid;
    int address;
    int function;
    QVariant value;
    int result;
};

QList<Exchange> exchanges(const QSignalSpy& spy)
{
    QList<Exchange> out;
    for (const QList<QVariant>& a : spy)
        out.append({a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3], a[4].toInt()});
    return out;
}

}  // namespace

class tst_InProcess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneShotReadAnswersFromTheEventLoop_data();
    void oneShotReadAnswersFromTheEventLoop();
    void writeReachesTheEquipment();
    void periodicReadRepeatsUntilFreed();
    void cancelledPendingRequestIsAnsweredOnce_data();
    void cancelledPendingRequestIsAnsweredOnce();
    void freeingPeriodicTasksKeepsOneShots();
    void faultsGiveTheRealServersResults_data();
    void faultsGiveTheRealServersResults();
    void broadcastCompletesAndReachesEveryModule();
    void closedPortAnswersCannotSend();
    void linesShareOneEquipment();
    void multiChannelMeterAnswersTheProgramsRequests();
};

void tst_InProcess::oneShotReadAnswersFromTheEventLoop_data()
{
    QTest::addColumn<int>("op");  // 0 holding, 1 input, 2 coils, 3 device name
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("count");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<int>("function");
    QTest::newRow("state bytes") << 1 << Imr << 1 << int(DataType::UInt8) << 3
                                 << QVariant(QVariantList{comm::u8(0), comm::u8(0), comm::u8(0)}) << 0x04;
    QTest::newRow("quartz u32") << 0 << Imr << 32774 << int(DataType::UInt32) << 1 << comm::u32(4000000000u) << 0x03;
    QTest::newRow("address u16") << 0 << Usi << 0 << int(DataType::UInt16) << 1 << comm::u16(Usi) << 0x03;
    QTest::newRow("emulation coil") << 2 << Imr << 2 << int(DataType::Bool) << 1 << comm::boolean(true) << 0x01;
    QTest::newRow("device name") << 3 << Usi << 0 << 0 << 0 << QVariant(QStringLiteral("ТЕРВАЛО ЗТА-УСИ 64.09.02.00"))
                                 << 0x11;
}

void tst_InProcess::oneShotReadAnswersFromTheEventLoop()
{
    QFETCH(int, op);
    QFETCH(int, address);
    QFETCH(int, reg);
    QFETCH(int, type);
    QFETCH(int, count);
    QFETCH(QVariant, expected);
    QFETCH(int, function);
    BenchServer b;
    QSignalSpy spy(&b.server, &comm::MBComMaster::OnExchange);
    b.server.setDeviceAddres(address);
    switch (op) {
    case 0: b.server.ReadHoldRegs(7, 0, reg, type, count); break;
    case 1: b.server.ReadInputRegs(7, 0, reg, type, count); break;
    case 2: b.server.ReadHoldBins(7, 0, reg, count); break;
    default: b.server.GetDeviceName(7); break;
    }
    QCOMPARE(spy.count(), 0);  // never inside the call
    QVERIFY(spy.wait(1000));
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);
    const Exchange e = exchanges(spy).first();
    QCOMPARE(e.qid, 7);
    QCOMPARE(e.address, address);
    QCOMPARE(e.function, function);
    QCOMPARE(e.result, int(comm::ResultOk));
    QCOMPARE(e.value, expected);
}

void tst_InProcess::writeReachesTheEquipment()
{
    BenchServer b;
    QSignalSpy spy(&b.server, &comm::MBComMaster::OnExchange);
    b.server.WriteHoldRegs(432773, 0, 32772, comm::u32(123456u));
    b.server.WriteHoldRegs(416387, 0, 16386, comm::u16(67));
    b.server.WriteHoldBins(11, 0, 2, comm::boolean(false));
    QTRY_COMPARE(spy.count(), 3);
    const QList<Exchange> e = exchanges(spy);
    QCOMPARE((QList<int>{e[0].qid, e[1].qid, e[2].qid}), (QList<int>{432773, 416387, 11}));  // in order
    QCOMPARE((QList<int>{e[0].function, e[1].function, e[2].function}), (QList<int>{0x10, 0x06, 0x05}));
    for (const Exchange& x : e)
        QCOMPARE(x.result, int(comm::ResultOk));
    QCOMPARE((quint32(b.equipment.holding(Module::Imr, 32772)) << 16) | b.equipment.holding(Module::Imr, 32773), 123456u);
    QCOMPARE(b.equipment.holding(Module::Imr, 16386), quint16(67));
    QCOMPARE(b.equipment.coil(Module::Imr, 2), false);
}

void tst_InProcess::periodicReadRepeatsUntilFreed()
{
    BenchServer b;
    QSignalSpy spy(&b.server, &comm::MBComMaster::OnExchange);
    b.server.setDeviceAddres(Usi);
    b.server.ReadInputRegs(532769, 20, 32768, int(DataType::UInt32), 4);
    QTRY_VERIFY(spy.count() >= 3);
    for (const Exchange& e : exchanges(spy)) {
        QCOMPARE(e.qid, 532769);
        QCOMPARE(e.result, int(comm::ResultOk));
        QCOMPARE(e.value.toList().size(), 4);
    }
    b.server.FreeTask(532769);
    const int seen = int(spy.count());
    QTest::qWait(100);
    QCOMPARE(spy.count(), seen);
}

void tst_InProcess::cancelledPendingRequestIsAnsweredOnce_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("FreeTask") << false;
    QTest::newRow("FreeAllTasks") << true;
}

void tst_InProcess::cancelledPendingRequestIsAnsweredOnce()
{
    QFETCH(bool, all);
    BenchServer b;
    b.server.setLatency(30);
    QSignalSpy spy(&b.server, &comm::MBComMaster::OnExchange);
    b.server.ReadInputRegs(300002, 0, 1, int(DataType::UInt8), 3);  // on the line
    b.server.ReadInputRegs(300002, 0, 1, int(DataType::UInt8), 3);  // waiting behind it
    b.server.ReadInputRegs(316385, 0, 16384, int(DataType::UInt16), 1);
    if (all)
        b.server.FreeAllTasks();
    else
        b.server.FreeTask(300002);
    QCOMPARE(spy.count(), 0);
    QTest::qWait(150);
    const QList<Exchange> e = exchanges(spy);
    QList<int> results;
    for (const Exchange& x : e)
        results.append(x.qid == 300002 ? x.result : 100 + x.result);
    std::sort(results.begin(), results.end());
    const QList<int> expected = all ? QList<int>{3, 3, 103} : QList<int>{3, 3, 100};
    QCOMPARE(results, expected);
}

// What a restart of the meter's polling relies on: the periodic tasks stop, and each one-shot
// request, on the line or queued, keeps its own answer.
void tst_InProcess::freeingPeriodicTasksKeepsOneShots()
{
    BenchServer b;
    b.server.setLatency(30);
    QSignalSpy spy(&b.server, &comm::MBComMaster::OnExchange);
    b.server.ReadInputRegs(300002, 0, 1, int(DataType::UInt8), 3);  // on the line
    b.server.setDeviceAddres(Usi);
    b.server.ReadInputRegs(532769, 20, 32768, int(DataType::UInt32), 4);  // periodic, behind it
    b.server.setDeviceAddres(Imr);
    b.server.ReadInputRegs(316385, 0, 16384, int(DataType::UInt16), 1);
    b.server.FreePeriodicTasks();
    QTRY_COMPARE(spy.count(), 2);
    // Served in order: a periodic repetition still alive would be answered before this one.
    b.server.ReadInputRegs(316386, 0, 16384, int(DataType::UInt16), 1);
    QTRY_COMPARE(spy.count(), 3);
    QList<int> qids;
    for (const Exchange& x : exchanges(spy)) {
        qids.append(x.qid);
        QCOMPARE(x.result, int(comm::ResultOk));
    }
    QCOMPARE(qids, (QList<int>{300002, 316385, 316386}));
}

void tst_InProcess::faultsGiveTheRealServersResults_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("exceptionCode");
    QTest::addColumn<int>("result");
    QTest::newRow("silent: time-out") << int(sim::Fault::Silent) << 0 << int(comm::ResultNoAnswer);
    QTest::newRow("damaged CRC") << int(sim::Fault::BadCrc) << 0 << int(comm::ResultCrc);
    QTest::newRow("exception 2") << int(sim::Fault::Exception) << 2 << int(comm::ResultIllegalAddress);
    QTest::newRow("exception 4") << int(sim::Fault::Exception) << 4 << int(comm::ResultDeviceFailure);
    QTest::newRow("slower than the time-out") << int(sim::Fault::Slow) << 0 << int(comm::ResultNoAnswer);
    QTest::newRow("answer from the wrong address") << int(sim::Fault::WrongAddress) << 0 << int(comm::ResultWrongAddress);
    QTest::newRow("truncated answer") << int(sim::Fault::Truncated) << 0 << int(comm::ResultShortData);
}

void tst_InProcess::faultsGiveTheRealServersResults()
{
    QFETCH(int, fault);
    QFETCH(int, exceptionCode);
    QFETCH(int, result);
    BenchServer b;
    sim::FaultSpec f;
    f.fault = sim::Fault(fault);
    if (exceptionCode)
        f.exceptionCode = exceptionCode;
    f.slowMs = b.server.AnswerDelay() + 100;
    b.equipment.setFault(Module::Imr, f);
    QSignalSpy spy(&b.server, &comm::MBComMaster::OnExchange);
    b.server.ReadInputRegs(300002, 0, 1, int(DataType::UInt8), 3);
    QVERIFY(spy.wait(1000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(exchanges(spy).first().result, result);
    QVERIFY(!exchanges(spy).first().value.isValid());

    // The other modules on the line are not affected.
    b.server.setDeviceAddres(Usi);
    b.server.ReadInputRegs(532769, 0, 32768, int(DataType::UInt32), 4);
    QVERIFY(spy.wait(1000));
    QCOMPARE(exchanges(spy).last().result, int(comm::ResultOk));
}

void tst_InProcess::broadcastCompletesAndReachesEveryModule()
{
    BenchServer b;
    QSignalSpy spy(&b.server, &comm::MBComMaster::OnExchange);
    // The default settings: address 0 (each module's own), 9600 baud, RTS delay 7.
    b.server.BroadcastHoldRegs(-1, 0, QVariantList{comm::u8(0), comm::u8(3), comm::u8(7)});
    QVERIFY(spy.wait(1000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(exchanges(spy).first().result, int(comm::ResultOk));
    const QList<int> addresses{Imr, Usi, 3};
    const QList<Module> modules{Module::Imr, Module::Usi, Module::Ipt};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(int(b.equipment.holding(modules[i], 0)), addresses[i]);
        QCOMPARE(b.equipment.holding(modules[i], 2), quint16(7));
    }
}

void tst_InProcess::closedPortAnswersCannotSend()
{
    sim::Equipment equipment;
    InProcessServer server(equipment, sim::LineKind::Bench);
    QSignalSpy exchanged(&server, &comm::MBComMaster::OnExchange);
    QSignalSpy connected(&server, &comm::MBComMaster::OnChangeConnected);
    server.ReadInputRegs(1, 0, 1, int(DataType::UInt8), 3);  // not attached
    QVERIFY(exchanged.wait(1000));
    QCOMPARE(exchanged.takeFirst().at(4).toInt(), int(comm::ResultCannotSend));

    server.attach();
    server.ReadInputRegs(2, 0, 1, int(DataType::UInt8), 3);  // attached, port closed
    QVERIFY(exchanged.wait(1000));
    QCOMPARE(exchanged.takeFirst().at(4).toInt(), int(comm::ResultCannotSend));

    server.setConnected(true);
    QVERIFY(!server.Connected());  // reported from the event loop
    QVERIFY(connected.wait(1000));
    QCOMPARE(connected.takeFirst().at(0).toBool(), true);
    QVERIFY(server.Connected());

    server.setLatency(30);
    server.ReadInputRegs(3, 0, 1, int(DataType::UInt8), 3);
    server.ReadInputRegs(4, 500, 1, int(DataType::UInt8), 3);
    server.dropLine();  // both outstanding, then the port is gone
    QVERIFY(connected.wait(1000));
    QCOMPARE(connected.takeFirst().at(0).toBool(), false);
    QVERIFY(!server.Connected());
    QTRY_COMPARE(exchanged.count(), 2);
    for (const Exchange& e : exchanges(exchanged))
        QCOMPARE(e.result, int(comm::ResultCannotSend));
    server.FreeAllTasks();
}

void tst_InProcess::linesShareOneEquipment()
{
    sim::Options options;
    options.meterType = 1;
    BenchServer b(options);
    InProcessServer meter(b.equipment, sim::LineKind::Meter);
    meter.attach();
    meter.setConnected(true);
    meter.setDeviceAddres(1);
    QSignalSpy benchSpy(&b.server, &comm::MBComMaster::OnExchange);
    QSignalSpy meterSpy(&meter, &comm::MBComMaster::OnExchange);
    b.server.GetDeviceName(17);  // address 1 on both lines: ИМР and the meter
    meter.GetDeviceName(17);
    QTRY_COMPARE(benchSpy.count(), 1);
    QTRY_COMPARE(meterSpy.count(), 1);
    QVERIFY(benchSpy.first().at(3).toString().contains(QStringLiteral("ИМР")));
    QVERIFY(meterSpy.first().at(3).toString().startsWith(QStringLiteral("Тервало ЛК")));

    b.equipment.setHolding(Module::Meter, 112, 200);
    meter.ReadHoldRegs(3, 0, 112, int(DataType::UInt16), 1);
    QTRY_COMPARE(meterSpy.count(), 2);
    QCOMPARE(meterSpy.last().at(3), comm::u16(200));
}

// The multi-channel meter as the program polls and commands it: bytes, words and floats of the
// types it asks for, in input and holding registers.
void tst_InProcess::multiChannelMeterAnswersTheProgramsRequests()
{
    sim::Options options;
    options.meterType = 6;
    options.channels = 2;
    sim::Equipment equipment(options);
    InProcessServer meter(equipment, sim::LineKind::Meter);
    meter.attach();
    meter.setConnected(true);
    meter.setDeviceAddres(1);
    QSignalSpy spy(&meter, &comm::MBComMaster::OnExchange);
    meter.ReadInputRegs(26, 0, 26, int(DataType::UInt8), 1);
    meter.WriteHoldRegs(16, 0, 74, comm::u8(2));
    meter.ReadInputRegs(19, 0, 29, int(DataType::UInt8), 1);
    meter.WriteHoldRegs(18, 0, 75, comm::u8(1));
    meter.WriteHoldRegs(-23, 0, 49872 + 2, comm::f32(0.75f));
    meter.ReadInputRegs(4, 0, 49592 + 2, int(DataType::Float), 1);
    meter.ReadInputRegs(25, 0, 16480, int(DataType::UInt16), 4);
    meter.ReadHoldRegs(28, 0, 7, int(DataType::UInt8), 2);
    meter.WriteHoldRegs(18, 0, 75, comm::u8(2));  // a third channel it does not have
    QTRY_COMPARE(spy.count(), 9);
    const QList<Exchange> e = exchanges(spy);
    QCOMPARE(e[0].value, comm::u8(2));
    QCOMPARE(e[1].result, int(comm::ResultOk));
    QCOMPARE(e[2].value, comm::u8(1));
    QCOMPARE(e[3].result, int(comm::ResultOk));
    QCOMPARE(e[4].result, int(comm::ResultOk));
    QCOMPARE(e[5].value, comm::f32(0.75f));  // the chosen channel at rest shows its zero shift
    QCOMPARE(e[6].value, QVariant(QVariantList(4, comm::u16(256))));
    QCOMPARE(e[7].value, QVariant(QVariantList{comm::u8(2), comm::u8(0)}));
    QVERIFY(e[8].result != int(comm::ResultOk));
}

QTEST_GUILESS_MAIN(tst_InProcess)
#include "tst_inprocess.moc"
