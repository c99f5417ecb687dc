#include "workspace/GridFill.h"

#include "datastore/SourceRecords.h"
#include "db/Conversions.h"
#include "db/Error.h"
#include "gridview/Grid.h"
#include "memory/FreedMemory.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>

QString gDocTitle;

namespace {

constexpr int kNumberWidth = 50;

frmDocument *ActiveDocument()
{
    return gMainForm ? gMainForm->ActiveForm() : nullptr;
}

void WriteHeader(Grid &grid, const datastore::SourceRecords &records, int fields)
{
    grid.SetCols(fields + 1);
    for (int i = 0; i < fields; ++i) {
        const int col = i + 1;
        const QString &name = records.names().at(i);
        grid.Cell(0, col).SetText(name);
        if (col == 1)
            grid.Column(col).SetMask(MaskText);
        if (records.isNumber(i) && name != QStringLiteral("学号")) {
            grid.Column(col).SetMask(MaskNumber);
            grid.Column(col).SetWidth(kNumberWidth);
        }
    }
}

void WriteRecords(Grid &grid, const datastore::SourceRecords &records, int fields, const FillRowHook &onRow)
{
    const int count = records.recordCount();
    // Every record, then the empty row that producers count on.
    grid.SetRows(count + 2);
    grid.data().reserveRows(count + 2);
    for (int record = 0; record < count; ++record) {
        const int row = record + 1;
        const QVariant *values = records.record(record);
        grid.Cell(row, 0).SetTag(QStringLiteral("U"));
        for (int i = 0; i < fields; ++i)
            grid.Cell(row, i + 1).SetText(db::VbText(values[i]));
        if (onRow)
            onRow(row, FillRecord(records.names(), values));
    }
}

void WriteTitles(frmDocument &document, const QString &title, int count)
{
    document.setWindowTitle(title);
    if (count > 0)
        document.Text1->setText(title + QStringLiteral(" （") + QString::number(count) + QStringLiteral("）"));
    else
        document.Text1->setText(title + QStringLiteral(" [没有记录]"));
}

int Fill(frmDocument &document, const QString &dbPath, const QString &source, const QString &title,
    const FillRowHook &onRow, int helperFields)
{
    Grid &grid = *document.Grid1;
    grid.SetAutoRedraw(false);
    grid.SetRows(1);
    grid.SetDisplayRowIndex(true);
    const datastore::SourceRecords records(dbPath, source);
    const int fields = qMax(0, records.fieldCount() - qMax(0, helperFields));
    WriteHeader(grid, records, fields);
    const int count = records.recordCount();
    if (count == 0)
        grid.SetRows(2);
    else
        WriteRecords(grid, records, fields, onRow);
    WriteTitles(document, title, count);
    return count;
}

} // namespace

int FillGridFromTable(frmDocument &document, const QString &dbPath, const QString &source, const QString &title,
    const FillRowHook &onRow, int helperFields)
{
    int count = -1;
    try {
        count = Fill(document, dbPath, source, title, onRow, helperFields);
    } catch (const db::Error &) {
        // The fill stops where it stands; the producer learns it from the count.
    }
    // The records read are gone; a long list leaves their memory free.
    memory::ReturnFreedMemory();
    document.Grid1->Refresh();
    document.Grid1->SetAutoRedraw(true);
    return count;
}

void FillGridFromTable(const QString &dbPath, const QString &source)
{
    if (frmDocument *document = ActiveDocument())
        FillGridFromTable(*document, dbPath, source, gDocTitle);
}

void LayoutListReport(frmDocument &document)
{
    PrintLayouts::ListReport(document);
}

void LayoutListReport()
{
    if (frmDocument *document = ActiveDocument())
        LayoutListReport(*document);
}

void LayoutStatisticsReport(frmDocument &document)
{
    PrintLayouts::StatisticsReport(document);
}

void LayoutStatisticsReport()
{
    if (frmDocument *document = ActiveDocument())
        LayoutStatisticsReport(*document);
}
