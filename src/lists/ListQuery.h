#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

// The SQL of the examinee lists with the values it is run with. A room, school or class that
// the user picked is bound to a placeholder, never written into the text, so a school named
// O'Hara国际学校 or one holding "/" lists its examinees like any other.
//
// Every list selects the displayed columns and, last, each examinee's room once more under
// kRoomKey: the rows then know their room (for the location and the room-and-seat zeros) even
// when the display settings hide 考场. The fill hands it to the list with each record and writes
// it into no cell.
struct ListQuery {
    QString sql;
    QVariantList params;

    static const QString kRoomKey;

    // One room by exam number; room 0 means all rooms.
    static ListQuery ByRoom(const QString &columns, const QString &examineeTable, const QVariant &room);
    // All examinees by school and class (both the class and the school list show this first).
    static ListQuery All(const QString &columns, const QString &examineeTable);
    // One class of one school, by room and exam number.
    static ListQuery ByClass(
        const QString &columns, const QString &examineeTable, const QVariant &school, const QVariant &className);
    // One school, by room and seat.
    static ListQuery BySchool(const QString &columns, const QString &examineeTable, const QVariant &school);
    // The smallest and largest exam number of one room.
    static ListQuery FirstAndLast(const QString &examineeTable, const QVariant &room);
    // One row per room with its first and last exam number and head count, by room.
    static ListQuery RoomRanges(const QString &examineeTable);
};
