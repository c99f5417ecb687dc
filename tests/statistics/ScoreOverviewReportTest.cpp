#include "StatisticsFixture.h"
#include "support/PrintedTexts.h"

#include "gridview/Grid.h"
#include "statistics/ScoreOverviewReport.h"
#include "statistics/StatisticsCommands.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>

namespace {

TEST(ScoreOverviewSubjects, AreTheColumnsBothTablesHoldButTheNames)
{
    EXPECT_EQ(StatisticsQueries::Subjects({ "学校", "班级", "姓名", "考号", "语文", "数学", "总分", "英语" },
                  { "学校", "班级", "英语", "语文", "姓名", "班主任", "数学" }),
        QStringList({ "语文", "数学", "英语" }));
    EXPECT_TRUE(StatisticsQueries::Subjects({ "学校", "班级", "姓名", "总分" }, { "学校", "班级", "姓名" }).isEmpty());
}

class ScoreOverviewReportTest : public StatisticsFixture {
protected:
    void AddScore(const QString &school, const QVariant &chinese, const QVariant &maths)
    {
        Execute(QStringLiteral("insert into 成绩表 (学校, 姓名, 语文, 数学) values (?, '某', ?, ?)"),
            { school, chinese, maths });
    }
    void AddTeachers(const QString &school, const QString &className, const QString &chinese, const QString &maths)
    {
        Execute(QStringLiteral("insert into 教师表 (学校, 班级, 语文, 数学) values (?, ?, ?, ?)"),
            { school, className, chinese, maths });
    }
    void MakeTables()
    {
        Execute(QStringLiteral("create table 成绩表 (学校 TEXT, 班级 TEXT, 姓名 TEXT, 语文 DOUBLE, 数学 DOUBLE)"));
        Execute(QStringLiteral("create table 教师表 (学校 TEXT, 班级 TEXT, 语文 TEXT, 数学 TEXT)"));
    }
};

// The schools differ between the tables: 二中 has scores but no teachers, 三中 teachers but no
// scores. Each count stays with its own school; the schools read in pinyin order.
TEST_F(ScoreOverviewReportTest, ARowPerSchoolOfEitherTableMatchedByName)
{
    MakeTables();
    AddScore("一中", 90, 80);
    AddScore("一中", QVariant(), 70);
    AddScore("一中", 60, QVariant());
    AddScore("二中", 88, 77);
    AddTeachers("一中", "1班", "王", "李");
    AddTeachers("一中", "2班", "王", "赵");
    AddTeachers("三中", "1班", "陈", "陈");
    Window();
    frmDocument *document = ScoreOverviewReport::cjbxx_Click();
    ASSERT_NE(document, nullptr);
    Grid &grid = *document->Grid1;

    EXPECT_EQ(document->windowTitle(), "基本情况表");
    EXPECT_EQ(TitleBox(*document), "基本情况表");
    EXPECT_EQ(Row(grid, 0), QStringList({ "学校(3)", "班级数", "应考", "语文", "", "", "数学", "", "" }));
    EXPECT_EQ(Row(grid, 1), QStringList({ "", "", "", "参考", "缺考", "教师", "参考", "缺考", "教师" }));
    const QStringList rows[] = {
        { "合 计", "3", "4", "3", "1", "2", "3", "1", "3" },
        { "二中", "0", "1", "1", "0", "0", "1", "0", "0" },
        { "三中", "1", "0", "0", "0", "1", "0", "0", "1" },
        { "一中", "2", "3", "2", "1", "1", "2", "1", "2" },
    };
    ASSERT_EQ(grid.Rows(), 6);
    for (int row = 2; row < grid.Rows(); ++row)
        EXPECT_EQ(Row(grid, row), rows[row - 2]) << "row " << row;
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ScoreOverviewReportTest, HeadersSpanTheirRowsAndColumnsAndThePaperFollowsTheWidth)
{
    MakeTables();
    AddScore("一中", 90, 80);
    Window();
    Grid &grid = *ScoreOverviewReport::cjbxx_Click()->Grid1;

    for (int col = 1; col <= 3; ++col)
        EXPECT_EQ(grid.data().mergeAt(0, col), CellRange::spanning(0, col, 1, col)) << col;
    EXPECT_EQ(grid.data().mergeAt(0, 4), CellRange::spanning(0, 4, 0, 6));
    EXPECT_EQ(grid.data().mergeAt(0, 7), CellRange::spanning(0, 7, 0, 9));
    EXPECT_EQ(grid.RowHeight(0), 28);
    EXPECT_EQ(grid.RowHeight(1), 28);
    EXPECT_EQ(grid.Column(1).Width(), 70);
    EXPECT_EQ(grid.Column(3).Width(), 38);
    EXPECT_EQ(CutTexts(grid.data()), "");
    EXPECT_EQ(grid.Column(9).Alignment(), GridAlignment::Centred);
    EXPECT_EQ(ReportTitleTexts(grid), QStringList({ "基本情况表", "||" }));
    EXPECT_EQ(grid.PageSetup().Orientation, 1);
    EXPECT_EQ(grid.PageSetup().PrintTitleRows, 1);
    EXPECT_TRUE(grid.PageSetup().PrintFixedRow);
}

// A school's name is never cut: its column widens to the name, and the paper follows.
TEST_F(ScoreOverviewReportTest, ALongSchoolNameShowsWhole)
{
    MakeTables();
    for (const char *school : { "O'Hara国际学校", "St. Mary's International School of Shanghai" }) {
        AddScore(school, 90, 80);
        Window();
        Grid &grid = *ScoreOverviewReport::cjbxx_Click()->Grid1;
        EXPECT_EQ(CutTexts(grid.data()), "") << school;
        EXPECT_TRUE(FitsOneSheet(grid)) << school;
        EXPECT_TRUE(grid.AutoRedraw());
    }
}

TEST_F(ScoreOverviewReportTest, MissingTablesOrNoSharedSubjectAreSaid)
{
    frmMain &main = Window();
    StatisticsCommands::Connect(main);
    ASSERT_TRUE(main.Command("cjbxx")->isEnabled());
    main.Command("cjbxx")->trigger();
    Execute(QStringLiteral("create table 成绩表 (学校 TEXT, 姓名 TEXT, 语文 DOUBLE)"));
    main.Command("cjbxx")->trigger();
    Execute(QStringLiteral("create table 教师表 (学校 TEXT, 班级 TEXT, 姓名 TEXT)"));
    main.Command("cjbxx")->trigger();
    EXPECT_EQ(prompts.messageTexts(),
        QStringList({ "数据文件中没有成绩表或教师表，无法生成基本情况表。",
            "数据文件中没有成绩表或教师表，无法生成基本情况表。",
            "成绩表和教师表没有共同的科目列，无法生成基本情况表。" }));
    EXPECT_EQ(OpenDocuments(), 0);
}

} // namespace
