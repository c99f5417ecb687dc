#pragma once

#include "db/Field.h"
#include "db/FieldType.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace db {

class Database;

// The result of a query, read into memory at once (a snapshot): school data is small, and a
// snapshot lets the program walk forwards and backwards and count exactly.
//
// A default-constructed Recordset is "nothing": it has no fields and is at EOF.
// When the query read a single table, the recordset also remembers each row's rowid so that
// Edit/SetValue/Update can write a changed row back.
class Recordset {
public:
    Recordset() = default;

    // Position. MoveFirst and MoveLast raise db::Error on an empty recordset.
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

    Database *m_db = nullptr;
    QString m_table; // set when the rows come from one table and can be written back
    QVector<Column> m_columns;
    QVector<QVector<QVariant>> m_rows;
    QVector<qint64> m_rowids;
    int m_position = 0;
    bool m_editing = false;
    QVector<QVariant> m_pending;

    int checkedIndex(int index) const;
};

} // namespace db
