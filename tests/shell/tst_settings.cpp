// The settings file: INI reading and writing, channel settings and window positions.
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/WindowPosition.h"

#include <QFile>
#include <QFileDevice>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using settings::IniFile;

class TstSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("ZTA.ini")); }
    void writeRaw(const QByteArray& bytes)
    {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readRaw() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void missingFileOrKeyGivesDefault()
    {
        IniFile ini(path());
        QVERIFY(!ini.exists());
        QCOMPARE(ini.readInteger("List", "Count", 7), 7);
        QCOMPARE(ini.readString("ZTA", "Comm Port", "COM1"), QString("COM1"));
        ini.writeInteger("List", "Count", 2);
        QCOMPARE(ini.readInteger("List", "Other", -3), -3);
        QCOMPARE(ini.readInteger("Missing", "Count", 9), 9);
    }

    void namesCompareWithoutCase()
    {
        IniFile ini(path());
        ini.writeString("PRIBOR", "Comm Port", "COM3");
        QCOMPARE(ini.readString("Pribor", "comm port", ""), QString("COM3"));
        ini.writeString("pribor", "COMM PORT", "COM4");  // replaces, does not add
        QCOMPARE(ini.readString("PRIBOR", "Comm Port", ""), QString("COM4"));
        QCOMPARE(readRaw().toLower().count("comm port"), 1);
    }

    void integerThatDoesNotParseGivesDefault_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-5") << -5;
        QTest::newRow("letters") << QByteArray("abc") << 11;
        QTest::newRow("empty") << QByteArray("") << 11;
        QTest::newRow("number with text") << QByteArray("12x") << 11;
    }
    void integerThatDoesNotParseGivesDefault()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        writeRaw("[S]\r\nK=" + stored + "\r\n");
        QCOMPARE(IniFile(path()).readInteger("S", "K", 11), expected);
    }

    void writingKeepsOtherLinesAndAddsToItsSection()
    {
        writeRaw("; comment\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
        IniFile ini(path());
        ini.writeString("A", "z", "3");
        ini.writeString("C", "w", "4");
        QCOMPARE(readRaw(), QByteArray("; comment\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n"));
    }

    void lineBreaksInAValueCannotInjectKeys()
    {
        IniFile ini(path());
        ini.writeString("ZTA", "Comm Port", "COM1\r\n[ZTA Address]\nIMR=7");
        QCOMPARE(ini.readInteger("ZTA Address", "IMR", 0), 0);
        QVERIFY(ini.readString("ZTA", "Comm Port", "").startsWith("COM1"));
        QCOMPARE(readRaw().count('\n'), 2);
    }

    void cyrillicIsWrittenInUtf8AndOldFilesReadAsWindows1251()
    {
        IniFile ini(path());
        ini.writeString("List", "Name1", "Расходомер");
        QVERIFY(readRaw().contains(QString("Расходомер").toUtf8()));
        QCOMPARE(ini.readString("List", "Name1", ""), QString("Расходомер"));

        QStringEncoder cp1251("windows-1251");
        writeRaw("[List]\r\nName1=" + QByteArray(cp1251.encode(QString("ДТК-300Т"))) + "\r\n");
        QCOMPARE(ini.readString("List", "Name1", ""), QString("ДТК-300Т"));
    }

    void failedWriteKeepsTheFileWhole()
    {
        IniFile ini(path());
        ini.writeInteger("A", "x", 1);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool writable = QFile(dir.filePath("probe")).open(QIODevice::WriteOnly);
        const bool stored = ini.writeInteger("A", "x", 2);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (writable)
            QSKIP("running as a user who may write anywhere");
        QVERIFY(!stored);
        QCOMPARE(ini.readInteger("A", "x", 0), 1);
    }

    void channelSettingsDefaultsWithoutFile()
    {
        const auto s = settings::ChannelSettings::read(IniFile(path()), "ZTA");
        QCOMPARE(s.port, QString("COM1"));
        QCOMPARE(s.speedIndex, 0);
        QCOMPARE(s.linkType, 0);
        QCOMPARE(s.interval, 20);
        QCOMPARE(s.answerDelay, 500);
        QCOMPARE(s.retries, 5);
    }

    void baudRateReadsAsSpeedIndex_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("index");
        QTest::newRow("19200") << 19200 << 0;
        QTest::newRow("9600") << 9600 << 1;
        QTest::newRow("4800") << 4800 << 2;
        QTest::newRow("2400") << 2400 << 3;
        QTest::newRow("1200") << 1200 << 4;
        QTest::newRow("57600 is not offered") << 57600 << 0;
    }
    void baudRateReadsAsSpeedIndex()
    {
        QFETCH(int, baud);
        QFETCH(int, index);
        IniFile ini(path());
        ini.writeInteger("ZTA", "Baud Rate", baud);
        QCOMPARE(settings::ChannelSettings::read(ini, "ZTA").speedIndex, index);
    }

    void channelSettingsRoundTripInTheirOrder()
    {
        IniFile ini(path());
        settings::ChannelSettings s;
        s.port = "/dev/ttyUSB0";
        s.speedIndex = 1;
        s.linkType = 1;
        s.interval = 10;
        s.answerDelay = 300;
        s.retries = 2;
        s.write(ini, "PRIBOR");
        const auto r = settings::ChannelSettings::read(ini, "Pribor");
        QCOMPARE(r.port, s.port);
        QCOMPARE(r.speedIndex, 1);
        QCOMPARE(r.linkType, 1);
        QCOMPARE(r.interval, 10);
        QCOMPARE(r.answerDelay, 300);
        QCOMPARE(r.retries, 2);
        QCOMPARE(readRaw(), QByteArray("[PRIBOR]\r\nComm Port=/dev/ttyUSB0\r\nInterval=10\r\nBaud Rate=9600\r\n"
                                       "Link Type=1\r\nReceive Delay=300\r\nError Retriers=2\r\n"));
    }

    void windowPosition_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<QPoint>("expected");
        // screen 1000 x 800, window 200 x 100: centred at (400, 350)
        QTest::newRow("on screen") << 100 << 50 << QPoint(100, 50);
        QTest::newRow("negative stays") << -20 << -5 << QPoint(-20, -5);
        QTest::newRow("right of the screen") << 1001 << 50 << QPoint(400, 350);
        QTest::newRow("below the screen") << 10 << 801 << QPoint(400, 350);
        QTest::newRow("at the very edge") << 1000 << 800 << QPoint(1000, 800);
    }
    void windowPosition()
    {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(QPoint, expected);
        IniFile ini(path());
        ini.writeInteger("CalcFrm", "left", left);
        ini.writeInteger("CalcFrm", "top", top);
        ui::Form form("f");
        form.setGeometry(QRect(5, 5, 200, 100));
        settings::restorePosition(ini, "CalcFrm", form, QSize(1000, 800));
        QCOMPARE(form.geometry().topLeft(), expected);
    }

    void windowPositionDefaultsToDesigned()
    {
        ui::Form form("f");
        form.setGeometry(QRect(33, 44, 200, 100));
        settings::restorePosition(IniFile(path()), "FlowForm", form, QSize(1000, 800));
        QCOMPARE(form.geometry().topLeft(), QPoint(33, 44));
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
