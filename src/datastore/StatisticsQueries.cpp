#include "datastore/StatisticsQueries.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "db/ChineseCollation.h"
#include "db/Database.h"
#include "db/Error.h"

#include <QHash>
#include <QSet>

const QString StatisticsQueries::kRoomCountQuery = QStringLiteral("NewQry3");
const QString StatisticsQueries::kInformationQuery = QStringLiteral("NewQry5");
const QString StatisticsQueries::kScoreTable = QStringLiteral("成绩表");
const QString StatisticsQueries::kTeacherTable = QStringLiteral("教师表");

namespace {

struct Query {
    QString sql;
    QVariantList params;
};

bool IsBlank(const QVariant &value)
{
    return value.isNull() || db::VbText(value).isEmpty();
}

// Null and "" are one blank key, listed where the first of them comes.
QList<StatisticsQueries::Key> DistinctKeys(const QString &sql, const QVariantList &params)
{
    MainDatabaseScope database;
    db::Recordset records = gDb.OpenRecordset(sql, params);
    QList<StatisticsQueries::Key> keys;
    bool blankListed = false;
    for (; !records.EOF(); records.MoveNext()) {
        const QVariant value = records.Fields(0).Value();
        if (IsBlank(value)) {
            if (!blankListed)
                keys.append({ QVariant(), QString() });
            blankListed = true;
        } else {
            keys.append({ value, db::VbText(value) });
        }
    }
    return keys;
}

// ",count(iif(学校=?,1,null)) as A1,..." with the keys as its values; the positional names keep
// a school's name out of the SQL text.
Query CountColumns(const QString &keyColumn, const QList<StatisticsQueries::Key> &keys)
{
    const QString column = db::QuoteName(keyColumn);
    Query query;
    for (int i = 0; i < keys.size(); ++i) {
        const StatisticsQueries::Key &key = keys.at(i);
        const QString test
            = key.isBlank() ? QStringLiteral("%1 is null or %1=''").arg(column) : column + QStringLiteral("=?");
        query.sql += QStringLiteral(",count(iif(%1,1,null)) as A%2").arg(test).arg(i + 1);
        if (!key.isBlank())
            query.params << key.value;
    }
    return query;
}

Query RoomCounts(const QString &examineeTable, const QString &keyColumn, const QList<StatisticsQueries::Key> &keys,
    const std::optional<QVariant> &school, bool perRoom)
{
    Query query = CountColumns(keyColumn, keys);
    query.sql = (perRoom ? QStringLiteral("select 考场 ,count([姓名]) as 人数")
                         : QStringLiteral("select count([姓名]) as 人数"))
        + query.sql + QStringLiteral(" from ") + db::QuoteName(examineeTable);
    if (school) {
        query.sql += QStringLiteral(" where 学校=?");
        query.params << *school;
    }
    if (perRoom)
        query.sql += QStringLiteral(" GROUP BY 考场 ORDER BY 考场");
    return query;
}

// Deletes the saved query (a missing one is no error) and makes it anew, both or neither.
void SaveQuery(const QString &name, const Query &query)
{
    MainDatabaseScope database;
    db::Database::Transaction transaction(gDb);
    if (gDb.HasQueryDef(name))
        gDb.DeleteQueryDef(name);
    gDb.CreateQueryDef(name, query.sql, query.params);
    transaction.Commit();
}

QVector<qint64> FirstRecord(const Query &query)
{
    MainDatabaseScope database;
    db::Recordset records = gDb.OpenRecordset(query.sql, query.params);
    QVector<qint64> values;
    if (records.EOF())
        return values;
    for (int i = 0; i < records.FieldCount(); ++i)
        values << records.Fields(i).Value().toLongLong();
    return values;
}

const QString kHeadCounts = QStringLiteral(
    "Count([姓名]) as 学生数,Count(iif([性别]='男',1,null)) as 男生,Count(iif([性别]='女',1,null)) as 女生");

// Rows of "select 学校, n..." by school, added to the overview's row of that school.
template <typename Write> void ReadBySchool(const QString &sql, const QHash<QString, int> &rowOfSchool, Write write)
{
    db::Recordset records = gDb.OpenRecordset(sql);
    for (; !records.EOF(); records.MoveNext()) {
        const int row = rowOfSchool.value(db::VbText(records.Fields(0).Value()), -1);
        if (row >= 0)
            write(row, records);
    }
}

} // namespace

QList<StatisticsQueries::Key> StatisticsQueries::Schools(const QString &examineeTable)
{
    return DistinctKeys(QStringLiteral("select distinct 学校 from ") + db::QuoteName(examineeTable)
            + QStringLiteral(" ORDER BY ") + db::ChineseCollation::Order(QStringLiteral("学校")),
        {});
}

QList<StatisticsQueries::Key> StatisticsQueries::Classes(const QString &examineeTable, const QVariant &school)
{
    return DistinctKeys(QStringLiteral("select distinct 班级 from ") + db::QuoteName(examineeTable)
            + QStringLiteral(" where 学校=? ORDER BY ") + db::ChineseCollation::Order(QStringLiteral("班级")),
        { school });
}

void StatisticsQueries::SaveRoomCounts(const QString &examineeTable, const QString &keyColumn, const QList<Key> &keys,
    const std::optional<QVariant> &school)
{
    SaveQuery(kRoomCountQuery, RoomCounts(examineeTable, keyColumn, keys, school, true));
}

QVector<qint64> StatisticsQueries::RoomCountTotals(const QString &examineeTable, const QString &keyColumn,
    const QList<Key> &keys, const std::optional<QVariant> &school)
{
    return FirstRecord(RoomCounts(examineeTable, keyColumn, keys, school, false));
}

void StatisticsQueries::SaveInformationCounts(const QString &examineeTable, bool byClass)
{
    const QStringList keys = byClass ? QStringList { QStringLiteral("学校"), QStringLiteral("班级") }
                                     : QStringList { QStringLiteral("学校") };
    SaveQuery(kInformationQuery,
        { QStringLiteral("select %1,%2  from %3  GROUP BY %1 ORDER BY %4")
                .arg(keys.join(u','), kHeadCounts, db::QuoteName(examineeTable), db::ChineseCollation::Order(keys)),
            {} });
}

QVector<qint64> StatisticsQueries::InformationTotals(const QString &examineeTable)
{
    return FirstRecord({ QStringLiteral("select %1  from %2").arg(kHeadCounts, db::QuoteName(examineeTable)), {} });
}

QVector<StatisticsQueries::Seat> StatisticsQueries::SeatsInExamOrder(const QString &examineeTable)
{
    MainDatabaseScope database;
    const QString table = db::QuoteName(examineeTable);
    db::Recordset records = gDb.OpenRecordset(QStringLiteral("select 学校,班级,考场 from ") + table
        + QStringLiteral(" where 考号 is not null and 考号<>'' and 考场 is not null and 考场<>''  ORDER BY 考号"));
    QVector<Seat> seats;
    seats.reserve(records.RecordCount());
    for (; !records.EOF(); records.MoveNext())
        seats.append({ db::VbText(records.value(0)), db::VbText(records.value(1)), db::VbText(records.value(2)) });
    // Nobody arranged: one examinee in no room says so.
    if (seats.isEmpty() && !FirstRecord({ QStringLiteral("select 1 from ") + table + QStringLiteral(" limit 1"), {} }).isEmpty())
        seats.append({ QString(), QString(), QString(), false });
    return seats;
}

QStringList StatisticsQueries::Subjects(const QStringList &scoreColumns, const QStringList &teacherColumns)
{
    static const QSet<QString> notSubjects { QStringLiteral("学校"), QStringLiteral("班级"), QStringLiteral("姓名"),
        QStringLiteral("性别"), QStringLiteral("学号"), QStringLiteral("考号"), QStringLiteral("考场"),
        QStringLiteral("座位号"), QStringLiteral("序号"), QStringLiteral("编号") };
    QStringList subjects;
    for (const QString &column : scoreColumns)
        if (!notSubjects.contains(column) && teacherColumns.contains(column))
            subjects << column;
    return subjects;
}

// Every school of either table gets its row, and each count finds its row by the school's name:
// a school missing from one table never moves another school's counts.
StatisticsQueries::ScoreOverview StatisticsQueries::ReadScoreOverview()
{
    MainDatabaseScope database;
    ScoreOverview overview;
    if (!gDb.HasTable(kScoreTable) || !gDb.HasTable(kTeacherTable)) {
        overview.status = ScoreOverview::Status::MissingTable;
        return overview;
    }
    overview.subjects = Subjects(gDb.FieldNames(kScoreTable), gDb.FieldNames(kTeacherTable));
    if (overview.subjects.isEmpty()) {
        overview.status = ScoreOverview::Status::NoSubject;
        return overview;
    }
    const QString scores = db::QuoteName(kScoreTable);
    const QString teachers = db::QuoteName(kTeacherTable);
    const int n = int(overview.subjects.size());

    QHash<QString, int> rowOfSchool;
    db::Recordset schools
        = gDb.OpenRecordset(QStringLiteral("select 学校 from %1 union select 学校 from %2 ORDER BY %3")
                                .arg(scores, teachers, db::ChineseCollation::Order(QStringLiteral("学校"))));
    for (; !schools.EOF(); schools.MoveNext()) {
        const QString school = db::VbText(schools.Fields(0).Value());
        if (rowOfSchool.contains(school))
            continue;
        rowOfSchool.insert(school, int(overview.schools.size()));
        overview.schools.append({ school, 0, 0, QVector<qint64>(n), QVector<qint64>(n), QVector<qint64>(n) });
    }

    QString columns;
    for (const QString &subject : overview.subjects)
        columns += QStringLiteral(",count(%1) ,count(*)-count(%1)").arg(db::QuoteName(subject));
    ReadBySchool(QStringLiteral("select 学校, Count(*)%1 from %2   GROUP BY 学校 ORDER BY 学校").arg(columns, scores),
        rowOfSchool, [&](int row, db::Recordset &records) {
            SchoolScores &school = overview.schools[row];
            school.expected = records.value(1).toLongLong();
            for (int j = 0; j < n; ++j) {
                school.sat[j] = records.value(2 + 2 * j).toLongLong();
                school.absent[j] = records.value(3 + 2 * j).toLongLong();
            }
        });
    for (int j = 0; j < n; ++j) {
        const QString subject = db::QuoteName(overview.subjects.at(j));
        ReadBySchool(
            QStringLiteral("select 学校,count(%1) as 教数 from (select DISTINCT %1 ,学校 from %2) group by 学校 "
                           "ORDER BY 学校")
                .arg(subject, teachers),
            rowOfSchool, [&](int row, db::Recordset &records) {
                overview.schools[row].teachers[j] = records.value(1).toLongLong();
            });
    }
    ReadBySchool(QStringLiteral("select 学校,count(班级) from %1 group by 学校 ORDER BY 学校").arg(teachers),
        rowOfSchool,
        [&](int row, db::Recordset &records) { overview.schools[row].classes = records.value(1).toLongLong(); });
    return overview;
}
