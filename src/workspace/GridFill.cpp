#include "workspace/GridFill.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "db/Error.h"
#include "grid/Grid.h"
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

void WriteHeader(Grid &grid, db::Recordset &records)
{
    const int fields = records.FieldCount();
    grid.SetCols(fields + 1);
    for (int i = 0; i < fields; ++i) {
        const int col = i + 1;
        const db::Field field = records.Fields(i);
        grid.Cell(0, col).SetText(field.Name());
        if (col == 1)
            grid.Column(col).SetMask(MaskText);
        if (field.Type() == db::FieldType::Double && field.Name() != QStringLiteral("学号")) {
            grid.Column(col).SetMask(MaskNumber);
            grid.Column(col).SetWidth(kNumberWidth);
        }
    }
}

void WriteRecords(Grid &grid, db::Recordset &records, const FillRowHook &onRow)
{
    const int count = records.RecordCount();
    const int fields = records.FieldCount();
    QStringList names;
    for (int i = 0; i < fields; ++i)
        names << records.Fields(i).Name();
    QVariantList values(fields);
    // Every record, then the empty row that producers count on.
    grid.SetRows(count + 2);
    int row = 1;
    for (records.MoveFirst(); !records.EOF(); records.MoveNext(), ++row) {
        grid.Cell(row, 0).SetTag(QStringLiteral("U"));
        for (int i = 0; i < fields; ++i) {
            values[i] = records.Fields(i).Value();
            grid.Cell(row, i + 1).SetText(db::VbText(values.at(i)));
        }
        if (onRow)
            onRow(row, FillRecord(names, values));
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
    const FillRowHook &onRow)
{
    Grid &grid = *document.Grid1;
    grid.SetAutoRedraw(false);
    grid.SetRows(1);
    grid.SetDisplayRowIndex(true);
    gDb.Open(dbPath);
    db::Recordset records = gDb.OpenRecordset(QStringLiteral("select * from ") + db::QuoteName(source));
    WriteHeader(grid, records);
    const int count = records.RecordCount();
    if (count == 0)
        grid.SetRows(2);
    else
        WriteRecords(grid, records, onRow);
    WriteTitles(document, title, count);
    return count;
}

} // namespace

int FillGridFromTable(
    frmDocument &document, const QString &dbPath, const QString &source, const QString &title, const FillRowHook &onRow)
{
    int count = -1;
    try {
        count = Fill(document, dbPath, source, title, onRow);
    } catch (const db::Error &) {
        // The fill stops where it stands; the producer learns it from the count.
    }
    gDb.Close();
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
