#include "modes/verification/archive/Transaction.h"

#include <QSqlError>

namespace verification::archive {

Transaction::Transaction(const QSqlDatabase& db, Kind kind) : m_db(db)
{
    m_open = run(kind == Kind::Write ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

Transaction::~Transaction()
{
    if (m_open && m_db.isOpen())
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
}

bool Transaction::run(const QString& sql)
{
    QSqlQuery q(m_db);
    if (q.exec(sql))
        return true;
    fail(q.lastError().text());
    return false;
}

std::optional<QSqlQuery> Transaction::exec(const QString& sql, const QVariantList& values)
{
    if (failed())
        return std::nullopt;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        fail(q.lastError().text());
        return std::nullopt;
    }
    // A null QString would be bound as NULL; text columns hold "" for no text.
    for (const QVariant& v : values)
        q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
    if (!q.exec()) {
        fail(q.lastError().text());
        return std::nullopt;
    }
    return q;
}

std::optional<QVariant> Transaction::value(const QString& sql, const QVariantList& values)
{
    std::optional<QSqlQuery> q = exec(sql, values);
    if (!q || !q->next())
        return std::nullopt;
    return q->value(0);
}

void Transaction::fail(const QString& error)
{
    if (m_error.isEmpty())
        m_error = error.isEmpty() ? QStringLiteral("ошибка базы данных") : error;
}

bool Transaction::commit()
{
    if (failed() || !m_open)
        return false;
    m_open = false;
    if (run(QStringLiteral("COMMIT")))
        return true;
    QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    return false;
}

}  // namespace verification::archive
