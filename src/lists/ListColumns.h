#pragma once

#include <QStringList>

class Grid;
class ShownExamNumber;

// The columns of a filled list that are written anew for print, found by their header texts
// 考号, 考场 and 座位号; 0 for one the display settings hide. A hidden column is passed over:
// column 0 holds the row numbers and is never written.
struct ListColumns {
    int examNumber = 0;
    int room = 0;
    int seat = 0;

    static ListColumns Scan(Grid &grid);

    // Rewrites every examinee row (1 to Rows − 2) with the shown exam number, room and seat.
    // `rooms` holds each row's room, so the room-and-seat zeros are right even when the room
    // column is hidden. Empty cells stay empty.
    void Rewrite(Grid &grid, const QStringList &rooms, const ShownExamNumber &shown) const;

private:
    QString RoomOf(Grid &grid, const QStringList &rooms, int row) const;
};
