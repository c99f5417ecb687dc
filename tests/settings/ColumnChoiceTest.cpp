#include "SettingsFixture.h"
#include "support/Control.h"

#include "datastore/AppState.h"
#include "gridview/Grid.h"
#include "lists/RoomList.h"
#include "settings/shezifrm.h"
#include "workspace/frmDocument.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

namespace {

using ColumnChoice = SettingsFixture;

const QString kNo = QStringLiteral("不显示");

QStringList List(const char *commaList)
{
    return QString::fromUtf8(commaList).split(u',');
}

// The fresh table's fields are 学校,班级,姓名,性别,成绩,考场,考号,座位号.
TEST_F(ColumnChoice, LoadShowsTheStoredList)
{
    const struct {
        const char *what;
        QVariant stored;
        const char *ticks;
        const char *orders;
    } cases[] = {
        { "every field in field order", "1,2,3,4,5,6,7,8", "1,1,1,1,1,1,1,1", "1,2,3,4,5,6,7,8" },
        { "hidden and reordered", "3,0,1,0,0,2,0,0", "1,0,1,0,0,1,0,0", "3,不显示,1,不显示,不显示,2,不显示,不显示" },
        { "a shorter list leaves the fields beyond it hidden", "2,1", "1,1,0,0,0,0,0,0",
            "2,1,不显示,不显示,不显示,不显示,不显示,不显示" },
        { "Null", QVariant(), "0,0,0,0,0,0,0,0", "不显示,不显示,不显示,不显示,不显示,不显示,不显示,不显示" },
        { "empty", "", "0,0,0,0,0,0,0,0", "不显示,不显示,不显示,不显示,不显示,不显示,不显示,不显示" },
        { "entries kept as written, non-numbers hidden", " 2,x,1,0,0,0,0,0", "1,0,1,0,0,0,0,0",
            " 2,不显示,1,不显示,不显示,不显示,不显示,不显示" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        StoreSetting(c.stored);
        ASSERT_NE(OpenSettings(), nullptr);
        EXPECT_EQ(GridColumn(1), List(c.ticks));
        EXPECT_EQ(GridColumn(2), List("学校,班级,姓名,性别,成绩,考场,考号,座位号"));
        EXPECT_EQ(GridColumn(3), List(c.orders));
        settingsWindow->close();
        DeliverDeletes();
    }
}

TEST_F(ColumnChoice, LoadBuildsTheGridAndTheCurrentLine)
{
    gExamRoomColumns = "姓名,考号";
    OpenSettings();
    Grid &grid = Grid1();
    EXPECT_EQ(Control<QLabel>(settingsWindow, "Label6")->text(), "当前显示：  姓名,考号");
    EXPECT_EQ(Control<QLabel>(settingsWindow, "Label1")->text(), "在显示顺序中直接输入该项目显示的顺序.");
    EXPECT_EQ(Control<QTabWidget>(settingsWindow, "SSTab1")->currentIndex(), 0);
    EXPECT_EQ(Control<QTabWidget>(settingsWindow, "SSTab1")->tabText(0), "编排表输出显示");
    EXPECT_EQ(Control<QTabWidget>(settingsWindow, "SSTab1")->tabText(1), "打印预览表标题");
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.Rows(), 9);
    EXPECT_EQ(
        (QList<int> { grid.Column(0).Width(), grid.Column(1).Width(), grid.Column(2).Width(), grid.Column(3).Width() }),
        (QList<int> { 30, 60, 80, 60 }));
    EXPECT_EQ((QStringList { grid.Cell(0, 1).text(), grid.Cell(0, 2).text(), grid.Cell(0, 3).text() }),
        List("是否显示,列名,输出顺序"));
    EXPECT_EQ(grid.Column(1).CellType(), CellTypeCheckBox);
}

// What the user does in the grid, and the orders and ticks it leaves.
struct GridCase {
    const char *what;
    const char *stored;
    std::function<void(SettingsFixture &)> act;
    const char *ticks;
    const char *orders;
};

TEST_F(ColumnChoice, ClicksAndTypingRenumberAndSwap)
{
    const GridCase cases[] = {
        { "unticking one renumbers the shown ones in grid order", "1,2,3,4,0,0,0,0",
            [](SettingsFixture &f) { f.Click(2, 1); }, "1,0,1,1,0,0,0,0", "1,不显示,2,3,不显示,不显示,不显示,不显示" },
        { "ticking replaces typed orders by a fresh numbering", "3,1,2,0,0,0,0,0",
            [](SettingsFixture &f) { f.Click(5, 1); }, "1,1,1,0,1,0,0,0", "1,2,3,不显示,4,不显示,不显示,不显示" },
        { "the space bar toggles and renumbers too", "1,2,0,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(3, 1);
                f.Key(Qt::Key_Space);
                f.Key(Qt::Key_Down);
                f.Key(Qt::Key_Space);
            },
            "1,1,0,1,0,0,0,0", "1,2,不显示,3,不显示,不显示,不显示,不显示" },
        { "1 typed over the 3 of 1,2,3 gives the first row the 3", "1,2,3,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(3, 3);
                f.Type("1");
                f.Click(5, 2);
            },
            "1,1,1,0,0,0,0,0", "3,2,1,不显示,不显示,不显示,不显示,不显示" },
        { "the swap also on leaving by Enter", "1,2,3,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(1, 3);
                f.Type("2");
                f.Key(Qt::Key_Return);
            },
            "1,1,1,0,0,0,0,0", "2,1,3,不显示,不显示,不显示,不显示,不显示" },
        { "5 over the 3 of 1,2,3,4 changes no other row", "1,2,3,4,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(3, 3);
                f.Type("5");
                f.Click(1, 2);
            },
            "1,1,1,1,0,0,0,0", "1,2,5,4,不显示,不显示,不显示,不显示" },
        { "reached by the arrow keys, a cell swaps with its own old number", "1,2,3,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(1, 3);
                f.Key(Qt::Key_Down);
                f.Key(Qt::Key_Down);
                f.Type("1");
                f.Key(Qt::Key_Up);
            },
            "1,1,1,0,0,0,0,0", "3,2,1,不显示,不显示,不显示,不显示,不显示" },
        { "a number typed over 不显示 takes nobody's place", "1,2,0,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(1, 3);
                f.Click(3, 3);
                f.Type("1");
                f.Click(5, 2);
            },
            "1,1,0,0,0,0,0,0", "1,2,1,不显示,不显示,不显示,不显示,不显示" },
        { "moving on after a swap swaps nothing more", "1,2,3,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(3, 3);
                f.Type("1");
                f.Key(Qt::Key_Up); // 3,2,1
                f.Key(Qt::Key_Up);
                f.Key(Qt::Key_Down);
            },
            "1,1,1,0,0,0,0,0", "3,2,1,不显示,不显示,不显示,不显示,不显示" },
    };
    for (const GridCase &c : cases) {
        SCOPED_TRACE(c.what);
        StoreSetting(QString::fromUtf8(c.stored));
        OpenSettings();
        c.act(*this);
        EXPECT_EQ(GridColumn(1), List(c.ticks));
        EXPECT_EQ(GridColumn(3), List(c.orders));
        settingsWindow->close();
        DeliverDeletes();
    }
}

// 确 定 on tab 0: what it says, what it stores, and whether the window stays.
TEST_F(ColumnChoice, OkChecksEveryPlaceAndStores)
{
    const struct {
        const char *what;
        QVariant stored;
        std::function<void(SettingsFixture &)> act;
        const char *message; // "" when none
        const char *storedAfter;
        const char *columnsAfter; // "" when unchanged
    } cases[] = {
        { "orders 2,3,10 miss the 1", "2,3,10,0,0,0,0,0", [](SettingsFixture &) {}, "显示顺序中没有第 1 请重新设置",
            "2,3,10,0,0,0,0,0", "" },
        { "5 typed over the 3 misses the 3", "1,2,3,4,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(3, 3);
                f.Type("5");
                f.Click(1, 2);
            },
            "显示顺序中没有第 3 请重新设置", "1,2,3,4,0,0,0,0", "" },
        { "a doubled number misses another", "1,1,0,0,0,0,0,0", [](SettingsFixture &) {},
            "显示顺序中没有第 2 请重新设置", "1,1,0,0,0,0,0,0", "" },
        { "nothing ticked is refused", "1,2,0,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(1, 1);
                f.Click(2, 1);
            },
            "请至少选择一列显示，否则各个名单将没有内容。", "1,2,0,0,0,0,0,0", "" },
        { "3,2,1 is stored and read back", "1,2,3,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(3, 3);
                f.Type("1");
                f.Click(5, 2);
            },
            "", "3,2,1,0,0,0,0,0", "姓名,班级,学校" },
        { "a shorter stored list comes back one entry per field", "2,1", [](SettingsFixture &) {}, "",
            "2,1,0,0,0,0,0,0", "班级,学校" },
        { "two hidden, two exchanged", "1,2,3,4,5,6,7,8",
            [](SettingsFixture &f) {
                f.Click(4, 1); // 性别
                f.Click(5, 1); // 成绩
                f.Click(6, 3); // 考场, now 4
                f.Type("5");
                f.Click(1, 2); // 考号 had 5
            },
            "", "1,2,3,0,0,5,4,6", "学校,班级,姓名,考号,考场,座位号" },
        { "an edit still open counts", "2,1,0,0,0,0,0,0",
            [](SettingsFixture &f) {
                f.Click(1, 3);
                f.Type("1");
            },
            "显示顺序中没有第 2 请重新设置", "2,1,0,0,0,0,0,0", "" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        StoreSetting(c.stored);
        gExamRoomColumns = "before";
        prompts.messages.clear();
        OpenSettings();
        c.act(*this);
        Control<QPushButton>(settingsWindow, "Command1")->click();
        DeliverDeletes();
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(prompts.messageTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        for (const auto &shown : prompts.messages) {
            EXPECT_EQ(shown.title, QGuiApplication::applicationDisplayName());
            EXPECT_EQ(shown.offered, QMessageBox::Ok);
        }
        EXPECT_EQ(StoredSetting(), QString::fromUtf8(c.storedAfter));
        const QString columns = QString::fromUtf8(c.columnsAfter);
        EXPECT_EQ(gExamRoomColumns, columns.isEmpty() ? QStringLiteral("before") : columns);
        // Stored: the window is gone; refused: it stays for the user to correct.
        EXPECT_EQ(shezifrm::Instance() == nullptr, message.isEmpty());
        if (shezifrm::Instance())
            shezifrm::Instance()->close();
        DeliverDeletes();
    }
}

TEST_F(ColumnChoice, TheNextListShowsTheChosenColumnsInTheirOrder)
{
    AddExaminee("一中", "3", "张三", 1, 101);
    AddExaminee("二中", "1", "李四", 1, 102);
    StoreSetting("1,2,3,4,5,6,7,8");
    OpenSettings();
    Click(4, 1); // 性别
    Click(5, 1); // 成绩
    Click(1, 3); // 学校 1 <-> 姓名 3
    Type("3");
    Click(2, 2);
    Control<QPushButton>(settingsWindow, "Command1")->click();
    DeliverDeletes();
    ASSERT_EQ(shezifrm::Instance(), nullptr);

    RoomList::gkc_Click(0);
    Grid &list = *window->ActiveForm()->Grid1;
    QStringList headers;
    for (int col = 1; col < list.Cols(); ++col)
        headers << list.Cell(0, col).text();
    EXPECT_EQ(headers, List("姓名,班级,学校,考场,考号,座位号"));
    EXPECT_EQ(list.Cell(1, 1).text(), "张三");
    EXPECT_EQ(list.Cell(1, 3).text(), "一中");
}

TEST_F(ColumnChoice, StoringFailuresAreSaidAndChangeNothing)
{
    const struct {
        const char *what;
        std::function<void(SettingsFixture &)> breakIt;
        const char *message;
    } cases[] = {
        { "no settings row",
            [](SettingsFixture &f) { f.Execute(QStringLiteral("DELETE FROM 设置表1 WHERE 项目 = '考场显示'")); },
            "显示设置没有保存：当前数据区的设置表中没有“考场显示”一行。" },
        { "an unreadable settings table", [](SettingsFixture &) { gSettingsTable = QStringLiteral("没有这个表"); },
            "显示设置没有保存：无法写入数据文件 " },
        { "no examinee table",
            [](SettingsFixture &f) {
                f.Execute(QStringLiteral("DROP TABLE 考生表1"));
                emit gMainForm->AreaDataChanged();
            },
            "当前数据区还没有考生表，没有可以显示的列。请先导入考生" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Execute(QStringLiteral("DELETE FROM 设置表1 WHERE 项目 = '考场显示'"));
        Execute(QStringLiteral("INSERT INTO 设置表1 (项目, s1) VALUES ('考场显示', '1,2,3,4,5,6,7,8')"));
        prompts.messages.clear();
        gExamRoomColumns = "before";
        OpenSettings();
        c.breakIt(*this);
        Control<QPushButton>(settingsWindow, "Command1")->click();
        DeliverDeletes();
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages.first().text.startsWith(QString::fromUtf8(c.message)))
            << prompts.messages.first().text.toStdString();
        EXPECT_EQ(gExamRoomColumns, "before");
        ASSERT_NE(shezifrm::Instance(), nullptr);
        shezifrm::Instance()->close();
        DeliverDeletes();
        gSettingsTable = QStringLiteral("设置表1");
    }
}

// An import while the window is open brings a table with other fields: the window reads it
// again instead of storing the old table's list into the new table's row.
TEST_F(ColumnChoice, AnImportWhileOpenReloadsTheWindow)
{
    StoreSetting("0,0,1,0,0,0,0,0");
    OpenSettings();
    ASSERT_EQ(Grid1().Rows(), 9);
    prompts.files << TestAppDir::fixture("exam-other.xls");
    window->mnuImportExam_Click();
    ASSERT_EQ(prompts.messageTexts(), QStringList { "数据导入成功。" });
    EXPECT_EQ(GridColumn(2), List("学校,班级,姓名,性别,成绩,考场,考号,座位号,照片"));
    EXPECT_EQ(GridColumn(1), List("1,1,1,1,1,1,1,1,1"));
    EXPECT_EQ(Control<QLabel>(settingsWindow, "Label6")->text(),
        "当前显示：  学校,班级,姓名,性别,成绩,考场,考号,座位号,照片");

    Click(9, 1);
    Control<QPushButton>(settingsWindow, "Command1")->click();
    EXPECT_EQ(StoredSetting(), "1,2,3,4,5,6,7,8,0");
    EXPECT_EQ(gExamRoomColumns, "学校,班级,姓名,性别,成绩,考场,考号,座位号");
}

// A table changed by a road that does not tell the window: the list is not stored, and the
// window reads the table again.
TEST_F(ColumnChoice, ATableChangedUnderTheWindowIsNotStoredInto)
{
    StoreSetting("1,2,3,4,5,6,7,8");
    OpenSettings();
    Execute(QStringLiteral("ALTER TABLE 考生表1 ADD COLUMN 备注 TEXT"));
    Control<QPushButton>(settingsWindow, "Command1")->click();
    EXPECT_EQ(prompts.messageTexts(),
        QStringList { "考生表的列已经改变，显示设置没有保存。窗口已按现在的考生表重新读入，请重新设置。" });
    EXPECT_EQ(StoredSetting(), "1,2,3,4,5,6,7,8");
    EXPECT_EQ(GridColumn(2), List("学校,班级,姓名,性别,成绩,考场,考号,座位号,备注"));
    EXPECT_EQ(GridColumn(3).last(), kNo);
}

} // namespace
