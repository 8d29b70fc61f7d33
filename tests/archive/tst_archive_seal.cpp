// What the archive shows after the fact: a record changed in the file is reported by number,
// and a run whose program died is found interrupted with exactly the readings it took.
#include "ArchiveFixture.h"
#include "SampleRuns.h"
#include "modes/verification/archive/ArchiveReader.h"
#include "modes/verification/archive/RecordSeal.h"
#include "modes/verification/archive/RunRecorder.h"

#include <QProcess>
#include <QSignalSpy>

using namespace verification::archive;

class TestArchiveSeal : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString newFile() { return m_dir.filePath(QStringLiteral("archive-%1.sqlite").arg(++m_files)); }

private Q_SLOTS:
    void changedRecordReported_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("reported");
        const QString second = QStringLiteral("(SELECT id FROM runs WHERE number = '2026-2')");
        QTest::newRow("untouched") << QString() << QStringList();
        QTest::newRow("a reading") << "UPDATE readings SET value = value + 0.001 WHERE run_id = " + second
                                          + " AND point_index = 1 AND ord = 2"
                                   << QStringList{"2026-2"};
        QTest::newRow("a reading removed") << "DELETE FROM readings WHERE run_id = " + second + " AND point_index = 2 AND ord = 3"
                                           << QStringList{"2026-2"};
        QTest::newRow("a reading's time") << "UPDATE readings SET taken_at = '2020-01-01T00:00:00.000Z' WHERE run_id = " + second
                                                 + " AND ord = 0 AND point_index = 0"
                                          << QStringList{"2026-2"};
        QTest::newRow("the serial number") << "UPDATE runs SET serial_number = 'SN-0043' WHERE id = " + second << QStringList{"2026-2"};
        QTest::newRow("the conclusion") << "UPDATE runs SET conclusion = 'fit' WHERE id = " + second << QStringList{"2026-2"};
        QTest::newRow("the volume check") << "UPDATE checks SET measured = 1.5 WHERE kind = 'volume' AND run_id = " + second
                                          << QStringList{"2026-2"};
        QTest::newRow("the first record") << "UPDATE runs SET owner = 'другой' WHERE number = '2026-1'" << QStringList{"2026-1"};
        // The record after a removed one no longer links to the record before it.
        QTest::newRow("a record removed") << "DELETE FROM runs WHERE id = " + second << QStringList{"2026-3"};
    }
    void changedRecordReported()
    {
        QFETCH(QString, change);
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        verification::Protocol unfit = sample::complete();
        unfit.points[1].readings[2] = 160;
        for (const verification::Protocol& p : {sample::complete(), unfit, sample::incomplete()}) {
            RunRecorder recorder(db, QStringLiteral("Стенд 1"), QString());
            QVERIFY2(sample::record(recorder, p), qPrintable(recorder.error()));
        }
        if (!change.isEmpty())
            QVERIFY(fixture::writeRaw(db.file(), {change}));
        ArchiveReader reader(db);
        const std::optional<QStringList> broken = reader.verifyChain();
        QVERIFY2(broken, qPrintable(reader.error()));
        QTEST(*broken, "reported");
    }

    // The seal is over the record's text, chained: the same record after another seal differs.
    void sealChainsThePreviousOne()
    {
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        RunRecorder recorder(db, QStringLiteral("Стенд 1"), QString());
        QVERIFY(sample::record(recorder, sample::complete()));
        const std::optional<ArchivedRun> run = ArchiveReader(db).load(recorder.number());
        QVERIFY(run);
        QVERIFY(run->previousSeal.isEmpty());
        QCOMPARE(sealOf(QString(), *run), run->seal);
        QVERIFY(sealOf(QStringLiteral("0"), *run) != run->seal);
        QVERIFY(canonicalRecord(*run).contains("SN-0042\\t17"));
    }

    void interruptedRunsOfThisBenchOnly()
    {
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        RunRecorder ended(db, QStringLiteral("Стенд 1"), QString());
        QVERIFY(sample::record(ended, sample::complete()));
        RunRecorder mine(db, QStringLiteral("Стенд 1"), QString());
        QVERIFY(mine.begin(sample::header()));
        QVERIFY(mine.reading(0, 30.5));
        RunRecorder another(db, QStringLiteral("Стенд 2"), QString());
        QVERIFY(another.begin(sample::header()));

        const Recovery recovery = recoverInterrupted(db, QStringLiteral("Стенд 1"));
        QVERIFY2(recovery.error.isEmpty(), qPrintable(recovery.error));
        QCOMPARE(recovery.numbers, QStringList{mine.number()});
        ArchiveReader reader(db);
        QCOMPARE(reader.load(another.number())->state, RunState::Running);
        QCOMPARE(reader.load(ended.number())->state, RunState::Complete);
        // Told once: the next start finds nothing left.
        QCOMPARE(recoverInterrupted(db, QStringLiteral("Стенд 1")).numbers, QStringList());
        QCOMPARE(reader.verifyChain(), std::optional<QStringList>(QStringList()));
    }

    void killedRunKeepsItsReadings_data()
    {
        QTest::addColumn<int>("readings");
        QTest::newRow("none") << 0;
        QTest::newRow("in the first point") << 3;
        QTest::newRow("into the second point") << 6;
    }
    void killedRunKeepsItsReadings()
    {
        QFETCH(int, readings);
        const QString file = newFile();
        const QString bench = QStringLiteral("Стенд 1");
        QProcess writer;
        writer.start(QStringLiteral(ARCHIVE_WRITER), {file, bench, QStringLiteral("readings")});
        QVERIFY(writer.waitForStarted());
        const auto nextLine = [&writer]() -> QString {
            while (!writer.canReadLine())
                if (!writer.waitForReadyRead(30000))
                    return QString();
            return QString::fromUtf8(writer.readLine()).trimmed();
        };
        const QString begun = nextLine();
        QVERIFY2(begun.startsWith(QStringLiteral("run ")), qPrintable(begun + writer.readAllStandardError()));
        const QString number = begun.mid(4);
        for (int k = 0; k < readings; ++k) {
            writer.write("take\n");
            QCOMPARE(nextLine(), QStringLiteral("reading %1").arg(k));
        }
        writer.kill();  // SIGKILL
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(file)), qPrintable(db.error()));
        const Recovery recovery = recoverInterrupted(db, bench);
        QCOMPARE(recovery.numbers, QStringList{number});
        ArchiveReader reader(db);
        const std::optional<ArchivedRun> run = reader.load(number);
        QVERIFY2(run, qPrintable(reader.error()));
        QCOMPARE(run->state, RunState::Interrupted);
        QCOMPARE(stateText(run->state), QStringLiteral("прервана"));
        QCOMPARE(run->protocol.incompleteReason, InterruptedReason);
        QVERIFY(!run->protocol.complete);
        QCOMPARE(run->conclusion, verification::Conclusion::None);
        qsizetype taken = 0;
        for (const verification::PointResult& p : run->protocol.points)
            taken += p.readings.size();
        QCOMPARE(taken, qsizetype(readings));
        const int perPoint = sample::header().parameters.readings;
        QCOMPARE(run->protocol.points[0].complete, readings >= perPoint);
        QVERIFY(!run->seal.isEmpty());
        QCOMPARE(reader.verifyChain(), std::optional<QStringList>(QStringList()));
    }
};

QTEST_GUILESS_MAIN(TestArchiveSeal)
#include "tst_archive_seal.moc"
