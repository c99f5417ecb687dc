#include "lists/ListColumns.h"

#include "examrooms/ShownExamNumber.h"
#include "grid/Grid.h"

ListColumns ListColumns::Scan(Grid &grid)
{
    ListColumns columns;
    for (int col = 1; col < grid.Cols(); ++col) {
        const QString header = grid.Cell(0, col).text();
        if (header == QStringLiteral("考号"))
            columns.examNumber = col;
        if (header == QStringLiteral("考场"))
            columns.room = col;
        if (header == QStringLiteral("座位号"))
            columns.seat = col;
    }
    return columns;
}

QString ListColumns::RoomOf(Grid &grid, const QStringList &rooms, int row) const
{
    if (row <= rooms.size())
        return rooms.at(row - 1);
    return room > 0 ? grid.Cell(row, room).text() : QString();
}

void ListColumns::Rewrite(Grid &grid, const QStringList &rooms, const ShownExamNumber &shown) const
{
    for (int row = 1; row < grid.Rows() - 1; ++row) {
        const QString roomOfRow = RoomOf(grid, rooms, row);
        if (examNumber > 0)
            grid.Cell(row, examNumber).SetText(shown.ExamNumber(grid.Cell(row, examNumber).text(), roomOfRow));
        if (room > 0)
            grid.Cell(row, room).SetText(shown.Room(grid.Cell(row, room).text()));
        if (seat > 0)
            grid.Cell(row, seat).SetText(ShownExamNumber::Seat(grid.Cell(row, seat).text()));
    }
}
