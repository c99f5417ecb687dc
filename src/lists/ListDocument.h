#pragma once

#include <QString>
#include <QStringList>

class Grid;
struct ListQuery;

// The lists reach their document the way every other document of the program does: through a
// saved query read by FillGridFromTable, so one fill writes the header, the masks, the rows and
// the title box of them all. The values the user picked travel as parameters and are written
// into the saved text as quoted literals, never pasted by hand.
class ListDocument {
public:
    // Deletes the saved query `name` (a missing one is no error) and creates it anew from
    // `query`. A step that fails is passed over; the fill then finds no query and stays empty.
    static void SaveQuery(const QString &name, const ListQuery &query);

    // Saves `query` as "NewQry5", opens a new document and fills it from there. Returns each
    // examinee row's room, in row order, taken from the query's last column.
    static QStringList Open(const ListQuery &query);

    // The last column holds each row's room (ListQuery::kRoomKey) and is no column the user
    // chose: its texts come back and the column goes. A grid without it is left as it is.
    static QStringList TakeRooms(Grid &grid);
};
