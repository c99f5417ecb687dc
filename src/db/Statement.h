#pragma once

#include "db/Error.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// One prepared SQLite statement, finalized when it goes out of scope. The SQL given here is
// already in SQLite's dialect.
class Statement {
public:
    // Prepares `sql`; raises db::Error with SQLite's message when it does not compile.
    Statement(sqlite3 *handle, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds the values to the `?` placeholders in order; raises when the counts differ, so a
    // forgotten value never turns silently into Null. A statement that has run can be bound
    // and run again.
    void Bind(const QVariantList &params);
    // Runs to the next row: true when a row is ready, false when done; raises on failure.
    bool Step();
    // Runs to the end and returns the number of rows changed.
    int Run();

    sqlite3_stmt *handle() const { return m_statement; }
    int ColumnCount() const;
    bool ReadOnly() const;

    // An error carrying SQLite's message for the connection, and the SQL for context.
    static Error Failure(sqlite3 *handle, const QString &sql);

private:
    void bindValue(int position, const QVariant &value);

    sqlite3 *m_handle;
    sqlite3_stmt *m_statement = nullptr;
    QString m_sql;
};

} // namespace db
