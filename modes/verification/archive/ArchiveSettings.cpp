#include "modes/verification/archive/ArchiveSettings.h"

#include "shell/settings/IniFile.h"

#include <QStandardPaths>
#include <QSysInfo>

namespace verification::archive {

namespace {
const QString kSection = QStringLiteral("Archive");

void readNonEmpty(const settings::IniFile& ini, const QString& key, QString& value)
{
    const QString stored = ini.readString(kSection, key, QString()).trimmed();
    if (!stored.isEmpty())
        value = stored;
}
}  // namespace

ArchiveSettings ArchiveSettings::read(const settings::IniFile& ini)
{
    ArchiveSettings s;
    readNonEmpty(ini, QStringLiteral("Driver"), s.driver);
    readNonEmpty(ini, QStringLiteral("File"), s.file);
    readNonEmpty(ini, QStringLiteral("Prefix"), s.prefix);
    readNonEmpty(ini, QStringLiteral("Bench"), s.bench);
    return s;
}

QString ArchiveSettings::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/archive.sqlite");
}

QString ArchiveSettings::defaultBench()
{
    return QSysInfo::machineHostName();
}

QString ArchiveSettings::unsupported() const
{
    if (driver.compare(SqliteDriver, Qt::CaseInsensitive) == 0)
        return QString();
    return QStringLiteral("Архив протоколов: драйвер %1 из ZTA.ini [Archive] Driver не поддерживается, "
                          "архив ведется только в файле SQLite (Driver=QSQLITE)")
        .arg(driver);
}

}  // namespace verification::archive
