// zta-sim's command line, and the program itself: it starts, names its lines, and cleans up
// on SIGTERM; it refuses what it cannot simulate.
#include "sim/SimCommandLine.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using sim::Fault;
using sim::Module;

Q_DECLARE_METATYPE(sim::Module)
Q_DECLARE_METATYPE(sim::Fault)

class tst_SimCmdline : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faults_data();
    void faults();
    void rejectsBadArguments_data();
    void rejectsBadArguments();
    void readsOptions();
    void defaultsAreTheEquipments();
    void runsUntilTerminated();
    void cannotStartWithAnUnknownMeterType();
};

void tst_SimCmdline::faults_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<sim::Module>("module");
    QTest::addColumn<sim::Fault>("fault");
    QTest::addColumn<int>("exceptionCode");
    QTest::addColumn<int>("slowMs");
    const sim::FaultSpec d;
    QTest::newRow("silent") << "imr=silent" << true << Module::Imr << Fault::Silent << d.exceptionCode << d.slowMs;
    QTest::newRow("crc") << "ipt=crc" << true << Module::Ipt << Fault::BadCrc << d.exceptionCode << d.slowMs;
    QTest::newRow("exception code") << "usi=exception:6" << true << Module::Usi << Fault::Exception << 6 << d.slowMs;
    QTest::newRow("exception default") << "usi=exception" << true << Module::Usi << Fault::Exception << 4 << d.slowMs;
    QTest::newRow("slow") << "meter=slow:1500" << true << Module::Meter << Fault::Slow << d.exceptionCode << 1500;
    QTest::newRow("none") << "meter=none" << true << Module::Meter << Fault::None << d.exceptionCode << d.slowMs;
    QTest::newRow("unknown module") << "pump=silent" << false << Module::Imr << Fault::None << 0 << 0;
    QTest::newRow("unknown fault") << "imr=noisy" << false << Module::Imr << Fault::None << 0 << 0;
    QTest::newRow("no fault") << "imr" << false << Module::Imr << Fault::None << 0 << 0;
    QTest::newRow("number not allowed") << "imr=silent:3" << false << Module::Imr << Fault::None << 0 << 0;
    QTest::newRow("negative delay") << "imr=slow:-5" << false << Module::Imr << Fault::None << 0 << 0;
    QTest::newRow("code beyond a byte") << "imr=exception:300" << false << Module::Imr << Fault::None << 0 << 0;
}

void tst_SimCmdline::faults()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QString error;
    const auto parsed = sim::parseFault(text, &error);
    QCOMPARE(parsed.has_value(), valid);
    if (!valid) {
        QVERIFY(error.contains(text));
        return;
    }
    QFETCH(sim::Module, module);
    QFETCH(sim::Fault, fault);
    QFETCH(int, exceptionCode);
    QFETCH(int, slowMs);
    QCOMPARE(parsed->first, module);
    QCOMPARE(parsed->second.fault, fault);
    QCOMPARE(parsed->second.exceptionCode, exceptionCode);
    QCOMPARE(parsed->second.slowMs, slowMs);
}

void tst_SimCmdline::rejectsBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentioned");
    QTest::newRow("address beyond Modbus") << QStringList{"--imr-addr", "248"} << "--imr-addr";
    QTest::newRow("not a number") << QStringList{"--baud", "fast"} << "--baud";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
    QTest::newRow("stray argument") << QStringList{"bench"} << "bench";
    QTest::newRow("bad fault") << QStringList{"--fault", "imr=loud"} << "imr=loud";
    QTest::newRow("delay not a number") << QStringList{"--dt", "long"} << "--dt";
    QTest::newRow("delay of nothing") << QStringList{"--dt", "0"} << "--dt";
    QTest::newRow("no third calibration series") << QStringList{"--noisy-record", "2"} << "--noisy-record";
    QTest::newRow("no autocirculations") << QStringList{"--meter-autocirc", "0"} << "--meter-autocirc";
    QTest::newRow("absurd meter error") << QStringList{"--meter-error", "80"} << "--meter-error";
    QTest::newRow("meter type beyond the list") << QStringList{"--meter-type", "7"} << "--meter-type";
    QTest::newRow("no third channel of two") << QStringList{"--no-signal-channel", "3"} << "--no-signal-channel";
    QTest::newRow("no channels") << QStringList{"--channels", "0"} << "--channels";
    QTest::newRow("a fifth channel") << QStringList{"--channels", "5"} << "--channels";
    QTest::newRow("one slot kind") << QStringList{"--slot-kinds", "2"} << "--slot-kinds";
    QTest::newRow("three slot kinds") << QStringList{"--slot-kinds", "2,0,1"} << "--slot-kinds";
    QTest::newRow("slot kind beyond the boards") << QStringList{"--slot-kinds", "4,0"} << "--slot-kinds";
    QTest::newRow("slot kinds not numbers") << QStringList{"--slot-kinds", "current,empty"} << "--slot-kinds";
    QTest::newRow("absurd slot error") << QStringList{"--slot-error", "-80"} << "--slot-error";
    QTest::newRow("no fifth ИПТ channel") << QStringList{"--slot-ipt-channel", "5"} << "--slot-ipt-channel";
    QTest::newRow("no ИПТ channel 0 to spoil") << QStringList{"--ipt-out-of-limits", "0"} << "--ipt-out-of-limits";
    QTest::newRow("a speed no module takes") << QStringList{"--module-speed", "usi=38400"} << "usi=38400";
    QTest::newRow("the meter's speed is not modelled") << QStringList{"--module-speed", "meter=9600"} << "meter=9600";
    QTest::newRow("module speed without a module") << QStringList{"--module-speed", "9600"} << "9600";
}

void tst_SimCmdline::rejectsBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, mentioned);
    sim::SimCommandLine line;
    QCOMPARE(line.parse(QStringList{"zta-sim"} + arguments), sim::SimCommandLine::Outcome::Error);
    QVERIFY2(line.error().contains(mentioned), qPrintable(line.error()));
}

void tst_SimCmdline::readsOptions()
{
    sim::SimCommandLine line;
    QCOMPARE(line.parse({"zta-sim", "--dir", "/tmp/x", "--imr-addr", "5", "--usi-addr", "6", "--ipt-addr", "7",
                         "--meter-addr", "9", "--meter-type", "3", "--wire-time", "--baud", "9600",
                         "--executing-ms", "50", "--calibration-ms", "15", "--dt", "101.25", "--noisy-record", "0",
                         "--meter-autocirc", "200", "--meter-error", "-1.5", "--fault", "imr=silent", "--fault",
                         "meter=slow:100", "--no-signal-channel", "2", "--channels", "3", "--slot-kinds", "1,2",
                         "--slot-error", "2.5", "--slot-ipt-channel", "4", "--ipt-out-of-limits", "2",
                         "--module-speed", "usi=9600", "--module-speed", "ipt=1200", "--line-speed", "4800"}),
             sim::SimCommandLine::Outcome::Run);
    const sim::Options& o = line.setup().options;
    QCOMPARE(o.directory, QStringLiteral("/tmp/x"));
    QCOMPARE((QList<int>{o.imrAddress, o.usiAddress, o.iptAddress, o.meterAddress, o.meterType}),
             (QList<int>{5, 6, 7, 9, 3}));
    QVERIFY(o.wireTime);
    QCOMPARE(o.baud, 9600);
    QCOMPARE(o.executingMs, 50);
    QCOMPARE((QList<int>{o.calibrationMs, o.noisyRecord, o.meterAutocirculations}), (QList<int>{15, 0, 200}));
    QCOMPARE(o.delayNs, 101.25);
    QCOMPARE(o.meterErrorPct, -1.5);
    QCOMPARE((QList<int>{o.noSignalChannel, o.channels, o.slotKinds[0], o.slotKinds[1], o.slotIptChannel}),
             (QList<int>{2, 3, 1, 2, 4}));
    QCOMPARE(o.slotErrorPct, 2.5);
    QCOMPARE(o.iptOutOfLimits, 2);
    QCOMPARE((QList<int>{o.moduleSpeedCodes[0], o.moduleSpeedCodes[1], o.moduleSpeedCodes[2], o.lineSpeed}),
             (QList<int>{4, 3, 0, 4800}));
    QCOMPARE(line.setup().faults.size(), 2);
    QCOMPARE(line.setup().faults[1].first, Module::Meter);
}

// Left out, the options keep what the equipment is built with by default.
void tst_SimCmdline::defaultsAreTheEquipments()
{
    sim::SimCommandLine line;
    QCOMPARE(line.parse({"zta-sim"}), sim::SimCommandLine::Outcome::Run);
    const sim::Options o = line.setup().options;
    const sim::Options d;
    QCOMPARE((QList<int>{o.imrAddress, o.usiAddress, o.iptAddress, o.meterAddress, o.calibrationMs, o.noisyRecord,
                         o.meterAutocirculations}),
             (QList<int>{1, 2, 3, 1, d.calibrationMs, -1, 256}));
    QVERIFY(d.calibrationMs <= 20);  // the program looks 30 ms after it asked
    QCOMPARE(o.delayNs, 97.3);
    QCOMPARE(o.meterErrorPct, 0.0);
    // No channel without its signal, four channels, a current board in the first slot on ИПТ channel 1.
    QCOMPARE((QList<int>{o.meterType, o.noSignalChannel, o.channels, o.slotKinds[0], o.slotKinds[1], o.slotIptChannel}),
             (QList<int>{0, 0, 4, 2, 0, 1}));
    QCOMPARE(o.slotErrorPct, 0.0);
    QCOMPARE(o.iptOutOfLimits, 0);  // every ИПТ channel calibrates
}

void tst_SimCmdline::runsUntilTerminated()
{
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral(ZTA_SIM_EXE), {"--dir", dir.path()});
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += p.readAllStandardOutput()).contains("meter line"), 5000);
    const QString printed = QString::fromUtf8(output);
    QVERIFY2(printed.contains("bench line: " + dir.filePath("bench")), qPrintable(printed));
    QVERIFY2(printed.contains("meter line: " + dir.filePath("meter")), qPrintable(printed));
    QVERIFY(QFileInfo(dir.filePath("bench")).symLinkTarget().startsWith("/dev/pts/"));

    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), QStringList());
}

// The command line lets no unknown type through; the simulator itself refuses one with a reason.
void tst_SimCmdline::cannotStartWithAnUnknownMeterType()
{
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral(ZTA_SIM_EXE), {"--dir", dir.path(), "--meter-type", "7"});
    QVERIFY(p.waitForFinished(5000));
    QVERIFY(p.exitCode() != 0);
    QVERIFY2(p.readAllStandardError().contains("--meter-type"), "no reason given");

    sim::Options options;
    options.directory = dir.path();
    options.meterType = 7;
    sim::Simulator simulator(options);
    QString error;
    QVERIFY(!simulator.start(&error));
    QVERIFY2(error.contains("meter type 7"), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(tst_SimCmdline)
#include "tst_sim_cmdline.moc"
