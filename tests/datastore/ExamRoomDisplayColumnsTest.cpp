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

TEST(ExamRoomDisplayColumns, ReadGivesTheFieldsAndTheStoredSetting)
{
    TestAppDir app;
    const QStringList fields { "学校", "班级", "姓名", "性别", "成绩", "考场", "考号", "座位号" };
    const struct {
        const char *what;
        const char *sql;
        QVariant setting;
    } cases[] = {
        { "as stored", "UPDATE 设置表1 SET s1 = '0,2,1' WHERE 项目 = '考场显示'", "0,2,1" },
        { "Null", "UPDATE 设置表1 SET s1 = NULL WHERE 项目 = '考场显示'", QVariant() },
        { "no row", "DELETE FROM 设置表1 WHERE 项目 = '考场显示'", QVariant() },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        {
            MainDatabaseScope scope;
            gDb.Execute(QString::fromUtf8(c.sql));
        }
        const ExamRoomDisplayColumns::Stored stored = ExamRoomDisplayColumns::Read();
        EXPECT_EQ(stored.fields, fields);
        EXPECT_EQ(stored.setting.isNull(), c.setting.isNull());
        EXPECT_EQ(stored.setting.toString(), c.setting.toString());
        EXPECT_TRUE(DatabaseReleased());
    }
}

// Only a list made for the table as it stands is stored, and only into a row that is there.
TEST(ExamRoomDisplayColumns, StoreWritesOnlyWhatFitsTheTable)
{
    using Result = ExamRoomDisplayColumns::StoreResult;
    const QStringList fields { "学校", "班级", "姓名", "性别", "成绩", "考场", "考号", "座位号" };
    const struct {
        const char *what;
        const char *before; // SQL run first, "" for none
        QStringList fields;
        Result result;
        const char *stored;
        const char *columns;
    } cases[] = {
        { "stored and read back", "", fields, Result::Stored, "3,0,1,0,0,2,0,0", "姓名,考场,学校" },
        { "made for other fields", "", QStringList { "学校", "班级" }, Result::FieldsChanged, "1,2,3,4,5,6,7,8",
            "before" },
        { "no row", "DELETE FROM 设置表1 WHERE 项目 = '考场显示'", fields, Result::NoSettingsRow, "", "before" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestAppDir app;
        if (*c.before) {
            MainDatabaseScope scope;
            gDb.Execute(QString::fromUtf8(c.before));
        }
        gExamRoomColumns = "before";
        EXPECT_EQ(ExamRoomDisplayColumns::Store(c.fields, "3,0,1,0,0,2,0,0"), c.result);
        const QStringList stored = DatabaseRows("SELECT s1 FROM 设置表1 WHERE 项目 = '考场显示'");
        EXPECT_EQ(stored.join(u','), QString::fromUtf8(c.stored));
        EXPECT_EQ(gExamRoomColumns, QString::fromUtf8(c.columns));
        EXPECT_TRUE(DatabaseReleased());
    }
}
