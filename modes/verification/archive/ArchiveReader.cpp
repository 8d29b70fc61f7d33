#include "modes/verification/archive/ArchiveReader.h"

#include "modes/verification/archive/ArchiveDatabase.h"
#include "modes/verification/archive/RecordSeal.h"
#include "modes/verification/archive/RunRows.h"
#include "modes/verification/archive/Transaction.h"

#include <QDir>

namespace verification::archive {

std::optional<ArchivedRun> ArchiveReader::load(const QString& number)
{
    m_error.clear();
    Transaction t(m_archive.connection(), Transaction::Kind::Read);
    const std::optional<qint64> run = rows::runId(t, number);
    std::optional<ArchivedRun> record = run ? rows::load(t, *run) : std::nullopt;
    if (t.failed())
        m_error = QStringLiteral("Архив протоколов %1: не прочитан протокол %2 (%3)")
                      .arg(QDir::toNativeSeparators(m_archive.file()), number, t.error());
    return record;
}

std::optional<QStringList> ArchiveReader::verifyChain()
{
    m_error.clear();
    Transaction t(m_archive.connection(), Transaction::Kind::Read);
    struct Link {
        qint64 run;
        QString number;
        QString previousSeal;
        QString seal;
    };
    QList<Link> links;
    std::optional<QSqlQuery> q = t.exec(QStringLiteral("SELECT id, number, previous_seal, seal FROM runs WHERE state <> ? "
                                                       "ORDER BY seal_order IS NULL, seal_order, id"),
                                        {rows::stateKey(RunState::Running)});
    while (q && q->next())
        links.append({q->value(0).toLongLong(), q->value(1).toString(), q->value(2).toString(), q->value(3).toString()});
    QStringList broken;
    QString previous;
    for (const Link& link : links) {
        const std::optional<ArchivedRun> record = rows::load(t, link.run);
        if (t.failed())
            break;
        if (link.seal.isEmpty() || link.previousSeal != previous || sealOf(link.previousSeal, *record) != link.seal)
            broken.append(link.number);
        previous = link.seal;
    }
    if (t.failed()) {
        m_error = QStringLiteral("Архив протоколов %1: проверка не выполнена (%2)").arg(QDir::toNativeSeparators(m_archive.file()), t.error());
        return std::nullopt;
    }
    return broken;
}

}  // namespace verification::archive
