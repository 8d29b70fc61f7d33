#pragma once
// One connection to the protocol archive. open() creates the file (and its folder) on first
// use, refuses an archive written by a newer program without altering it, sets the writes to be
// durable (WAL journal, synchronous=FULL: a committed reading survives a killed program and a
// power loss) and applies the schema steps the archive lacks, each in its own transaction.
// Every failure is told as text for the operator; the connection is then closed.
#include "modes/verification/archive/ArchiveSettings.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace verification::archive {

class ArchiveDatabase {
public:
    ArchiveDatabase();
    ~ArchiveDatabase();
    ArchiveDatabase(const ArchiveDatabase&) = delete;
    ArchiveDatabase& operator=(const ArchiveDatabase&) = delete;

    bool open(const ArchiveSettings& settings);
    bool isOpen() const { return m_db.isOpen(); }
    // This object's own connection: queries on it never meet another object's transaction.
    const QSqlDatabase& connection() const { return m_db; }
    const QString& file() const { return m_file; }
    // Why the last open() failed.
    const QString& error() const { return m_error; }

private:
    bool fail(const QString& error);
    // The schema version of the open file: 0 for an empty file, none when it is not an archive.
    std::optional<int> storedVersion();
    bool makeDurable();
    bool migrate(int from);

    QString m_name;
    QSqlDatabase m_db;
    QString m_file;
    QString m_error;
};

}  // namespace verification::archive
