#pragma once

#include <QString>

// A column's FormatString applied to a cell's text, for showing only. Understood: "0" and
// "0.0..." (fixed decimals), a "," anywhere for thousands separators ("#,##0.00") and a trailing
// "%" (the value times 100). Texts that are not wholly a number, and empty formats, show as they
// are stored.
class NumberFormat {
public:
    static QString apply(const QString &format, const QString &text);
};
