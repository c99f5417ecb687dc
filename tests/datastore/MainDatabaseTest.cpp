#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "datastore/ArrangementTables.h"
#include "datastore/MainDatabaseScope.h"
#include "db/Error.h"
#include "support/TestAppDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// One connection for the life of the file: operations after the first open nothing.
TEST(MainDatabase, OperationsShareOneConnection)
{
    TestAppDir app;
    OpenMainDatabase();
    const int opened = db::Database::openCount();
    for (int i = 0; i < 3; ++i) {
        MainDatabaseScope scope;
        gRs = gDb.OpenRecordset("select * from sjqtab");
    }
    datastore::ArrangementTables::Schools(gExamineeTable);
    datastore::ArrangementTables::RoomCount(gExamRoomTable);
    EXPECT_EQ(db::Database::openCount(), opened);
    EXPECT_TRUE(DatabaseReleased());
}

// The end of an operation rolls back what it left unfinished, and keeps the file open.
TEST(MainDatabase, ScopeEndRollsBackAnUnfinishedTransaction)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("BEGIN");
        gDb.Execute("insert into " + gExamRoomTable + " values (1, 30, '楼1')");
        gRs = gDb.OpenRecordset("select * from " + gExamRoomTable);
    }
    EXPECT_TRUE(DatabaseReleased());
    EXPECT_EQ(DatabaseRows("select count(*) from " + gExamRoomTable), QStringList { "0" });
}

// Another file closes the first; a file replaced under the program is opened anew, a deleted one
// is missed at once instead of being written through a connection to a file that is gone.
TEST(MainDatabase, AnotherOrReplacedFileIsOpenedAnew)
{
    TestAppDir app;
    const QString copy = app.dbPath() + ".copy";
    ASSERT_TRUE(QFile::copy(app.dbPath(), copy));
    OpenMainDatabase();
    OpenDatabaseAt(copy);
    EXPECT_EQ(gDb.Path(), copy);
    OpenMainDatabase();
    EXPECT_EQ(gDb.Path(), app.dbPath());

    const int opened = db::Database::openCount();
    ASSERT_TRUE(QFile::remove(app.dbPath()));
    ASSERT_TRUE(QFile::rename(copy, app.dbPath()));
    OpenMainDatabase();
    EXPECT_EQ(db::Database::openCount(), opened + 1);

    ASSERT_TRUE(QFile::remove(app.dbPath()));
    EXPECT_THROW(OpenMainDatabase(), db::Error);
    EXPECT_FALSE(gDb.IsOpen());
}

// How SQLite would run `sql` on the program's connection, step by step.
QString QueryPlan(const QString &sql)
{
    sqlite3_stmt *statement = nullptr;
    QString plan;
    if (sqlite3_prepare_v2(gDb.handle(), ("EXPLAIN QUERY PLAN " + sql).toUtf8().constData(), -1, &statement, nullptr)
        == SQLITE_OK)
        while (sqlite3_step(statement) == SQLITE_ROW)
            plan += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 3))) + '\n';
    sqlite3_finalize(statement);
    return plan;
}

// The room lists read in exam-number order through an index, not a sort; once made, the
// indexes are not made again, and an import's new table gets them anew.
TEST(MainDatabase, ExamNumbersAreIndexed)
{
    TestAppDir app;
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    datastore::ArrangementTables::IndexExamNumbers(gExamineeTable);
    OpenMainDatabase();
    for (const QString &sql : { "SELECT * FROM " + gExamineeTable + " ORDER BY 考号",
             "SELECT * FROM " + gExamineeTable + " WHERE 考场 = 2 ORDER BY 考号" }) {
        const QString plan = QueryPlan(sql);
        EXPECT_TRUE(plan.contains("INDEX")) << plan.toStdString();
        EXPECT_FALSE(plan.contains("TEMP B-TREE")) << plan.toStdString();
    }
    const int opened = db::Database::openCount();
    datastore::ArrangementTables::IndexExamNumbers(gExamineeTable);
    EXPECT_EQ(db::Database::openCount(), opened);
    EXPECT_TRUE(DatabaseReleased());

    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    EXPECT_TRUE(QueryPlan("SELECT * FROM " + gExamineeTable + " ORDER BY 考号").contains("TEMP B-TREE"));
    datastore::ArrangementTables::IndexExamNumbers(gExamineeTable);
    EXPECT_FALSE(QueryPlan("SELECT * FROM " + gExamineeTable + " ORDER BY 考号").contains("TEMP B-TREE"));
}

} // namespace
