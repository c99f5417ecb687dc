#pragma once

#include "datastore/ImportNotes.h"
#include "workbookreader/WorksheetCells.h"

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
// column number (as the old Excel reader did), and a name already taken (by an earlier column
// or by the program itself) gets "_2", "_3", ..., which the notes say.
// A column is numeric when it is listed as such or when all its non-empty cells are numbers;
// in a numeric column a text that is not a number becomes Null and is noted, and in a text
// column a number becomes its text as the program shows it (12, not 12.0). Rooms, exam numbers
// and seats must be whole numbers from 1 up: anything else there is a problem, and the caller
// refuses the sheet. Empty cells become Null, wholly blank rows are left out, and so are
// columns with neither a name nor a value.
class ImportTable {
public:
    // The most columns a table of the data file holds.
    static constexpr int kMaxColumns = 2000;

    struct Rules {
        QSet<QString> numeric; // always numbers
        QSet<QString> identities; // rooms, exam numbers, seats: whole numbers from 1
        QStringList reserved; // names the program gives columns of its own
    };

    // Takes the sheet's cells over and converts them where they are, so that an import holds
    // one copy of its cells.
    static ImportTable FromSheet(WorksheetCells &&sheet, const Rules &rules, ImportNotes &notes, ImportNotes &problems);

    QStringList Names() const { return m_names; }
    bool IsNumeric(int column) const { return m_numeric[column]; }
    int RowCount() const { return m_rows.size(); }
    const QVector<QVariant> &Row(int row) const { return m_rows[row]; }
    // Which of `required` are not among the column names.
    QStringList MissingColumns(const QStringList &required) const;
    // How many rows have no value in at least one of the columns `names`.
    int RowsMissingAny(const QStringList &names) const;
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
    QString createStatement(const QString &table) const;

    QStringList m_names;
    QVector<bool> m_numeric;
    QVector<QVector<QVariant>> m_rows;
};
