// Values <-> registers, device names, port names and port problems of the RTU server.
#include "link/Result.h"
#include "link/rtu/DeviceName.h"
#include "link/PortList.h"
#include "link/rtu/PortProblem.h"
#include "link/rtu/RegisterCodec.h"

#include "TypedText.h"

#include <QTest>

using comm::DataType;
using test::typedText;
using Registers = QList<quint16>;

class TestLinkCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void encode_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("encodable");
        QTest::addColumn<Registers>("registers");
        QTest::newRow("int16 two's complement") << comm::i16(-2) << true << Registers{0xFFFE};
        QTest::newRow("uint8 in the low byte") << comm::u8(0xC8) << true << Registers{0x00C8};
        QTest::newRow("uint16") << comm::u16(0xBEEF) << true << Registers{0xBEEF};
        QTest::newRow("uint32 high word first") << comm::u32(0x12345678) << true << Registers{0x1234, 0x5678};
        QTest::newRow("float high word first") << comm::f32(-1.5f) << true << Registers{0xBFC0, 0x0000};
        QTest::newRow("list in order") << QVariant(QVariantList{comm::u16(1), comm::f32(2.0f), comm::i16(-1)}) << true
                                       << Registers{0x0001, 0x4000, 0x0000, 0xFFFF};
        QTest::newRow("plain int") << QVariant(5) << false << Registers{};
        QTest::newRow("text") << QVariant(QStringLiteral("5")) << false << Registers{};
        QTest::newRow("empty list") << QVariant(QVariantList{}) << false << Registers{};
        QTest::newRow("list with text") << QVariant(QVariantList{comm::u16(1), QStringLiteral("x")}) << false << Registers{};
    }
    void encode()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, encodable);
        QFETCH(Registers, registers);
        Registers out;
        QCOMPARE(comm::rtu::encodeRegisters(value, &out), encodable);
        if (encodable)
            QCOMPARE(out, registers);
    }

    void decode_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("count");
        QTest::addColumn<Registers>("registers");
        QTest::addColumn<int>("result");
        QTest::addColumn<QVariant>("value");
        const auto list = [](QVariantList l) { return QVariant(l); };
        QTest::newRow("one int16 is a bare value") << 2 << 1 << Registers{0x8000} << 0 << comm::i16(-32768);
        QTest::newRow("uint8 from the low byte") << 17 << 1 << Registers{0x12AB} << 0 << comm::u8(0xAB);
        QTest::newRow("uint32 high word first") << 19 << 1 << Registers{0x0001, 0x0002} << 0 << comm::u32(0x00010002);
        QTest::newRow("floats in register order") << 4 << 2 << Registers{0x3F80, 0, 0xC000, 0} << 0
                                                  << list({comm::f32(1.0f), comm::f32(-2.0f)});
        QTest::newRow("coils") << 11 << 3 << Registers{1, 0, 1} << 0 << list({comm::boolean(true), comm::boolean(false), comm::boolean(true)});
        QTest::newRow("extra registers ignored") << 18 << 1 << Registers{7, 8} << 0 << comm::u16(7);
        QTest::newRow("half a float") << 4 << 1 << Registers{0x3F80} << int(comm::ResultShortData) << QVariant();
        QTest::newRow("fewer values than asked") << 18 << 3 << Registers{1, 2} << int(comm::ResultShortData) << QVariant();
    }
    void decode()
    {
        QFETCH(int, type);
        QFETCH(int, count);
        QFETCH(Registers, registers);
        QFETCH(int, result);
        QFETCH(QVariant, value);
        QVariant out;
        QCOMPARE(comm::rtu::decodeRegisters(DataType(type), count, registers, &out), result);
        if (result == comm::ResultOk)
            QCOMPARE(typedText(out), typedText(value));
    }

    void deviceName_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::newRow("UTF-8") << QStringLiteral("ЗТА-ИМР").toUtf8() << QStringLiteral("ЗТА-ИМР");
        QTest::newRow("Windows-1251") << QByteArray("\xC7\xD2\xC0-\xD3\xD1\xC8") << QStringLiteral("ЗТА-УСИ");
        QTest::newRow("NUL kept") << QByteArray("\xC7\xD2\xC0\0\xFF", 5) << QStringLiteral("ЗТА") + QChar(0) + QStringLiteral("я");
        QTest::newRow("ASCII") << QByteArray("Meter 5") << QStringLiteral("Meter 5");
    }
    void deviceName()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QCOMPARE(comm::rtu::decodeDeviceName(bytes), name);
    }

    void portName_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("opened");
        QTest::newRow("COM1") << "COM1" << "/dev/ttyS0";
        QTest::newRow("com12") << "com12" << "/dev/ttyS11";
        QTest::newRow("device path") << "/dev/ttyUSB0" << "/dev/ttyUSB0";
        QTest::newRow("simulator link") << "/run/user/1000/zta-sim/bench" << "/run/user/1000/zta-sim/bench";
        QTest::newRow("COM0 is no COM port") << "COM0" << "COM0";
        QTest::newRow("COMx") << "COMx" << "COMx";
    }
    void portName()
    {
        QFETCH(QString, given);
        QFETCH(QString, opened);
        QCOMPARE(comm::platformPortName(given), opened);
    }

    void openProblem_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<QString>("text");
        QTest::newRow("no such device") << int(QSerialPort::DeviceNotFoundError) << false
                                        << "Порт /dev/ttyUSB0 не найден: проверьте, что адаптер подключён.";
        QTest::newRow("user not in dialout") << int(QSerialPort::PermissionError) << false
                                             << "Нет доступа к порту /dev/ttyUSB0: добавьте пользователя в группу dialout "
                                                "(sudo usermod -aG dialout $USER) и войдите заново.";
        QTest::newRow("locked by another program") << int(QSerialPort::PermissionError) << true
                                                   << "Порт /dev/ttyUSB0 занят другой программой: закройте её или выберите другой порт.";
        QTest::newRow("anything else") << int(QSerialPort::UnsupportedOperationError) << true
                                       << "Не удалось открыть порт /dev/ttyUSB0: Qt's words";
    }
    void openProblem()
    {
        QFETCH(int, error);
        QFETCH(bool, accessible);
        QFETCH(QString, text);
        QCOMPARE(comm::rtu::openProblemText("/dev/ttyUSB0", QSerialPort::SerialPortError(error), accessible, "Qt's words"), text);
    }
};

QTEST_GUILESS_MAIN(TestLinkCodec)
#include "tst_link_codec.moc"
