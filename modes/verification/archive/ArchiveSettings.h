#pragma once
// Where the protocol archive lives and how this bench signs its runs there: ZTA.ini [Archive].
// File: the SQLite file (default: archive.sqlite in the user's data folder); Prefix: put before
// this bench's protocol numbers (default none); Bench: this bench's name in the archive (default
// the host name); Driver: QSQLITE, the only engine so far.
#include <QString>

namespace settings {
class IniFile;
}

namespace verification::archive {

struct ArchiveSettings {
    static inline const QString SqliteDriver = QStringLiteral("QSQLITE");

    QString driver = SqliteDriver;
    QString file = defaultFile();
    QString prefix;
    QString bench = defaultBench();

    // Absent or empty values keep their defaults.
    static ArchiveSettings read(const settings::IniFile& ini);
    static QString defaultFile();
    static QString defaultBench();

    // Why the archive cannot be opened with these settings; empty when it can.
    QString unsupported() const;
};

}  // namespace verification::archive
