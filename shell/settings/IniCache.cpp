#include "shell/settings/IniCache.h"

#include <QDateTime>
#include <QFile>
#include <QHash>

#include <algorithm>

#include <sys/stat.h>

namespace settings {

namespace {

// Longer than the coarsest clock a settings file may sit on (FAT keeps two seconds).
constexpr qint64 kClockTickNs = 2'000'000'000;
// A process uses two files; tests and tools may touch many more, which need not stay.
constexpr qsizetype kMaxFiles = 16;

QHash<QString, CachedIni>& entries()
{
    static QHash<QString, CachedIni> cache;
    return cache;
}

qint64 nowNs()
{
    return QDateTime::currentMSecsSinceEpoch() * 1'000'000;
}

qint64 ns(const timespec& t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// The bytes of the file; nothing when it cannot be read.
std::optional<QByteArray> readAll(const QString& path, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return std::nullopt;
    }
    return f.readAll();
}

}  // namespace

// stat() itself: QFileInfo hands its times out in local time, and converting them back cost
// more than all the rest of a read.
std::optional<FileStamp> FileStamp::of(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileStamp{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

namespace iniCache {

CachedIni* load(const QString& path, QString* error)
{
    auto& cache = entries();
    const std::optional<FileStamp> stamp = FileStamp::of(path);
    if (!stamp) {
        cache.remove(path);
        return nullptr;
    }
    auto it = cache.find(path);
    const bool sameStamp = it != cache.end() && it->stamp == *stamp;
    if (sameStamp && it->checkedAt - std::max(stamp->modified, stamp->changed) > kClockTickNs)
        return &*it;

    const qint64 readAt = nowNs();
    const auto bytes = readAll(path, error);
    if (!bytes) {
        cache.remove(path);
        return nullptr;
    }
    if (sameStamp && it->bytes == *bytes) {
        it->checkedAt = readAt;
        return &*it;
    }
    if (it == cache.end() && cache.size() >= kMaxFiles)
        cache.clear();
    CachedIni& entry = cache[path];
    entry = CachedIni{IniText::parse(*bytes), *bytes, *stamp, readAt};
    return &entry;
}

std::optional<CachedIni> take(const QString& path, QString* error)
{
    if (!load(path, error))
        return std::nullopt;
    return entries().take(path);
}

void put(const QString& path, CachedIni entry)
{
    auto& cache = entries();
    if (!cache.contains(path) && cache.size() >= kMaxFiles)
        cache.clear();
    cache.insert(path, std::move(entry));
}

}  // namespace iniCache

}  // namespace settings
