#include "DbFixture.h"

#include "db/Error.h"

namespace {

using RecordsetTest = DbFixture;

TEST_F(RecordsetTest, EmptyRecordsetRefusesToMoveToARow)
{
    db::Recordset rs = m_db.OpenRecordset("select * from 考生表1");
    EXPECT_TRUE(rs.EOF());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_THROW(rs.MoveFirst(), db::Error);
    EXPECT_THROW(rs.MoveLast(), db::Error);
    EXPECT_THROW(rs.MoveNext(), db::Error);
    EXPECT_THROW(rs.Fields(0).Value(), db::Error);
    EXPECT_EQ(rs.FieldCount(), 8); // the columns are known even without rows

    db::Recordset nothing;
    EXPECT_TRUE(nothing.EOF());
    EXPECT_EQ(nothing.FieldCount(), 0);
}

TEST_F(RecordsetTest, CountsExactlyAndWalksBothEnds)
{
    for (int i = 1; i <= 5; ++i)
        addExaminee("一中", "1", QString("学生%1").arg(i), "男", 1, i);
    db::Recordset rs = m_db.OpenRecordset("select 姓名, 考号 from 考生表1 order by 考号 desc");
    EXPECT_EQ(rs.RecordCount(), 5);
    rs.MoveLast();
    EXPECT_EQ(db::VbText(rs.Fields("考号").Value()), "1");
    EXPECT_EQ(rs.RecordCount(), 5);
    rs.MoveNext();
    EXPECT_TRUE(rs.EOF());
    EXPECT_THROW(rs.MoveNext(), db::Error);
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields(0).Value().toString(), "学生5");
    EXPECT_EQ(rs.Fields("姓名").Name(), "姓名");
    EXPECT_THROW(rs.Fields("no such"), db::Error);
    EXPECT_THROW(rs.Fields(2), db::Error);
    EXPECT_THROW(rs.Fields(-1), db::Error);
}

TEST_F(RecordsetTest, FieldsByNameIgnoreCase)
{
    m_db.Execute("CREATE TABLE 设置表1 (项目 TEXT, s1 TEXT, s2 TEXT)");
    m_db.Execute("INSERT INTO 设置表1 VALUES ('考号加零', 'buyaokc', 'k2')");
    db::Recordset rs = m_db.OpenRecordset("select * from 设置表1");
    EXPECT_EQ(rs.Fields("S2").Value().toString(), "k2");
    EXPECT_EQ(rs.FieldNames(), QStringList({ "项目", "s1", "s2" }));
}

TEST_F(RecordsetTest, FieldTypesFollowDeclarationsAndValues)
{
    addExaminee("一中", "1", "甲", "男", 1, 305);
    m_db.Execute("CREATE TABLE t (n INTEGER, b BLOB, m MEMO, d DATETIME, x)");
    m_db.Execute("INSERT INTO t VALUES (1, x'00', 'memo', '2024-01-01', 'any')");
    struct Case {
        const char *sql;
        int field;
        db::FieldType type;
    };
    const Case cases[] = {
        { "select 学校, 考号 from 考生表1", 0, db::FieldType::Text },
        { "select 学校, 考号 from 考生表1", 1, db::FieldType::Double },
        { "select count(姓名) from 考生表1", 0, db::FieldType::Long },
        { "select max(考号), min(考号) from 考生表1", 0, db::FieldType::Double },
        { "select max(考号), min(考号) from 考生表1", 1, db::FieldType::Double },
        { "select 学校 & 班级 from 考生表1", 0, db::FieldType::Text },
        { "select null, 考号 + 1 from 考生表1", 0, db::FieldType::Null },
        { "select null, 考号 + 1 from 考生表1", 1, db::FieldType::Double },
        { "select * from t", 0, db::FieldType::Long }, { "select * from t", 1, db::FieldType::LongBinary },
        { "select * from t", 2, db::FieldType::Memo }, { "select * from t", 3, db::FieldType::Date },
        { "select * from t", 4, db::FieldType::Text }, // no declared type: from its value
    };
    for (const Case &c : cases) {
        db::Recordset rs = m_db.OpenRecordset(c.sql);
        EXPECT_EQ(rs.Fields(c.field).Type(), c.type) << c.sql << " field " << c.field;
    }
}

TEST_F(RecordsetTest, NumbersOfARealColumnReadWithoutDecimals)
{
    addExaminee("一中", "1", "甲", "男", 3, 305);
    EXPECT_EQ(rows("select 考号, 考场, 成绩 from 考生表1"), QStringList({ "305|3|80.5" }));
    EXPECT_EQ(rows("select max(考号), min(考号) from 考生表1 where 考场=3"), QStringList({ "305|305" }));
}

TEST_F(RecordsetTest, EditWritesTheRowBack)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    addExaminee("二中", "2", "乙", "女", 1, 2);
    db::Recordset rs = m_db.OpenRecordset("select 姓名, 考号 from 考生表1 where 学校 = ?", { "二中" });
    EXPECT_THROW(rs.Fields(0).SetValue("x"), db::Error); // not editing
    rs.Edit();
    rs.Fields("姓名").SetValue("O'Hara");
    rs.Fields("考号").SetValue("0042"); // a text into a REAL column comes back as the file holds it
    EXPECT_EQ(rs.Fields("姓名").Value().toString(), "O'Hara");
    rs.Update();
    EXPECT_EQ(db::VbText(rs.Fields("考号").Value()), "42");
    EXPECT_THROW(rs.Update(), db::Error);
    EXPECT_EQ(rows("select 姓名, 考号 from 考生表1 order by 考号"), QStringList({ "甲|1", "O'Hara|42" }));
}

TEST_F(RecordsetTest, EveryPlainSelectOfOneTableIsEditable)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    const char *editable[] = {
        "select * from [考生表1]",
        "select 姓名 from \"考生表1\" where 考号 = 1 order by 考号",
        "SELECT ALL 姓名, 学校 & 班级 FROM 考生表1 LIMIT 1",
        "select 姓名 from 考生表1 where 学校 in (select 学校 from 考生表1 group by 学校)",
    };
    int round = 0;
    for (const char *sql : editable) {
        const QString name = QString("名%1").arg(++round);
        db::Recordset rs = m_db.OpenRecordset(sql);
        rs.Edit();
        rs.Fields("姓名").SetValue(name);
        rs.Update();
        EXPECT_EQ(rows("select 姓名 from 考生表1"), QStringList({ name })) << sql;
    }
}

TEST_F(RecordsetTest, EditIsRefusedWhereRowsCannotBeWrittenBack)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    m_db.Execute("CREATE TABLE 考场表1 (考场号 REAL, 考生数 REAL, 考场地点 TEXT)");
    m_db.Execute("INSERT INTO 考场表1 VALUES (1, 30, '一楼')");
    const char *readOnly[] = {
        "select 考生表1.姓名, 考场表1.考场地点 from 考生表1 join 考场表1 on 考场 = 考场号",
        "select 姓名 from 考生表1, 考场表1",
        "select distinct 姓名 from 考生表1",
        "select 学校, count(*) from 考生表1 group by 学校",
        "select * from (select * from 考生表1)",
    };
    for (const char *sql : readOnly) {
        db::Recordset rs = m_db.OpenRecordset(sql);
        EXPECT_THROW(rs.Edit(), db::Error) << sql;
    }
    db::Recordset rs = m_db.OpenRecordset("select 姓名, 考号 * 2 as 双 from 考生表1");
    rs.Edit();
    EXPECT_THROW(rs.Fields("双").SetValue(4), db::Error);
    rs.MoveFirst(); // abandons the edit
    EXPECT_THROW(rs.Update(), db::Error);
}

TEST_F(RecordsetTest, EditOfADeletedRowFails)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    db::Recordset rs = m_db.OpenRecordset("select * from 考生表1");
    m_db.Execute("DELETE FROM 考生表1");
    rs.Edit();
    rs.Fields("姓名").SetValue("乙");
    EXPECT_THROW(rs.Update(), db::Error);
}

} // namespace
