#include "db/SqlToken.h"

namespace db {

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || c.unicode() >= 0x80;
}

bool isWordPart(QChar c)
{
    return isWordStart(c) || c.isDigit() || c == u'$';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The end of a quoted span opened at `from`; a doubled closing quote stays inside. An
// unterminated quote runs to the end and SQLite reports it.
int quotedEnd(const QString &sql, int from, QChar close)
{
    int i = from + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (close != u']' && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

int numberEnd(const QString &sql, int i)
{
    while (i < sql.size() && (isAsciiDigit(sql[i]) || sql[i] == u'.'))
        ++i;
    if (i < sql.size() && (sql[i] == u'e' || sql[i] == u'E')) {
        int j = i + 1;
        if (j < sql.size() && (sql[j] == u'+' || sql[j] == u'-'))
            ++j;
        if (j < sql.size() && isAsciiDigit(sql[j])) {
            i = j;
            while (i < sql.size() && isAsciiDigit(sql[i]))
                ++i;
        }
    }
    while (i < sql.size() && isWordPart(sql[i])) // hex digits and a mistyped suffix stay one token
        ++i;
    return i;
}

int symbolLength(const QString &sql, int i)
{
    static const char *const pairs[] = { "||", "<=", ">=", "<>", "!=", "==", "<<", ">>" };
    if (i + 1 < sql.size()) {
        for (const char *pair : pairs) {
            if (sql[i] == QLatin1Char(pair[0]) && sql[i + 1] == QLatin1Char(pair[1]))
                return 2;
        }
    }
    return 1;
}

SqlToken scanOne(const QString &sql, int i)
{
    using Kind = SqlToken::Kind;
    const QChar c = sql[i];
    const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
    int end = i + 1;
    Kind kind = Kind::Symbol;
    if (c.isSpace()) {
        while (end < sql.size() && sql[end].isSpace())
            ++end;
        kind = Kind::Space;
    } else if (c == u'-' && next == u'-') {
        end = sql.indexOf(u'\n', i);
        end = end < 0 ? sql.size() : end;
        kind = Kind::Comment;
    } else if (c == u'/' && next == u'*') {
        end = sql.indexOf(QStringLiteral("*/"), i + 2);
        end = end < 0 ? sql.size() : end + 2;
        kind = Kind::Comment;
    } else if (c == u'\'') {
        end = quotedEnd(sql, i, u'\'');
        kind = Kind::Literal;
    } else if (c == u'"' || c == u'`' || c == u'[') {
        end = quotedEnd(sql, i, c == u'[' ? QChar(u']') : c);
        kind = Kind::QuotedName;
    } else if (isAsciiDigit(c) || (c == u'.' && isAsciiDigit(next))) {
        end = numberEnd(sql, i);
        kind = Kind::Number;
    } else if (isWordStart(c)) {
        while (end < sql.size() && isWordPart(sql[end]))
            ++end;
        kind = Kind::Word;
    } else if (c == u'?') {
        while (end < sql.size() && isAsciiDigit(sql[end]))
            ++end;
        kind = Kind::Parameter;
    } else {
        end = i + symbolLength(sql, i);
    }
    return SqlToken { kind, i, end - i };
}

} // namespace

QVector<SqlToken> SqlToken::Scan(const QString &sql)
{
    QVector<SqlToken> tokens;
    int i = 0;
    while (i < sql.size()) {
        tokens.append(scanOne(sql, i));
        i += tokens.last().length;
    }
    return tokens;
}

} // namespace db
