#pragma once
// One transaction on an archive connection: statements run in order until the first failure,
// whose text is kept; nothing is kept unless commit() succeeds (the destructor rolls back).
// A write transaction starts as BEGIN IMMEDIATE: it takes the file's write lock at once, so two
// writers never both read a counter before either has written it.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <optional>

namespace verification::archive {

class Transaction {
public:
    enum class Kind { Read, Write };

    Transaction(const QSqlDatabase& db, Kind kind);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Prepares `sql`, binds `values` in order and runs it; none once a statement has failed. An
    // invalid QVariant binds NULL; a null QString binds empty text.
    std::optional<QSqlQuery> exec(const QString& sql, const QVariantList& values = {});
    // The first value of the first row; none without a row or after a failure.
    std::optional<QVariant> value(const QString& sql, const QVariantList& values = {});
    // Records a failure found by the caller; later statements are not run.
    void fail(const QString& error);
    bool commit();

    bool failed() const { return !m_error.isEmpty(); }
    // The database's text of the first failure.
    const QString& error() const { return m_error; }

private:
    bool run(const QString& sql);

    QSqlDatabase m_db;
    QString m_error;
    bool m_open = false;
};

}  // namespace verification::archive
