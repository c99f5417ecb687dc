#include "db/JetSql.h"

#include "db/Concatenation.h"
#include "db/Error.h"
#include "db/SqlToken.h"

namespace db {

namespace {

using Kind = SqlToken::Kind;

QString textOf(const QString &sql, const SqlToken &token)
{
    return sql.mid(token.start, token.length);
}

bool isWord(const QString &sql, const SqlToken &token, const char *word)
{
    return token.kind == Kind::Word && textOf(sql, token).compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// The significant tokens outside any parentheses, where the clauses of the statement itself
// stand (a subquery's own DISTINCT or GROUP BY is left to it), with the outermost parentheses.
QVector<SqlToken> topLevel(const QString &sql)
{
    QVector<SqlToken> top;
    int depth = 0;
    for (const SqlToken &token : SqlToken::Scan(sql)) {
        if (!token.significant())
            continue;
        const QString text = textOf(sql, token);
        const bool open = token.kind == Kind::Symbol && text == u"(";
        const bool close = token.kind == Kind::Symbol && text == u")";
        depth -= close ? 1 : 0;
        if (depth == 0)
            top.append(token); // the parentheses themselves count, so spans and ends stay right
        depth += open ? 1 : 0;
    }
    return top;
}

int findWord(const QString &sql, const QVector<SqlToken> &top, const char *word, int from = 0)
{
    for (int i = from; i < top.size(); ++i) {
        if (isWord(sql, top[i], word))
            return i;
    }
    return -1;
}

int findPair(const QString &sql, const QVector<SqlToken> &top, const char *first)
{
    const int i = findWord(sql, top, first);
    return i >= 0 && i + 1 < top.size() && isWord(sql, top[i + 1], "by") ? i : -1;
}

bool isSelect(const QString &sql, const QVector<SqlToken> &top)
{
    return !top.isEmpty() && isWord(sql, top[0], "select");
}

bool isDistinct(const QString &sql, const QVector<SqlToken> &top)
{
    return top.size() > 1 && isWord(sql, top[1], "distinct");
}

bool isCompound(const QString &sql, const QVector<SqlToken> &top)
{
    return findWord(sql, top, "union") >= 0 || findWord(sql, top, "intersect") >= 0
        || findWord(sql, top, "except") >= 0;
}

bool opensCall(const QString &sql, const QVector<SqlToken> &tokens, int i)
{
    for (int j = i + 1; j < tokens.size(); ++j) {
        if (tokens[j].significant())
            return tokens[j].kind == Kind::Symbol && sql[tokens[j].start] == u'(';
    }
    return false;
}

// Left( and Right( become the registered JetLeft( and JetRight(: LEFT and RIGHT are join
// keywords to SQLite and cannot name a function there.
QString renameFunctions(const QString &sql)
{
    const QVector<SqlToken> tokens = SqlToken::Scan(sql);
    QString out;
    out.reserve(sql.size() + 8);
    for (int i = 0; i < tokens.size(); ++i) {
        const SqlToken &token = tokens[i];
        if ((isWord(sql, token, "left") || isWord(sql, token, "right")) && opensCall(sql, tokens, i))
            out += QStringLiteral("Jet");
        out += textOf(sql, token);
    }
    return out;
}

// The GROUP BY keys as written: from after BY up to the next clause or the end.
QString groupKeys(const QString &sql, const QVector<SqlToken> &top, int group)
{
    const int first = group + 2;
    int last = first;
    while (last < top.size() && !isWord(sql, top[last], "having") && !isWord(sql, top[last], "window")
        && !isWord(sql, top[last], "limit"))
        ++last;
    if (first >= last)
        return {};
    const int end = top[last - 1].start + top[last - 1].length;
    return sql.mid(top[first].start, end - top[first].start);
}

QString positions(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list.append(QString::number(i));
    return list.join(QStringLiteral(", "));
}

QString orderClause(const QString &sql, const QVector<SqlToken> &top, const JetSql::ColumnCounter &countColumns)
{
    if (!isSelect(sql, top) || isCompound(sql, top) || findPair(sql, top, "order") >= 0)
        return {};
    if (isDistinct(sql, top))
        return positions(countColumns(sql));
    const int group = findPair(sql, top, "group");
    return group >= 0 ? groupKeys(sql, top, group) : QString();
}

QString withOrder(const QString &sql, const JetSql::ColumnCounter &countColumns)
{
    const QVector<SqlToken> top = topLevel(sql);
    const QString keys = orderClause(sql, top, countColumns);
    if (keys.isEmpty())
        return sql;
    const int limit = findWord(sql, top, "limit");
    const int at = limit >= 0 ? top[limit].start : top.last().start + top.last().length;
    return sql.left(at) + QStringLiteral(" ORDER BY ") + keys + u' ' + sql.mid(at);
}

QString unquoted(const QString &name)
{
    const QChar open = name.isEmpty() ? QChar() : name[0];
    if (open == u'[')
        return name.mid(1, name.size() - 2);
    if (open == u'"' || open == u'`') {
        QString inner = name.mid(1, name.size() - 2);
        return inner.replace(QString(2, open), QString(open));
    }
    return name;
}

bool endsFromClause(const QString &sql, const QVector<SqlToken> &top, int i)
{
    return i >= top.size() || isWord(sql, top[i], "where") || isWord(sql, top[i], "order")
        || isWord(sql, top[i], "limit");
}

QString literal(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 17); // every bit of the number kept
    case QMetaType::QByteArray:
        return QStringLiteral("X'") + QString::fromLatin1(value.toByteArray().toHex()) + u'\'';
    default:
        return u'\'' + value.toString().replace(u'\'', QStringLiteral("''")) + u'\'';
    }
}

} // namespace

QString JetSql::Inline(const QString &statement, const QVariantList &params)
{
    QString out;
    int next = 0;
    for (const SqlToken &token : SqlToken::Scan(statement)) {
        if (token.kind != Kind::Parameter) {
            out += textOf(statement, token);
            continue;
        }
        if (token.length > 1 || next >= params.size())
            throw Error(QStringLiteral("The values do not match the placeholders.\n") + statement);
        out += literal(params[next++]);
    }
    if (next != params.size())
        throw Error(QStringLiteral("The values do not match the placeholders.\n") + statement);
    return out;
}

QStringList JetSql::SplitStatements(const QString &sql)
{
    QStringList statements;
    QString current;
    bool blank = true;
    for (const SqlToken &token : SqlToken::Scan(sql)) {
        if (token.kind == Kind::Symbol && sql[token.start] == u';') {
            if (!blank)
                statements.append(current);
            current.clear();
            blank = true;
            continue;
        }
        current += textOf(sql, token);
        blank = blank && !token.significant();
    }
    if (!blank)
        statements.append(current);
    return statements;
}

QString JetSql::Translate(const QString &statement, const ColumnCounter &countColumns)
{
    return withOrder(Concatenation::Rewrite(renameFunctions(statement)), countColumns);
}

QString JetSql::SingleTable(const QString &statement)
{
    const QVector<SqlToken> top = topLevel(statement);
    if (!isSelect(statement, top) || isDistinct(statement, top) || isCompound(statement, top)
        || findPair(statement, top, "group") >= 0 || findWord(statement, top, "having") >= 0
        || findWord(statement, top, "join") >= 0)
        return {};
    const int from = findWord(statement, top, "from");
    if (from < 0 || from + 1 >= top.size())
        return {};
    const SqlToken &table = top[from + 1];
    if ((table.kind != Kind::Word && table.kind != Kind::QuotedName) || !endsFromClause(statement, top, from + 2))
        return {};
    return unquoted(textOf(statement, table));
}

QString JetSql::WithRowid(const QString &statement)
{
    const QVector<SqlToken> top = topLevel(statement);
    if (!isSelect(statement, top))
        return statement;
    const SqlToken &after = top.size() > 1 && isWord(statement, top[1], "all") ? top[1] : top[0];
    const int at = after.start + after.length;
    return statement.left(at) + QStringLiteral(" _rowid_,") + statement.mid(at);
}

bool JetSql::IsSchemaChange(const QString &statement)
{
    const QVector<SqlToken> top = topLevel(statement);
    return !top.isEmpty()
        && (isWord(statement, top[0], "create") || isWord(statement, top[0], "drop")
            || isWord(statement, top[0], "alter"));
}

} // namespace db
