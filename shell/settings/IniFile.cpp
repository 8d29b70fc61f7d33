#include "shell/settings/IniFile.h"

#include "shell/settings/IniCache.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WriteFailureReport.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>

namespace settings {

namespace {

// Replaces the file with `bytes` at once; the entry for the cache when it worked.
std::optional<CachedIni> replaceFile(const QString& path, IniText text, QByteArray bytes, QString* error)
{
    const qint64 writtenAt = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    QSaveFile f(path);
    const bool written = f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
    if (!written) {
        *error = f.errorString();
        return std::nullopt;
    }
    // A file gone again at once gets a stamp no file has, so it is read anew next time.
    return CachedIni{std::move(text), std::move(bytes), FileStamp::of(path).value_or(FileStamp{}), writtenAt};
}

}  // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)), m_older(olderFileOf(m_path)) {}

const QString& IniFile::readPath() const
{
    return m_older.isEmpty() || QFile::exists(m_path) ? m_path : m_older;
}

bool IniFile::exists() const
{
    return QFile::exists(readPath());
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const CachedIni* file = iniCache::load(readPath());
    return file ? file->text.value(section, key).value_or(def) : def;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const int v = readString(section, key, QString()).toInt(&ok, 10);
    return ok ? v : def;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    const CachedIni* file = iniCache::load(readPath());
    return file && file->text.value(section, key).has_value();
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    QString error;
    std::optional<CachedIni> current = iniCache::take(m_path, &error);
    if (!current && !error.isEmpty()) {
        // Writing over a file that cannot be read would lose all its other values.
        reportWrite(m_path, false, error);
        return false;
    }
    const bool fileExists = current.has_value();
    IniText text;
    if (current)
        text = std::move(current->text);
    else if (const CachedIni* older = m_older.isEmpty() ? nullptr : iniCache::load(m_older))
        text = older->text;

    if (!text.set(section, key, value) && fileExists) {
        current->text = std::move(text);
        iniCache::put(m_path, std::move(*current));
        return true;  // the file already says so
    }
    QByteArray bytes = text.toBytes();
    auto written = replaceFile(m_path, std::move(text), std::move(bytes), &error);
    reportWrite(m_path, written.has_value(), error);
    if (!written)
        return false;
    iniCache::put(m_path, std::move(*written));
    return true;
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::remove()
{
    if (QFile::exists(m_path) && !QFile::remove(m_path))
        return false;
    if (m_older.isEmpty() || !QFile::exists(m_older))
        return true;
    QString error;
    auto written = replaceFile(m_path, IniText(), QByteArray(), &error);
    if (written)
        iniCache::put(m_path, std::move(*written));
    return written.has_value();
}

}  // namespace settings
