#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace datastore {

// What the program reads of an arrangement's room and examinee tables to build its menus, count
// its rooms and place its examinees: plain values, read in one place. The main window turns them
// into menu items, the lists into cells. Each read raises db::Error when its table cannot be read.
class ArrangementTables {
public:
    struct Room {
        QVariant number; // 考场号 as the table holds it (a double after an import)
        QString place;   // 考场地点 as text; "" when it has none
    };
    struct SchoolClass {
        QVariant school;
        QVariant className;
    };

    // Whether the data file holds `table` (an area has no examinee table until its first
    // import); false when the file cannot be read.
    static bool Exists(const QString &table);
    // Every room with a number, by number.
    static QList<Room> Rooms(const QString &roomTable);
    // The rows of the room table whose first field is not Null.
    static int RoomCount(const QString &roomTable);
    // The schools of the examinee table, in order, without Null.
    static QVariantList Schools(const QString &examineeTable);
    // The school and class pairs of the examinee table, in order, without a Null in either.
    static QList<SchoolClass> Classes(const QString &examineeTable);
    // Gives the examinee table its indexes on 考号 and on 考场 and 考号, once per import (an
    // import makes the table anew), so the room lists are read in exam-number order without a
    // sort. Raises nothing: a file that cannot be written lists the same, only slower.
    static void IndexExamNumbers(const QString &examineeTable);
    // The texts s1 and s2 of the settings row `item`; empty when the table has no such row.
    static QStringList SettingsRow(const QString &settingsTable, const QString &item);
};

} // namespace datastore
