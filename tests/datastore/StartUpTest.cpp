#include "datastore/StartUp.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "support/TestAppDir.h"

#include <gtest/gtest.h>

TEST(StartUp, FreshStartSetsArea1AndItsTablesAndTitles)
{
    TestAppDir app;
    EXPECT_EQ(gCurrentArea, 1);
    EXPECT_EQ(gCurrentAreaName, "");
    EXPECT_EQ(gDivisionTable, "分班数据表1");
    EXPECT_EQ(gExamRoomTable, "考场表1");
    EXPECT_EQ(gExamineeTable, "考生表1");
    EXPECT_EQ(gSettingsTable, "设置表1");
    EXPECT_EQ(gUserTable, "usqmtx1");
    EXPECT_EQ(QStringList(
                  { gTitleExamRoom1, gTitleExamRoom2, gTitleSchool1, gTitleClass1, gTitleDivision1, gTitleDivision2 }),
        QStringList({ "XX学校XX考试", "安排表", "XX年级XX考试安排表", "XX考试安排表", "XX学校XX年级段", "学生名单" }));
    EXPECT_EQ(gExamRoomColumns, "学校,班级,姓名,性别,成绩,考场,考号,座位号");
    EXPECT_FALSE(gLoggedIn);
    EXPECT_TRUE(DatabaseReleased());
    EXPECT_EQ(gDbPath, app.dbPath());
}

TEST(StartUp, ReadsTheAreaMarkedCurrent)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("UPDATE sjqtab SET 当前数据区 = 'f'");
        gDb.Execute("UPDATE sjqtab SET 当前数据区 = 'T', 数据区名 = ? WHERE 数据区 = 3", { "期中考试" });
        gDb.Execute("UPDATE 设置表3 SET s1 = '0,0,1' WHERE 项目 = '考场显示'");
        gDb.Execute("UPDATE bttable SET 考场1 = ?", { "一中期中考试" });
    }
    StartUp::Run();
    EXPECT_EQ(gCurrentArea, 3);
    EXPECT_EQ(gCurrentAreaName, "期中考试");
    EXPECT_EQ(gExamineeTable, "考生表3");
    EXPECT_EQ(gUserTable, "usqmtx3");
    EXPECT_EQ(gTitleExamRoom1, "一中期中考试");
    EXPECT_EQ(gExamRoomColumns, "姓名");
}

TEST(StartUp, NoAreaMarkedFallsBackToArea1)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("UPDATE sjqtab SET 当前数据区 = 'f'");
    }
    StartUp::Run();
    EXPECT_EQ(gCurrentArea, 1);
    EXPECT_EQ(gSettingsTable, "设置表1");
}
