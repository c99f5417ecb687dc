#pragma once

#include <QString>

// How an exam number, a room and a seat are shown on paper: the exam-number prefix, then the
// zeros the exam-number form asks for, then the stored number. The lists, the tickets and the
// desk labels all print through here, so a number reads the same wherever it appears.
//
// The form is the one the last arrangement kept: a digit count (" 4") for serial numbers, or
// "k2" for numbers built from the room and a two-digit seat, which are padded like the room.
// An empty stored value stays empty: an examinee not yet arranged gets no invented "A0000".
class ShownExamNumber {
public:
    ShownExamNumber(const QString &prefix, const QString &form, int roomCount);

    // The exam number of a row whose room is known.
    QString ExamNumber(const QString &number, const QString &room) const;
    // The exam number where only the number is at hand; a room-and-seat number carries its
    // room in the hundreds (room × 100 + seat).
    QString ExamNumberWithoutRoom(const QString &number) const;
    QString Room(const QString &room) const;
    static QString Seat(const QString &seat);

    // The zeros before a room number: up to 99 rooms "0" below room 10; with more rooms "00"
    // below 10 and "0" below 100.
    static QString RoomPad(int roomCount, double room);
    // The zeros before a seat: "0" below seat 10.
    static QString SeatPad(double seat);
    // The digit count a form asks for; 0 for "k2" or no form.
    static int DigitCount(const QString &form);
    // The leading-number reading of a text (" 6" -> 6, "k2" -> 0).
    static double Value(const QString &text);

private:
    QString m_prefix;
    int m_digits;
    int m_roomCount;

    QString Shown(const QString &number, double room) const;
    // The zeros that bring a number of `length` characters up to `digits` (none when it is long enough).
    static QString ZeroRun(int digits, qsizetype length);
};
