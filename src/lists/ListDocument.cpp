#include "lists/ListDocument.h"

#include "datastore/AppState.h"
#include "datastore/ArrangementTables.h"
#include "datastore/DatabaseMessage.h"
#include "datastore/ReportQueries.h"
#include "datastore/RoomNumber.h"
#include "datastore/RoomPlaces.h"
#include "examrooms/ExamNoSettings.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "lists/ListColumns.h"
#include "lists/ListQuery.h"
#include "prompts/Prompts.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include "db/Error.h"

#include <optional>

namespace {

const QString kQueryName = QStringLiteral("NewQry5");

} // namespace

bool ListDocument::SaveQuery(const QString &name, const ListQuery &query)
{
    return datastore::ReportQueries::SaveQuery(name, query.sql, query.params);
}

QVector<int> ListDocument::Open(
    frmDocument &document, const ListQuery &query, const QString &title, const ShownExamNumber &shown)
{
    SaveQuery(kQueryName, query);
    Grid &grid = *document.Grid1;
    std::optional<ListColumns> columns;
    QVector<int> rooms;
    const auto onRow = [&](int row, const FillRecord &record) {
        if (!columns)
            columns = ListColumns::Of(record);
        columns->Write(grid, row, record, shown);
        rooms.append(datastore::RoomNumber(record.value(columns->roomKey)).value_or(0));
    };
    FillGridFromTable(document, GetDbPath(), kQueryName, title, onRow, 1);
    NumberRows(grid);
    return rooms;
}

void ListDocument::NumberRows(Grid &grid)
{
    grid.SetDisplayRowIndex(true);
    if (grid.Rows() > 1)
        grid.SetRowIndexHidden(grid.Rows() - 1, true);
}

void ListDocument::AddLocationColumn(Grid &grid, const QVector<int> &rooms, const datastore::RoomPlaces &places)
{
    const int col = grid.Cols();
    grid.SetCols(col + 1);
    grid.Cell(0, col).SetText(QStringLiteral("考场地点"));
    for (int row = 1; row < grid.Rows() - 1 && row <= rooms.size(); ++row) {
        const int room = rooms.at(row - 1);
        if (room > 0)
            grid.Cell(row, col).SetText(places.value(room));
    }
}

void ListDocument::OpenInWindow(frmMain &main, const std::function<void(frmDocument &)> &show)
{
    // An area never imported into has no examinees to list: say so instead of an empty list.
    if (!datastore::ArrangementTables::Exists(gExamineeTable)) {
        Prompts::instance().message(&main,
            QStringLiteral("当前数据区还没有考生表，名单没有生成。请先导入考生：导入数据/考场编排数据。"),
            QStringLiteral("提示"), QMessageBox::Warning);
        return;
    }
    frmDocument *document = main.LoadNewDoc();
    if (!document)
        return;
    try {
        show(*document);
    } catch (const db::Error &error) {
        if (QWidget *window = document->parentWidget())
            window->close();
        Prompts::instance().message(&main,
            QStringLiteral("名单没有生成：无法把它的查询保存到数据文件。\n") + DatabaseMessage(error),
            QStringLiteral("提示"), QMessageBox::Warning);
    }
}

ShownExamNumber ListDocument::CurrentNumbers(frmMain &main)
{
    main.CountRooms();
    return ShownExamNumber(gExamNoPrefix, gExamNoForm, main.mRoomCount);
}
