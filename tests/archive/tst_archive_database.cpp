// Opening the protocol archive: the settings it is opened with, the file created on first use,
// durable writes in force, the schema brought up to date, and files it must refuse untouched.
#include "ArchiveFixture.h"
#include "modes/verification/archive/Migrations.h"
#include "shell/settings/IniFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>

using verification::archive::ArchiveDatabase;
using verification::archive::ArchiveSettings;
using fixture::at;

namespace {

QVariant scalar(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

}  // namespace

class TestArchiveDatabase : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void settingsRead_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("bench");
        const QString defaultFile = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/archive.sqlite";
        const QString host = ArchiveSettings::defaultBench();
        QTest::newRow("no section") << "" << defaultFile << "" << host;
        QTest::newRow("empty values") << "[Archive]\nFile=\nPrefix=\nBench=\n" << defaultFile << "" << host;
        QTest::newRow("all given") << "[Archive]\nFile=/data/zta.sqlite\nPrefix=A1-\nBench=Стенд 2\n"
                                   << "/data/zta.sqlite" << "A1-" << "Стенд 2";
    }
    void settingsRead()
    {
        QFETCH(QString, lines);
        const QString ini = path("read.ini");
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(lines.toUtf8());
        f.close();
        const ArchiveSettings s = ArchiveSettings::read(settings::IniFile(ini));
        QTEST(s.file, "file");
        QTEST(s.prefix, "prefix");
        QTEST(s.bench, "bench");
        QCOMPARE(s.driver, QStringLiteral("QSQLITE"));
        QVERIFY(s.unsupported().isEmpty());
    }

    void otherDriverRefused()
    {
        ArchiveSettings s = at(path("pg.sqlite"));
        s.driver = QStringLiteral("QPSQL");
        ArchiveDatabase db;
        QVERIFY(!db.open(s));
        QVERIFY2(db.error().contains("QPSQL") && db.error().contains("Driver=QSQLITE"), qPrintable(db.error()));
        QVERIFY(!QFile::exists(s.file));
    }

    void createdOnFirstUseWithDurableWrites()
    {
        const QString file = path("new/folder/archive.sqlite");
        ArchiveDatabase db;
        QVERIFY2(db.open(at(file)), qPrintable(db.error()));
        QVERIFY(QFile::exists(file));
        QCOMPARE(scalar(db.connection(), "SELECT version FROM schema_version").toInt(), verification::archive::knownSchemaVersion());
        QCOMPARE(scalar(db.connection(), "PRAGMA journal_mode").toString(), QStringLiteral("wal"));
        QCOMPARE(scalar(db.connection(), "PRAGMA synchronous").toInt(), 2);  // FULL
        QCOMPARE(scalar(db.connection(), "PRAGMA foreign_keys").toInt(), 1);
    }

    void reopenedArchiveKeepsItsContent()
    {
        const QString file = path("reopen.sqlite");
        {
            ArchiveDatabase db;
            QVERIFY2(db.open(at(file)), qPrintable(db.error()));
            QVERIFY(QSqlQuery(db.connection()).exec("INSERT INTO number_counters VALUES ('', 2026, 7)"));
        }
        ArchiveDatabase db;
        QVERIFY2(db.open(at(file)), qPrintable(db.error()));
        QCOMPARE(scalar(db.connection(), "SELECT last FROM number_counters").toInt(), 7);
        QCOMPARE(scalar(db.connection(), "SELECT count(*) FROM schema_version").toInt(), 1);
    }

    void foreignFilesRefusedUntouched_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("newer archive") << QStringList{"CREATE TABLE schema_version (version INTEGER NOT NULL)",
                                                      "INSERT INTO schema_version VALUES (99)",
                                                      "CREATE TABLE runs (id INTEGER PRIMARY KEY, later TEXT)"}
                                       << QByteArray()
                                       << QStringList{"создан более новой версией программы", "версия архива 99",
                                                      QStringLiteral("знает версии до %1").arg(verification::archive::knownSchemaVersion()),
                                                      "Архив не изменен"};
        QTest::newRow("newer archive in WAL") << QStringList{"PRAGMA journal_mode = WAL",
                                                             "CREATE TABLE schema_version (version INTEGER NOT NULL)",
                                                             "INSERT INTO schema_version VALUES (2000)"}
                                              << QByteArray() << QStringList{"более новой версией", "2000"};
        QTest::newRow("another program's database") << QStringList{"CREATE TABLE contacts (name TEXT)"} << QByteArray()
                                                     << QStringList{"не является архивом протоколов"};
        QTest::newRow("not a database") << QStringList() << QByteArray("Заводской номер;Владелец\n").repeated(200)
                                        << QStringList{"не является архивом протоколов"};
    }
    void foreignFilesRefusedUntouched()
    {
        QFETCH(QStringList, statements);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, told);
        const QString file = path(QStringLiteral("foreign-%1.sqlite").arg(QTest::currentDataTag()));
        if (statements.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        } else {
            QVERIFY(fixture::writeRaw(file, statements));
        }
        const QByteArray before = digest(file);
        QVERIFY(!before.isEmpty());
        {
            ArchiveDatabase db;
            QVERIFY(!db.open(at(file)));
            for (const QString& part : told)
                QVERIFY2(db.error().contains(part), qPrintable(db.error()));
            QVERIFY(!db.isOpen());
        }
        QCOMPARE(digest(file), before);
    }
};

QTEST_GUILESS_MAIN(TestArchiveDatabase)
#include "tst_archive_database.moc"
