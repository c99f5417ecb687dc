#include "lists/ListQuery.h"

#include "db/ChineseCollation.h"
#include "db/Conversions.h"

const QString ListQuery::kRoomKey = QStringLiteral("所在考场");

namespace {

QString Select(const QString &columns, const QString &examineeTable)
{
    return QStringLiteral("select %1, 考场 AS %2 from %3")
        .arg(columns, ListQuery::kRoomKey, db::QuoteName(examineeTable));
}

} // namespace

ListQuery ListQuery::ByRoom(const QString &columns, const QString &examineeTable, const QVariant &room)
{
    if (room.toDouble() == 0)
        return { Select(columns, examineeTable) + QStringLiteral(" ORDER BY 考号"), {} };
    return { Select(columns, examineeTable) + QStringLiteral(" where 考场=? ORDER BY 考号"), { room } };
}

ListQuery ListQuery::All(const QString &columns, const QString &examineeTable)
{
    return { Select(columns, examineeTable) + QStringLiteral(" ORDER BY ")
            + db::ChineseCollation::Order({ QStringLiteral("学校"), QStringLiteral("班级") }),
        {} };
}

ListQuery ListQuery::ByClass(
    const QString &columns, const QString &examineeTable, const QVariant &school, const QVariant &className)
{
    return { Select(columns, examineeTable) + QStringLiteral(" where 学校=? and 班级=? ORDER BY 考场,考号"),
        { school, className } };
}

ListQuery ListQuery::BySchool(const QString &columns, const QString &examineeTable, const QVariant &school)
{
    return { Select(columns, examineeTable) + QStringLiteral(" where 学校=? ORDER BY 考场,座位号"), { school } };
}

ListQuery ListQuery::FirstAndLast(const QString &examineeTable, const QVariant &room)
{
    return { QStringLiteral("select max(考号),min(考号) from %1 where 考场=?").arg(db::QuoteName(examineeTable)),
        { room } };
}

ListQuery ListQuery::RoomRanges(const QString &examineeTable)
{
    return { QStringLiteral("select 考场 ,min(考号) as 首考号 ,max(考号) as 尾考号,count(考号) as 人数 from %1 "
                            " GROUP BY 考场 ORDER BY 考场")
                 .arg(db::QuoteName(examineeTable)),
        {} };
}
