#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

namespace db {

// The one step every statement passes through on its way from the program to SQLite. The
// program's SQL is Jet's dialect; this makes SQLite give the results Jet gave:
// - `&` joins texts as Jet joined them (Concatenation); a `&` inside quotes is left alone;
// - the functions Left and Right are called by names SQLite can parse;
// - DISTINCT and GROUP BY results come back sorted by their keys, because Jet returned them
//   so and the reports list schools and rooms in that order.
// Jet's functions (Val, Len, Mid, ...) are registered with the connection (JetFunctions).
class JetSql {
public:
    // The number of result columns SQLite gives for a statement; used to sort DISTINCT rows.
    using ColumnCounter = std::function<int(const QString &sql)>;

    // The statements of a text, split at the semicolons that end them; blank ones dropped.
    static QStringList SplitStatements(const QString &sql);
    // One statement as SQLite should run it.
    static QString Translate(const QString &statement, const ColumnCounter &countColumns);

    // The table read by a plain select of one table (no join, grouping or DISTINCT), so that
    // its rows can be written back; an empty text for every other statement.
    static QString SingleTable(const QString &statement);
    // Such a select with the table's rowid put in front of its columns.
    static QString WithRowid(const QString &statement);
    // The statement with each `?` replaced by its value as an SQL literal, for a text that is
    // kept rather than run (a saved query); raises db::Error when the counts differ.
    static QString Inline(const QString &statement, const QVariantList &params);
    // CREATE, DROP or ALTER: the statement changes the file's schema.
    static bool IsSchemaChange(const QString &statement);
};

} // namespace db
