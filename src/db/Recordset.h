#pragma once

#include "db/Field.h"
#include "db/FieldType.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <cstdio>

// The C library's EOF macro would turn every call of Recordset::EOF into a syntax error. It is
// removed here, after <cstdio> has been read once (its include guard keeps it from coming
// back); code that needs the C value can use std::char_traits<char>::eof().
#undef EOF

namespace db {

class Database;
class Statement;

// The result of a query, read into memory at once (a snapshot): school data is small, and a
// snapshot lets the program walk forwards and backwards and count exactly.
//
// A default-constructed Recordset is "nothing": it has no fields and is at EOF.
// When the query read a single table, the recordset also remembers each row's rowid so that
// Edit/SetValue/Update can write a changed row back.
class Recordset {
public:
    Recordset() = default;

    // Position. MoveFirst and MoveLast raise db::Error on an empty recordset, MoveNext when
    // already at EOF. Moving abandons an unfinished Edit.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    bool EOF() const;
    // Exact number of rows, whatever the position.
    int RecordCount() const;

    // Columns: Fields(i) for 0 <= i < FieldCount(), Fields(name) by name (case-insensitive);
    // an unknown name or index raises db::Error.
    int FieldCount() const;
    Field Fields(int index);
    Field Fields(const QString &name);
    QStringList FieldNames() const;
    // Every value, row after row (RecordCount() × FieldCount()), without moving: for readers
    // that take the whole snapshot at once. Shared, not copied.
    const QVector<QVariant> &values() const { return m_cells; }

    // Row editing, for recordsets read from a single table: Edit starts, Field::SetValue
    // changes values, Update writes the row back. Edit raises db::Error when the recordset is
    // not editable or not on a row.
    void Edit();
    void Update();

    // Used by Field.
    QString fieldName(int index) const;
    FieldType fieldType(int index) const;
    QVariant value(int index) const;
    void setValue(int index, const QVariant &value);

private:
    friend class Database;

    struct Column {
        QString name;
        FieldType type = FieldType::Null;
        QString origin; // the table column it comes from, when there is one
    };

    // Reads every row of a prepared statement. With `table` set, the statement's first column
    // is that table's rowid, kept apart so that rows can be written back.
    void load(Database *db, Statement &statement, const QString &table);
    void readColumns(Statement &statement, int first, const QString &table);
    void settleExpressionTypes();
    int checkedIndex(int index) const;
    void checkRow() const;
    const QVariant &cell(int row, int column) const { return m_cells[row * m_columns.size() + column]; }
    void reloadRow(const QVector<int> &columns);

    Database *m_db = nullptr;
    QString m_table; // set when the rows come from one table and can be written back
    QVector<Column> m_columns;
    QVector<QVariant> m_cells; // row after row, one value per column: no allocation per row
    QVector<qint64> m_rowids;
    int m_rowCount = 0;
    int m_position = 0;
    bool m_editing = false;
    QVector<QVariant> m_pending;
    QVector<bool> m_changed;
};

} // namespace db
