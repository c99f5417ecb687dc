#include "datastore/ReportQueries.h"

#include "datastore/MainDatabaseScope.h"
#include "db/Error.h"

#include <sqlite3.h>

namespace datastore {

// One write to the disk instead of two: the writes, not the statements, are what saving the
// query costs.
bool ReportQueries::SaveQuery(const QString &name, const QString &sql, const QVariantList &params)
{
    MainDatabaseScope database;
    db::Database::Transaction transaction(gDb);
    if (gDb.HasQueryDef(name))
        gDb.DeleteQueryDef(name);
    bool created = true;
    try {
        gDb.CreateQueryDef(name, sql, params);
    } catch (const db::Error &error) {
        // SQL that does not run here is refused; a file that cannot be written is no refusal.
        if (error.code() != SQLITE_OK && error.code() != SQLITE_ERROR)
            throw;
        created = false;
    }
    transaction.Commit();
    return created;
}

QVariantList ReportQueries::FirstRecord(const QString &sql, const QVariantList &params)
{
    MainDatabaseScope database;
    db::Recordset records = gDb.OpenRecordset(sql, params);
    QVariantList values;
    if (records.EOF())
        return values;
    for (int i = 0; i < records.FieldCount(); ++i)
        values << records.Fields(i).Value();
    return values;
}

} // namespace datastore
