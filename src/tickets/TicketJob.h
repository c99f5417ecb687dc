#pragma once

#include "tickets/TicketOrder.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

class GridData;
class QWidget;
class frmDocument;

// One press of 确定 on the ticket tab: checks the order, reads the examinees, opens a new
// document, has the builder write the tickets, lays the pages out for A4 landscape and shows
// the print preview. The document is closed again when the preview is: it holds every photo.
//
// Nothing is opened for an order that cannot be built (a choice missing, no examinees, a
// column missing from the examinee table); a message says why. Tickets that lack something (a
// photo, a room or seat) are built all the same, and a message names those examinees.
class TicketJob {
public:
    // Shows the finished document and returns when the user is done with it.
    using Preview = std::function<void(frmDocument &)>;

    // `roomCount` decides the zeros before room numbers (two digits up to 99 rooms, else three).
    TicketJob(QWidget *window, const TicketOrder &order, const GridData &ticketTemplate, int roomCount);

    // Returns the number of tickets built, 0 when the order was refused.
    int Run(const Preview &preview = ShowPreview);

    // The print preview at 75 %, with a working print button.
    static void ShowPreview(frmDocument &document);

    // The message for a grouping choice left incomplete; empty when every shown list has a choice.
    static QString IncompleteChoice(const TicketOrder &order);

    // Writes the tickets of `records` (ticket-column values) into `out`: photos read, blocks
    // written, cut lines, page breaks and page set-up. Examinees lacking something are kept
    // for the message after the build.
    void BuildInto(GridData &out, const QList<QVariantList> &records);
    // Stacked tickets: page p holds the p-th examinee of each group in the group's place, an
    // empty placeholder where a group has run out.
    void BuildStackedInto(GridData &out, const QList<QList<QVariantList>> &groups);

private:
    void Say(const QString &message) const;
    // Says why the order cannot be built; returns no tickets.
    int Refuse(const QString &message) const;
    // The examinees of the chosen class or room; empty after a message when there are none.
    QList<QVariantList> ReadExaminees() const;
    // One group per ticket of a page; empty after a message naming an empty group.
    QList<QList<QVariantList>> ReadGroups() const;
    QList<QVariantList> ReadGroup(const QString &school, const QString &choice) const;
    // Loads the photos named by the records; returns each record's photo key ("" for none).
    QStringList LoadPhotos(const QList<QVariantList> &records, const QSize &box, GridData &out);
    void NoteUnarranged(const QVariantList &record);
    void LayOut(GridData &out) const;
    void ReportProblems() const;

    QWidget *m_window;
    TicketOrder m_order;
    const GridData &m_template;
    int m_roomCount;
    // Examinees built with something missing, named after the build.
    QStringList m_missingPhotos;
    QStringList m_unsafePhotoNames;
    QStringList m_unarranged;
};
