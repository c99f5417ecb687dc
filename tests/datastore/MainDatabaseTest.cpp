#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "datastore/ArrangementTables.h"
#include "datastore/MainDatabaseScope.h"
#include "db/Error.h"
#include "support/TestAppDir.h"

#include <QFile>
#include <gtest/gtest.h>

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

} // namespace
