// The program's archive as a run meets it: opened at the first run, the runs a killed program
// left running marked interrupted and the operator told of them once, and no run without an
// archive to write it to, the operator told why.
#include "../support/ScriptedDialogs.h"
#include "ArchiveFixture.h"
#include "SampleRuns.h"
#include "modes/verification/archive/ArchiveReader.h"
#include "modes/verification/archive/ProgramArchive.h"
#include "shell/settings/IniFile.h"

using namespace verification;

class TstProgramArchive : public QObject {
    Q_OBJECT

    QString iniPath() const { return m_dir.filePath(QStringLiteral("ZTA.ini")); }
    void setArchive(const QString& key, const QString& value)
    {
        QVERIFY(settings::IniFile(iniPath()).writeString(QStringLiteral("Archive"), key, value));
    }

    QTemporaryDir m_dir;

private Q_SLOTS:
    void interruptedRunsAreToldOnce()
    {
        const QString file = m_dir.filePath(QStringLiteral("killed.sqlite"));
        setArchive(QStringLiteral("File"), file);
        {
            // A program that died after one reading of its run.
            archive::ArchiveDatabase died;
            QVERIFY2(died.open(fixture::at(file)), qPrintable(died.error()));
            archive::RunRecorder run(died, archive::ArchiveSettings::defaultBench(), QString());
            QVERIFY2(run.begin(sample::started(sample::complete())), qPrintable(run.error()));
            QVERIFY2(run.reading(0, 30.125), qPrintable(run.error()));
        }
        test::ScriptedDialogs dialogs;
        archive::ProgramArchive program(iniPath());
        QVERIFY(program.journal());
        QCOMPARE(dialogs.messages, QStringList{QStringLiteral("Поверки, прерванные остановкой программы: № 2026-1. Измеренное "
                                                              "до остановки сохранено в архиве, их протоколы отмечены «прервана».")});
        QVERIFY(program.journal());
        QCOMPARE(dialogs.messages.size(), 1);

        archive::ArchiveDatabase reading;
        QVERIFY(reading.open(fixture::at(file)));
        archive::ArchiveReader reader(reading);
        const std::optional<archive::ArchivedRun> run = reader.load(QStringLiteral("2026-1"));
        QVERIFY2(run, qPrintable(reader.error()));
        QCOMPARE(run->state, archive::RunState::Interrupted);
        QCOMPARE(run->protocol.points.first().readings, QList<double>{30.125});
    }

    void noArchiveNoRun_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("reason");  // a part of the message
        QTest::newRow("its folder cannot be made") << QStringLiteral("File") << QStringLiteral("taken/archive.sqlite")
                                                   << QStringLiteral("Не удалось создать папку архива протоколов");
        QTest::newRow("an engine the program has not") << QStringLiteral("Driver") << QStringLiteral("QMYSQL") << QStringLiteral("QMYSQL");
    }
    void noArchiveNoRun()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, reason);
        // A file where the archive's folder would go.
        QFile taken(m_dir.filePath(QStringLiteral("taken")));
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.close();
        setArchive(QStringLiteral("File"), m_dir.filePath(QStringLiteral("archive.sqlite")));
        setArchive(key, key == QLatin1String("File") ? m_dir.filePath(value) : value);
        test::ScriptedDialogs dialogs;
        archive::ProgramArchive program(iniPath());
        QVERIFY(!program.journal());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().startsWith(QStringLiteral("Поверка не начата: архив протоколов не открыт.\r")),
                 qPrintable(dialogs.messages.first()));
        QVERIFY2(dialogs.messages.first().contains(reason), qPrintable(dialogs.messages.first()));
    }
};

QTEST_GUILESS_MAIN(TstProgramArchive)
#include "tst_program_archive.moc"
