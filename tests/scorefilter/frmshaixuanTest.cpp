#include "support/Control.h"
#include "workspace/MainWindowFixture.h"

#include "gridview/Grid.h"
#include "griddata/GridBlock.h"
#include "gridview/GridCopyBuffer.h"
#include "scorefilter/FilterCommands.h"
#include "scorefilter/frmshaixuan.h"
#include "workspace/frmDocument.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

QStringList List(const char *commaList)
{
    return QString::fromUtf8(commaList).split(u',');
}

// A score list in a document of the main window and 编辑/筛选 wired, nobody logged in.
class ScoreFilter : public MainWindowFixture {
protected:
    ScoreFilter()
    {
        openWindow();
        FilterCommands::Connect(*window);
    }
    ~ScoreFilter() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A document holding `header` and then `rows` (each "a|b|c"), with the empty last row of a
    // filled list.
    frmDocument &AddList(const char *header, const QStringList &rows)
    {
        frmDocument &document = *window->LoadNewDoc();
        Grid &grid = *document.Grid1;
        const QStringList headers = List(header);
        grid.SetCols(int(headers.size()) + 1);
        grid.SetRows(int(rows.size()) + 2);
        for (int col = 1; col <= headers.size(); ++col)
            grid.Cell(0, col).SetText(headers[col - 1]);
        for (int row = 1; row <= rows.size(); ++row) {
            const QStringList cells = rows[row - 1].split(u'|');
            for (int col = 1; col <= cells.size(); ++col)
                grid.Cell(row, col).SetText(cells[col - 1]);
        }
        return document;
    }

    frmshaixuan &OpenFilter()
    {
        window->Command("shaixwan")->trigger();
        return *frmshaixuan::Instance();
    }

    static QStringList Items(QComboBox *box)
    {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }

    // The body rows of the active document as "a|b|c".
    QStringList Rows() const
    {
        Grid &grid = *window->ActiveForm()->Grid1;
        QStringList rows;
        for (int row = 1; row < grid.Rows(); ++row) {
            QStringList cells;
            for (int col = 1; col < grid.Cols(); ++col)
                cells << grid.Cell(row, col).text();
            rows << cells.join(u'|');
        }
        return rows;
    }

    // Chooses as a user does and presses 确 定.
    void Choose(frmshaixuan &filter, const QString &school, const QString &schoolClass)
    {
        Control<QComboBox>(filter, "Combo1")->setCurrentText(school);
        Control<QComboBox>(filter, "Combo2")->setCurrentText(schoolClass);
        QTest::mouseClick(Control<QPushButton>(filter, "Command1"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int Documents() const { return int(window->MdiArea()->subWindowList().size()); }
};

const QStringList kSorted { "一中|1|张三|90", "一中|1|李四|80", "一中|3|王五|70", "二中|1|赵六|60", "二中|2|钱七|50" };
const QStringList kUnsorted { "一中|3|张三|90", "二中|1|李四|80", "一中|1|王五|70", " 一中 | 3|赵六|60",
    "二中|1|钱七|50", "|1|孙八|40" };

TEST_F(ScoreFilter, ListsSchoolsOnceAndTheClassesOfTheChosenOne)
{
    const struct {
        const char *what;
        QStringList rows;
        const char *schools;
        const char *classesOfFirst;
        const char *classesOfSecond;
    } cases[] = {
        { "sorted", kSorted, "一中,二中", ",1,3", ",1,2" },
        { "unsorted, padded and blank schools", kUnsorted, "一中,二中", ",3,1", ",1" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        AddList("学校,班级,姓名,成绩", c.rows);
        frmshaixuan &filter = OpenFilter();
        EXPECT_EQ(Items(Control<QComboBox>(filter, "Combo1")), List(c.schools));
        EXPECT_EQ(Items(Control<QComboBox>(filter, "Combo2")), List(c.classesOfFirst));
        Control<QComboBox>(filter, "Combo1")->setCurrentIndex(1);
        EXPECT_EQ(Items(Control<QComboBox>(filter, "Combo2")), List(c.classesOfSecond));
        filter.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ScoreFilter, OkCopiesExactlyTheChosenRows)
{
    const struct {
        const char *what;
        QStringList rows;
        const char *school;
        const char *schoolClass;
        QStringList expected;
        const char *title;
    } cases[] = {
        { "a sorted list, one school", kSorted, "二中", "", { "二中|1|赵六|60", "二中|2|钱七|50" }, "二中成绩表" },
        { "a sorted list, one class", kSorted, "一中", "1", { "一中|1|张三|90", "一中|1|李四|80" }, "一中1成绩表" },
        { "an unsorted list: no other school's rows", kUnsorted, "一中", "",
            { "一中|3|张三|90", "一中|1|王五|70", " 一中 | 3|赵六|60" }, "一中成绩表" },
        { "an unsorted list, one class", kUnsorted, "一中", "3", { "一中|3|张三|90", " 一中 | 3|赵六|60" },
            "一中3成绩表" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        frmDocument &source = AddList("学校,班级,姓名,成绩", c.rows);
        const int before = Documents();
        Choose(OpenFilter(), QString::fromUtf8(c.school), QString::fromUtf8(c.schoolClass));
        EXPECT_EQ(frmshaixuan::Instance(), nullptr);
        ASSERT_EQ(Documents(), before + 1);
        frmDocument &result = *window->ActiveForm();
        ASSERT_NE(&result, &source);
        EXPECT_EQ(Rows(), c.expected);
        Grid &grid = *result.Grid1;
        EXPECT_EQ((QStringList {
                      grid.Cell(0, 1).text(), grid.Cell(0, 2).text(), grid.Cell(0, 3).text(), grid.Cell(0, 4).text() }),
            List("学校,班级,姓名,成绩"));
        EXPECT_EQ(result.Text1->text(), QString::fromUtf8(c.title));
        EXPECT_EQ(result.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_TRUE(grid.DisplayRowIndex());
        // Laid out as a list report, titled by the title box.
        ASSERT_FALSE(grid.ReportTitles().all().empty());
        EXPECT_EQ(grid.ReportTitles().all().front().text, QString::fromUtf8(c.title));
        EXPECT_EQ(grid.PageSetup().Footer, "共&n页  第&p页");
        // The source is left as it was.
        EXPECT_EQ(source.Grid1->Rows(), int(c.rows.size()) + 2);
        EXPECT_EQ(source.Grid1->Cell(1, 3).text(), c.rows.first().split(u'|').at(2));
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Titles, a room's location line, totals and empty rows are neither offered nor copied.
TEST_F(ScoreFilter, OnlyRowsHoldingAnExamineeCount)
{
    const struct {
        const char *what;
        const char *header;
        QStringList rows;
        std::function<void(Grid &)> merge;
        const char *schools;
        const char *chosen;
        QStringList expected;
    } cases[] = {
        { "a room list's location line", "学校,班级,姓名,考号", { "一中|1|甲|001", "二中|2|乙|002", "考场地点||楼1|" },
            [](Grid &grid) {
                grid.Range(3, 1, 3, 2).Merge();
                grid.Range(3, 3, 3, 4).Merge();
            },
            "一中,二中", "二中", { "二中|2|乙|002" } },
        { "the 按学校 report's totals row", "学校,学生数,男生,女生", { "合计|3|2|1", "一中|2|1|1", "二中|1|1|0" },
            [](Grid &) {}, "一中,二中", "一中", { "一中|2|1|1" } },
        { "a title merged across and a spaced 合 计", "学校,班级,姓名", { "一中||", "一中|1|甲", "一中|合 计|1" },
            [](Grid &grid) { grid.Range(1, 1, 1, 3).Merge(); }, "一中", "一中", { "一中|1|甲" } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.merge(*AddList(c.header, c.rows).Grid1);
        frmshaixuan &filter = OpenFilter();
        EXPECT_EQ(Items(Control<QComboBox>(filter, "Combo1")), List(c.schools));
        Choose(filter, QString::fromUtf8(c.chosen), QString());
        EXPECT_EQ(Rows(), c.expected);
    }
}

TEST_F(ScoreFilter, HiddenColumnsStayHiddenAndShownOnesShown)
{
    frmDocument &source = AddList("学校,班级,姓名,成绩", kSorted);
    source.Grid1->Column(2).SetWidth(0);
    Choose(OpenFilter(), "一中", "");
    Grid &grid = *window->ActiveForm()->Grid1;
    EXPECT_EQ(grid.Column(2).Width(), 0);
    for (int col : { 1, 3, 4 }) {
        SCOPED_TRACE(col);
        EXPECT_GT(grid.Column(col).Width(), 0);
    }
}

TEST_F(ScoreFilter, NothingToCopyIsSaidAndMakesNoDocument)
{
    const struct {
        const char *what;
        const char *header;
        QStringList rows;
        const char *message;
    } cases[] = {
        { "no row of the chosen school", "学校,班级,姓名", { "三中|1|甲" },
            "当前名单中没有所选学校、班级的记录，没有生成新名单。" },
        { "no class of that name there", "学校,班级,姓名", { "一中|2|甲" },
            "当前名单中没有所选学校、班级的记录，没有生成新名单。" },
        { "no 学校 column", "单位,班级,姓名", { "一中|1|甲" }, "当前名单没有“学校”列，无法筛选。" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        AddList("学校,班级,姓名,成绩", kSorted);
        frmshaixuan &filter = OpenFilter();
        Control<QComboBox>(filter, "Combo1")->setCurrentText("一中");
        Control<QComboBox>(filter, "Combo2")->setCurrentText("1");
        // The user turns to another document before pressing 确 定.
        AddList(c.header, c.rows);
        const int before = Documents();
        prompts.messages.clear();
        QTest::mouseClick(Control<QPushButton>(filter, "Command1"), Qt::LeftButton);
        EXPECT_EQ(prompts.messageTexts(), QStringList { QString::fromUtf8(c.message) });
        EXPECT_EQ(Documents(), before);
        ASSERT_EQ(frmshaixuan::Instance(), &filter);
        filter.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ScoreFilter, ColumnsAreFoundOnTheDocumentActiveAtOk)
{
    AddList("学校,班级,姓名", { "一中|1|甲", "二中|1|乙" });
    frmshaixuan &filter = OpenFilter();
    Control<QComboBox>(filter, "Combo1")->setCurrentText("二中");
    AddList("姓名,成绩,班级,学校  ", { "丙|70|1|一中", "丁|60|1|二中", "戊|50|2|二中" });
    Choose(filter, "二中", "1");
    EXPECT_EQ(Rows(), QStringList({ "丁|60|1|二中" }));
}

TEST_F(ScoreFilter, NoDocumentOpenIsSaid)
{
    frmshaixuan &filter = OpenFilter();
    EXPECT_EQ(Control<QComboBox>(filter, "Combo1")->count(), 0);
    QTest::mouseClick(Control<QPushButton>(filter, "Command1"), Qt::LeftButton);
    EXPECT_EQ(prompts.messageTexts(), QStringList { "没有打开的名单，无法筛选。" });
    EXPECT_EQ(Documents(), 0);
}

TEST_F(ScoreFilter, NeedsNoLoginOpensOnceAndCancelCloses)
{
    AddList("学校,班级,姓名,成绩", kSorted);
    EXPECT_TRUE(window->Command("shaixwan")->isEnabled());
    frmshaixuan &filter = OpenFilter();
    EXPECT_EQ(filter.windowTitle(), "筛选");
    EXPECT_FALSE(filter.isModal());
    Control<QComboBox>(filter, "Combo1")->setCurrentIndex(1);
    EXPECT_EQ(&OpenFilter(), &filter);
    EXPECT_EQ(Control<QComboBox>(filter, "Combo1")->currentIndex(), 1);
    const int before = Documents();
    QTest::mouseClick(Control<QPushButton>(filter, "Command2"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmshaixuan::Instance(), nullptr);
    EXPECT_EQ(Documents(), before);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// The rows go over with their looks and merges; what the user copied before stays in the copy
// buffer.
TEST_F(ScoreFilter, CopiesLooksAndLeavesTheCopyBufferAlone)
{
    frmDocument &source = AddList("学校,班级,姓名,成绩", kSorted);
    source.Grid1->Range(1, 3, 2, 3).Merge();
    source.Grid1->Range(3, 4, 3, 4).SetFontBold(true);
    source.Grid1->Range(5, 1, 5, 1).CopyData();
    Choose(OpenFilter(), "一中", "");
    Grid &grid = *window->ActiveForm()->Grid1;
    EXPECT_TRUE(grid.Range(1, 3, 2, 3).MergeCells());
    EXPECT_TRUE(grid.Cell(3, 4).Font().bold());
    EXPECT_EQ(GridCopyBuffer::block().text(0, 0), "二中");
}

} // namespace
