#include "datastore/SourceRecords.h"

#include "datastore/MainDatabaseScope.h"

namespace datastore {

SourceRecords::SourceRecords(const QString &dbPath, const QString &source)
{
    OpenDatabaseAt(dbPath);
    struct Release {
        ~Release() { ReleaseMainDatabase(); }
    } release;
    db::Recordset records = gDb.OpenRecordset(QStringLiteral("select * from ") + db::QuoteName(source));
    m_names = records.FieldNames();
    for (int i = 0; i < records.FieldCount(); ++i)
        m_numbers << (records.fieldType(i) == db::FieldType::Double);
    m_values = records.values();
    m_recordCount = records.RecordCount();
}

} // namespace datastore
