#include "lists/ListFill.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "db/Error.h"
#include "grid/Grid.h"
#include "lists/ListQuery.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>

namespace {

constexpr int kNumberWidth = 50;

// The displayed fields: all but the trailing room.
int ShownFields(db::Recordset &records)
{
    return std::max(0, records.FieldCount() - 1);
}

void WriteHeader(Grid &grid, db::Recordset &records)
{
    const int fields = ShownFields(records);
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

QStringList WriteRecords(Grid &grid, db::Recordset &records)
{
    const int fields = ShownFields(records);
    QStringList rooms;
    rooms.reserve(records.RecordCount());
    grid.SetRows(records.RecordCount() + 2);
    int row = 1;
    for (records.MoveFirst(); !records.EOF(); records.MoveNext(), ++row) {
        grid.Cell(row, 0).SetTag(QStringLiteral("U"));
        for (int i = 0; i < fields; ++i)
            grid.Cell(row, i + 1).SetText(db::VbText(records.Fields(i).Value()));
        rooms << db::VbText(records.Fields(fields).Value());
    }
    return rooms;
}

void WriteTitles(frmDocument &document, int count)
{
    document.setWindowTitle(gDocTitle);
    if (count > 0)
        document.Text1->setText(gDocTitle + QStringLiteral(" （") + QString::number(count) + QStringLiteral("）"));
    else
        document.Text1->setText(gDocTitle + QStringLiteral(" [没有记录]"));
}

QStringList Fill(frmDocument &document, const QString &dbPath, const ListQuery &query)
{
    Grid &grid = *document.Grid1;
    grid.SetRows(1);
    grid.SetDisplayRowIndex(true);
    gDb.Open(dbPath);
    db::Recordset records = gDb.OpenRecordset(query.sql, query.params);
    WriteHeader(grid, records);
    const int count = records.RecordCount();
    QStringList rooms;
    if (count == 0)
        grid.SetRows(2);
    else
        rooms = WriteRecords(grid, records);
    WriteTitles(document, count);
    return rooms;
}

} // namespace

QStringList ListFill::FillGridFromQuery(const QString &dbPath, const ListQuery &query)
{
    frmDocument *document = gMainForm ? gMainForm->ActiveForm() : nullptr;
    if (!document)
        return {};
    QStringList rooms;
    document->Grid1->SetAutoRedraw(false);
    try {
        rooms = Fill(*document, dbPath, query);
    } catch (const db::Error &) {
        // The list goes on with what the grid holds.
    }
    gDb.Close();
    document->Grid1->Refresh();
    document->Grid1->SetAutoRedraw(true);
    return rooms;
}
