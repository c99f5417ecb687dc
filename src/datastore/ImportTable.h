#pragma once

#include "datastore/Workbook.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace db {
class Database;
}

// A worksheet made ready to become a database table: the first row gives the column names,
// each column gets one type, and every value is converted to it.
//
// Names are made safe to stand unquoted in the program's lists: blanks around them go, any
// character other than a letter, a digit or "_" becomes "_", an empty name becomes "F" and the
// column number (as the old Excel reader did), and repeated names get "_2", "_3", ...
// A column is numeric when it is listed as such or when all its non-empty cells are numbers;
// in a numeric column a text that is not a number becomes Null, and in a text column a number
// becomes its text as the program shows it (12, not 12.0). Empty cells become Null, wholly
// blank rows are left out, and so are columns with neither a name nor a value.
class ImportTable {
public:
    static ImportTable FromSheet(const WorksheetCells &sheet, const QSet<QString> &alwaysNumeric);

    QStringList Names() const { return m_names; }
    bool IsNumeric(int column) const { return m_numeric[column]; }
    int RowCount() const { return m_rows.size(); }
    const QVector<QVariant> &Row(int row) const { return m_rows[row]; }
    // Which of `required` are not among the column names.
    QStringList MissingColumns(const QStringList &required) const;
    // Moves the columns named in `names` (those the table has) to the front, in that order;
    // the others follow as they were. For tables whose readers go by position.
    void PutFirst(const QStringList &names);

    // Replaces `table` in `database` by these columns and rows: drops it, creates it anew and
    // inserts every row through one prepared statement. Meant to run inside the caller's
    // transaction. Raises db::Error.
    void WriteTo(db::Database &database, const QString &table) const;

private:
    static QString safeName(const QVariant &header, int column);
    static bool isBlank(const QVariant &cell);
    int indexOf(const QString &name) const;
    void addColumn(const QString &name, const QVector<QVariant> &cells, bool numeric);
    QString createStatement(const QString &table) const;

    QStringList m_names;
    QVector<bool> m_numeric;
    QVector<QVector<QVariant>> m_rows;
};
