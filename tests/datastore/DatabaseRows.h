#pragma once

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"

#include <QStringList>
#include <QVariantList>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// What an operation leaves behind: the one connection still open for the next operation, no
// transaction left in it and gRs released.
inline bool DatabaseReleased()
{
    return gDb.IsOpen() && !gDb.inTransaction() && gRs.FieldCount() == 0;
}

// The rows of a query as "a|b|c" texts (Null as "<null>"), read through a fresh gDb: what a
// test compares to see what the database holds.
inline QStringList DatabaseRows(const QString &sql, const QVariantList &params = {})
{
    MainDatabaseScope scope;
    db::Recordset rs = gDb.OpenRecordset(sql, params);
    QStringList rows;
    for (; !rs.EOF(); rs.MoveNext()) {
        QStringList cells;
        for (int i = 0; i < rs.FieldCount(); ++i) {
            const QVariant value = rs.Fields(i).Value();
            cells << (value.isNull() ? QStringLiteral("<null>") : db::VbText(value));
        }
        rows << cells.join('|');
    }
    return rows;
}

// A table's columns as "name:type" with the recordset's field type codes (7 Double, 10 Text).
inline QStringList DatabaseColumns(const QString &table)
{
    MainDatabaseScope scope;
    db::Recordset rs = gDb.OpenRecordset(QStringLiteral("SELECT * FROM %1").arg(db::QuoteName(table)));
    QStringList columns;
    for (int i = 0; i < rs.FieldCount(); ++i)
        columns << QStringLiteral("%1:%2").arg(rs.fieldName(i)).arg(static_cast<int>(rs.fieldType(i)));
    return columns;
}
