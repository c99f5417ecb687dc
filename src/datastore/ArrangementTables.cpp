#include "datastore/ArrangementTables.h"

#include "datastore/MainDatabaseScope.h"
#include "db/ChineseCollation.h"
#include "db/Error.h"

#include <utility>

namespace datastore {

QList<ArrangementTables::Room> ArrangementTables::Rooms(const QString &roomTable)
{
    MainDatabaseScope database;
    db::Recordset records = gDb.OpenRecordset(
        QStringLiteral("select 考场号, 考场地点 from %1 ORDER BY 考场号").arg(db::QuoteName(roomTable)));
    QList<Room> rooms;
    rooms.reserve(records.RecordCount());
    for (; !records.EOF(); records.MoveNext()) {
        const QVariant number = records.Fields(0).Value();
        if (!number.isNull())
            rooms.append({ number, db::VbText(records.Fields(1).Value()) });
    }
    return rooms;
}

bool ArrangementTables::Exists(const QString &table)
{
    try {
        MainDatabaseScope database;
        return gDb.HasTable(table);
    } catch (const db::Error &) {
        return false;
    }
}

int ArrangementTables::RoomCount(const QString &roomTable)
{
    MainDatabaseScope database;
    const QStringList fields = gDb.FieldNames(roomTable);
    db::Recordset count = gDb.OpenRecordset(
        QStringLiteral("select count(%1) from %2").arg(db::QuoteName(fields.first()), db::QuoteName(roomTable)));
    return int(count.Fields(0).Value().toLongLong());
}

QVariantList ArrangementTables::Schools(const QString &examineeTable)
{
    MainDatabaseScope database;
    db::Recordset records = gDb.OpenRecordset(
        QStringLiteral("select distinct 学校 from %1 where 学校 is not null ORDER BY %2")
            .arg(db::QuoteName(examineeTable), db::ChineseCollation::Order(QStringLiteral("学校"))));
    QVariantList schools;
    schools.reserve(records.RecordCount());
    for (; !records.EOF(); records.MoveNext())
        schools << records.Fields(0).Value();
    return schools;
}

QList<ArrangementTables::SchoolClass> ArrangementTables::Classes(const QString &examineeTable)
{
    MainDatabaseScope database;
    db::Recordset records = gDb.OpenRecordset(
        QStringLiteral("select distinct 学校,班级 from %1 where 学校 is not null and 班级 is not null ORDER BY %2")
            .arg(db::QuoteName(examineeTable),
                db::ChineseCollation::Order({ QStringLiteral("学校"), QStringLiteral("班级") })));
    QList<SchoolClass> classes;
    classes.reserve(records.RecordCount());
    for (; !records.EOF(); records.MoveNext())
        classes.append({ records.Fields(0).Value(), records.Fields(1).Value() });
    return classes;
}

void ArrangementTables::IndexExamNumbers(const QString &examineeTable)
{
    const QString byNumber = examineeTable + QStringLiteral("_考号");
    const QString byRoom = examineeTable + QStringLiteral("_考场考号");
    try {
        MainDatabaseScope database;
        db::Recordset present = gDb.OpenRecordset(
            QStringLiteral(
                "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND name IN (?, ?)"),
            { examineeTable, byNumber, byRoom });
        if (present.Fields(0).Value().toInt() == 2)
            return;
        db::Database::Transaction transaction(gDb);
        for (const auto &[name, columns] :
            { std::pair { byNumber, QStringLiteral("考号") }, std::pair { byRoom, QStringLiteral("考场, 考号") } })
            gDb.Execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                            .arg(db::QuoteName(name), db::QuoteName(examineeTable), columns));
        transaction.Commit();
    } catch (const db::Error &) {
    }
}

QStringList ArrangementTables::SettingsRow(const QString &settingsTable, const QString &item)
{
    MainDatabaseScope database;
    gRs = gDb.OpenRecordset(
        QStringLiteral("SELECT s1, s2 FROM %1 WHERE 项目 = ?").arg(db::QuoteName(settingsTable)), { item });
    if (gRs.EOF())
        return {};
    return { db::VbText(gRs.Fields(0).Value()), db::VbText(gRs.Fields(1).Value()) };
}

} // namespace datastore
