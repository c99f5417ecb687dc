#include "datastore/TicketQueries.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "db/ChineseCollation.h"
#include "db/Database.h"

namespace {

QString Table()
{
    return db::QuoteName(gExamineeTable);
}

// The first column of every row, as text.
QStringList FirstColumn(const QString &sql, const QVariantList &params = {})
{
    MainDatabaseScope scope;
    db::Recordset rs = gDb.OpenRecordset(sql, params);
    QStringList values;
    for (; !rs.EOF(); rs.MoveNext())
        values << db::VbText(rs.value(0));
    return values;
}

QList<QVariantList> Records(const QString &where, const QVariantList &params)
{
    MainDatabaseScope scope;
    QStringList quoted;
    for (const QString &column : TicketQueries::TicketColumns())
        quoted << db::QuoteName(column);
    db::Recordset rs = gDb.OpenRecordset(
        QStringLiteral("select %1 from %2 where %3 ORDER BY 考号").arg(quoted.join(u','), Table(), where), params);
    QList<QVariantList> records;
    records.reserve(rs.RecordCount());
    const int fields = rs.FieldCount();
    for (; !rs.EOF(); rs.MoveNext()) {
        QVariantList record;
        record.reserve(fields);
        for (int field = 0; field < fields; ++field)
        {
            const QVariant value = rs.value(field);
            record << (value.isNull() ? QVariant() : QVariant(db::VbText(value)));
        }
        records << record;
    }
    return records;
}

} // namespace

const QStringList &TicketQueries::TicketColumns()
{
    static const QStringList columns { QStringLiteral("姓名"), QStringLiteral("考号"), QStringLiteral("座位号"),
        QStringLiteral("考场"), QStringLiteral("性别"), QStringLiteral("学校"), QStringLiteral("班级") };
    return columns;
}

QStringList TicketQueries::Schools()
{
    return FirstColumn(QStringLiteral("select distinct 学校 from %1 ORDER BY %2")
                           .arg(Table(), db::ChineseCollation::Order(QStringLiteral("学校"))));
}

QStringList TicketQueries::Classes(const QString &school)
{
    return FirstColumn(QStringLiteral("select distinct 班级 from %1 where 学校=? ORDER BY %2")
                           .arg(Table(), db::ChineseCollation::Order(QStringLiteral("班级"))),
        { school });
}

QStringList TicketQueries::Rooms()
{
    return FirstColumn(
        QStringLiteral("select distinct 考场 from %1 where 考场 is not null ORDER BY 考场").arg(Table()));
}

int TicketQueries::RoomCount()
{
    MainDatabaseScope scope;
    db::Recordset rs = gDb.OpenRecordset(QStringLiteral("select * from %1").arg(db::QuoteName(gExamRoomTable)));
    int count = 0;
    for (; !rs.EOF(); rs.MoveNext())
        if (!rs.value(0).isNull())
            ++count;
    return count;
}

QStringList TicketQueries::MissingTicketColumns()
{
    MainDatabaseScope scope;
    const QStringList present = gDb.FieldNames(gExamineeTable);
    QStringList missing;
    for (const QString &column : TicketColumns())
        if (!present.contains(column, Qt::CaseInsensitive))
            missing << column;
    return missing;
}

QList<QVariantList> TicketQueries::ExamineesOfClass(const QString &school, const QString &className)
{
    return Records(QStringLiteral("学校=? and 班级=?"), { school, className });
}

QList<QVariantList> TicketQueries::ExamineesOfRoom(double room)
{
    return Records(QStringLiteral("考场=?"), { room });
}
