// The value conversions declared in Conversions.h: the classic text and number readings that
// the program's reports and exam-number padding depend on.
#include "db/Conversions.h"

#include <cmath>

namespace db {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int skipDigits(const QString &text, int i)
{
    while (i < text.size() && isAsciiDigit(text[i]))
        ++i;
    return i;
}

// Where the exponent of a number ends, or `i` itself when what follows is no exponent.
int exponentEnd(const QString &text, int i)
{
    if (i >= text.size() || !QStringLiteral("eEdD").contains(text[i]))
        return i;
    int j = i + 1;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
        ++j;
    const int end = skipDigits(text, j);
    return end > j ? end : i;
}

QString doubleText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0, which would otherwise read "-0"
    // Whole numbers below 1E+15 (exam numbers, rooms, seats, counts) read as their digits
    // either way; written directly they cost a fraction of the formatted conversion.
    constexpr double kWholeLimit = 1e15;
    if (std::abs(value) < kWholeLimit && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    // 15 significant digits, trailing zeros dropped, exponent form below 1E-4 and from 1E+15:
    // the classic conversion, so 305.0 reads "305" and 1e-7 reads "1E-07".
    return QString::asprintf("%.15G", value);
}

} // namespace

QString QuoteName(const QString &name)
{
    QString inner = name;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

QString VbText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return doubleText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

double Val(const QString &text)
{
    int start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    int i = start;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const int intEnd = skipDigits(text, i);
    int end = intEnd;
    if (end < text.size() && text[end] == u'.')
        end = skipDigits(text, end + 1);
    if (end - i == 0 || (end - i == 1 && intEnd == i)) // no digit at all: "", "-", "."
        return 0;
    end = exponentEnd(text, end);
    QString number = text.mid(start, end - start);
    number.replace(u'd', u'e').replace(u'D', u'e');
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

} // namespace db
