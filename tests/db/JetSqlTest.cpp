#include "DbFixture.h"

namespace {

using JetSqlTest = DbFixture;

TEST_F(JetSqlTest, AmpersandJoinsTextsOutsideQuotes)
{
    addExaminee("一中", "3", "甲", "男", 1, 1);
    EXPECT_EQ(rows("select 学校 & '/' & 班级 from 考生表1"), QStringList({ "一中/3" }));
    EXPECT_EQ(rows("select 'A&B' & [姓名] from 考生表1"), QStringList({ "A&B甲" }));
    EXPECT_EQ(rows("select 姓名 from 考生表1 where 学校 & 班级 = ?", { "一中3" }), QStringList({ "甲" }));
    EXPECT_EQ(rows("select 姓名 from 考生表1 where 学校 = 'O''Hara & Co'"), QStringList());
}

// Jet joins numbers as they are shown, Nulls as nothing, and after the arithmetic.
TEST_F(JetSqlTest, AmpersandJoinsTheWayJetDid)
{
    addExaminee("一中", "3", "甲", "男", 12, 1205);
    m_db.Execute("UPDATE 考生表1 SET 性别 = NULL");
    struct Case {
        const char *expression;
        const char *expected;
    };
    const Case cases[] = {
        { "考场 & '-' & 座位号", "12-1" },
        { "考场 + 1 & 'x'", "13x" },
        { "'x' & 考场 * 2", "x24" },
        { "性别 & 姓名", "甲" },
        { "性别 & 性别 is null", "1" },
        { "iif(学校 & 班级 = '一中3', 'yes', 'no')", "yes" },
        { "Len(考号 & '') & ''", "4" },
        { "(学校 & (班级 & '班')) 班名", "一中3班" },
        { "Mid(学校 & 班级, 2) as 尾", "中3" },
        { "case when 考场 > 1 then 考场 & '场' else '' end", "12场" },
        { "学校 & '' collate nocase = '一中'", "1" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(rows(QString("select %1 from 考生表1").arg(c.expression)), QStringList({ c.expected }))
            << c.expression;
}

TEST_F(JetSqlTest, DistinctAndGroupByComeBackSortedByTheirKeys)
{
    const char *schools[] = { "三中", "一中", "二中", "一中", "三中", "一中" };
    const char *classes[] = { "2", "2", "1", "1", "1", "2" };
    for (int i = 0; i < 6; ++i)
        addExaminee(schools[i], classes[i], QString("学生%1").arg(i), "男", 6 - i, i);
    // Insertion order is not key order, so an unsorted result would show here.
    EXPECT_EQ(rows("select distinct 学校 from 考生表1"), QStringList({ "一中", "三中", "二中" }));
    EXPECT_EQ(rows("select distinct 学校,班级 from 考生表1 where 考场 > 0"),
        QStringList({ "一中|1", "一中|2", "三中|1", "三中|2", "二中|1" }));
    EXPECT_EQ(rows("select 学校,班级,Count([姓名]) as 学生数 from 考生表1  GROUP BY 学校,班级"),
        QStringList({ "一中|1|1", "一中|2|2", "三中|1|1", "三中|2|1", "二中|1|1" }));
    EXPECT_EQ(rows("select 考场, count(*) from 考生表1 group by 考场 having count(*) > 0 limit 2"),
        QStringList({ "1|1", "2|1" }));
    // An ORDER BY of its own is kept.
    EXPECT_EQ(rows("select distinct 学校 from 考生表1 order by 学校 desc"), QStringList({ "二中", "三中", "一中" }));
    // A subquery's DISTINCT does not disturb the outer statement.
    EXPECT_EQ(rows("select 学校,count(班级) as 教数 from (select DISTINCT 班级 ,学校 from 考生表1) group by 学校 "
                   "ORDER BY 学校 "),
        QStringList({ "一中|2", "三中|2", "二中|1" }));
}

TEST_F(JetSqlTest, TextComparisonIgnoresCase)
{
    addExaminee("Yizhong", "A", "Li", "男", 1, 1);
    addExaminee("yizhong", "a", "Wang", "男", 1, 2);
    EXPECT_EQ(rows("select 姓名 from 考生表1 where 学校 = 'YIZHONG' and 班级 = 'a' order by 考号"),
        QStringList({ "Li", "Wang" }));
    EXPECT_EQ(rows("select distinct 学校, 班级 from 考生表1").size(), 1);
    EXPECT_EQ(
        rows("select 姓名 from 考生表1 where 学校 & 班级 = 'YIZHONGA' order by 考号"), QStringList({ "Li", "Wang" }));
}

TEST_F(JetSqlTest, JetFunctionsGiveJetResults)
{
    addExaminee(" 一中 ", "12班", "欧阳修", "男", 305, 20240305);
    struct Case {
        const char *expression;
        const char *expected;
    };
    const Case cases[] = {
        { "Val(班级)", "12" },
        { "Val(' 6')", "6" },
        { "Val('k2')", "0" },
        { "Len(考场)", "3" },
        { "Len(姓名)", "3" },
        { "Mid(姓名, 2)", "阳修" },
        { "Mid(考号, 5, 2)", "03" },
        { "Left(姓名, 2)", "欧阳" },
        { "Right(考号, 4)", "0305" },
        { "Trim(学校) & '|'", "一中|" },
        { "LTrim(学校) & '|'", "一中 |" },
        { "RTrim(学校) & '|'", " 一中|" },
        { "Str(考场)", " 305" },
        { "Str(-2.5)", "-2.5" },
        { "CStr(考场)", "305" },
        { "Int(2.7)", "2" },
        { "Int(-2.5)", "-3" },
        { "Int(7)", "7" },
        { "iif(性别='男',1,null)", "1" },
        { "Len(null)", "" },
        { "Mid(null, 1)", "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(rows(QString("select %1 from 考生表1").arg(c.expression)), QStringList({ c.expected }))
            << c.expression;
}

TEST_F(JetSqlTest, HeadCountsByGender)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    addExaminee("一中", "1", "乙", "女", 1, 2);
    addExaminee("一中", "2", "丙", "", 1, 3);
    addExaminee("二中", "1", "丁", "女", 2, 4);
    EXPECT_EQ(rows("select 学校,Count([姓名]) as 学生数,Count(iif([性别]='男',1,null)) as 男生,"
                   "Count(iif([性别]='女',1,null)) as 女生  from 考生表1  GROUP BY 学校"),
        QStringList({ "一中|3|1|1", "二中|1|0|1" }));
    m_db.Execute("DELETE FROM 考生表1");
    EXPECT_EQ(rows("select Count([姓名]) as 学生数,Count(iif([性别]='男',1,null)) as 男生 from 考生表1"),
        QStringList({ "0|0" }));
}

} // namespace
