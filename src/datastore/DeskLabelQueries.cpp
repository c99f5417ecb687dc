#include "datastore/DeskLabelQueries.h"

#include "datastore/MainDatabaseScope.h"

namespace {

std::optional<double> Number(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return db::Val(db::VbText(value));
}

} // namespace

DeskLabelQueries::NumberSpan DeskLabelQueries::OfRoom(const QString &column, double room)
{
    MainDatabaseScope scope;
    const QString name = db::QuoteName(column);
    db::Recordset rs = gDb.OpenRecordset(QStringLiteral("select min(%1), max(%1), count(*) from %2 where 考场=?")
                                             .arg(name, db::QuoteName(gExamineeTable)),
        { room });
    NumberSpan span;
    if (rs.EOF())
        return span;
    span.smallest = Number(rs.value(0));
    span.largest = Number(rs.value(1));
    span.headCount = rs.value(2).toInt();
    return span;
}
