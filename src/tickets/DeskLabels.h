#pragma once

#include "tickets/TicketJob.h"

#include <QString>
#include <QStringList>

class GridData;
class QWidget;
class frmDocument;

// The desk labels (桌贴) of one room: one large label per desk, numbered by seat or by exam
// number, on a new document that stays open in the workspace after its print preview.
//
// A room that is not a number, has no examinees or none with a number in the column concerned
// gets a message and no document. A span of seat or exam numbers far wider than the room's head
// count (swapped numbers, a mistyped number) is put to the user before thousands of labels are built.
class DeskLabels {
public:
    enum Kind { SeatNumbers, ExamNumbers };

    // The labels of one sheet and how they stand on the page.
    struct Sheet {
        int perRow = 0;
        int colWidth = 0;
        int rowHeight = 0;
        QStringList labels;
        // Label rows: just enough for the labels, so no empty row can add a blank page.
        int rows() const { return perRow > 0 ? int((labels.size() + perRow - 1) / perRow) : 0; }
    };

    // More labels than examinees by this many asks before building.
    static constexpr int SpareLabelsAsked = 100;
    // No room has this many desks; a span this wide is refused outright.
    static constexpr qint64 MostLabels = 100000;

    // `room` is the room as picked or typed; `roomCount` decides the zeros of room-and-seat
    // exam numbers, as on the tickets.
    DeskLabels(QWidget *window, const QString &room, Kind kind, int roomCount);

    // Builds the sheet into a new document and shows it with `preview`; the document stays
    // open. Returns it, or nullptr when nothing was built (after a message, or a 否).
    frmDocument *Run(const TicketJob::Preview &preview = TicketJob::ShowPreview);

    // Seats 1 to the largest, five to a row, whatever the smallest seat is.
    static Sheet SeatSheet(qint64 largestSeat);
    // Every number from the first to the last, as the tickets show it; one to a row when the
    // shown number is longer than seven characters, else two.
    static Sheet ExamNumberSheet(qint64 first, qint64 last, const QString &prefix, const QString &form, int roomCount);
    // 72 points, or less where the longest label would not fit its cell at 72: the 黑体 of
    // this system may set digits wider than the Windows one the widths were made for.
    static double LabelSize(const Sheet &sheet);
    // Lays the sheet out on `out` (rows from 1, columns 1 to perRow) with the page set-up of a
    // room's labels: portrait, narrow margins, "第 n 考场" above and the page count below.
    static void Write(GridData &out, const Sheet &sheet, const QString &room);

private:
    void Say(const QString &message) const;
    // The sheet for the room, or an empty one after a message or a 否.
    Sheet Plan(double room) const;

    QWidget *m_window;
    QString m_room;
    Kind m_kind;
    int m_roomCount;
};
