#pragma once

#include <QString>
#include <QVector>

namespace db {

// One lexical piece of an SQL text, as a span of that text. The translation step works on
// these so that quoted literals and names are never touched by accident.
struct SqlToken {
    enum class Kind { Space, Comment, Literal, QuotedName, Word, Number, Parameter, Symbol };

    Kind kind;
    int start;
    int length;

    bool significant() const { return kind != Kind::Space && kind != Kind::Comment; }

    // Splits `sql` into tokens covering every character of it, in order.
    static QVector<SqlToken> Scan(const QString &sql);
};

} // namespace db
