#include "datastore/DatabaseFile.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "datastore/StartUp.h"
#include "db/Error.h"
#include "support/TestAppDir.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString text = QStringLiteral("10");
const QString number = QStringLiteral("7");

QStringList typed(const QStringList &names, const QStringList &types)
{
    QStringList columns;
    for (int i = 0; i < names.size(); ++i)
        columns << names[i] + ':' + types[i];
    return columns;
}

} // namespace

TEST(DatabaseFile, FreshFileHasTheAreasWithArea1Current)
{
    TestAppDir app;
    EXPECT_TRUE(QFileInfo::exists(app.path() + "/suju/sujuf.mdb"));
    EXPECT_EQ(DatabaseRows("SELECT 数据区, 数据区名, 当前数据区 FROM sjqtab ORDER BY 数据区"),
        QStringList({ "1||t", "2||f", "3||f", "4||f", "5||f", "6||f" }));
    EXPECT_EQ(DatabaseRows("SELECT * FROM bttable"),
        QStringList { "XX学校XX考试|安排表|XX年级XX考试安排表|XX考试安排表|XX学校XX年级段|学生名单" });
}

TEST(DatabaseFile, EveryAreaHasItsTablesWithColumnsInOrder)
{
    TestAppDir app;
    for (int area = 1; area <= DatabaseFile::AreaCount; ++area) {
        SCOPED_TRACE(area);
        const QString n = QString::number(area);
        EXPECT_EQ(DatabaseColumns("考生表" + n),
            typed({ "学校", "班级", "姓名", "性别", "成绩", "考场", "考号", "座位号" },
                { text, text, text, text, number, number, number, number }));
        EXPECT_EQ(DatabaseColumns("考场表" + n), typed({ "考场号", "考生数", "考场地点" }, { number, number, text }));
        EXPECT_EQ(DatabaseColumns("分班数据表" + n),
            typed({ "学号", "原学校", "姓名", "性别", "原班级", "成绩", "新分班" },
                { text, text, text, text, text, number, number }));
        EXPECT_EQ(DatabaseColumns("设置表" + n), typed({ "项目", "s1", "s2" }, { text, text, text }));
        EXPECT_EQ(DatabaseRows("SELECT 项目, s1, s2 FROM " + db::QuoteName("设置表" + n) + " ORDER BY 项目"),
            QStringList({ "考号加零|buyaokc| 1", "考场显示|1,2,3,4,5,6,7,8|<null>" }));
        EXPECT_EQ(DatabaseRows("SELECT feld1 FROM usqmtx" + n), QStringList { "admin" });
    }
}

TEST(DatabaseFile, TextComparesWithoutRegardToCase)
{
    TestAppDir app;
    MainDatabaseScope scope;
    gDb.Execute("INSERT INTO 考生表1 (学校, 姓名) VALUES (?, ?)", { "Abc School", "Lee" });
    EXPECT_EQ(gDb.OpenRecordset("SELECT 姓名 FROM 考生表1 WHERE 学校 = ?", { "ABC SCHOOL" }).RecordCount(), 1);
}

TEST(DatabaseFile, ExistingFileIsKeptOnTheNextStart)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("INSERT INTO 考场表1 VALUES (1, 30, '礼堂')");
    }
    StartUp::Run();
    EXPECT_EQ(DatabaseRows("SELECT * FROM 考场表1"), QStringList { "1|30|礼堂" });
}

TEST(DatabaseFile, FailedCreationLeavesNoFileBehind)
{
    TestAppDir::resetSharedState();
    QTemporaryDir dir;
    // A file where the folder "suju" should go: the folder cannot be made.
    QFile blocker(dir.filePath("suju"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetAppPath(dir.path());
    EXPECT_THROW(StartUp::Run(), db::Error);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("suju/sujuf.mdb")));
    TestAppDir::resetSharedState();
}

TEST(DatabaseFile, OpeningAMissingFileRaisesInsteadOfMakingAnEmptyOne)
{
    TestAppDir app;
    ASSERT_TRUE(QFile::remove(app.dbPath()));
    EXPECT_THROW(OpenMainDatabase(), db::Error);
    EXPECT_FALSE(QFileInfo::exists(app.dbPath()));
}
