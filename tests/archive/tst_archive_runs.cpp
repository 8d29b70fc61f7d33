// A run written into the archive step by step and read back: every field of the protocol,
// its state and its number; numbers never shared between writers, nor given twice.
#include "ArchiveFixture.h"
#include "SampleRuns.h"
#include "modes/verification/archive/ArchiveReader.h"
#include "modes/verification/archive/RunRecorder.h"

#include <QProcess>
#include <QSet>

using namespace verification::archive;

Q_DECLARE_METATYPE(verification::Protocol)
Q_DECLARE_METATYPE(verification::archive::RunState)

class TestArchiveRuns : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString newFile() { return m_dir.filePath(QStringLiteral("archive-%1.sqlite").arg(++m_files)); }

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<verification::Protocol>("protocol");
        QTest::addColumn<RunState>("state");
        QTest::newRow("complete, every check") << sample::complete() << RunState::Complete;
        QTest::newRow("ended early, checks skipped") << sample::incomplete() << RunState::Incomplete;
        verification::Protocol failed = sample::complete();
        failed.points[1].readings[2] = 160;
        failed.volume->pulses.reset();
        failed.pulsesSkipped = QStringLiteral("объем проверки мал для счета импульсов");
        QTest::newRow("unfit, pulses not counted") << failed << RunState::Complete;
    }
    void roundTrip()
    {
        QFETCH(verification::Protocol, protocol);
        QFETCH(RunState, state);
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        RunRecorder recorder(db, QStringLiteral("Стенд 1"), QString());
        QVERIFY2(sample::record(recorder, protocol), qPrintable(recorder.error()));
        QCOMPARE(recorder.number(), QStringLiteral("2026-1"));

        ArchiveDatabase again;
        QVERIFY2(again.open(fixture::at(db.file())), qPrintable(again.error()));
        ArchiveReader reader(again);
        const std::optional<ArchivedRun> run = reader.load(recorder.number());
        QVERIFY2(run, qPrintable(reader.error()));
        QVERIFY(run->protocol == protocol);
        QCOMPARE(run->number, recorder.number());
        QCOMPARE(run->bench, QStringLiteral("Стенд 1"));
        QCOMPARE(run->state, state);
        QCOMPARE(run->conclusion, protocol.conclusion());
        QVERIFY(run->ended.isValid());
        QCOMPARE(run->seal.size(), 64);
        for (int i = 0; i < protocol.points.size(); ++i)
            QCOMPARE(run->takenAt[i].size(), protocol.points[i].readings.size());
    }

    void unknownNumberIsNoRun()
    {
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        ArchiveReader reader(db);
        QVERIFY(!reader.load(QStringLiteral("2026-1")));
        QVERIFY(reader.error().isEmpty());
    }

    void readingsMissingFromTheArchiveRefuseTheEnd()
    {
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        RunRecorder recorder(db, QStringLiteral("Стенд 1"), QString());
        const verification::Protocol p = sample::complete();
        QVERIFY(recorder.begin(sample::started(p)));
        QVERIFY(recorder.reading(0, p.points[0].readings[0]));
        QVERIFY(!recorder.end(p));
        QVERIFY2(recorder.error().contains(QStringLiteral("показания в архиве не совпадают")), qPrintable(recorder.error()));
        const std::optional<ArchivedRun> run = ArchiveReader(db).load(recorder.number());
        QVERIFY(run);
        QCOMPARE(run->state, RunState::Running);
        QVERIFY(run->seal.isEmpty());
    }

    void endedRunIsNotWrittenAgain()
    {
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        RunRecorder recorder(db, QStringLiteral("Стенд 1"), QString());
        const verification::Protocol p = sample::complete();
        QVERIFY(sample::record(recorder, p));
        QVERIFY(!recorder.reading(0, 1.0));
        QVERIFY2(recorder.error().contains(QStringLiteral("уже окончена")), qPrintable(recorder.error()));
        QVERIFY(!recorder.end(p));
        QVERIFY(!recorder.begin(sample::header()));
        ArchiveReader reader(db);
        QVERIFY(reader.load(recorder.number())->protocol == p);
        QCOMPARE(reader.verifyChain(), std::optional<QStringList>(QStringList()));
    }

    void readingOfAnUnplannedPointRefused()
    {
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        RunRecorder recorder(db, QStringLiteral("Стенд 1"), QString());
        QVERIFY(recorder.begin(sample::header()));
        QVERIFY(!recorder.reading(3, 1.0));
        QVERIFY2(recorder.error().contains(QStringLiteral("показание точки 4")), qPrintable(recorder.error()));
        QVERIFY(recorder.reading(2, 1.0));
    }

    void numbersPerPrefixAndYear()
    {
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(newFile())), qPrintable(db.error()));
        const struct {
            QString prefix;
            int year;
            QString number;
        } runs[]{{"", 2026, "2026-1"}, {"", 2026, "2026-2"},   {"", 2027, "2027-1"},
                 {"А1-", 2026, "А1-2026-1"}, {"", 2026, "2026-3"}, {"А1-", 2027, "А1-2027-1"}};
        for (const auto& r : runs) {
            RunRecorder recorder(db, QStringLiteral("Стенд 1"), r.prefix);
            QVERIFY2(recorder.begin(sample::header(r.year)), qPrintable(recorder.error()));
            QCOMPARE(recorder.number(), r.number);
        }
        // A number stays given even when its run is gone.
        QVERIFY(fixture::writeRaw(db.file(), {"DELETE FROM runs WHERE number = '2026-3'"}));
        RunRecorder next(db, QStringLiteral("Стенд 1"), QString());
        QVERIFY(next.begin(sample::header(2026)));
        QCOMPARE(next.number(), QStringLiteral("2026-4"));
    }

    void writersOnTwoConnectionsNeverShareANumber()
    {
        const QString file = newFile();
        ArchiveDatabase first;
        ArchiveDatabase second;
        QVERIFY2(first.open(fixture::at(file)), qPrintable(first.error()));
        QVERIFY2(second.open(fixture::at(file)), qPrintable(second.error()));
        QSet<QString> numbers;
        const int runs = 20;
        for (int i = 0; i < runs; ++i)
            for (ArchiveDatabase* db : {&first, &second}) {
                RunRecorder recorder(*db, QStringLiteral("Стенд 1"), QString());
                QVERIFY2(recorder.begin(sample::header()), qPrintable(recorder.error()));
                numbers.insert(recorder.number());
            }
        QCOMPARE(numbers.size(), 2 * runs);
        QVERIFY(numbers.contains(QStringLiteral("2026-%1").arg(2 * runs)));
    }

    void writersInTwoProcessesNeverShareANumber()
    {
        const QString file = newFile();
        const int runs = 25;
        QList<QProcess*> writers;
        for (int i = 0; i < 2; ++i) {
            auto* writer = new QProcess(this);
            writer->start(QStringLiteral(ARCHIVE_WRITER), {file, QStringLiteral("Стенд %1").arg(i), QStringLiteral("runs"), QString::number(runs)});
            writers.append(writer);
        }
        QStringList numbers;
        for (QProcess* writer : writers) {
            QVERIFY(writer->waitForFinished(60000));
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
            numbers += QString::fromUtf8(writer->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            delete writer;
        }
        QSet<QString> expected;
        for (int i = 1; i <= 2 * runs; ++i)
            expected.insert(QStringLiteral("run 2026-%1").arg(i));
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()), expected);
        QCOMPARE(numbers.size(), 2 * runs);

        // Both sealed their runs onto one chain.
        ArchiveDatabase db;
        QVERIFY2(db.open(fixture::at(file)), qPrintable(db.error()));
        QCOMPARE(ArchiveReader(db).verifyChain(), std::optional<QStringList>(QStringList()));
    }
};

QTEST_GUILESS_MAIN(TestArchiveRuns)
#include "tst_archive_runs.moc"
