#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class frmDocument;

// Filling and laying out the grid of a document window. Producers open their document, keep it
// and hand it to these; the forms without a document act on gMainForm->ActiveForm() and do
// nothing when no document is active.

// The caption and title of the next document filled by the two-argument FillGridFromTable.
extern QString gDocTitle;

// One record of the source, as the fill writes it into its row: the typed values, by position
// or by field name.
class FillRecord {
public:
    FillRecord(const QStringList &names, const QVariant *values)
        : m_names(names)
        , m_values(values)
    {
    }
    QVariant value(int field) const { return field >= 0 && field < count() ? m_values[field] : QVariant(); }
    QVariant value(const QString &name) const { return value(indexOf(name)); }
    // The position of the field `name`; -1 when the source has none.
    int indexOf(const QString &name) const { return int(m_names.indexOf(name)); }
    int count() const { return int(m_names.size()); }

private:
    const QStringList &m_names;
    const QVariant *m_values;
};

// Called with each record right after its row is written, so a producer writes what it derives
// from the record (a shown exam number, a location) without reading cell texts back.
using FillRowHook = std::function<void(int row, const FillRecord &record)>;

// Fills the document's grid from a table or saved query of the database at `dbPath`: the header
// row with the field names, one row per record (column 0 tagged "U") and one empty row after the
// last record, also when there are none. Column 1 gets the text mask, every Double field but 学号
// the number mask and width 50. The window caption becomes `title` and the title box
// `title` & " （" & count & "）", or `title` & " [没有记录]". Returns the number of records, or -1
// when the source could not be read (the grid then keeps what was written so far).
// The last `helperFields` fields of the source reach `onRow` only and no column: values a
// producer needs for each row but does not show (a list's room when the room column is hidden).
// The database file stays open for the next operation.
int FillGridFromTable(frmDocument &document, const QString &dbPath, const QString &source, const QString &title,
    const FillRowHook &onRow = {}, int helperFields = 0);
// The same for the active document, titled gDocTitle.
void FillGridFromTable(const QString &dbPath, const QString &source);

// Print layout of a plain list: the title box as title, portrait, columns fitted to their
// texts, header wrapped and centred. Called after every cell is written.
void LayoutListReport(frmDocument &document);
void LayoutListReport();
// Print layout of a statistics table: widths and masks chosen by the header texts, landscape
// when the columns do not fit a portrait page. Called after every cell is written.
void LayoutStatisticsReport(frmDocument &document);
void LayoutStatisticsReport();
