#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// What the ticket window and its jobs read from the current area: the lists to choose from and
// the examinees of one class or room. Each call opens and closes the data file itself and
// raises db::Error when it cannot be read; the window decides what to say.
namespace TicketQueries {

// The columns a ticket prints, in the order of every ticket record and of the binding list.
const QStringList &TicketColumns();

// The examinee table's schools, a school's classes, and the rooms that hold examinees.
QStringList Schools();
QStringList Classes(const QString &school);
QStringList Rooms();
// Rows of the room table that carry a room number.
int RoomCount();
// The ticket columns the examinee table lacks (an import does not ask for 性别).
QStringList MissingTicketColumns();

// One record per examinee, values in TicketColumns() order, by exam number: each value as
// the program shows it as text (305.0 reads "305"), or a null QVariant where the table holds Null.
QList<QVariantList> ExamineesOfClass(const QString &school, const QString &className);
// `room` is a number; the caller checks that before asking.
QList<QVariantList> ExamineesOfRoom(double room);

} // namespace TicketQueries
