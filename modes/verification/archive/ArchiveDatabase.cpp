#include "modes/verification/archive/ArchiveDatabase.h"

#include "modes/verification/archive/ArchiveLog.h"
#include "modes/verification/archive/Migrations.h"
#include "modes/verification/archive/Transaction.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <atomic>

namespace verification::archive {

Q_LOGGING_CATEGORY(archiveLog, "zta.archive", QtInfoMsg)

namespace {
// How long a writer waits for another's write lock before it reports the archive busy.
constexpr int kBusyTimeoutMs = 10000;
const QString kSqliteBusy = QStringLiteral("5");

QString nextConnectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("zta.archive.%1").arg(++count);
}

// 0 while the archive has no schema table yet; none when it cannot be read.
std::optional<int> schemaVersion(Transaction& t)
{
    const std::optional<QVariant> versioned =
        t.value(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'schema_version'"));
    if (!versioned || versioned->toInt() == 0)
        return versioned ? std::optional<int>(0) : std::nullopt;
    const std::optional<QVariant> version = t.value(QStringLiteral("SELECT max(version) FROM schema_version"));
    return version ? std::optional<int>(version->toInt()) : std::nullopt;
}
}  // namespace

ArchiveDatabase::ArchiveDatabase() : m_name(nextConnectionName()) {}

ArchiveDatabase::~ArchiveDatabase()
{
    m_db.close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

bool ArchiveDatabase::fail(const QString& error)
{
    m_error = error;
    m_db.close();
    return false;
}

bool ArchiveDatabase::open(const ArchiveSettings& settings)
{
    Q_ASSERT(!isOpen());
    m_error.clear();
    m_file = settings.file;
    if (const QString unsupported = settings.unsupported(); !unsupported.isEmpty())
        return fail(unsupported);
    if (!QSqlDatabase::isDriverAvailable(ArchiveSettings::SqliteDriver))
        return fail(QStringLiteral("Архив протоколов недоступен: не установлен драйвер SQLite для Qt (пакет libqt6sql6-sqlite)"));
    const QString folder = QFileInfo(m_file).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("Не удалось создать папку архива протоколов %1").arg(QDir::toNativeSeparators(folder)));

    if (!m_db.isValid())
        m_db = QSqlDatabase::addDatabase(ArchiveSettings::SqliteDriver, m_name);
    m_db.setDatabaseName(m_file);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!m_db.open())
        return fail(QStringLiteral("Не удалось открыть архив протоколов %1: %2")
                        .arg(QDir::toNativeSeparators(m_file), m_db.lastError().text()));

    // The version is read before anything is set: a newer archive must stay as it is.
    const std::optional<int> version = storedVersion();
    if (!version)
        return false;
    if (*version > knownSchemaVersion())
        return fail(QStringLiteral("Архив протоколов %1 создан более новой версией программы (версия архива %2, "
                                   "эта программа знает версии до %3). Архив не изменен; обновите программу.")
                        .arg(QDir::toNativeSeparators(m_file))
                        .arg(*version)
                        .arg(knownSchemaVersion()));
    return makeDurable() && migrate(*version);
}

std::optional<int> ArchiveDatabase::storedVersion()
{
    Transaction read(m_db, Transaction::Kind::Read);
    const std::optional<QVariant> tables = read.value(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'"));
    const std::optional<int> version = schemaVersion(read);
    if (!tables || !version) {
        fail(QStringLiteral("Файл %1 не является архивом протоколов: %2").arg(QDir::toNativeSeparators(m_file), read.error()));
        return std::nullopt;
    }
    if (*version == 0 && tables->toInt() > 0) {
        fail(QStringLiteral("Файл %1 не является архивом протоколов: в нем другие таблицы").arg(QDir::toNativeSeparators(m_file)));
        return std::nullopt;
    }
    return version;
}

bool ArchiveDatabase::makeDurable()
{
    QSqlQuery q(m_db);
    // Turning a new file to WAL needs it alone: a second program opening the same new file at
    // that moment gets "busy" without waiting, so the switch is tried again for a while.
    QDeadlineTimer deadline(kBusyTimeoutMs);
    while (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) && q.lastError().nativeErrorCode() == kSqliteBusy
           && !deadline.hasExpired())
        QThread::msleep(20);
    if (!q.isActive() || !q.next() || q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("Архив протоколов %1: не удалось включить журнал WAL (%2)")
                        .arg(QDir::toNativeSeparators(m_file), q.lastError().text()));
    for (const QString& pragma : {QStringLiteral("PRAGMA synchronous = FULL"), QStringLiteral("PRAGMA foreign_keys = ON")})
        if (!q.exec(pragma))
            return fail(QStringLiteral("Архив протоколов %1: %2").arg(QDir::toNativeSeparators(m_file), q.lastError().text()));
    return true;
}

bool ArchiveDatabase::migrate(int from)
{
    for (const Migration& step : migrations()) {
        if (step.version <= from)
            continue;
        Transaction write(m_db, Transaction::Kind::Write);
        // Another program may have brought the archive up to date since the version was read.
        const std::optional<int> current = schemaVersion(write);
        const bool apply = current && *current < step.version;
        if (apply) {
            for (const QString& statement : step.statements)
                write.exec(statement);
            write.exec(QStringLiteral("DELETE FROM schema_version"));
            write.exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), {step.version});
        }
        if (!write.commit())
            return fail(QStringLiteral("Не удалось обновить архив протоколов %1 до версии %2: %3")
                            .arg(QDir::toNativeSeparators(m_file))
                            .arg(step.version)
                            .arg(write.error()));
        if (apply)
            qCInfo(archiveLog) << "archive" << m_file << "brought to schema version" << step.version;
    }
    return true;
}

}  // namespace verification::archive
