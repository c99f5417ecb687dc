#include "workbookreader/NumberFormats.h"

#include <QDateTime>
#include <cmath>

namespace {

bool isBuiltInDateFormat(int format)
{
    return (format >= 14 && format <= 22) || (format >= 27 && format <= 36) || (format >= 45 && format <= 47)
        || (format >= 50 && format <= 58);
}

// Whether a number format shows a date or a time: it has y, m, d, h or s outside quoted
// texts, escaped characters and brackets ([Red], [$-804]).
bool isDateFormatCode(const QString &code)
{
    bool quoted = false;
    int bracket = 0;
    for (int i = 0; i < code.size(); ++i) {
        const QChar ch = code[i];
        if (ch == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (ch == '\\' || ch == '_' || ch == '*')
            ++i;
        else if (ch == '[')
            ++bracket;
        else if (ch == ']')
            bracket = qMax(0, bracket - 1);
        else if (bracket == 0 && QStringLiteral("ymdhsYMDHS").contains(ch))
            return true;
    }
    return false;
}

QString dateText(double serial, bool from1904)
{
    if (!(serial >= 0) || serial > 2958465)
        return QString();
    qint64 days = static_cast<qint64>(std::floor(serial));
    qint64 seconds = std::llround((serial - days) * 86400);
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    const QTime time = QTime(0, 0).addSecs(seconds);
    if (days == 0 && !from1904)
        return time.toString(QStringLiteral("HH:mm:ss"));
    // Excel's 1900 calendar counts a 29 February 1900 that never was.
    const QDate base = from1904 ? QDate(1904, 1, 1) : days < 61 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    const QDate date = base.addDays(days);
    if (seconds == 0)
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    return date.toString(QStringLiteral("yyyy-MM-dd")) + ' ' + time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

NumberFormats::Kind NumberFormats::kindOf(int format) const
{
    if (isBuiltInDateFormat(format))
        return Kind::Date;
    const auto code = m_codes.constFind(format);
    if (code == m_codes.constEnd())
        return Kind::Number;
    if (QString(*code).remove('"').compare(QLatin1String("TRUE;TRUE;FALSE"), Qt::CaseInsensitive) == 0)
        return Kind::Boolean;
    return isDateFormatCode(*code) ? Kind::Date : Kind::Number;
}

QVariant NumberFormats::Cell(int style, double value) const
{
    if (!std::isfinite(value))
        return QVariant();
    switch (style >= 0 && style < m_styleKinds.size() ? m_styleKinds[style] : Kind::Number) {
    case Kind::Number:
        break;
    case Kind::Boolean:
        return value != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Date:
        if (const QString text = dateText(value, m_from1904); !text.isEmpty())
            return text;
        break;
    }
    return value;
}
