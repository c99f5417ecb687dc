#pragma once

#include <QString>
#include <QVector>

#include <functional>

class Grid;
class ShownExamNumber;
namespace datastore {
class RoomPlaces;
}
class frmDocument;
class frmMain;
struct ListQuery;

// The lists reach their document the way every other document of the program does: through a
// saved query read by FillGridFromTable, so one fill writes the header, the masks, the rows and
// the title box of them all. The values the user picked travel as parameters and are written
// into the saved text as quoted literals, never pasted by hand.
class ListDocument {
public:
    // Deletes the saved query `name` (a missing one is no error) and creates it anew from
    // `query`; returns whether the new query stands. Raises db::Error when the data file
    // cannot be written: the old query then stands and must not be read as this list.
    static bool SaveQuery(const QString &name, const ListQuery &query);

    // Saves `query` as "NewQry5" and fills `document` from there under `title`, each row's exam
    // number, room and seat written as `shown` shows them. Returns each examinee row's room
    // number in row order (0 where a row has none), taken from the query's helper field, which
    // reaches no cell. The rows are numbered as NumberRows numbers them. Raises db::Error, with
    // the document left empty, when the query cannot be saved.
    static QVector<int> Open(frmDocument &document, const ListQuery &query, const QString &title,
        const ShownExamNumber &shown);

    // Every list's rows are numbered by the grid itself, so the numbers stay whole through
    // every edit; the trailing empty row (a room list's location line) shows none.
    static void NumberRows(Grid &grid);

    // Appends the column 考场地点 with the location in `places` of each row's room (`rooms` in
    // row order; a room of 0 or below has none).
    static void AddLocationColumn(Grid &grid, const QVector<int> &rooms, const datastore::RoomPlaces &places);

    // A list command's document: opened in the main window and handed to `show`. When the list
    // cannot be made because its query cannot be saved (the data file read-only, or locked by
    // another program), the document goes again and the user is told why: no list rather
    // than the list before under the new title.
    static void OpenInWindow(frmMain &main, const std::function<void(frmDocument &)> &show);

    // The numbers as the lists show them, padded for the room table as it is now (the main
    // window recounts its rooms), not as it was when the window opened.
    static ShownExamNumber CurrentNumbers(frmMain &main);
};
