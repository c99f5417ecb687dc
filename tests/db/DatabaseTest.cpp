#include "DbFixture.h"

#include "db/Error.h"
#include "db/Statement.h"

#include <QFile>

namespace {

using DatabaseTest = DbFixture;

TEST_F(DatabaseTest, OpenRefusesWhatIsNotADatabase)
{
    db::Database other;
    EXPECT_THROW(other.Open(m_dir.filePath("missing.mdb")), db::Error);
    EXPECT_FALSE(other.IsOpen());

    QFile junk(m_dir.filePath("junk.mdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_THROW(other.Open(junk.fileName()), db::Error);
    EXPECT_FALSE(other.IsOpen());

    other.Open(path());
    EXPECT_EQ(other.Path(), path());
    other.Close();
    EXPECT_FALSE(other.IsOpen());
    EXPECT_THROW(other.OpenRecordset("select 1"), db::Error);
}

TEST_F(DatabaseTest, ErrorsCarrySqliteMessageAndTheSql)
{
    try {
        m_db.OpenRecordset("select * from 没有的表");
        FAIL() << "no error raised";
    } catch (const db::Error &error) {
        EXPECT_TRUE(error.message().contains("no such table")) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("没有的表"));
    }
}

TEST_F(DatabaseTest, QuotesInValuesAndNamesWork)
{
    const QString school = "O'Hara国际学校";
    addExaminee(school, "1", "甲", "男", 1, 1);
    addExaminee("一中", "1", "乙", "男", 1, 2);
    EXPECT_EQ(rows("select 姓名 from 考生表1 where 学校 = ?", { school }), QStringList({ "甲" }));

    // A school becoming a column alias, the way the statistics build their columns.
    const QString sql = QString("select count(iif(学校 = ?, 1, null)) as %1 from 考生表1").arg(db::QuoteName(school));
    db::Recordset rs = m_db.OpenRecordset(sql, { school });
    EXPECT_EQ(rs.Fields(0).Name(), school);
    EXPECT_EQ(db::VbText(rs.Fields(school).Value()), "1");

    const QString table = "表\"1'";
    m_db.Execute(QString("CREATE TABLE %1 (%2 TEXT)").arg(db::QuoteName(table), db::QuoteName("列'\"")));
    EXPECT_TRUE(m_db.HasTable(table));
    EXPECT_EQ(m_db.FieldNames(table), QStringList({ "列'\"" }));
}

TEST_F(DatabaseTest, ParameterCountMustMatch)
{
    EXPECT_THROW(m_db.OpenRecordset("select * from 考生表1 where 学校 = ?"), db::Error);
    EXPECT_THROW(m_db.OpenRecordset("select * from 考生表1", { "x" }), db::Error);
    EXPECT_THROW(m_db.Execute("DELETE FROM 考生表1 WHERE 学校 = ?; DELETE FROM 考生表1", { "x" }), db::Error);
    EXPECT_THROW(m_db.OpenRecordset("select 1; select 2"), db::Error);
}

TEST_F(DatabaseTest, ExecuteRunsEveryStatementAndCountsTheLast)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    addExaminee("一中", "2", "乙", "男", 1, 2);
    const int changed = m_db.Execute("CREATE TABLE x (a TEXT); INSERT INTO x VALUES ('a;b'); "
                                     "UPDATE 考生表1 SET 考场 = 2 -- move everyone; really\n;");
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(rows("select a from x"), QStringList({ "a;b" }));
    EXPECT_EQ(m_db.Execute("UPDATE 考生表1 SET 考场 = 3 WHERE 班级 = ?", { "2" }), 1);
    EXPECT_EQ(m_db.Execute("CREATE TABLE y (a TEXT)"), 0);
}

TEST_F(DatabaseTest, ListsTablesAndFields)
{
    m_db.Execute("CREATE TABLE bttable (考场1 TEXT, 考场2 TEXT, 学校1 TEXT)");
    m_db.CreateQueryDef("NewQry1", "select * from bttable");
    EXPECT_EQ(m_db.TableNames(), QStringList({ "bttable", "考生表1" }));
    EXPECT_TRUE(m_db.HasTable("BTTABLE"));
    EXPECT_FALSE(m_db.HasTable("NewQry1"));
    EXPECT_FALSE(m_db.HasTable("sqlite_master"));
    EXPECT_EQ(m_db.FieldNames("bttable"), QStringList({ "考场1", "考场2", "学校1" }));
    EXPECT_EQ(m_db.FieldNames("考生表1").size(), 8);
    EXPECT_THROW(m_db.FieldNames("nothing"), db::Error);
}

TEST_F(DatabaseTest, TransactionRollsBackUnlessCommitted)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    try {
        db::Database::Transaction transaction(m_db);
        m_db.Execute("DROP TABLE 考生表1");
        m_db.Execute("CREATE TABLE 考生表1 (学校 TEXT)");
        m_db.Execute("INSERT INTO 考生表1 VALUES ('新')");
        m_db.Execute("INSERT INTO no_such_table VALUES (1)"); // the import fails half-way
        transaction.Commit();
    } catch (const db::Error &) {
    }
    EXPECT_EQ(rows("select 学校, 姓名 from 考生表1"), QStringList({ "一中|甲" }));

    {
        db::Database::Transaction transaction(m_db);
        m_db.Execute("DELETE FROM 考生表1");
        transaction.Commit();
    }
    EXPECT_TRUE(rows("select * from 考生表1").isEmpty());
}

TEST_F(DatabaseTest, NestedTransactionsRollBackOnTheirOwn)
{
    db::Database::Transaction outer(m_db);
    addExaminee("一中", "1", "甲", "男", 1, 1);
    {
        db::Database::Transaction inner(m_db);
        addExaminee("一中", "1", "乙", "男", 1, 2);
    }
    outer.Commit();
    EXPECT_EQ(rows("select 姓名 from 考生表1"), QStringList({ "甲" }));
}

TEST_F(DatabaseTest, CommittedDataSurvivesReopening)
{
    addExaminee("一中", "1", "甲", "男", 1, 1);
    m_db.Close();
    db::Database again;
    again.Open(path());
    db::Recordset rs = again.OpenRecordset("select 姓名 from 考生表1");
    EXPECT_EQ(rs.RecordCount(), 1);
}

} // namespace

// One prepared insert serves every row of an import: it must take new values after each run.
TEST_F(DatabaseTest, PreparedStatementRunsAgainWithNewValues)
{
    db::Statement insert(m_db.handle(), "INSERT INTO 考生表1 (姓名, 考号) VALUES (?, ?)");
    insert.Bind({ "甲", 1.0 });
    EXPECT_EQ(insert.Run(), 1);
    insert.Bind({ "乙", QVariant() });
    EXPECT_EQ(insert.Run(), 1);
    EXPECT_EQ(rows("select 姓名, 考号 from 考生表1 ORDER BY 姓名"), QStringList({ "乙|", "甲|1" }));
}
