#include "db/Concatenation.h"

#include "db/SqlToken.h"

#include <QSet>
#include <QStringList>
#include <QVector>

namespace db {

namespace {

using Kind = SqlToken::Kind;

// One piece of an expression level: a token, or a whole parenthesized group.
struct Item {
    enum class Role { Gap, Delimiter, Ampersand, Operand };
    QString text;
    Role role;
    bool primary; // a name, value or group: a name right after one starts an alias
};

// Words that end an operand of `&`, because everything binding less tightly than `&` and every
// clause keyword stands between operands, never inside one.
bool isDelimiterWord(const QString &word)
{
    static const QSet<QString> words = {
        "select",
        "distinct",
        "all",
        "from",
        "where",
        "and",
        "or",
        "not",
        "is",
        "in",
        "like",
        "glob",
        "between",
        "as",
        "on",
        "using",
        "join",
        "having",
        "group",
        "order",
        "by",
        "limit",
        "offset",
        "case",
        "when",
        "then",
        "else",
        "end",
        "set",
        "values",
        "asc",
        "desc",
        "union",
        "except",
        "intersect",
        "into",
        "update",
        "insert",
        "delete",
        "collate",
        "escape",
        "left",
        "right",
        "full",
        "inner",
        "outer",
        "cross",
        "natural",
        "window",
        "over",
        "filter",
        "partition",
    };
    return words.contains(word.toLower());
}

bool isDelimiterSymbol(const QString &symbol)
{
    static const QSet<QString> symbols = { ",", "=", "==", "<>", "!=", "<", ">", "<=", ">=", ";", ")" };
    return symbols.contains(symbol);
}

Item classify(const QString &sql, const SqlToken &token)
{
    const QString text = sql.mid(token.start, token.length);
    switch (token.kind) {
    case Kind::Space:
    case Kind::Comment:
        return { text, Item::Role::Gap, false };
    case Kind::Word:
        return { text, isDelimiterWord(text) ? Item::Role::Delimiter : Item::Role::Operand, !isDelimiterWord(text) };
    case Kind::Symbol:
        if (text == u"&")
            return { text, Item::Role::Ampersand, false };
        return { text, isDelimiterSymbol(text) ? Item::Role::Delimiter : Item::Role::Operand, false };
    default:
        return { text, Item::Role::Operand, true };
    }
}

class Rewriter {
public:
    explicit Rewriter(const QString &sql)
        : m_sql(sql)
        , m_tokens(SqlToken::Scan(sql))
    {
    }

    QString run() { return level(false); }

private:
    // The items of one parenthesis level, up to its closing parenthesis or the end, joined
    // again with their `&` chains rewritten.
    QString level(bool nested)
    {
        QVector<Item> items;
        while (m_next < m_tokens.size()) {
            const SqlToken &token = m_tokens[m_next++];
            const QString text = m_sql.mid(token.start, token.length);
            if (token.kind == Kind::Symbol && text == u")" && nested)
                break;
            if (token.kind == Kind::Symbol && text == u"(")
                items.append({ u'(' + level(true) + u')', Item::Role::Operand, true });
            else
                items.append(classify(m_sql, token));
        }
        return join(items);
    }

    static bool startsAlias(const QVector<Item> &items, int i)
    {
        if (items[i].role != Item::Role::Operand || !items[i].primary || items[i].text.startsWith(u'('))
            return false;
        for (int j = i - 1; j >= 0; --j) {
            if (items[j].role != Item::Role::Gap)
                return items[j].role == Item::Role::Operand && items[j].primary;
        }
        return false;
    }

    static QString join(const QVector<Item> &items)
    {
        QString out;
        int start = 0;
        for (int i = 0; i <= items.size(); ++i) {
            const bool boundary = i == items.size() || items[i].role == Item::Role::Delimiter || startsAlias(items, i);
            if (!boundary)
                continue;
            out += segment(items, start, i);
            if (i < items.size() && items[i].role == Item::Role::Delimiter) {
                out += items[i].text;
                start = i + 1;
            } else {
                start = i;
            }
        }
        return out;
    }

    // Items [from, to) between two delimiters: one expression, maybe a chain of `&`.
    static QString segment(const QVector<Item> &items, int from, int to)
    {
        int first = from;
        while (first < to && items[first].role == Item::Role::Gap)
            ++first;
        int last = to;
        while (last > first && items[last - 1].role == Item::Role::Gap)
            --last;
        QStringList operands(QString {});
        bool chain = false;
        for (int i = first; i < last; ++i) {
            if (items[i].role == Item::Role::Ampersand) {
                operands.append(QString());
                chain = true;
            } else {
                operands.last() += items[i].text;
            }
        }
        QString out;
        for (int i = from; i < first; ++i)
            out += items[i].text;
        if (chain) {
            for (QString &operand : operands)
                operand = operand.trimmed();
            out += QStringLiteral("(JetConcat(") + operands.join(QStringLiteral(", "))
                + QStringLiteral(") COLLATE NOCASE)");
        } else {
            for (int i = first; i < last; ++i)
                out += items[i].text;
        }
        for (int i = last; i < to; ++i)
            out += items[i].text;
        return out;
    }

    const QString &m_sql;
    QVector<SqlToken> m_tokens;
    int m_next = 0;
};

} // namespace

QString Concatenation::Rewrite(const QString &sql)
{
    if (!sql.contains(u'&'))
        return sql;
    return Rewriter(sql).run();
}

} // namespace db
