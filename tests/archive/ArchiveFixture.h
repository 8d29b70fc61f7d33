#pragma once
// An archive in a temporary folder, and a raw connection to its file for what another SQLite
// program would do to it.
#include "modes/verification/archive/ArchiveDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace fixture {

inline verification::archive::ArchiveSettings at(const QString& file)
{
    verification::archive::ArchiveSettings s;
    s.file = file;
    return s;
}

// Runs `statements` on `path` through a connection of its own.
inline bool writeRaw(const QString& path, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString& s : statements)
            if (ok && !q.exec(s)) {
                qWarning() << s << q.lastError().text();
                ok = false;
            }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return ok;
}

}  // namespace fixture
