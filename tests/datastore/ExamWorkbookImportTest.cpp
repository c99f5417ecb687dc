#include "datastore/ExamWorkbookImport.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "datastore/StartUp.h"
#include "support/TestAppDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Everything an exam import may change, as text, to see that a refused import changed nothing.
QStringList importedState()
{
    QStringList state;
    state << DatabaseColumns("考生表1") << DatabaseRows("SELECT * FROM 考生表1");
    state << DatabaseColumns("考场表1") << DatabaseRows("SELECT * FROM 考场表1");
    state << DatabaseRows("SELECT * FROM sjqtab ORDER BY 数据区") << DatabaseRows("SELECT * FROM 设置表1");
    return state;
}

const QStringList smallExamColumns { "学校:10", "班级:10", "姓名:10", "性别:10", "成绩:7", "考场:7", "考号:7",
    "座位号:7" };

} // namespace

TEST(ExamWorkbookImport, GoodWorkbookReplacesExamineesAndRooms)
{
    TestAppDir app;
    const ImportResult result = app.importExam("exam-small.xls");
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(DatabaseColumns("考生表1"), smallExamColumns);
    EXPECT_EQ(DatabaseColumns("考场表1"), QStringList({ "考场号:7", "考生数:7", "考场地点:10" }));
    // The blank row is gone, 12 in the text class column reads "12", a text score is Null.
    EXPECT_EQ(DatabaseRows("SELECT * FROM 考生表1 WHERE 考场 = 1 ORDER BY 座位号"),
        QStringList({ "第一中学|1班|张伟|男|88|1|101|1", "第一中学|1班|王芳|女|92.5|1|102|2",
            "第一中学|12|李娜|女|75|1|103|3", "第一中学|12|刘洋|男|<null>|1|104|4" }));
    EXPECT_EQ(DatabaseRows("SELECT count(*), count(DISTINCT 考号) FROM 考生表1"), QStringList { "12|12" });
    EXPECT_EQ(DatabaseRows("SELECT 姓名 FROM 考生表1 WHERE 学校 = ? ORDER BY 考号", { "O'Hara国际学校" }),
        QStringList({ "陈静", "杨磊", "赵敏", "黄强", "徐明", "孙丽" }));
    EXPECT_EQ(DatabaseRows("SELECT * FROM 考场表1 ORDER BY 考场号"),
        QStringList({ "1|4|教学楼101", "2|4|教学楼102", "3|4|实验楼201" }));
    EXPECT_TRUE(DatabaseReleased());
}

TEST(ExamWorkbookImport, AreaIsNamedAfterTheWorkbookAndShowsAllColumns)
{
    TestAppDir app;
    ASSERT_TRUE(app.importExam("exam-other.xls").ok);
    EXPECT_EQ(gCurrentAreaName, "exam-other");
    EXPECT_EQ(DatabaseRows("SELECT 数据区名 FROM sjqtab WHERE 数据区 = 1"), QStringList { "exam-other" });
    EXPECT_EQ(DatabaseRows("SELECT 数据区名 FROM sjqtab WHERE 数据区 = 2"), QStringList { "" });
    EXPECT_EQ(DatabaseRows("SELECT s1 FROM 设置表1 WHERE 项目 = '考场显示'"), QStringList { "1,2,3,4,5,6,7,8,9" });
    EXPECT_EQ(gExamRoomColumns, "学校,班级,姓名,性别,成绩,考场,考号,座位号,照片");

    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    EXPECT_EQ(gCurrentAreaName, "exam-small");
    EXPECT_EQ(DatabaseRows("SELECT s1 FROM 设置表1 WHERE 项目 = '考场显示'"), QStringList { "1,2,3,4,5,6,7,8" });
    EXPECT_EQ(gExamRoomColumns, "学校,班级,姓名,性别,成绩,考场,考号,座位号");
    EXPECT_EQ(DatabaseColumns("考生表1"), smallExamColumns);
}

TEST(ExamWorkbookImport, ImportsIntoTheCurrentAreaOnly)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("UPDATE sjqtab SET 当前数据区 = CASE WHEN 数据区 = 4 THEN 't' ELSE 'f' END");
    }
    StartUp::Run();
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    EXPECT_EQ(DatabaseRows("SELECT count(*) FROM 考生表4"), QStringList { "12" });
    EXPECT_EQ(DatabaseRows("SELECT count(*) FROM 考生表1"), QStringList { "0" });
    EXPECT_EQ(DatabaseRows("SELECT 数据区 FROM sjqtab WHERE 数据区名 = 'exam-small'"), QStringList { "4" });
}

TEST(ExamWorkbookImport, SheetNamesCompareWithoutRegardToCase)
{
    TestAppDir app;
    const ImportResult result = app.importExam("exam-sheet-case.xls");
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(DatabaseRows("SELECT count(*) FROM 考生表1"), QStringList { "12" });
}

TEST(ExamWorkbookImport, RefusedWorkbooksSayWhyAndChangeNothing)
{
    struct Case {
        const char *file;
        const char *message;
    } cases[] = {
        { "exam-missing-sheet.xls", "导入失败：工作簿中没有工作表 Sheet2。" },
        { "exam-missing-column.xls",
            "导入失败：工作表 Sheet1 缺少列：考号、座位号。\n"
            "导入失败：工作表 Sheet2 缺少列：考生数。" },
        { "not-a-workbook.xls", "无法读取该文件，它不是有效的 Excel 工作簿。" },
        { "exam-truncated.xls", "无法读取该文件，它不是有效的 Excel 工作簿。" },
        { "no-such-file.xls", "无法读取该文件，它不是有效的 Excel 工作簿。" },
    };
    TestAppDir app;
    ASSERT_TRUE(app.importExam("exam-other.xls").ok);
    const QStringList before = importedState();
    const QString columnsBefore = gExamRoomColumns;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const ImportResult result = app.importExam(c.file);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, QString::fromUtf8(c.message));
        EXPECT_EQ(importedState(), before);
        EXPECT_EQ(gCurrentAreaName, "exam-other");
        EXPECT_EQ(gExamRoomColumns, columnsBefore);
    }
}

TEST(ExamWorkbookImport, FailureWhileWritingLeavesTheOldDataExactlyAsItWas)
{
    TestAppDir app;
    ASSERT_TRUE(app.importExam("exam-other.xls").ok);
    {
        // The last write of an import fails, after both tables have been replaced.
        MainDatabaseScope scope;
        ASSERT_EQ(sqlite3_exec(gDb.handle(),
                      "CREATE TRIGGER full_disk BEFORE UPDATE ON sjqtab "
                      "BEGIN SELECT RAISE(ABORT, 'disk full'); END",
                      nullptr, nullptr, nullptr),
            SQLITE_OK);
    }
    const QStringList before = importedState();
    const ImportResult result = app.importExam("exam-small.xls");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.startsWith("导入失败，原有数据没有改变："));
    EXPECT_TRUE(result.message.contains("disk full"));
    EXPECT_EQ(importedState(), before);
    EXPECT_EQ(gCurrentAreaName, "exam-other");
    EXPECT_EQ(gExamRoomColumns, "学校,班级,姓名,性别,成绩,考场,考号,座位号,照片");
    EXPECT_TRUE(DatabaseReleased());
}

TEST(ExamWorkbookImport, OddHeaderNamesBecomeUniqueAndUsable)
{
    TestAppDir app;
    const ImportResult result = app.importExam("exam-odd-headers.xls");
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(DatabaseColumns("考生表1"),
        smallExamColumns + QStringList({ "姓名_2:10", "F10:10", "备_注:10", "F2024成绩:7", "order_:10", "学号:10" }));
    // Digits stored as text stay text with their zeros; the shown columns work as pasted SQL.
    EXPECT_EQ(DatabaseRows("SELECT " + gExamRoomColumns + " FROM 考生表1 ORDER BY 考号"),
        QStringList({ "第一中学|1班|张伟|男|88|1|101|1|张三|x|ok|90|y|007",
            "第一中学|1班|王芳|女|92|1|102|2|李四|<null>|<null>|91|z|012" }));
}
