// The automatic verification over real serial lines: the simulated bench and meter on
// pseudo-terminals (or the ports named by ZTA_BENCH_PORT and ZTA_METER_PORT, with the meter type
// in ZTA_METER_TYPE, 6 when not given), the Modbus RTU server on each line, the main window with
// its module search. The verdict follows the meter's error, "Стоп" leaves an incomplete
// protocol, every protocol comes out as a PDF and a CSV that reads back the same numbers, and
// every run is in the protocol archive as it was measured, sealed.
#include "../support/PtyLines.h"
#include "../support/ScriptedDialogs.h"
#include "bench/ImrCommands.h"
#include "link/rtu/RtuComMaster.h"
#include "meter/MeterTypes.h"
#include "modes/verification/AutoVerification.h"
#include "modes/verification/ProtocolCsv.h"
#include "modes/verification/ProtocolFiles.h"
#include "modes/verification/archive/ArchiveDatabase.h"
#include "modes/verification/archive/ArchiveReader.h"
#include "ui/app/MainFrm.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace verification;

namespace {

constexpr int kConnectTimeoutMs = 30000;
constexpr int kRunTimeoutMs = 120000;
constexpr double kPermissiblePct = 0.8;
// A meter of 256 autocirculations is imitated up to about 47 m3/h.
const QList<int> kPoints{5, 20, 40};
// The smallest volume whose pulse count resolves the permissible error.
constexpr double kVolume = 0.25;
const MeterIdentity kMeter{QStringLiteral("E2E-7"), QStringLiteral("Стенд ОТК"), QStringLiteral("Сидоров С. С.")};

VerificationParameters quickParameters(double volume)
{
    return VerificationParameters{300, 2, 100, 500, volume, kPoints};
}

int meterType()
{
    bool ok = false;
    const int type = qEnvironmentVariableIntValue("ZTA_METER_TYPE", &ok);
    return ok ? type : meter::TypeMultiChannel;
}

sim::Options simulated(double meterErrorPct)
{
    sim::Options o;
    o.executingMs = 20;
    o.meterType = meterType();
    o.meterErrorPct = meterErrorPct;
    return o;
}

// The program on both lines with its modules found and the meter type chosen.
struct Station {
    explicit Station(double meterErrorPct)
        : lines(simulated(meterErrorPct)),
          main([](const char*) { return std::make_unique<comm::RtuComMaster>(); }),
          run(main.autoVerification),
          finished(&run, &AutoVerification::finished)
    {
    }

    // False (with the test failed) when the lines or the modules are not there.
    bool setUp()
    {
        auto& cfg = main.form.config;
        cfg.BtnConnect.click();
        cfg.BtnConnect1.click();
        if (!QTest::qWaitFor([&] { return main.ctx.bench.connected && main.ctx.meter.connected; }, kConnectTimeoutMs))
            return false;
        cfg.BitBtn5.click();  // "Проверка связи": finds the modules
        if (!QTest::qWaitFor([&] { return cfg.BitBtn5.isEnabled(); }, kConnectTimeoutMs))
            return false;
        cfg.cbxprib.select(meterType());
        // The multi-channel meter's window starts its polling once a channel is chosen.
        if (meterType() == meter::TypeMultiChannel)
            main.meterPolling.restartPolling();
        return main.ctx.modules.ImrModule.Adr != 0;
    }

    bool runToTheEnd(double volume)
    {
        return run.start(quickParameters(volume), kPermissiblePct, kMeter) && finished.wait(kRunTimeoutMs);
    }

    QTemporaryDir settingsDir;
    test::PtyLines lines;
    // The settings point at the lines and the archive before the window reads them.
    const bool settingsPointed = (lines.pointSettingsAtThem(settingsDir.path()), true);
    test::ScriptedDialogs dialogs;
    app::TMainFrm main;
    AutoVerification& run;  // the program's own, which keeps its runs in the archive
    QSignalSpy finished;
};

// The protocol saved as the operator saves it: a PDF with something in it and a CSV that reads
// back every number.
void verifyFiles(const Protocol& p)
{
    QTemporaryDir dir;
    const SavedProtocol saved = saveProtocol(p, dir.filePath(QStringLiteral("Протоколы")));
    QVERIFY2(saved.error.isEmpty(), qPrintable(saved.error));
    QCOMPARE(saved.files.size(), 2);
    QFile pdf(saved.files[0]);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.size() > 1000);
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
    QFile csv(saved.files[1]);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QString error;
    const std::optional<Protocol> read = parseProtocolCsv(csv.readAll(), &error);
    QVERIFY2(read, qPrintable(error));
    QCOMPARE(read->points, p.points);
    QCOMPARE(read->volume, p.volume);
    QVERIFY(*read == p);
}

// The run as the archive holds it: the protocol measured, in the state it ended in, sealed in
// an intact chain. A fresh archive gives its first run the number <year>-1.
void verifyArchived(Station& s, const Protocol& p, archive::RunState state)
{
    archive::ArchiveSettings settings;
    settings.file = s.settingsDir.filePath(QStringLiteral("archive.sqlite"));
    archive::ArchiveDatabase database;
    QVERIFY2(database.open(settings), qPrintable(database.error()));
    archive::ArchiveReader reader(database);
    const std::optional<archive::ArchivedRun> run = reader.load(QStringLiteral("%1-1").arg(p.started.date().year()));
    QVERIFY2(run, qPrintable(reader.error()));
    QVERIFY(run->protocol == p);
    QCOMPARE(run->state, state);
    QCOMPARE(run->seal.size(), 64);
    QCOMPARE(reader.verifyChain(), std::optional<QStringList>(QStringList{}));
}

void verifyBenchAtRest(Station& s)
{
    QVERIFY(s.main.ctx.workMode.isFree());
    QCOMPARE(s.main.ctx.state.values.ImrState, bench::imr::StateIdle);
    QCOMPARE(s.main.calcFrm.QEtalon(), 0.0);
}

}  // namespace

Q_DECLARE_METATYPE(Conclusion)

class TstAutoVerificationE2e : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void protocolOfAWholeRun_data()
    {
        QTest::addColumn<double>("meterError");  // NaN: the meter as it is
        QTest::addColumn<double>("volume");
        QTest::addColumn<Conclusion>("conclusion");
        QTest::addColumn<QList<int>>("failed");
        QTest::newRow("meter 0.3 % high") << 0.3 << kVolume << Conclusion::Fit << QList<int>{};
        QTest::newRow("meter 1.5 % high") << 1.5 << 0.0 << Conclusion::Unfit << kPoints;
        if (test::PtyLines::external())
            QTest::newRow("the meter on the given ports") << std::nan("") << kVolume << Conclusion::None << QList<int>{};
    }

    void protocolOfAWholeRun()
    {
        QFETCH(double, meterError);
        QFETCH(double, volume);
        QFETCH(Conclusion, conclusion);
        QFETCH(QList<int>, failed);
        const bool errorSet = !std::isnan(meterError);
        if (errorSet && test::PtyLines::external())
            QSKIP("the meter's error is set only on the built-in simulator");
        Station s(errorSet ? meterError : 0);
        QVERIFY(s.setUp());
        QVERIFY(s.runToTheEnd(volume));
        QVERIFY2(s.dialogs.messages.isEmpty(), qPrintable(s.dialogs.messages.join(QLatin1Char('|'))));
        const Protocol& p = s.run.protocol();
        QVERIFY2(p.complete, qPrintable(p.incompleteReason));
        QCOMPARE(p.points.size(), kPoints.size());
        for (const PointResult& point : p.points)
            QCOMPARE(point.readings.size(), 2);
        verifyBenchAtRest(s);
        verifyFiles(p);
        verifyArchived(s, p, archive::RunState::Complete);
        if (!errorSet)
            return;
        QCOMPARE(p.conclusion(), conclusion);
        QCOMPARE(p.failedPoints(), failed);
        // The simulated bench has every module, and its meter a current output: every check is made.
        QVERIFY(p.currentSkipped.isEmpty());
        for (const PointResult& point : p.points)
            QVERIFY2(point.current && point.current->passed(), qPrintable(QString::number(point.point)));
        QCOMPARE(p.volume.has_value(), volume > 0);
        if (p.volume) {
            QVERIFY(p.volume->pulses);
            QVERIFY2(p.volume->passed(), qPrintable(QStringLiteral("%1 %2").arg(p.volume->meter.errorPct()).arg(p.volume->pulses->errorPct())));
        }
    }

    void stopInTheMiddleLeavesAnIncompleteProtocol()
    {
        Station s(0.3);
        QVERIFY(s.setUp());
        QVERIFY(s.run.start(quickParameters(kVolume), kPermissiblePct, kMeter));
        QVERIFY(QTest::qWaitFor([&] { return s.run.protocol().points.first().complete || !s.run.running(); }, kRunTimeoutMs));
        QVERIFY2(s.run.running(), qPrintable(s.run.protocol().incompleteReason));
        s.run.stop();
        QVERIFY(s.finished.count() == 1 || s.finished.wait(kRunTimeoutMs));
        const Protocol& p = s.run.protocol();
        QVERIFY(!p.complete);
        QCOMPARE(p.incompleteReason, AutoVerification::kStopped);
        QCOMPARE(p.conclusion(), Conclusion::None);
        QVERIFY(p.points.first().passed().has_value());
        QVERIFY(!p.points.last().passed().has_value());
        QVERIFY(!p.volume);
        verifyBenchAtRest(s);
        verifyFiles(p);
        verifyArchived(s, p, archive::RunState::Incomplete);
    }
};

QTEST_MAIN(TstAutoVerificationE2e)
#include "tst_auto_verification_e2e.moc"
