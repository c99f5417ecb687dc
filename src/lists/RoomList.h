#pragma once

#include <QString>
#include <QVariant>

class Grid;
class ShownExamNumber;
class frmDocument;

// 浏览/按考场: the examinees of one room (or of all rooms, item 0) by exam number, as a new
// document ready to pin on the room's door: exam numbers with prefix and zeros, rooms and seats
// with leading zeros, a last line with the room's location, and the room's first and last exam
// number under the title.
class RoomList {
public:
    // `Index` is the chosen item of the menu array gkc; its data is the room number.
    static void gkc_Click(int Index);
    // Fills `document` with the list of `room` (0 for all rooms) and lays it out.
    // Raises db::Error, the document left empty, when the list's query cannot be saved.
    static void Show(frmDocument &document, const QVariant &room, const ShownExamNumber &shown);

    // The last, empty row becomes the merged line "考场地点" and the room's location.
    static void WriteLocationLine(Grid &grid, const QString &place);
    // "first——last" with each number shown as in the list; empty when the room has none.
    static QString FirstAndLastLine(const QVariant &room, const ShownExamNumber &shown);

private:
    static QVariant ChosenRoom(int index);
    static QString Title(const QVariant &room);
};
