#include "DbFixture.h"

#include "db/Error.h"

namespace {

using SavedQueriesTest = DbFixture;

TEST_F(SavedQueriesTest, CreateChecksTheSqlAndTheName)
{
    EXPECT_THROW(m_db.CreateQueryDef("NewQry5", "select * from 没有的表"), db::Error);
    EXPECT_THROW(m_db.CreateQueryDef("NewQry5", "selec 学校 from 考生表1"), db::Error);
    EXPECT_THROW(m_db.CreateQueryDef("NewQry5", "delete from 考生表1"), db::Error);
    EXPECT_FALSE(m_db.HasQueryDef("NewQry5"));

    m_db.CreateQueryDef("NewQry5", "select 学校 from 考生表1");
    EXPECT_TRUE(m_db.HasQueryDef("newqry5"));
    EXPECT_THROW(m_db.CreateQueryDef("NewQry5", "select 班级 from 考生表1"), db::Error);
    EXPECT_THROW(m_db.CreateQueryDef("考生表1", "select 班级 from 考生表1"), db::Error);

    m_db.DeleteQueryDef("NewQry5");
    EXPECT_FALSE(m_db.HasQueryDef("NewQry5"));
    EXPECT_THROW(m_db.DeleteQueryDef("NewQry5"), db::Error);
    EXPECT_THROW(m_db.OpenRecordset("select * from NewQry5"), db::Error);
}

TEST_F(SavedQueriesTest, ReadByNameAsASource)
{
    addExaminee("二中", "1", "甲", "男", 2, 7);
    addExaminee("一中", "2", "乙", "女", 1, 3);
    m_db.CreateQueryDef("NewQry6",
        "select 考场 ,min(考号) as 首考号 ,max(考号) as 尾考号,count(考号) as 人数 from "
        "考生表1  GROUP BY 考场 ORDER BY 考场");
    db::Recordset rs = m_db.OpenRecordset("select * from NewQry6");
    EXPECT_EQ(rs.FieldNames(), QStringList({ "考场", "首考号", "尾考号", "人数" }));
    EXPECT_EQ(rs.Fields("首考号").Type(), db::FieldType::Double);
    EXPECT_EQ(rs.Fields("人数").Type(), db::FieldType::Long);
    EXPECT_THROW(rs.Edit(), db::Error);
    EXPECT_EQ(rows("select * from NewQry6"), QStringList({ "1|3|3|1", "2|7|7|1" }));
    // The Jet dialect is translated inside a saved query too.
    m_db.CreateQueryDef("NewQry3", "select distinct 学校 & 班级 as 班 from 考生表1");
    EXPECT_EQ(rows("select * from NewQry3"), QStringList({ "一中2", "二中1" }));
}

TEST_F(SavedQueriesTest, SurviveTheirTableBeingDroppedAndImportedAgain)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    m_db.CreateQueryDef("NewQry5", "select 学校, 姓名 from 考生表1");
    m_db.Execute("DROP TABLE 考生表1");
    EXPECT_EQ(m_db.TableNames(), QStringList());
    EXPECT_THROW(m_db.OpenRecordset("select * from NewQry5"), db::Error);
    EXPECT_TRUE(m_db.HasQueryDef("NewQry5"));
    // A schema change with the saved query's table gone still works.
    m_db.Execute("CREATE TABLE other (a TEXT); ALTER TABLE other RENAME TO other2");

    m_db.Execute("CREATE TABLE 考生表1 (学校 TEXT, 班级 TEXT, 姓名 TEXT, 备注 TEXT)");
    m_db.Execute("INSERT INTO 考生表1 VALUES ('二中', '3', '乙', '')");
    EXPECT_EQ(rows("select * from NewQry5"), QStringList({ "二中|乙" }));
    m_db.DeleteQueryDef("NewQry5");
    m_db.CreateQueryDef("NewQry5", "select * from 考生表1");
    EXPECT_EQ(rows("select * from NewQry5"), QStringList({ "二中|3|乙|" }));
}

TEST_F(SavedQueriesTest, ValuesAreKeptAsLiteralsInTheText)
{
    const QString school = "O'Hara国际学校";
    addExaminee(school, "1", "甲", "男", 1, 1);
    addExaminee("一中", "1", "乙", "男", 1, 2);
    m_db.CreateQueryDef("NewQry5", "select 姓名, ? as 标记 from 考生表1 where 学校 = ? and 考号 < ? and ? is null",
        { 0.1, school, 1.5, QVariant() });
    EXPECT_EQ(rows("select * from NewQry5"), QStringList({ "甲|0.1" }));
    EXPECT_THROW(m_db.CreateQueryDef("NewQry4", "select * from 考生表1 where 学校 = ?", {}), db::Error);
    EXPECT_THROW(m_db.CreateQueryDef("NewQry4", "select * from 考生表1 where 学校 = ?", { "a", "b" }), db::Error);
    EXPECT_THROW(m_db.CreateQueryDef("NewQry4", "select * from 考生表1", { "a" }), db::Error);
}

TEST_F(SavedQueriesTest, SurviveClosingAndReopening)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    m_db.CreateQueryDef("NewQry1", "select 姓名 from 考生表1");
    m_db.Close();
    m_db.Open(path());
    EXPECT_TRUE(m_db.HasQueryDef("NewQry1"));
    EXPECT_EQ(rows("select * from NewQry1"), QStringList({ "甲" }));
}

TEST_F(SavedQueriesTest, AnotherConnectionsTableChangeIsPickedUp)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    m_db.CreateQueryDef("NewQry2", "select 姓名 from 考生表1");
    db::Database other;
    other.Open(path());
    other.Execute("DROP TABLE 考生表1");
    other.Execute("CREATE TABLE 考生表1 (姓名 TEXT, 学校 TEXT)");
    other.Execute("INSERT INTO 考生表1 VALUES ('乙', '二中')");
    EXPECT_EQ(rows("select * from NewQry2"), QStringList({ "乙" }));
}

TEST_F(SavedQueriesTest, DeletionRollsBackWithItsTransaction)
{
    m_db.CreateQueryDef("NewQry4", "select 姓名 from 考生表1");
    {
        db::Database::Transaction transaction(m_db);
        m_db.DeleteQueryDef("NewQry4");
    }
    EXPECT_TRUE(m_db.HasQueryDef("NewQry4"));
    EXPECT_NO_THROW(m_db.OpenRecordset("select * from NewQry4"));
}

} // namespace
