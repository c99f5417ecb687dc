#pragma once

#include <QStringList>

struct ListQuery;

// Fills the active document's grid from a list query run with its bound values, the way
// FillGridFromTable fills it from a table or saved query: header row, row numbers, text mask
// on column 1, number mask and width 50 on Double fields but 学号, one row per examinee
// (column 0 tagged "U"), one empty row after the last, the caption and the title box from
// gDocTitle with the record count. FillGridFromTable reads only by name, and a saved query
// cannot hold bound values, hence this fill.
//
// The query's last field, the room each examinee sits in (ListQuery::kRoomKey), is not shown:
// it comes back as the list's rooms, one per examinee row, in row order. A database error ends
// the fill where it stands, silently, with no rooms.
class ListFill {
public:
    static QStringList FillGridFromQuery(const QString &dbPath, const ListQuery &query);
};
