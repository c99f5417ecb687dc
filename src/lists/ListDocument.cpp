#include "lists/ListDocument.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "db/Database.h"
#include "grid/Grid.h"
#include "lists/ListQuery.h"
#include "lists/SkipOnError.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

namespace {

const QString kQueryName = QStringLiteral("NewQry5");

} // namespace

// One write to the disk instead of two: the writes, not the statements, are what saving the
// query costs. The deletion is kept even when the new query cannot be made, so the fill never
// shows the list before under the new title.
void ListDocument::SaveQuery(const QString &name, const ListQuery &query)
{
    SkipOnError([&] {
        MainDatabaseScope database;
        db::Database::Transaction transaction(gDb);
        SkipOnError([&] { gDb.DeleteQueryDef(name); });
        SkipOnError([&] { gDb.CreateQueryDef(name, query.sql, query.params); });
        transaction.Commit();
    });
}

QStringList ListDocument::Open(const ListQuery &query)
{
    SaveQuery(kQueryName, query);
    gMainForm->LoadNewDoc();
    FillGridFromTable(GetDbPath(), kQueryName);
    frmDocument *document = gMainForm->ActiveForm();
    return document ? TakeRooms(*document->Grid1) : QStringList();
}

QStringList ListDocument::TakeRooms(Grid &grid)
{
    const int col = grid.Cols() - 1;
    if (col < 1 || grid.Cell(0, col).text() != ListQuery::kRoomKey)
        return {};
    QStringList rooms;
    rooms.reserve(grid.Rows() - 2);
    for (int row = 1; row < grid.Rows() - 1; ++row)
        rooms << grid.Cell(row, col).text();
    grid.SetCols(col);
    return rooms;
}
