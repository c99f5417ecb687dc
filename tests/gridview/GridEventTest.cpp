// What the grid reports to its window and in which order, for edits, moves, check boxes and
// drop-down lists.
#include "GridTestSupport.h"

#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

TEST(GridEvents, AnEditIsStoredThenReportedThenTheCellIsLeftThenMovedThenClicked)
{
    GridFixture f;
    EventLog log(f.grid);
    f.click(1, 1);
    log.events.clear();
    f.type("abc");
    f.click(2, 3);
    EXPECT_EQ(
        log.events, (QStringList { "CellChange 1,1 text=abc at 1,1", "LeaveCell 1,1->2,3 at 1,1", "Click at 2,3" }));
    EXPECT_EQ(f.grid.data().text(1, 1), "abc");
}

TEST(GridEvents, KeyboardMovesReportLeaveCellButNoClick)
{
    GridFixture f;
    EventLog log(f.grid);
    f.type("7");
    f.key(Qt::Key_Return);
    f.key(Qt::Key_Right);
    EXPECT_EQ(log.events,
        (QStringList { "CellChange 1,1 text=7 at 1,1", "LeaveCell 1,1->2,1 at 1,1", "LeaveCell 2,1->2,2 at 2,1" }));
}

TEST(GridEvents, AnUnchangedEditReportsNoChange)
{
    GridFixture f;
    f.grid.Cell(1, 1).SetText("same");
    EventLog log(f.grid);
    f.key(Qt::Key_F2);
    f.key(Qt::Key_Return);
    EXPECT_EQ(log.events, (QStringList { "LeaveCell 1,1->2,1 at 1,1" }));
}

TEST(GridEvents, ACancelledLeaveKeepsTheCell)
{
    GridFixture f;
    EventLog log(f.grid);
    log.cancelLeave = true;
    f.type("x");
    f.click(4, 4);
    EXPECT_EQ(f.grid.activeRow(), 1);
    EXPECT_EQ(f.grid.activeCol(), 1);
    // The edit itself was stored before the window was asked.
    EXPECT_EQ(f.grid.data().text(1, 1), "x");
    EXPECT_EQ(log.events.last(), "LeaveCell 1,1->4,4 at 1,1");
}

TEST(GridEvents, ACheckBoxStoresItsNewStateBeforeClick)
{
    GridFixture f;
    f.grid.Column(1).SetCellType(CellTypeCheckBox);
    f.grid.Cell(2, 1).SetText("0");
    f.grid.Cell(3, 1).SetText("1");
    EventLog log(f.grid);
    f.click(2, 1);
    f.click(3, 1);
    EXPECT_EQ(log.events,
        (QStringList { "LeaveCell 1,1->2,1 at 1,1", "CellChange 2,1 text=1 at 2,1", "Click at 2,1",
            "LeaveCell 2,1->3,1 at 2,1", "CellChange 3,1 text=0 at 3,1", "Click at 3,1" }));
    // Space ticks it again; typing never edits a check box.
    f.key(Qt::Key_Space);
    f.type("z");
    EXPECT_EQ(f.grid.data().text(3, 1), "1");
    EXPECT_FALSE(f.grid.isEditing());
}

TEST(GridEvents, ADropDownIsRefilledWhenItOpensAndReportsTheChosenPosition)
{
    GridFixture f;
    for (int r = 4; r <= 9; ++r)
        f.grid.Cell(r, 5).SetCellType(CellTypeDropDown);
    f.grid.ComboBox().AddItem("stale");
    int fills = 0;
    QObject::connect(&f.grid, &Grid::ComboDropDown, [&](int, int) {
        ++fills;
        f.grid.ComboBox().Clear();
        for (const char *name : { "姓名", "考号", "座位号", "考场" })
            f.grid.ComboBox().AddItem(QString::fromUtf8(name));
    });
    EventLog log(f.grid);
    f.click(4, 5);
    QListWidget *list = f.grid.viewport()->findChild<QListWidget *>();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "姓名");
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(f.grid.data().text(4, 5), "座位号");
    EXPECT_EQ(log.events,
        (QStringList { "LeaveCell 1,1->4,5 at 1,1", "ComboDropDown 4,5", "Click at 4,5",
            "CellChange 4,5 text=座位号 at 4,5", "ComboClick 2" }));

    // Opened again from the keyboard: filled afresh, the current entry preselected; Escape
    // leaves the cell as it was.
    f.key(Qt::Key_F4);
    EXPECT_EQ(fills, 2);
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), 2);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(f.grid.data().text(4, 5), "座位号");
}

TEST(GridEvents, ProgramChangesRaiseNoEvents)
{
    GridFixture f;
    EventLog log(f.grid);
    f.grid.Cell(3, 3).SetText("x");
    f.grid.Range(2, 2, 4, 4).Selected();
    f.grid.Selection().SetFontBold(true);
    f.grid.SetRows(50);
    EXPECT_TRUE(log.events.isEmpty());
    EXPECT_EQ(f.grid.activeRow(), 2);
    EXPECT_EQ(f.grid.activeCol(), 2);
}

TEST(GridEvents, AnEditIsStoredWhenTheFocusMovesElsewhereInTheWindow)
{
    QWidget window;
    auto *grid = new Grid(&window);
    auto *other = new QLineEdit(&window);
    grid->setGeometry(0, 0, 400, 300);
    other->setGeometry(0, 310, 100, 20);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    EventLog log(*grid);
    QTest::keyClicks(grid, "42");
    ASSERT_TRUE(grid->isEditing());
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(grid->data().text(1, 1), "42");
    EXPECT_EQ(log.events, QStringList { "CellChange 1,1 text=42 at 1,1" });
}

// A menu opened while a cell is being edited leaves the edit open; the rows and columns the
// menu then inserts, deletes or pastes over must not send the typed text to another cell.
TEST(GridEvents, AnOpenEditIsStoredBeforeTheMenuMovesRowsOrColumns)
{
    struct Case {
        const char *name;
        std::function<void(Grid &)> edit;
        QList<std::tuple<int, int, QString>> expected; // row, col, text afterwards
    };
    const QList<Case> cases {
        { "insert rows", [](Grid &g) { g.Selection().InsertRows(); },
            { { 3, 2, "" }, { 4, 2, "typed" }, { 5, 2, "r4c2" } } },
        { "delete rows", [](Grid &g) { g.Selection().DeleteByRow(); }, { { 2, 2, "r2c2" }, { 3, 2, "r4c2" } } },
        { "insert columns", [](Grid &g) { g.Selection().InsertCols(); },
            { { 3, 2, "" }, { 3, 3, "typed" }, { 3, 4, "r3c3" } } },
        { "delete columns", [](Grid &g) { g.Selection().DeleteByCol(); }, { { 3, 1, "r3c1" }, { 3, 2, "r3c3" } } },
        { "paste", [](Grid &g) {
             g.Range(6, 6, 6, 6).CopyData();
             g.Selection().PasteData();
         },
            { { 3, 2, "r6c6" } } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GridFixture f;
        for (int r = 1; r < f.grid.Rows(); ++r)
            for (int col = 1; col < f.grid.Cols(); ++col)
                f.grid.Cell(r, col).SetText(QStringLiteral("r%1c%2").arg(r).arg(col));
        f.click(3, 2);
        f.type("typed");
        ASSERT_TRUE(f.grid.isEditing());
        c.edit(f.grid);
        EXPECT_FALSE(f.grid.isEditing());
        f.click(8, 5);
        for (const auto &[row, col, text] : c.expected)
            EXPECT_EQ(f.grid.data().text(row, col), text) << row << "," << col;
    }
}
