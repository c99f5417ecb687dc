#include "StatisticsFixture.h"
#include "support/PrintedTexts.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "gridview/Grid.h"
#include "griddata/GridData.h"
#include "gridprint/Paginator.h"
#include "statistics/InformationReports.h"
#include "statistics/RoomStatistics.h"
#include "statistics/StatisticsCommands.h"
#include "workspace/CellTextMeasure.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <functional>
#include <QRegularExpression>

namespace {

const QString kNotLoggedIn = QStringLiteral("你还没有登录，请先登录。在菜单：文件/登录 下 登录。");
const QString kFailure
    = QStringLiteral("无法统计各考场人数：当前数据区的考生表不存在，或缺少考场、姓名、学校、班级列。");

class RoomStatisticsTest : public StatisticsFixture {
protected:
    void AddSmallExam();
};

// Schools whose names broke the query when they were its column names; 2中 has nobody in room 2.
void RoomStatisticsTest::AddSmallExam()
{
    struct Examinee {
        const char *school;
        const char *className;
        int room;
    };
    const Examinee examinees[] = {
        { "考场", "1班", 1 },
        { "2中", "1班", 1 },
        { "O'Hara国际学校", "1班", 1 },
        { "O'Hara国际学校", "2班", 2 },
        { "考场", "2班", 2 },
        { "O'Hara国际学校", "1班", 3 },
        { "2中", "1班", 3 },
        { "2中", "2班", 3 },
    };
    int number = 1;
    for (const Examinee &e : examinees) {
        AddExaminee(QString::fromUtf8(e.school), QString::fromUtf8(e.className), QStringLiteral("学生%1").arg(number),
            QStringLiteral("男"), e.room, number);
        ++number;
    }
}

TEST_F(RoomStatisticsTest, CountsEveryRoomPerSchoolUnderTheTotals)
{
    AddSmallExam();
    Window();
    frmDocument *document = RoomStatistics::jinjtj_Click();
    ASSERT_NE(document, nullptr);
    Grid &grid = *document->Grid1;

    // The schools in the Chinese order of the menus.
    EXPECT_EQ(Headers(grid), QStringList({ "考场", "人数", "2中", "考场", "O'Hara国际学校" }));
    const QStringList rows[] = {
        { "合计", "8", "3", "2", "3" },
        { "1", "3", "1", "1", "1" },
        { "2", "2", "0", "1", "1" },
        { "3", "3", "2", "0", "1" },
        { "", "", "", "", "" },
    };
    ASSERT_EQ(grid.Rows(), 6);
    for (int row = 1; row < grid.Rows(); ++row)
        EXPECT_EQ(Row(grid, row), rows[row - 1]) << "row " << row;
    EXPECT_EQ(TitleBox(*document), "考场编排统计表 （3）");
    EXPECT_EQ(document->windowTitle(), "考场编排统计表");
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(RoomStatisticsTest, CompactLayoutGivesEveryColumnTheSameNarrowWidth)
{
    AddSmallExam();
    Window();
    Grid &grid = *RoomStatistics::jinjtj_Click()->Grid1;

    EXPECT_EQ(ReportTitleTexts(grid), QStringList({ "考场编排统计表 （3）" }));
    EXPECT_EQ(grid.ReportTitles().all().first().Font.Size, 14);
    // Every column 38 wide, but O'Hara国际学校's (column 5), whose Latin word cannot wrap.
    for (int col = 1; col < grid.Cols(); ++col) {
        if (col != 5) {
            EXPECT_EQ(grid.Column(col).Width(), 38) << col;
        }
        EXPECT_EQ(grid.Column(col).Mask(), MaskNumber) << col;
        EXPECT_EQ(grid.Column(col).Alignment(), GridAlignment::Centred) << col;
        EXPECT_TRUE(grid.Cell(0, col).WrapText()) << col;
    }
    EXPECT_TRUE(grid.AutoRedraw());
    const PageSetup &page = grid.PageSetup();
    EXPECT_EQ(page.Orientation, 1);
    EXPECT_EQ(page.LeftMargin, 1);
    EXPECT_EQ(page.RightMargin, 1);
    EXPECT_EQ(page.HeaderMargin, 1);
    EXPECT_EQ(page.FooterMargin, 1);
    EXPECT_EQ(page.PrintTitleRows, 0);
    EXPECT_TRUE(page.PrintFixedRow && page.PrintGridlines && page.BlackAndWhite && page.CenterHorizontally);
    EXPECT_EQ(page.Footer, "共&n页  第&p页");
}

// The header is 45 high, or more when a school's name needs more lines in its narrow column.
TEST_F(RoomStatisticsTest, TheHeaderHoldsEverySchoolsNameWhole)
{
    AddExaminee("一中", "1班", "甲", "男", 1, 1);
    Window();
    EXPECT_EQ(RoomStatistics::AllSchools()->Grid1->RowHeight(0), 45);
    AddExaminee("O'Hara国际学校第一分校", "1班", "乙", "男", 1, 2);
    Grid &grid = *RoomStatistics::AllSchools()->Grid1;
    EXPECT_GT(grid.RowHeight(0), 45);
    EXPECT_GE(grid.RowHeight(0), CellTextMeasure(grid.data()).heightNeeded(0, 4, grid.Column(4).Width()));
}

// A Latin word in a school's name cannot wrap: its column is as wide as the word, on screen and
// on paper, where a 38-pixel column cut "O'Hara" to ")'Hara".
TEST_F(RoomStatisticsTest, ASchoolsLatinWordIsNeverCut)
{
    const char *schools[] = { "O'Hara国际学校", "St. Mary's International School", "一中" };
    int number = 0;
    for (const char *school : schools)
        AddExaminee(QString::fromUtf8(school), "1班", "某", "男", 1, ++number);
    Window();
    Grid &grid = *RoomStatistics::AllSchools()->Grid1;
    const QRegularExpression latinWord(QStringLiteral("[A-Za-z'.]+"));
    int widened = 0;
    for (int col = 3; col < grid.Cols(); ++col) {
        const QString school = grid.Cell(0, col).text();
        if (school == QStringLiteral("一中")) {
            EXPECT_EQ(grid.Column(col).Width(), 38) << "a Chinese name wraps anywhere";
        }
        widened += grid.Column(col).Width() > 38;
        GridData probe = grid.data();
        for (auto words = latinWord.globalMatch(school); words.hasNext();) {
            const QString word = words.next().captured();
            probe.setText(0, col, word);
            EXPECT_LE(CellTextMeasure(probe).widthNeeded(0, col), grid.Column(col).Width())
                << school.toStdString() << ": " << word.toStdString();
        }
        EXPECT_GE(grid.RowHeight(0), CellTextMeasure(grid.data()).heightNeeded(0, col, grid.Column(col).Width()));
    }
    EXPECT_EQ(widened, 2);
}

// The reports with their own column widths (a school 120, a class 70, a count 45) widen one to
// the name it holds.
TEST_F(RoomStatisticsTest, EveryReportShowsALongNameWhole)
{
    AddExaminee("St. Mary's International School of Shanghai", "Baccalaureate", "甲", "男", 1, 1);
    AddExaminee("St. Mary's International School of Shanghai", "International Baccalaureate Diploma", "乙", "女",
        2, 2);
    Window();
    const struct {
        const char *report;
        std::function<frmDocument *()> open;
    } reports[] = {
        { "全面统计", [] { return RoomStatistics::OneSchool("St. Mary's International School of Shanghai"); } },
        { "按班级", [] { return InformationReports::anbj_Click(); } },
        { "按学校", [] { return InformationReports::anxx_Click(); } },
    };
    for (const auto &report : reports) {
        Grid &grid = *report.open()->Grid1;
        EXPECT_EQ(CutTexts(grid.data()), "") << report.report;
        EXPECT_TRUE(FitsOneSheet(grid)) << report.report;
    }
}

// Many schools narrow the columns to the paper: the room comes from the count columns' spare,
// never from a name (narrowing every column alike cut O'Hara's column below its word).
TEST_F(RoomStatisticsTest, NarrowedToThePaperNoNameIsCut)
{
    int number = 0;
    AddExaminee("O'Hara国际学校", "1班", "某", "男", 1, ++number);
    for (int school = 1; school < 30; ++school)
        AddExaminee(QStringLiteral("学校%1").arg(school, 2, 10, QChar('0')), "1班", "某", "男", 1, ++number);
    Window();
    Grid &grid = *RoomStatistics::AllSchools()->Grid1;
    EXPECT_EQ(CutTexts(grid.data()), "");
    EXPECT_TRUE(FitsOneSheet(grid));
}

// Landscape from 21 columns after the row-number column on; a portrait table a little too wide
// for A4 is narrowed to fit it, and one far too wide keeps columns a count can be read in.
TEST_F(RoomStatisticsTest, OrientationFollowsTheColumnCountAndTheTableFitsItsPaper)
{
    const struct {
        int schools;
        int orientation;
        bool fitsOneSheet;
    } cases[] = {
        { 17, 1, true },
        { 18, 1, true },
        { 19, 2, true },
        { 22, 2, true },
        { 60, 2, false },
    };
    int number = 0;
    int made = 0;
    for (const auto &c : cases) {
        for (; made < c.schools; ++made)
            AddExaminee(QStringLiteral("学校%1").arg(made, 2, 10, QChar('0')), "1班", "某", "男", 1, ++number);
        Window();
        Grid &grid = *RoomStatistics::AllSchools()->Grid1;
        ASSERT_EQ(grid.Cols() - 1, c.schools + 2);
        EXPECT_EQ(grid.PageSetup().Orientation, c.orientation) << c.schools << " schools";
        int width = 0;
        for (int col = 1; col < grid.Cols(); ++col) {
            width += grid.Column(col).Width();
            EXPECT_GE(grid.Column(col).Width(), 30);
        }
        const PageSetup &page = grid.PageSetup();
        const double printable = Paginator::paperSize(page).width() - Paginator::fromCm(page.LeftMargin)
            - Paginator::fromCm(page.RightMargin);
        EXPECT_EQ(width <= printable, c.fitsOneSheet) << c.schools << " schools";
    }
}

TEST_F(RoomStatisticsTest, BlankSchoolsShareOneColumnOfTheirOwn)
{
    AddExaminee(QVariant(), "1班", "甲", "男", 1, 1);
    AddExaminee("", "1班", "乙", "男", 1, 2);
    AddExaminee("一中", "1班", "丙", "男", 2, 3);
    Window();
    Grid &grid = *RoomStatistics::AllSchools()->Grid1;
    EXPECT_EQ(Headers(grid), QStringList({ "考场", "人数", RoomStatistics::kBlankSchool, "一中" }));
    EXPECT_EQ(Row(grid, 1), QStringList({ "合计", "3", "2", "1" }));
    EXPECT_EQ(Row(grid, 2), QStringList({ "1", "2", "2", "0" }));
}

// 人数 and 学生数 count names; a school or class column counts rows. The totals row agrees with
// the rows under it.
TEST_F(RoomStatisticsTest, AnExamineeWithoutANameCountsInHisSchoolOnly)
{
    AddExaminee("一中", "1班", QVariant(), "男", 1, 1);
    AddExaminee("一中", "1班", "", "男", 1, 2);
    Window();
    for (Grid *grid : { RoomStatistics::AllSchools()->Grid1, RoomStatistics::OneSchool("一中")->Grid1 }) {
        EXPECT_EQ(Row(*grid, 1), QStringList({ "合计", "1", "2" }));
        EXPECT_EQ(Row(*grid, 2), QStringList({ "1", "1", "2" }));
    }
    Grid &bySchool = *InformationReports::anxx_Click()->Grid1;
    EXPECT_EQ(Row(bySchool, 1), QStringList({ "合计", "1", "2", "0" }));
    EXPECT_EQ(Row(bySchool, 2), QStringList({ "一中", "1", "2", "0" }));
}

TEST_F(RoomStatisticsTest, AnEmptyTableGivesTheHeaderTheZeroTotalAndTheEmptyRow)
{
    Window();
    frmDocument *document = RoomStatistics::AllSchools();
    ASSERT_NE(document, nullptr);
    Grid &grid = *document->Grid1;
    EXPECT_EQ(Headers(grid), QStringList({ "考场", "人数" }));
    ASSERT_EQ(grid.Rows(), 3);
    EXPECT_EQ(Row(grid, 1), QStringList({ "合计", "0" }));
    EXPECT_EQ(Row(grid, 2), QStringList({ "", "" }));
    EXPECT_EQ(TitleBox(*document), "考场编排统计表 [没有记录]");
}

TEST_F(RoomStatisticsTest, OneSchoolCountsItsClassesUnderTheirNames)
{
    AddSmallExam();
    AddExaminee("O'Hara国际学校", "' or 1=1 --", "丁", "女", 2, 20);
    AddExaminee("O'Hara国际学校", QVariant(), "戊", "女", 3, 21);
    Window();
    frmDocument *document = RoomStatistics::OneSchool("O'Hara国际学校");
    ASSERT_NE(document, nullptr);
    Grid &grid = *document->Grid1;

    EXPECT_EQ(Headers(grid), QStringList({ "考场", "人数", RoomStatistics::kBlankClass, "' or 1=1 --", "1班", "2班" }));
    EXPECT_EQ(Row(grid, 1), QStringList({ "合计", "5", "1", "1", "2", "1" }));
    EXPECT_EQ(Row(grid, 2), QStringList({ "1", "1", "0", "0", "1", "0" }));
    EXPECT_EQ(Row(grid, 3), QStringList({ "2", "2", "0", "1", "0", "1" }));
    EXPECT_EQ(Row(grid, 4), QStringList({ "3", "2", "1", "0", "1", "0" }));
    EXPECT_EQ(TitleBox(*document), "O'Hara国际学校考场编排统计表 （3）");
    // The statistics layout: the title box and the second line.
    EXPECT_EQ(ReportTitleTexts(grid), QStringList({ "O'Hara国际学校考场编排统计表 （3）", "||" }));
}

TEST_F(RoomStatisticsTest, WithoutAnExamineeTableOneMessageAndNoDocument)
{
    Execute(QStringLiteral("drop table ") + db::QuoteName(gExamineeTable));
    Window();
    EXPECT_EQ(RoomStatistics::AllSchools(), nullptr);
    EXPECT_EQ(RoomStatistics::OneSchool("一中"), nullptr);
    EXPECT_EQ(prompts.messageTexts(), QStringList({ kFailure, kFailure }));
    EXPECT_EQ(OpenDocuments(), 0);
}

TEST_F(RoomStatisticsTest, NobodyLoggedInGetsTheMessageOnlyAndItemZeroDoesNothing)
{
    AddSmallExam();
    frmMain &main = Window();
    StatisticsCommands::Connect(main);
    gLoggedIn = false;
    main.Command("jinjtj")->trigger();
    main.MenuItem("tjschoo", 1)->trigger();
    main.MenuItem("tjschoo", 0)->trigger();
    EXPECT_EQ(prompts.messageTexts(), QStringList({ kNotLoggedIn, kNotLoggedIn }));
    for (const auto &shown : prompts.messages)
        EXPECT_EQ(shown.offered, QMessageBox::Ok);
    EXPECT_EQ(OpenDocuments(), 0);
}

TEST_F(RoomStatisticsTest, TheMenuItemsAreEnabledAndOpenTheirReports)
{
    AddSmallExam();
    frmMain &main = Window();
    StatisticsCommands::Connect(main);
    ASSERT_TRUE(main.Command("jinjtj")->isEnabled());
    ASSERT_TRUE(main.Command("qmtj")->isEnabled());

    main.Command("jinjtj")->trigger();
    EXPECT_EQ(TitleBox(*main.ActiveForm()), "考场编排统计表 （3）");
    int item = 1;
    while (item < main.MenuItemCount("tjschoo") && main.MenuItem("tjschoo", item)->data() != "O'Hara国际学校")
        ++item;
    ASSERT_LT(item, main.MenuItemCount("tjschoo"));
    main.MenuItem("tjschoo", item)->trigger();
    EXPECT_EQ(TitleBox(*main.ActiveForm()), "O'Hara国际学校考场编排统计表 （3）");
    EXPECT_EQ(OpenDocuments(), 2);
}

// Every report numbers its rows but the empty one after the last record, as the lists do: a
// totals row and 2 rooms, or 2 classes, or 2 schools, then no "6" or "4" under them.
TEST_F(RoomStatisticsTest, TheTrailingEmptyRowOfEveryReportHasNoNumber)
{
    AddExaminee("一中", "1班", "甲", "男", 1, 1);
    AddExaminee("一中", "2班", "乙", "女", 2, 2);
    AddExaminee("二中", "1班", "丙", "男", 2, 3);
    Window();
    const struct {
        const char *report;
        std::function<frmDocument *()> open;
    } reports[] = {
        { "精简统计", [] { return RoomStatistics::AllSchools(); } },
        { "全面统计", [] { return RoomStatistics::OneSchool(QStringLiteral("一中")); } },
        { "按班级", [] { return InformationReports::anbj_Click(); } },
        { "按学校", [] { return InformationReports::anxx_Click(); } },
    };
    for (const auto &report : reports) {
        frmDocument *document = report.open();
        ASSERT_NE(document, nullptr) << report.report;
        Grid &grid = *document->Grid1;
        ASSERT_GE(grid.Rows(), 3) << report.report;
        EXPECT_TRUE(grid.DisplayRowIndex()) << report.report;
        for (int row = 1; row < grid.Rows(); ++row)
            EXPECT_EQ(grid.RowIndexHidden(row), row == grid.Rows() - 1) << report.report << " row " << row;
    }
}

// Through the menus as a user opens them: a click on 全面统计 in the shown 统计 menu opens the
// schools below it (a greyed item opened nothing, whatever its action said).
TEST_F(RoomStatisticsTest, AClickOn全面统计OpensTheSchools)
{
    AddSmallExam();
    frmMain &main = Window();
    StatisticsCommands::Connect(main);
    main.show();
    QMenu *statistics = main.Command("dctj")->menu();
    QMenu *schools = main.Command("qmtj")->menu();
    ASSERT_TRUE(statistics && schools);
    statistics->popup(main.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(statistics));
    const QRect item = statistics->actionGeometry(main.Command("qmtj"));
    QTest::mouseMove(statistics, item.center());
    QTest::mouseClick(statistics, Qt::LeftButton, Qt::NoModifier, item.center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return schools->isVisible(); }, 2000));
    EXPECT_TRUE(schools->isEnabled());
    statistics->close();
}

} // namespace
