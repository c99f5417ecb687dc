#include "db/JetFunctions.h"

#include "db/Database.h"
#include "db/Statement.h"

#include <cmath>
#include <sqlite3.h>

namespace db {

namespace {

QVariant argument(sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
    }
}

QString textArgument(sqlite3_value *value)
{
    return VbText(argument(value));
}

bool anyNull(int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

void resultText(sqlite3_context *context, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text64(context, utf8.constData(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

// Counts and positions below are Jet's: in characters, counted from 1.
qint64 count(sqlite3_value *value)
{
    return std::max<qint64>(0, sqlite3_value_int64(value));
}

void jetVal(sqlite3_context *context, int, sqlite3_value **argv)
{
    const int type = sqlite3_value_type(argv[0]);
    sqlite3_result_double(context, type == SQLITE_TEXT ? Val(textArgument(argv[0])) : sqlite3_value_double(argv[0]));
}

void jetLen(sqlite3_context *context, int, sqlite3_value **argv)
{
    sqlite3_result_int64(context, textArgument(argv[0]).size());
}

void jetMid(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    const qint64 start = std::max<qint64>(1, sqlite3_value_int64(argv[1]));
    const QString text = textArgument(argv[0]);
    resultText(context, argc > 2 ? text.mid(start - 1, count(argv[2])) : text.mid(start - 1));
}

void jetLeft(sqlite3_context *context, int, sqlite3_value **argv)
{
    resultText(context, textArgument(argv[0]).left(count(argv[1])));
}

void jetRight(sqlite3_context *context, int, sqlite3_value **argv)
{
    resultText(context, textArgument(argv[0]).right(count(argv[1])));
}

QString trimmedLeft(const QString &text)
{
    int i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

QString trimmedRight(const QString &text)
{
    int i = int(text.size());
    while (i > 0 && text[i - 1] == u' ')
        --i;
    return text.left(i);
}

void jetTrim(sqlite3_context *context, int, sqlite3_value **argv)
{
    resultText(context, trimmedLeft(trimmedRight(textArgument(argv[0]))));
}

void jetLTrim(sqlite3_context *context, int, sqlite3_value **argv)
{
    resultText(context, trimmedLeft(textArgument(argv[0])));
}

void jetRTrim(sqlite3_context *context, int, sqlite3_value **argv)
{
    resultText(context, trimmedRight(textArgument(argv[0])));
}

double number(sqlite3_value *value)
{
    return sqlite3_value_type(value) == SQLITE_TEXT ? Val(textArgument(value)) : sqlite3_value_double(value);
}

// Str keeps a place for the sign: non-negative numbers get a leading blank.
void jetStr(sqlite3_context *context, int, sqlite3_value **argv)
{
    const double value = number(argv[0]);
    const QString text = VbText(value);
    resultText(context, value < 0 ? text : u' ' + text);
}

void jetCStr(sqlite3_context *context, int, sqlite3_value **argv)
{
    resultText(context, textArgument(argv[0]));
}

// Int rounds down, towards minus infinity, and keeps whole numbers whole.
void jetInt(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
        sqlite3_result_int64(context, sqlite3_value_int64(argv[0]));
    else
        sqlite3_result_double(context, std::floor(number(argv[0])));
}

// Jet's `&`: Null joins as an empty text, and only a join of Nulls alone is Null.
void jetConcat(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    QString text;
    bool allNull = true;
    for (int i = 0; i < argc; ++i) {
        allNull = allNull && sqlite3_value_type(argv[i]) == SQLITE_NULL;
        text += textArgument(argv[i]);
    }
    if (allNull)
        sqlite3_result_null(context);
    else
        resultText(context, text);
}

using Body = void (*)(sqlite3_context *, int, sqlite3_value **);

// Every function gives Null for a Null argument, as Jet's do, before its body runs.
template <Body body> void nullSafe(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        sqlite3_result_null(context);
    else
        body(context, argc, argv);
}

struct Definition {
    const char *name;
    int arguments;
    Body body;
};

const Definition definitions[] = {
    { "Val", 1, nullSafe<jetVal> },
    { "Len", 1, nullSafe<jetLen> },
    { "Mid", 2, nullSafe<jetMid> },
    { "Mid", 3, nullSafe<jetMid> },
    { "JetLeft", 2, nullSafe<jetLeft> },
    { "JetRight", 2, nullSafe<jetRight> },
    { "Trim", 1, nullSafe<jetTrim> },
    { "LTrim", 1, nullSafe<jetLTrim> },
    { "RTrim", 1, nullSafe<jetRTrim> },
    { "Str", 1, nullSafe<jetStr> },
    { "CStr", 1, nullSafe<jetCStr> },
    { "Int", 1, nullSafe<jetInt> },
    { "JetConcat", -1, jetConcat },
};

} // namespace

void JetFunctions::Register(sqlite3 *handle)
{
    for (const Definition &definition : definitions) {
        if (sqlite3_create_function_v2(handle, definition.name, definition.arguments,
                SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, definition.body, nullptr, nullptr, nullptr)
            != SQLITE_OK)
            throw Statement::Failure(handle, QString::fromLatin1(definition.name));
    }
}

} // namespace db
