#include "datastore/ReportQueries.h"

#include "datastore/MainDatabaseScope.h"
#include "db/Error.h"

namespace datastore {

namespace {

template <typename Step> bool Succeeds(Step step)
{
    try {
        step();
        return true;
    } catch (const db::Error &) {
        return false;
    }
}

} // namespace

// One write to the disk instead of two: the writes, not the statements, are what saving the
// query costs. The deletion is kept even when the new query cannot be made, so a fill never
// shows the report before under the new title.
bool ReportQueries::SaveQuery(const QString &name, const QString &sql, const QVariantList &params)
{
    bool saved = false;
    Succeeds([&] {
        MainDatabaseScope database;
        db::Database::Transaction transaction(gDb);
        Succeeds([&] { gDb.DeleteQueryDef(name); });
        const bool created = Succeeds([&] { gDb.CreateQueryDef(name, sql, params); });
        transaction.Commit();
        saved = created;
    });
    return saved;
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
