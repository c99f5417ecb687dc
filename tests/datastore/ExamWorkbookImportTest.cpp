#include "datastore/ExamWorkbookImport.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "datastore/StartUp.h"
#include "support/TestAppDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(result.message, "工作表 Sheet1 第 5 行“成绩”列：“缺考”不是数字，已留空。");
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

TEST(ExamWorkbookImport, RefusedWorkbooksSayWhyAndThatNothingChanged)
{
    struct Case {
        const char *file;
        const char *message;
    } cases[] = {
        { "exam-missing-sheet.xls", "导入失败：工作簿中没有工作表 Sheet2。" },
        { "exam-missing-column.xls",
            "导入失败：工作表 Sheet1 缺少列：考号、座位号。\n"
            "导入失败：工作表 Sheet2 缺少列：考生数。" },
        { "not-a-workbook.xls",
            "无法读取该文件：它既不是 Excel 97-2003 工作簿 (.xls)，也不是 Excel 工作簿 (.xlsx)。"
            "本程序只能读取这两种格式的工作簿。" },
        { "exam-truncated.xls", "无法读取该工作簿，文件可能已损坏。" },
        { "exam-bad-values.xls",
            "导入失败：以下单元格不能作为考场、考号或座位号：\n"
            "工作表 Sheet1 第 2 行“考场”列：“二”不是正整数，不能作为考场。\n"
            "工作表 Sheet1 第 3 行“考场”列：“-1”不是正整数，不能作为考场。\n"
            "工作表 Sheet1 第 4 行“座位号”列：“1.5”不是正整数，不能作为座位号。\n"
            "工作表 Sheet2 第 3 行“考场号”列：“0”不是正整数，不能作为考场号。" },
        // Workbooks that crashed or froze the old reader, refused at once.
        { "freexl-destroy-cell.xls",
            "无法读取该工作簿：工作表 Sheet1 自称有 167836928 行、768 列，超出了 .xls 工作表最多 65536 行、256 列的"
            "上限，文件已损坏。" },
        { "freexl-sst-overread.xls", "无法读取该工作簿，文件可能已损坏。" },
        { "huge-dimension-130M-rows.xls", "无法读取该工作簿，文件可能已损坏。" },
        { "huge-dimension-2G-rows.xls", "无法读取该工作簿，文件可能已损坏。" },
        // Read whole; its room sheet ends in a room numbered 0.
        { "freexl-dirname-65535.xls",
            "导入失败：以下单元格不能作为考场、考号或座位号：\n"
            "工作表 Sheet2 第 6 行“考场号”列：“0”不是正整数，不能作为考场号。" },
        // One column more than a table holds: said before anything is asked or written.
        { "exam-2001-columns.xlsx", "导入失败：工作表 Sheet1 有 2001 列，一个工作表最多只能有 2000 列。" },
        // 464 KB that stand for nearly a gigabyte of text.
        { "exam-one-text-15000-cells.xlsx",
            "无法导入该工作簿：它的单元格中的文字共有 938 MB，超过了一次导入最多 64 MB 的上限。" },
        // Read whole; it has one column.
        { "empty-text-cell.xls",
            "导入失败：工作表 Sheet1 缺少列：班级、姓名、成绩、考场、考号、座位号。\n"
            "导入失败：工作表 Sheet2 缺少列：考场号、考生数、考场地点。" },
    };
    TestAppDir app;
    ASSERT_TRUE(app.importExam("exam-other.xls").ok);
    const QStringList before = importedState();
    const QString columnsBefore = gExamRoomColumns;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const ImportResult result = app.importExam(c.file);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, QString::fromUtf8(c.message) + "\n原有数据没有改变。");
        EXPECT_EQ(importedState(), before);
        EXPECT_EQ(gCurrentAreaName, "exam-other");
        EXPECT_EQ(gExamRoomColumns, columnsBefore);
    }
}

TEST(ExamWorkbookImport, XlsxImportsLikeXls)
{
    TestAppDir app;
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    const QStringList fromXls = importedState();
    const ImportResult result = app.importExam("exam-small.xlsx");
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.message, "工作表 Sheet1 第 5 行“成绩”列：“缺考”不是数字，已留空。");
    EXPECT_EQ(importedState(), fromXls);
}

// Cells as the sheet shows them, from .xls and .xlsx alike: texts longer than an .xls record,
// of 10,000 characters, wide and narrow, an empty one; dates, times and both.
TEST(ExamWorkbookImport, LongTextsAndDatesImportAsTheSheetShowsThem)
{
    struct Case {
        const char *workbook;
        const char *query;
        QStringList rows;
    } cases[] = {
        { "exam-long-texts", "SELECT length(备注), substr(备注, 1, 1), substr(备注, -1) FROM 考生表1 ORDER BY 考号",
            { "8300|a|a", "10000|b|b", "10000|长|长", "10000|c|语", "<null>|<null>|<null>" } },
        { "exam-dates", "SELECT 出生日期, 报到时间 FROM 考生表1 ORDER BY 考号",
            { "2010-03-05|08:30:00", "2009-12-31|2024-06-01 07:45:00" } },
    };
    TestAppDir app;
    for (const Case &c : cases) {
        for (const char *extension : { ".xls", ".xlsx" }) {
            const QString file = QString::fromUtf8(c.workbook) + extension;
            SCOPED_TRACE(file.toStdString());
            const ImportResult result = app.importExam(file);
            ASSERT_TRUE(result.ok) << result.message.toStdString();
            EXPECT_EQ(DatabaseRows(QString::fromUtf8(c.query)), c.rows);
        }
    }
}

// Error cells are named like the other values the import leaves out, and a workbook saved by
// LibreOffice Calc imports alike from .xls and .xlsx, with texts shared or inline.
TEST(ExamWorkbookImport, CalcWorkbooksImportAlikeAndNameTheirErrorCells)
{
    TestAppDir app;
    QStringList first;
    for (const char *workbook : { "exam-calc.xls", "exam-calc.xlsx", "exam-calc-inline.xlsx", "exam-calc-rooted.xlsx" }) {
        SCOPED_TRACE(workbook);
        const ImportResult result = app.importExam(workbook);
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_EQ(result.message,
            "工作表 Sheet1 第 2 行“核算”列：错误值“#DIV/0!”，已留空。\n"
            "工作表 Sheet1 第 3 行“核算”列：错误值“#N/A”，已留空。");
        const QStringList rows = DatabaseRows("SELECT 成绩, 出生日期, 加分, 备注, 在校, 核算 FROM 考生表1 ORDER BY 考号");
        EXPECT_EQ(rows, QStringList({ "88|2010-03-05|-3|第一中学1班|TRUE|<null>", "92.5|2009-12-31|2.25|王芳|FALSE|<null>" }));
    }
}

TEST(ExamWorkbookImport, NotedValuesImportAndAreNamed)
{
    TestAppDir app;
    const ImportResult result = app.importExam("exam-noted-values.xls");
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.message,
        "工作表 Sheet1 第 2 行“成绩”列：“abc”不是数字，已留空。\n"
        "工作表 Sheet1 第 9 列的列名“考号 ”已被占用，改名为“考号_2”。\n"
        "工作表 Sheet1 第 10 列的列名“所在考场”已被占用，改名为“所在考场_2”。");
    EXPECT_EQ(DatabaseRows("SELECT 成绩, 考号, 考号_2, 所在考场_2 FROM 考生表1 ORDER BY 考号"),
        QStringList({ "<null>|101|A-01|东楼", "92|102|A-02|西楼" }));
}

// The window asks between reading and writing: reading alone changes nothing and tells what
// the import would replace and how many examinees it brings without a room.
TEST(ExamWorkbookImport, ReadingTellsWhatWritingWouldReplace)
{
    TestAppDir app;
    ExamWorkbookImport first;
    ASSERT_TRUE(first.Read(TestAppDir::fixture("exam-small.xls")).ok);
    EXPECT_EQ(first.ExamineesReplaced(), 0);
    EXPECT_EQ(first.ExamineesReplacedArranged(), 0);
    EXPECT_EQ(first.ExamineesUnarranged(), 0);
    ASSERT_TRUE(first.Write().ok);

    const QStringList before = importedState();
    ExamWorkbookImport second;
    ASSERT_TRUE(second.Read(TestAppDir::fixture("exam-unarranged.xlsx")).ok);
    EXPECT_EQ(second.ExamineesReplaced(), 12);
    EXPECT_EQ(second.ExamineesReplacedArranged(), 12);
    EXPECT_EQ(second.ExamineesImported(), 12);
    EXPECT_EQ(second.ExamineesUnarranged(), 12);
    EXPECT_EQ(importedState(), before);
    ASSERT_TRUE(second.Write().ok);
    EXPECT_EQ(DatabaseRows("SELECT count(*), count(考场) FROM 考生表1"), QStringList { "12|0" });
    EXPECT_FALSE(second.Write().ok);

    // Unarranged examinees replaced: there is no arrangement to lose.
    ExamWorkbookImport third;
    ASSERT_TRUE(third.Read(TestAppDir::fixture("exam-small.xls")).ok);
    EXPECT_EQ(third.ExamineesReplaced(), 12);
    EXPECT_EQ(third.ExamineesReplacedArranged(), 0);
    ASSERT_TRUE(third.Write().ok);

    // Any one of room, exam number and seat makes an examinee arranged; an empty text does not.
    {
        MainDatabaseScope scope;
        gDb.Execute(QStringLiteral("UPDATE 考生表1 SET 考场 = NULL, 考号 = '', 座位号 = NULL WHERE rowid > 2"));
        gDb.Execute(QStringLiteral("UPDATE 考生表1 SET 考场 = NULL, 考号 = NULL WHERE rowid = 2"));
    }
    ExamWorkbookImport fourth;
    ASSERT_TRUE(fourth.Read(TestAppDir::fixture("exam-small.xls")).ok);
    EXPECT_EQ(fourth.ExamineesReplaced(), 12);
    EXPECT_EQ(fourth.ExamineesReplacedArranged(), 2);
}

TEST(ExamWorkbookImport, FilesThatAreNoWorkbookSayWhatTheyAre)
{
    TestAppDir app;
    const QString folder = app.path();
    const QString pipe = QDir(folder).filePath("pipe.xls");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString missing = QDir(folder).filePath("no-such-file.xls");
    const QString locked = QDir(folder).filePath("locked.xls");
    ASSERT_TRUE(QFile::copy(TestAppDir::fixture("exam-small.xls"), locked));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    struct Case {
        QString path;
        QString message;
    } cases[] = {
        { missing, "找不到文件 " + missing + "。" },
        { folder, folder + " 是一个文件夹，不是工作簿文件。" },
        { pipe, pipe + " 不是普通文件（可能是管道或设备），只能读取保存在磁盘上的工作簿文件。" },
        { locked, "没有读取文件 " + locked + " 的权限。" },
    };
    for (const Case &c : cases) {
        if (c.path == locked && geteuid() == 0)
            continue; // the administrator reads every file

        SCOPED_TRACE(c.path.toStdString());
        const ImportResult result = app.importExam(c.path);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, c.message + "\n原有数据没有改变。");
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
    EXPECT_TRUE(result.message.startsWith("导入失败。数据文件操作失败"));
    EXPECT_TRUE(result.message.endsWith("数据文件：" + app.dbPath() + "\n已保存的数据没有丢失，原有数据没有改变。"));
    EXPECT_FALSE(result.message.contains("UPDATE"));
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
