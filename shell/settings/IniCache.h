#pragma once
// The parsed settings files of this process, each read again only when it changed on disk.
// Windows open the same file many times (a catalogue of a thousand types is four thousand
// reads at start); parsing it each time made start-up quadratic in the file's size.
//
// A change is seen from the file's identity, size and modification and status-change times.
// File systems keep these times coarsely, so a file written twice within one tick can look
// unchanged: for a file whose times are not clearly older than the moment it was last
// checked, the bytes on disk are compared as well. Used from the GUI thread only.
#include "shell/settings/IniText.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace settings {

struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modified = 0;  // ns since the epoch
    qint64 changed = 0;
    // Nothing when the file does not exist.
    static std::optional<FileStamp> of(const QString& path);
    bool operator==(const FileStamp&) const = default;
};

struct CachedIni {
    IniText text;
    QByteArray bytes;   // the file as on disk
    FileStamp stamp;
    qint64 checkedAt = 0;  // ns since the epoch, taken before the bytes were read or written
};

namespace iniCache {

// The file as it is on disk now; nullptr when it does not exist or cannot be read (then
// `error`, when given, says why; it stays empty for a missing file). The pointer is valid
// until the next call into the cache.
CachedIni* load(const QString& path, QString* error = nullptr);
// Takes the entry out, to be changed and handed back with `put` once written.
std::optional<CachedIni> take(const QString& path, QString* error = nullptr);
void put(const QString& path, CachedIni entry);

}  // namespace iniCache

}  // namespace settings
