#pragma once

#include <QHash>
#include <QString>

class Grid;
class ShownExamNumber;

// 各考场首尾考号: one row per room with its first and last exam number, head count and
// location, for the notices at the doors and the invigilators' sheets.
class RoomRangeList {
public:
    static void qzkh_Click();

    // Each room's 考场地点 by its 考场号, read by column name from the room table.
    static QHash<int, QString> RoomLocations();
    // Appends the column 考场地点 with each room's location, looked up by the room number of
    // the row (a room without examinees has no row, and must not shift the others).
    static void AddLocationColumn(Grid &grid, const QHash<int, QString> &places);
    // Rewrites 首考号 and 尾考号 of every room row with prefix and zeros.
    static void RewriteNumbers(Grid &grid, const ShownExamNumber &shown);
};
