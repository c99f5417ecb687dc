#include "lists/ListColumns.h"

#include "db/Conversions.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "workspace/GridFill.h"

ListColumns ListColumns::Of(const FillRecord &record)
{
    ListColumns columns;
    columns.examNumber = record.indexOf(QStringLiteral("考号"));
    columns.room = record.indexOf(QStringLiteral("考场"));
    columns.seat = record.indexOf(QStringLiteral("座位号"));
    // The helper is the last field: a column of the examinee table may carry its name too.
    columns.roomKey = record.count() - 1;
    return columns;
}

void ListColumns::Write(Grid &grid, int row, const FillRecord &record, const ShownExamNumber &shown) const
{
    const QString roomText = db::VbText(record.value(roomKey));
    if (examNumber >= 0)
        grid.Cell(row, examNumber + 1).SetText(shown.ExamNumber(db::VbText(record.value(examNumber)), roomText));
    if (room >= 0)
        grid.Cell(row, room + 1).SetText(shown.Room(db::VbText(record.value(room))));
    if (seat >= 0)
        grid.Cell(row, seat + 1).SetText(ShownExamNumber::Seat(db::VbText(record.value(seat))));
}
