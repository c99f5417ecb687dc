#pragma once

#include <QString>

namespace db {

// Jet's `&` joins texts the way the program's code does: numbers as VbText shows them
// (305.0 & '' is "305", not SQLite's "305.0"), Null as an empty text, and only after the
// arithmetic on either side is done. SQLite's `||` does none of this, so a chain of `&`
// operands is rewritten into one call of the registered function JetConcat(a, b, ...), whose
// text compares without regard to case like the columns it is made of.
class Concatenation {
public:
    static QString Rewrite(const QString &sql);
};

} // namespace db
