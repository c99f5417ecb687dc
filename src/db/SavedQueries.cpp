#include "db/SavedQueries.h"

#include "db/Database.h"
#include "db/Statement.h"

#include <sqlite3.h>

namespace db {

const QString SavedQueries::TableName = QStringLiteral("kaowu_saved_queries");

SavedQueries::SavedQueries(sqlite3 *handle, Translator translate)
    : m_handle(handle)
    , m_translate(std::move(translate))
{
}

void SavedQueries::Create(const QString &name, const QString &sql)
{
    if (name.trimmed().isEmpty())
        throw Error(QStringLiteral("A saved query needs a name."));
    if (nameTaken(name))
        throw Error(QStringLiteral("The name %1 is already in use.").arg(name));
    const QString translated = m_translate(sql);
    {
        Statement check(m_handle, translated);
        if (check.ColumnCount() == 0 || !check.ReadOnly())
            throw Error(QStringLiteral("A saved query must be a select.\n") + sql);
    }
    Statement(m_handle,
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (name TEXT PRIMARY KEY COLLATE NOCASE, "
                       "sql TEXT NOT NULL)")
            .arg(TableName))
        .Run();
    Statement insert(m_handle, QStringLiteral("INSERT INTO %1 (name, sql) VALUES (?, ?)").arg(TableName));
    insert.Bind({ name, sql });
    insert.Run();
    expose({ name, sql });
}

void SavedQueries::Delete(const QString &name)
{
    if (!Has(name))
        throw Error(QStringLiteral("There is no saved query named %1.").arg(name));
    Statement remove(m_handle, QStringLiteral("DELETE FROM %1 WHERE name = ?").arg(TableName));
    remove.Bind({ name });
    remove.Run();
    drop(name);
}

bool SavedQueries::Has(const QString &name) const
{
    if (!hasStore())
        return false;
    Statement find(m_handle, QStringLiteral("SELECT 1 FROM %1 WHERE name = ?").arg(TableName));
    find.Bind({ name });
    return find.Step();
}

void SavedQueries::Withdraw()
{
    QStringList views;
    Statement list(m_handle, QStringLiteral("SELECT name FROM sqlite_temp_master WHERE type = 'view'"));
    while (list.Step())
        views.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(list.handle(), 0))));
    for (const QString &view : views)
        drop(view);
}

bool SavedQueries::Expose()
{
    const QVector<Saved> all = stored();
    for (const Saved &saved : all)
        expose(saved);
    return !all.isEmpty();
}

QVector<SavedQueries::Saved> SavedQueries::stored() const
{
    QVector<Saved> all;
    if (!hasStore())
        return all;
    Statement list(m_handle, QStringLiteral("SELECT name, sql FROM %1").arg(TableName));
    while (list.Step()) {
        const auto text = [&](int column) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(list.handle(), column)));
        };
        all.append({ text(0), text(1) });
    }
    return all;
}

bool SavedQueries::hasStore() const
{
    Statement find(m_handle, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    find.Bind({ TableName });
    return find.Step();
}

bool SavedQueries::nameTaken(const QString &name) const
{
    if (Has(name))
        return true;
    Statement find(m_handle, QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
    find.Bind({ name });
    return find.Step();
}

void SavedQueries::drop(const QString &name)
{
    Statement(m_handle, QStringLiteral("DROP VIEW IF EXISTS temp.") + QuoteName(name)).Run();
}

// A text whose tables are gone stays stored but unexposed until they exist again. SQLite
// accepts a view over a missing table, so the view is tried once and dropped if it fails.
bool SavedQueries::expose(const Saved &saved)
{
    drop(saved.name);
    try {
        const QString view = QStringLiteral("temp.") + QuoteName(saved.name);
        Statement(
            m_handle, QStringLiteral("CREATE TEMP VIEW %1 AS %2").arg(QuoteName(saved.name), m_translate(saved.sql)))
            .Run();
        Statement(m_handle, QStringLiteral("SELECT * FROM ") + view);
        return true;
    } catch (const Error &) {
        drop(saved.name);
        return false;
    }
}

} // namespace db
