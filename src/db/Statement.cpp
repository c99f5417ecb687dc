#include "db/Statement.h"

#include <sqlite3.h>

namespace db {

Statement::Statement(sqlite3 *handle, const QString &sql)
    : m_handle(handle)
    , m_sql(sql)
{
    if (!handle)
        throw Error(QStringLiteral("The database is not open.\n") + sql);
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(handle, utf8.constData(), int(utf8.size()), &m_statement, nullptr) != SQLITE_OK)
        throw Failure(handle, sql);
    if (!m_statement) // a text of blanks and comments only
        throw Error(QStringLiteral("The SQL statement is empty.\n") + sql);
}

Statement::~Statement()
{
    sqlite3_finalize(m_statement);
}

void Statement::Bind(const QVariantList &params)
{
    const int expected = sqlite3_bind_parameter_count(m_statement);
    if (expected != params.size())
        throw Error(QStringLiteral("The statement takes %1 values but %2 were given.\n%3")
                        .arg(expected)
                        .arg(params.size())
                        .arg(m_sql));
    // A statement that has run takes values again only once it is back at its start.
    sqlite3_reset(m_statement);
    for (int i = 0; i < params.size(); ++i)
        bindValue(i + 1, params[i]);
}

void Statement::bindValue(int position, const QVariant &value)
{
    int rc = SQLITE_OK;
    switch (value.isNull() ? QMetaType::UnknownType : value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(m_statement, position);
        break;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        rc = sqlite3_bind_int64(m_statement, position, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::ULongLong: // may not fit a signed integer
        rc = sqlite3_bind_double(m_statement, position, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        rc = sqlite3_bind_blob64(m_statement, position, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        rc = sqlite3_bind_text64(m_statement, position, text.constData(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    }
    }
    if (rc != SQLITE_OK)
        throw Failure(m_handle, m_sql);
}

bool Statement::Step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw Failure(m_handle, m_sql);
}

// Counted as a difference, because sqlite3_changes keeps the count of the last INSERT, UPDATE
// or DELETE through any other statement.
int Statement::Run()
{
    const sqlite3_int64 before = sqlite3_total_changes64(m_handle);
    while (Step()) { }
    return int(sqlite3_total_changes64(m_handle) - before);
}

int Statement::ColumnCount() const
{
    return sqlite3_column_count(m_statement);
}

bool Statement::ReadOnly() const
{
    return sqlite3_stmt_readonly(m_statement) != 0;
}

Error Statement::Failure(sqlite3 *handle, const QString &sql)
{
    return Error(QString::fromUtf8(sqlite3_errmsg(handle)) + u'\n' + sql, handle ? sqlite3_errcode(handle) : SQLITE_NOMEM);
}

} // namespace db
