// The simulator's Modbus RTU as a master on its lines sees it: framing, CRC, exceptions,
// broadcast, device names, word order, addresses and injected faults.
#include "SimFixture.h"

#include "sim/Crc16.h"
#include "sim/Equipment.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include <cmath>

using sim::Module;
using namespace test;

Q_DECLARE_METATYPE(sim::Module)
Q_DECLARE_METATYPE(sim::Fault)

class tst_SimProtocol : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsHoldingRegistersOfEachModule_data();
    void readsHoldingRegistersOfEachModule();
    void garbageIsDroppedAndTheNextFrameServed();
    void badCrcGetsNoAnswer();
    void exceptions_data();
    void exceptions();
    void blockWriteIsAllOrNothing();
    void broadcastExecutesButNeverAnswers();
    void reportServerIdCarriesTheName_data();
    void reportServerIdCarriesTheName();
    void wordsOfWideValuesHighFirst();
    void coilsReadAndWrite();
    void addressRegisterMovesTheModuleAfterAnswering();
    void setAddressZeroTakesModuleOff();
    void moduleHearsOnlyItsOwnSpeed();
    void lineSpeedStandsInWhereThePortHidesIt();
    void faults_data();
    void faults();
    void wrongAddressAfterTheLastIsTheFirst();
    void wireTimeDelaysAnswers();
    void droppedLineComesBack();
};

void tst_SimProtocol::readsHoldingRegistersOfEachModule_data()
{
    QTest::addColumn<int>("address");
    QTest::newRow("ИМР") << 1;
    QTest::newRow("УСИ") << 2;
    QTest::newRow("ИПТ") << 3;
}

void tst_SimProtocol::readsHoldingRegistersOfEachModule()
{
    QFETCH(int, address);
    SimFixture f;
    QVERIFY(f.started);
    const auto regs = f.bench.readRegisters(quint8(address), 0x03, 0, 3);
    QVERIFY(regs);
    QCOMPARE(regs->at(0), quint16(address));  // register 0 holds the module's own address
    QCOMPARE(regs->at(1), quint16(4));        // 19200 baud, the factory speed
}

void tst_SimProtocol::garbageIsDroppedAndTheNextFrameServed()
{
    SimFixture f;
    QVERIFY(f.started);
    QCOMPARE(f.bench.exchangeRaw(QByteArray("\x01\x42\x00", 3), 100), QByteArray());
    QVERIFY(f.bench.readRegisters(1, 0x03, 0, 1));
}

void tst_SimProtocol::badCrcGetsNoAnswer()
{
    SimFixture f;
    QVERIFY(f.started);
    QByteArray frame = sim::withCrc(request(1, 0x06, 16386, 99));
    frame[frame.size() - 1] = char(frame.back() ^ 1);
    QCOMPARE(f.bench.exchangeRaw(frame, 200), QByteArray());
    QCOMPARE(f.simulator->holding(Module::Imr, 16386), quint16(0));
    QCOMPARE(f.simulator->requestCount(Module::Imr), 0);
}

void tst_SimProtocol::exceptions_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("code");
    QTest::newRow("unknown function") << QByteArray("\x01\x2B\x0E\x01\x00", 5) << 1;
    QTest::newRow("read discrete inputs") << request(1, 0x02, 0, 1) << 1;
    QTest::newRow("holding register not in the map") << request(1, 0x03, 4, 1) << 2;
    QTest::newRow("block runs past the map") << request(1, 0x04, 32790, 4) << 2;
    QTest::newRow("coil not in the map") << request(1, 0x01, 0, 2) << 2;
    QTest::newRow("zero registers") << request(1, 0x03, 0, 0) << 3;
    QTest::newRow("command above 15") << request(1, 0x06, 3, 16) << 3;
    QTest::newRow("8-bit register over 255") << request(1, 0x06, 2, 256) << 3;
    QTest::newRow("coil value neither on nor off") << request(1, 0x05, 2, 0x1234) << 3;
    QTest::newRow("УСИ command above 5") << request(2, 0x06, 3, 6) << 3;
    QTest::newRow("ИПТ mode above 4") << request(3, 0x06, 3, 5) << 3;
}

void tst_SimProtocol::exceptions()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, code);
    SimFixture f;
    QVERIFY(f.started);
    const QByteArray answer = f.bench.exchange(frame);
    QCOMPARE(answer.size(), 5);
    QVERIFY(sim::hasValidCrc(answer));
    QCOMPARE(quint8(answer[0]), quint8(frame[0]));
    QCOMPARE(quint8(answer[1]), quint8(quint8(frame[1]) | 0x80));
    QCOMPARE(int(answer[2]), code);
}

void tst_SimProtocol::blockWriteIsAllOrNothing()
{
    SimFixture f;
    QVERIFY(f.started);
    // Speed code 2 is fine, RTS delay 300 is not: neither may be stored.
    const QByteArray answer = f.bench.exchange(writeRegistersRequest(1, 1, {2, 300}));
    QCOMPARE(answer.size(), 5);
    QCOMPARE(quint8(answer[1]), quint8(0x90));
    QCOMPARE(f.simulator->holding(Module::Imr, 1), quint16(4));
}

void tst_SimProtocol::broadcastExecutesButNeverAnswers()
{
    SimFixture f;
    QVERIFY(f.started);
    QCOMPARE(f.bench.exchange(writeRegistersRequest(0, 1, {2, 7}), 200), QByteArray());
    for (Module m : {Module::Imr, Module::Usi, Module::Ipt}) {
        QCOMPARE(f.simulator->holding(m, 1), quint16(2));
        QCOMPARE(f.simulator->holding(m, 2), quint16(7));
    }
}

void tst_SimProtocol::reportServerIdCarriesTheName_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("ИМР") << 1 << QStringLiteral("ЗТА-ИМР");
    QTest::newRow("УСИ") << 2 << QStringLiteral("ЗТА-УСИ");
    QTest::newRow("ИПТ") << 3 << QStringLiteral("ЗТА-ИПТ");
}

void tst_SimProtocol::reportServerIdCarriesTheName()
{
    QFETCH(int, address);
    QFETCH(QString, fragment);
    SimFixture f;
    QVERIFY(f.started);
    const QByteArray answer = f.bench.exchange(reportServerIdRequest(quint8(address)));
    QVERIFY(sim::hasValidCrc(answer));
    QCOMPARE(quint8(answer[1]), quint8(0x11));
    const int count = quint8(answer[2]);
    QCOMPARE(answer.size(), 3 + count + 2);  // the name and nothing else
    const QString name = QString::fromUtf8(answer.mid(3, count));
    QVERIFY2(name.contains(fragment), qPrintable(name));
}

void tst_SimProtocol::wordsOfWideValuesHighFirst()
{
    SimFixture f;
    QVERIFY(f.started);
    QCOMPARE(f.bench.readRegisters(1, 0x03, 32774, 2), (QList<quint16>{0xEE6B, 0x2800}));  // 4000000000
    QCOMPARE(f.bench.readFloat(1, 0x03, 49152), 10.0f);
    QCOMPARE(f.bench.readFloat(1, 0x03, 49154), 60.0f);
    QVERIFY(f.bench.exchange(writeRegistersRequest(1, 32772, {0x0001, 0x0002})).size() == 8);
    QCOMPARE(f.bench.readU32(1, 0x03, 32772), quint32(0x00010002));
}

void tst_SimProtocol::coilsReadAndWrite()
{
    SimFixture f;
    QVERIFY(f.started);
    QCOMPARE(f.bench.exchange(request(1, 0x05, 1, 0xFF00)), sim::withCrc(request(1, 0x05, 1, 0xFF00)));
    QVERIFY(f.simulator->coil(Module::Imr, 1));
    QByteArray clearAll = request(2, 0x0F, 0, 4);
    clearAll.append(char(1)).append(char(0b0101));
    QCOMPARE(f.bench.exchange(clearAll), sim::withCrc(request(2, 0x0F, 0, 4)));
    const QByteArray bits = f.bench.exchange(request(2, 0x01, 0, 4));
    QCOMPARE(bits.mid(1, 3), QByteArray("\x01\x01\x05", 3));
}

void tst_SimProtocol::addressRegisterMovesTheModuleAfterAnswering()
{
    SimFixture f;
    QVERIFY(f.started);
    QCOMPARE(f.bench.writeRegister(2, 0, 44), sim::withCrc(request(2, 0x06, 0, 44)));
    QCOMPARE(f.bench.exchange(request(2, 0x03, 0, 1), 200), QByteArray());
    QCOMPARE(f.bench.readRegisters(44, 0x03, 0, 1), QList<quint16>{44});
}

void tst_SimProtocol::setAddressZeroTakesModuleOff()
{
    SimFixture f;
    QVERIFY(f.started);
    f.simulator->setAddress(Module::Ipt, 0);
    QCOMPARE(f.bench.exchange(request(3, 0x03, 0, 1), 200), QByteArray());
    // Nor does it take part in a broadcast.
    f.bench.exchange(request(0, 0x06, 2, 9), 100);
    QCOMPARE(f.simulator->holding(Module::Ipt, 2), quint16(0));
    QCOMPARE(f.simulator->holding(Module::Usi, 2), quint16(9));
    f.simulator->setAddress(Module::Ipt, 7);
    QCOMPARE(f.bench.readRegisters(7, 0x03, 0, 1), QList<quint16>{7});
}

// The pty carries the speed the master set, so the simulator hears what a module would.
void tst_SimProtocol::moduleHearsOnlyItsOwnSpeed()
{
    SimFixture f;
    QVERIFY(f.started);
    // The new speed takes effect after the answer, which still goes out at 19200.
    QCOMPARE(f.bench.writeRegister(1, 1, 3), sim::withCrc(request(1, 0x06, 1, 3)));
    QCOMPARE(f.bench.exchange(request(1, 0x03, 0, 1), 200), QByteArray());
    QVERIFY(f.bench.readRegisters(2, 0x03, 0, 1));  // the УСИ stays at 19200

    QVERIFY(f.bench.setBaudRate(9600));
    QCOMPARE(f.bench.readRegisters(1, 0x03, 1, 1), QList<quint16>{3});
    QCOMPARE(f.bench.exchange(request(2, 0x03, 0, 1), 200), QByteArray());
    // A broadcast reaches only the modules at the line's speed.
    f.bench.exchange(request(0, 0x06, 2, 9), 100);
    QCOMPARE(f.simulator->holding(Module::Imr, 2), quint16(9));
    QCOMPARE(f.simulator->holding(Module::Usi, 2), quint16(0));
}

// Behind a relay the simulator cannot see the speed; the option tells it.
void tst_SimProtocol::lineSpeedStandsInWhereThePortHidesIt()
{
    sim::Options o;
    o.moduleSpeedCodes = {3, 4, 4};  // ИМР at 9600
    o.lineSpeed = 9600;
    sim::Equipment equipment(o);
    const QByteArray readAddress = sim::withCrc(request(1, 0x03, 0, 1));
    QVERIFY(equipment.respond(sim::LineKind::Bench, readAddress));
    QVERIFY(!equipment.respond(sim::LineKind::Bench, sim::withCrc(request(2, 0x03, 0, 1))));
    // A speed the transport does know wins over the option.
    QVERIFY(!equipment.respond(sim::LineKind::Bench, readAddress, 19200));
}

void tst_SimProtocol::faults_data()
{
    QTest::addColumn<sim::Module>("module");
    QTest::addColumn<sim::Fault>("fault");
    QTest::newRow("silent ИМР") << Module::Imr << sim::Fault::Silent;
    QTest::newRow("damaged CRC УСИ") << Module::Usi << sim::Fault::BadCrc;
    QTest::newRow("exception ИПТ") << Module::Ipt << sim::Fault::Exception;
    QTest::newRow("slow meter") << Module::Meter << sim::Fault::Slow;
    QTest::newRow("wrong address УСИ") << Module::Usi << sim::Fault::WrongAddress;
    QTest::newRow("truncated ИМР") << Module::Imr << sim::Fault::Truncated;
}

void tst_SimProtocol::faults()
{
    QFETCH(sim::Module, module);
    QFETCH(sim::Fault, fault);
    SimFixture f;
    QVERIFY(f.started);
    const sim::FaultSpec injected{fault, 6, 400};
    f.simulator->setFault(module, injected);
    RtuMaster& line = module == Module::Meter ? f.meter : f.bench;
    const quint8 address = module == Module::Usi ? 2 : module == Module::Ipt ? 3 : 1;
    const QByteArray frame = request(address, 0x03, 0, 2);

    QElapsedTimer clock;
    clock.start();
    const QByteArray answer = line.exchange(frame, 1500);
    switch (fault) {
    case sim::Fault::Silent:
        QCOMPARE(answer, QByteArray());
        break;
    case sim::Fault::BadCrc:
        QCOMPARE(answer.size(), 9);
        QVERIFY(!sim::hasValidCrc(answer));
        break;
    case sim::Fault::Exception:
        QCOMPARE(answer, sim::withCrc(QByteArray("\x03\x83\x06", 3)));
        break;
    case sim::Fault::WrongAddress:
        // The УСИ's own registers (its address, 19200 baud) under the next address.
        QCOMPARE(answer, sim::withCrc(QByteArray("\x03\x03\x04\x00\x02\x00\x04", 7)));
        break;
    case sim::Fault::Truncated:
        // Two registers asked, one given, with a byte count and a CRC that agree with it.
        QCOMPARE(answer, sim::withCrc(QByteArray("\x01\x03\x02\x00\x01", 5)));
        break;
    case sim::Fault::Slow:
    case sim::Fault::None:
        QVERIFY(sim::hasValidCrc(answer));
        QVERIFY2(clock.elapsed() >= injected.slowMs, "answered before its delay");
        break;
    }
    QCOMPARE(f.simulator->requestCount(module), 1);

    f.simulator->setFault(module, {});
    QVERIFY(sim::hasValidCrc(line.exchange(frame)));
}

// The answer never comes from the broadcast address nor from the asked one itself.
void tst_SimProtocol::wrongAddressAfterTheLastIsTheFirst()
{
    sim::Equipment equipment{sim::Options{}};
    equipment.setAddress(Module::Usi, 247);
    equipment.setFault(Module::Usi, {sim::Fault::WrongAddress});
    const std::optional<sim::Reply> reply =
        equipment.respond(sim::LineKind::Bench, sim::withCrc(request(247, 0x03, 0, 1)));
    QVERIFY(reply);
    QCOMPARE(reply->frame, sim::withCrc(QByteArray("\x01\x03\x02\x00\xF7", 5)));
}

void tst_SimProtocol::wireTimeDelaysAnswers()
{
    sim::Options slowLine;
    slowLine.wireTime = true;
    slowLine.baud = 1200;
    SimFixture f(slowLine);
    QVERIFY(f.started);
    // Reading 20 registers at 1200 baud: (8 + 3.5 + 45) characters of 11 bits, about 518 ms.
    QElapsedTimer clock;
    clock.start();
    QVERIFY(f.bench.readRegisters(1, 0x04, 32772, 20));
    QVERIFY2(clock.elapsed() >= 500, qPrintable(QString::number(clock.elapsed())));

    // The delay each answer is given, without the wire: the same 56.5 characters of 11 bits.
    sim::Equipment equipment{slowLine};
    const QByteArray read20 = sim::withCrc(request(1, 0x04, 32772, 20));
    QCOMPARE(equipment.respond(sim::LineKind::Bench, read20)->delayUs, qint64(std::ceil(56.5 * 11 / 1200 * 1e6)));
    equipment.setWireTime(false, 1200);
    QCOMPARE(equipment.respond(sim::LineKind::Bench, read20)->delayUs, qint64(0));
}

void tst_SimProtocol::droppedLineComesBack()
{
    SimFixture f;
    QVERIFY(f.started);
    const QString path = f.simulator->meterPort();
    f.simulator->dropLine(Module::Meter);
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(f.meter.exchange(request(1, 0x03, 0, 2), 200), QByteArray());
    f.meter.close();
    QVERIFY(f.simulator->restoreLine(Module::Meter));
    RtuMaster again;
    QVERIFY(again.open(path));
    QVERIFY(again.readRegisters(1, 0x03, 0, 2));
}

QTEST_GUILESS_MAIN(tst_SimProtocol)
#include "tst_sim_protocol.moc"
