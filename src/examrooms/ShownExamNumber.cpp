#include "examrooms/ShownExamNumber.h"

#include "db/Conversions.h"

#include <cmath>

ShownExamNumber::ShownExamNumber(const QString &prefix, const QString &form, int roomCount)
    : m_prefix(prefix)
    , m_digits(DigitCount(form))
    , m_roomCount(roomCount)
{
}

QString ShownExamNumber::ExamNumber(const QString &number, const QString &room) const
{
    return Shown(number, Value(room));
}

QString ShownExamNumber::ExamNumberWithoutRoom(const QString &number) const
{
    return Shown(number, std::floor(Value(number) / 100));
}

QString ShownExamNumber::Shown(const QString &number, double room) const
{
    const QString digits = number.trimmed();
    if (digits.isEmpty())
        return {};
    if (m_digits > 0)
        return m_prefix + ZeroRun(m_digits, digits.size()) + digits;
    return m_prefix + RoomPad(m_roomCount, room) + digits;
}

QString ShownExamNumber::Room(const QString &room) const
{
    const QString digits = room.trimmed();
    if (digits.isEmpty())
        return {};
    return RoomPad(m_roomCount, Value(digits)) + digits;
}

QString ShownExamNumber::Seat(const QString &seat)
{
    const QString digits = seat.trimmed();
    if (digits.isEmpty())
        return {};
    return SeatPad(Value(digits)) + digits;
}

QString ShownExamNumber::RoomPad(int roomCount, double room)
{
    if (roomCount <= 99)
        return room < 10 ? QStringLiteral("0") : QString();
    if (room > 99)
        return {};
    return room > 9 ? QStringLiteral("0") : QStringLiteral("00");
}

QString ShownExamNumber::SeatPad(double seat)
{
    return seat < 10 ? QStringLiteral("0") : QString();
}

int ShownExamNumber::DigitCount(const QString &form)
{
    const double digits = Value(form.trimmed());
    return digits > 0 ? static_cast<int>(digits) : 0;
}

QString ShownExamNumber::ZeroRun(int digits, qsizetype length)
{
    return length < digits ? QString(digits - length, u'0') : QString();
}

double ShownExamNumber::Value(const QString &text)
{
    return db::Val(text);
}
