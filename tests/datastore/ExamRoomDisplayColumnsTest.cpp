#include "datastore/ExamRoomDisplayColumns.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "support/TestAppDir.h"

#include <gtest/gtest.h>

namespace {

struct ShownCase {
    const char *what;
    const char *setting;
    const char *shown;
};

const QStringList fields { "学校", "班级", "姓名", "性别", "成绩", "考场", "考号", "座位号" };

const ShownCase shownCases[] = {
    { "all in field order", "1,2,3,4,5,6,7,8", "学校,班级,姓名,性别,成绩,考场,考号,座位号" },
    { "hidden fields", "1,2,3,0,0,4,5,6", "学校,班级,姓名,考场,考号,座位号" },
    { "reordered", "2,3,1,0,0,6,4,5", "姓名,学校,班级,考号,座位号,考场" },
    { "fewer entries than fields hide the rest", "3,2,1", "姓名,班级,学校" },
    { "more entries than fields", "1,2,3,4,5,6,7,8,9,10", "学校,班级,姓名,性别,成绩,考场,考号,座位号" },
    { "blank and non-numeric entries hide", "1, ,x,2", "学校,性别" },
    { "entries read as leading numbers", " 2,1abc", "班级,学校" },
    { "positions need not be consecutive", "10,0,5", "姓名,学校" },
    { "equal positions keep field order", "1,1,0,1", "学校,班级,性别" },
    { "empty setting shows nothing", "", "" },
};

} // namespace

TEST(ExamRoomDisplayColumns, ShownFollowsPositions)
{
    for (const ShownCase &c : shownCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ExamRoomDisplayColumns::Shown(fields, QString::fromUtf8(c.setting)), QString::fromUtf8(c.shown));
    }
}

TEST(ExamRoomDisplayColumns, LoadReadsTheCurrentAreasSettingAndFields)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("UPDATE 设置表1 SET s1 = ? WHERE 项目 = ?", { "0,0,1,0,0,3,2,0", "考场显示" });
    }
    LoadExamRoomDisplayColumns();
    EXPECT_EQ(gExamRoomColumns, "姓名,考号,考场");
    EXPECT_TRUE(DatabaseReleased());
}

TEST(ExamRoomDisplayColumns, LoadFailureKeepsThePreviousColumns)
{
    TestAppDir app;
    gExamRoomColumns = "姓名";
    gSettingsTable = "没有这个表";
    LoadExamRoomDisplayColumns();
    EXPECT_EQ(gExamRoomColumns, "姓名");
    EXPECT_TRUE(DatabaseReleased());
}
