#pragma once

#include <QString>
#include <QVariant>

namespace db {

// "名字" -> "\"名字\"", doubling any quote inside: for table and column names taken from data.
QString QuoteName(const QString &name);

// A value as the program shows it as text (the classic CStr): Null -> "", an integral number
// -> its digits without a decimal point (305.0 -> "305"), other numbers in their shortest form,
// text unchanged. The one place where values become text.
QString VbText(const QVariant &value);

// The leading-number reading of a text (classic Val): leading blanks skipped, the longest
// numeric prefix taken, 0 when there is none (" 6" -> 6, "k2" -> 0, "12abc" -> 12).
double Val(const QString &text);

} // namespace db
