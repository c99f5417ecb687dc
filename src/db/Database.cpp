#include "db/Database.h"

#include "db/ChineseCollation.h"
#include "db/JetFunctions.h"
#include "db/JetSql.h"
#include "db/SavedQueries.h"
#include "db/Statement.h"

#include <sqlite3.h>

namespace db {

namespace {

// How long a statement waits for another program holding the file before it gives up.
constexpr int BusyTimeoutMs = 5000;

const QString NestedSavepoint = QStringLiteral("kaowu_nested");

int opened = 0;

QStringList column(Statement &statement)
{
    QStringList values;
    while (statement.Step())
        values.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement.handle(), 0))));
    return values;
}

QString single(const QString &sql)
{
    const QStringList statements = JetSql::SplitStatements(sql);
    if (statements.size() != 1)
        throw Error(QStringLiteral("Exactly one SQL statement was expected.\n") + sql);
    return statements.first();
}

} // namespace

Database::~Database()
{
    Close();
}

// The file is opened in SQLite's default rollback-journal mode with full syncs: a crash or a
// failed write leaves the file as it was before the interrupted transaction.
void Database::Open(const QString &path, bool create)
{
    Close();
    sqlite3 *handle = nullptr;
    // One connection serves one thread, so SQLite need not lock around every call.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr) != SQLITE_OK) {
        const Error error = Statement::Failure(handle, path);
        sqlite3_close_v2(handle);
        throw error;
    }
    m_handle = handle;
    m_path = path;
    ++opened;
    try {
        sqlite3_busy_timeout(handle, BusyTimeoutMs);
        Statement(handle, QStringLiteral("PRAGMA foreign_keys = OFF")).Run();
        Statement(handle, QStringLiteral("SELECT count(*) FROM sqlite_master")).Run(); // not a database: say so now
        JetFunctions::Register(handle);
        ChineseCollation::Register(handle);
        savedQueries().Expose();
    } catch (const Error &) {
        Close();
        throw;
    }
}

void Database::Close()
{
    if (m_handle)
        sqlite3_close_v2(m_handle);
    m_handle = nullptr;
    m_path.clear();
}

bool Database::IsOpen() const
{
    return m_handle != nullptr;
}

QString Database::Path() const
{
    return m_path;
}

void Database::releaseWork()
{
    if (!inTransaction())
        return;
    try {
        Execute(QStringLiteral("ROLLBACK"));
        savedQueries().Expose(); // the views as the restored tables need them
    } catch (const Error &) {
        // SQLite keeps the file consistent; the next operation sees what is there.
    }
}

bool Database::inTransaction() const
{
    return m_handle && sqlite3_get_autocommit(m_handle) == 0;
}

bool Database::hasMoved() const
{
    int moved = 0;
    if (!m_handle || sqlite3_file_control(m_handle, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK)
        return false;
    return moved != 0;
}

int Database::openCount()
{
    return opened;
}

Recordset Database::OpenRecordset(const QString &sql, const QVariantList &params)
{
    const QString statement = single(sql);
    const QString table = JetSql::SingleTable(statement);
    std::unique_ptr<Statement> prepared;
    if (!table.isEmpty() && HasTable(table)) {
        try {
            prepared = std::make_unique<Statement>(m_handle, translate(JetSql::WithRowid(statement)));
        } catch (const Error &) {
            // The plain statement below runs it, or reports what is wrong with it.
        }
    }
    const bool withRowid = prepared != nullptr;
    if (!prepared)
        prepared = prepare(statement);
    prepared->Bind(params);
    Recordset recordset;
    recordset.load(this, *prepared, withRowid ? table : QString());
    return recordset;
}

int Database::Execute(const QString &sql, const QVariantList &params)
{
    const QStringList statements = JetSql::SplitStatements(sql);
    if (statements.isEmpty())
        throw Error(QStringLiteral("The SQL statement is empty.\n") + sql);
    if (!params.isEmpty() && statements.size() > 1)
        throw Error(QStringLiteral("Values can be bound to a single statement only.\n") + sql);
    int changed = 0;
    for (const QString &statement : statements)
        changed = executeOne(statement, params);
    return changed;
}

// A schema change runs with the saved queries' views out of the way and brings them back
// afterwards, now matching the tables as they have become.
int Database::executeOne(const QString &statement, const QVariantList &params)
{
    const bool schemaChange = JetSql::IsSchemaChange(statement);
    if (schemaChange)
        savedQueries().Withdraw();
    try {
        std::unique_ptr<Statement> prepared = prepare(statement);
        prepared->Bind(params);
        const int changed = prepared->Run();
        if (schemaChange)
            savedQueries().Expose();
        return changed;
    } catch (const Error &) {
        if (schemaChange)
            savedQueries().Expose();
        throw;
    }
}

void Database::CreateQueryDef(const QString &name, const QString &sql, const QVariantList &params)
{
    savedQueries().Create(name, JetSql::Inline(single(sql), params)); // a view takes no placeholders
}

void Database::DeleteQueryDef(const QString &name)
{
    savedQueries().Delete(name);
}

bool Database::HasQueryDef(const QString &name) const
{
    return savedQueries().Has(name);
}

QStringList Database::TableNames() const
{
    Statement list(m_handle,
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                       "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND name <> ? ORDER BY name"));
    list.Bind({ SavedQueries::TableName });
    return column(list);
}

bool Database::HasTable(const QString &name) const
{
    return TableNames().contains(name, Qt::CaseInsensitive);
}

QStringList Database::FieldNames(const QString &table) const
{
    Statement list(m_handle, QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"));
    list.Bind({ table });
    const QStringList names = column(list);
    if (names.isEmpty())
        throw Error(QStringLiteral("no such table: ") + table);
    return names;
}

QString Database::translate(const QString &statement) const
{
    return JetSql::Translate(
        single(statement), [this](const QString &sql) { return Statement(m_handle, sql).ColumnCount(); });
}

// When a statement does not compile, a saved query it reads may merely be unexposed (its
// tables were re-created since, perhaps by another connection): expose and try once more.
std::unique_ptr<Statement> Database::prepare(const QString &jetStatement)
{
    try {
        return std::make_unique<Statement>(m_handle, translate(jetStatement));
    } catch (const Error &) {
        if (!m_handle || !savedQueries().Expose())
            throw;
    }
    return std::make_unique<Statement>(m_handle, translate(jetStatement));
}

SavedQueries Database::savedQueries() const
{
    if (!m_handle)
        throw Error(QStringLiteral("The database is not open."));
    return SavedQueries(m_handle, [this](const QString &sql) { return translate(sql); });
}

Database::Transaction::Transaction(Database &db)
    : m_db(db)
{
    m_nested = db.IsOpen() && sqlite3_get_autocommit(db.handle()) == 0;
    db.Execute(m_nested ? QStringLiteral("SAVEPOINT ") + NestedSavepoint : QStringLiteral("BEGIN IMMEDIATE"));
}

Database::Transaction::~Transaction()
{
    if (m_done || !m_db.IsOpen())
        return;
    try {
        if (m_nested)
            m_db.Execute(QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(NestedSavepoint));
        else if (sqlite3_get_autocommit(m_db.handle()) == 0) // SQLite may have rolled back by itself already
            m_db.Execute(QStringLiteral("ROLLBACK"));
        m_db.savedQueries().Expose(); // the views as the restored tables need them
    } catch (const Error &) {
        // Nothing more can be done from a destructor; SQLite keeps the file consistent.
    }
}

void Database::Transaction::Commit()
{
    if (m_done)
        return;
    m_db.Execute(m_nested ? QStringLiteral("RELEASE ") + NestedSavepoint : QStringLiteral("COMMIT"));
    m_done = true;
}

} // namespace db
