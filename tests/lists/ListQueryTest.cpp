#include "lists/ListQuery.h"

#include "db/Database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A bare examinee table holding the awkward names the lists must cope with.
class ListQueryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db.Open(m_dir.filePath("t.db"), true);
        m_db.Execute("create table 考生表1 (学校 TEXT, 班级 TEXT, 姓名 TEXT, 考场 REAL, 考号 REAL, 座位号 REAL)");
        const QVariantList rows[] = {
            { "O'Hara国际学校", "1", "甲", 2, 202, 2 },
            { "O'Hara国际学校", "1", "乙", 1, 101, 1 },
            { "O'Hara国际学校", "2", "丙", 1, 102, 2 },
            { "一中/分校", "3", "丁", 2, 201, 1 },
            { "一中", "3", "戊", 3, 301, 1 },
            { "一中", "3", "己", 2, 203, 3 },
            { "一中", "分校/3", "庚", 3, 302, 2 },
        };
        for (const QVariantList &row : rows)
            m_db.Execute("insert into 考生表1 values (?,?,?,?,?,?)", row);
    }

    QStringList Names(const ListQuery &query)
    {
        db::Recordset rs = m_db.OpenRecordset(query.sql, query.params);
        QStringList names;
        for (; !rs.EOF(); rs.MoveNext())
            names << db::VbText(rs.Fields("姓名").Value());
        return names;
    }

    QTemporaryDir m_dir;
    db::Database m_db;
    const QString m_columns = QStringLiteral("学校,班级,姓名,考号,座位号");
};

TEST_F(ListQueryTest, PicksAndOrdersTheExamineesOfEachList)
{
    const struct {
        const char *list;
        ListQuery query;
        QStringList names;
    } cases[] = {
        { "room 2 by exam number", ListQuery::ByRoom(m_columns, "考生表1", 2), { "丁", "甲", "己" } },
        { "all rooms by exam number", ListQuery::ByRoom(m_columns, "考生表1", 0),
            { "乙", "丙", "丁", "甲", "己", "戊", "庚" } },
        { "room without examinees", ListQuery::ByRoom(m_columns, "考生表1", 9), {} },
        { "school with a quote, by room and seat", ListQuery::BySchool(m_columns, "考生表1", "O'Hara国际学校"),
            { "乙", "丙", "甲" } },
        { "school holding a slash", ListQuery::BySchool(m_columns, "考生表1", "一中/分校"), { "丁" } },
        { "class of a school with a quote", ListQuery::ByClass(m_columns, "考生表1", "O'Hara国际学校", "1"),
            { "乙", "甲" } },
        { "class of a school holding a slash", ListQuery::ByClass(m_columns, "考生表1", "一中/分校", "3"), { "丁" } },
        { "class by room then exam number", ListQuery::ByClass(m_columns, "考生表1", "一中", "3"), { "己", "戊" } },
        { "class holding a slash", ListQuery::ByClass(m_columns, "考生表1", "一中", "分校/3"), { "庚" } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(Names(c.query), c.names) << c.list;
}

TEST_F(ListQueryTest, AllListsSchoolThenClass)
{
    db::Recordset rs = m_db.OpenRecordset(ListQuery::All(m_columns, "考生表1").sql);
    QStringList keys;
    for (; !rs.EOF(); rs.MoveNext())
        keys << db::VbText(rs.Fields("学校").Value()) + " " + db::VbText(rs.Fields("班级").Value());
    EXPECT_EQ(keys,
        (QStringList { "O'Hara国际学校 1", "O'Hara国际学校 1", "O'Hara国际学校 2", "一中 3", "一中 3", "一中 分校/3",
            "一中/分校 3" }));
}

// The room rides along as the last column even when the display settings leave 考场 out.
TEST_F(ListQueryTest, EveryRowCarriesItsRoomLast)
{
    db::Recordset rs = m_db.OpenRecordset(ListQuery::BySchool(m_columns, "考生表1", "一中").sql, { "一中" });
    ASSERT_EQ(rs.FieldCount(), 6);
    EXPECT_EQ(rs.FieldNames().last(), ListQuery::kRoomKey);
    QStringList rooms;
    for (; !rs.EOF(); rs.MoveNext())
        rooms << db::VbText(rs.Fields(5).Value());
    EXPECT_EQ(rooms, (QStringList { "2", "3", "3" }));
}

TEST_F(ListQueryTest, RoomSummaries)
{
    m_db.Execute("insert into 考生表1 (学校, 班级, 姓名, 考场) values ('一中', '3', '未编', 3)");
    db::Recordset first
        = m_db.OpenRecordset(ListQuery::FirstAndLast("考生表1", 2).sql, ListQuery::FirstAndLast("考生表1", 2).params);
    EXPECT_EQ(db::VbText(first.Fields(0).Value()), "203");
    EXPECT_EQ(db::VbText(first.Fields(1).Value()), "201");

    db::Recordset ranges = m_db.OpenRecordset(ListQuery::RoomRanges("考生表1").sql);
    QStringList lines;
    for (; !ranges.EOF(); ranges.MoveNext()) {
        QStringList cells;
        for (int i = 0; i < ranges.FieldCount(); ++i)
            cells << db::VbText(ranges.Fields(i).Value());
        lines << cells.join(' ');
    }
    // The examinee without an exam number is not counted.
    EXPECT_EQ(lines, (QStringList { "1 101 102 2", "2 201 203 3", "3 301 302 2" }));
    EXPECT_EQ(ranges.FieldNames(), (QStringList { "考场", "首考号", "尾考号", "人数" }));
}

} // namespace
