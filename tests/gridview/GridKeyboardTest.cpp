// Moving, selecting and editing the way a spreadsheet user does.
#include "GridTestSupport.h"

#include "gridview/GridEditor.h"

#include <QClipboard>
#include <QListWidget>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

std::pair<int, int> active(const Grid &grid)
{
    return { grid.activeRow(), grid.activeCol() };
}

} // namespace

TEST(GridKeyboard, ArrowsTabEnterHomeAndEndMoveTheCurrentCell)
{
    GridFixture f(30, 6);
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::pair<int, int> expected;
    };
    const Step steps[] = {
        { Qt::Key_Right, {}, { 1, 2 } },
        { Qt::Key_Down, {}, { 2, 2 } },
        { Qt::Key_Tab, {}, { 2, 3 } },
        { Qt::Key_Backtab, Qt::ShiftModifier, { 2, 2 } },
        { Qt::Key_Return, {}, { 3, 2 } },
        { Qt::Key_Return, Qt::ShiftModifier, { 2, 2 } },
        { Qt::Key_End, {}, { 2, 5 } },
        { Qt::Key_Home, {}, { 2, 1 } },
        { Qt::Key_End, Qt::ControlModifier, { 29, 5 } },
        { Qt::Key_Home, Qt::ControlModifier, { 1, 1 } },
        // The fixed row and column are never entered.
        { Qt::Key_Up, {}, { 1, 1 } },
        { Qt::Key_Left, {}, { 1, 1 } },
    };
    for (const Step &step : steps) {
        f.key(step.key, step.modifiers);
        EXPECT_EQ(active(f.grid), step.expected) << "after key " << step.key;
    }
}

TEST(GridKeyboard, PagesMoveByAWindowfulAndScroll)
{
    GridFixture f(200, 4);
    f.key(Qt::Key_PageDown);
    const int page = f.grid.activeRow() - 1;
    EXPECT_GT(page, 10);
    EXPECT_LT(page, 25);
    f.key(Qt::Key_PageDown);
    f.key(Qt::Key_PageDown);
    EXPECT_EQ(f.grid.activeRow(), 1 + 3 * page);
    // The current cell is in view.
    EXPECT_GT(f.grid.verticalScrollBar()->value(), 0);
    f.key(Qt::Key_PageUp);
    EXPECT_EQ(f.grid.activeRow(), 1 + 2 * page);
}

TEST(GridKeyboard, HiddenRowsAndColumnsAndMergedBlocksAreSteppedOver)
{
    GridFixture f(10, 8);
    f.grid.Column(2).SetWidth(0);
    f.grid.SetRowHeight(2, 0);
    f.grid.Range(1, 3, 3, 4).Merge();
    f.key(Qt::Key_Right);
    EXPECT_EQ(active(f.grid), std::make_pair(1, 3));
    f.key(Qt::Key_Right);
    EXPECT_EQ(active(f.grid), std::make_pair(1, 5));
    f.key(Qt::Key_Left);
    EXPECT_EQ(active(f.grid), std::make_pair(1, 3));
    f.key(Qt::Key_Down);
    EXPECT_EQ(active(f.grid), std::make_pair(4, 3));
    f.key(Qt::Key_Up);
    EXPECT_EQ(active(f.grid), std::make_pair(1, 3)); // the merged block's top-left cell
    f.key(Qt::Key_Left);
    f.key(Qt::Key_Down);
    EXPECT_EQ(active(f.grid), std::make_pair(3, 1));
}

TEST(GridKeyboard, TypingReplacesF2AppendsEnterStoresEscapeDiscards)
{
    GridFixture f;
    f.grid.Cell(1, 1).SetText("old");
    f.type("new");
    EXPECT_TRUE(f.grid.isEditing());
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.grid.data().text(1, 1), "new");

    f.key(Qt::Key_Up);
    f.key(Qt::Key_F2);
    f.type("er");
    f.key(Qt::Key_Escape);
    EXPECT_FALSE(f.grid.isEditing());
    EXPECT_EQ(f.grid.data().text(1, 1), "new");

    f.key(Qt::Key_F2);
    f.type("er");
    // After F2 the arrows move the caret within the text, not out of the cell.
    f.key(Qt::Key_Left);
    f.type("X");
    f.key(Qt::Key_Tab);
    EXPECT_EQ(f.grid.data().text(1, 1), "neweXr");
    EXPECT_EQ(active(f.grid), std::make_pair(1, 2));

    // Started by typing, an arrow stores and leaves.
    f.type("中文");
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.grid.data().text(1, 2), "中文");
    EXPECT_EQ(active(f.grid), std::make_pair(1, 3));
}

// Counts the key presses that reach a widget, so a key handed round in a loop shows.
class KeyCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            ++presses;
        return false;
    }
};

TEST(GridKeyboard, KeysTheEditorDoesNotTakeEndThereWhileEditing)
{
    GridFixture f;
    auto *editor = f.grid.findChild<GridEditor *>();
    ASSERT_NE(editor, nullptr);
    KeyCounter counter;
    editor->installEventFilter(&counter);
    // Real key events go to the widget with the focus: the grid, then the box once editing.
    const auto target = [&]() -> QWidget * { return f.grid.isEditing() ? static_cast<QWidget *>(editor) : &f.grid; };
    // Capitals and brackets are typed with Shift held, as on a keyboard.
    for (const QChar ch : QStringLiteral("Lab 3 (East)")) {
        const bool shifted = ch.isUpper() || ch == u'(' || ch == u')';
        const Qt::KeyboardModifiers modifiers = shifted ? Qt::ShiftModifier : Qt::NoModifier;
        if (shifted)
            QTest::keyPress(target(), Qt::Key_Shift);
        const int key = ch.isLetter() ? ch.toUpper().unicode() : ch.unicode();
        QTest::sendKeyEvent(QTest::KeyAction::Click, target(), Qt::Key(key), QString(ch), modifiers);
        if (shifted)
            QTest::keyRelease(target(), Qt::Key_Shift, Qt::ShiftModifier);
    }
    ASSERT_TRUE(f.grid.isEditing());
    EXPECT_EQ(editor->text(), "Lab 3 (East)");

    // Each alone, to the box and to the grid (which hands it to the box): it reaches the box once.
    for (const Qt::Key key : { Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_F5, Qt::Key_PageDown }) {
        for (QWidget *to : { static_cast<QWidget *>(editor), static_cast<QWidget *>(&f.grid) }) {
            counter.presses = 0;
            QTest::keyClick(to, key);
            EXPECT_EQ(counter.presses, 1) << "key " << key << " sent to " << to->metaObject()->className();
            EXPECT_TRUE(f.grid.isEditing());
        }
    }
    EXPECT_EQ(editor->text(), "Lab 3 (East)");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(f.grid.data().text(1, 1), "Lab 3 (East)");
    EXPECT_EQ(f.grid.activeRow(), 2);
}

TEST(GridKeyboard, DeleteClearsTheSelectedCells)
{
    GridFixture f;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            f.grid.Cell(r, c).SetText("x");
    f.click(1, 1);
    f.click(2, 2, Qt::ShiftModifier);
    f.key(Qt::Key_Delete);
    EXPECT_EQ(f.grid.data().text(1, 1), "");
    EXPECT_EQ(f.grid.data().text(2, 2), "");
    EXPECT_EQ(f.grid.data().text(3, 3), "x");
    EXPECT_EQ(f.grid.data().text(1, 3), "x");
}

TEST(GridMasks, ANumberMaskLimitsTypingButNeverStoredText)
{
    GridFixture f;
    f.grid.Column(1).SetMask(MaskNumber);
    f.grid.Column(2).SetMask(MaskText);
    // What a list writes stays exactly as written, whatever the mask.
    f.grid.Cell(1, 1).SetText("A0012");
    f.grid.Cell(1, 2).SetText("0012");
    EXPECT_EQ(f.grid.Cell(1, 1).text(), "A0012");
    EXPECT_EQ(f.grid.Cell(1, 2).text(), "0012");
    EXPECT_EQ(f.grid.data().effectiveAlignment(1, 2), GridAlignment::code(0, 1));

    // Opening and leaving the edit without typing stores nothing.
    f.key(Qt::Key_F2);
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.grid.Cell(1, 1).text(), "A0012");

    // A letter does not start an edit of a number column; digits do, letters are refused inside.
    f.key(Qt::Key_Up);
    f.type("x");
    EXPECT_FALSE(f.grid.isEditing());
    f.type("-1a2.5b");
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.grid.Cell(1, 1).text(), "-12.5");

    // A stored text that the mask would refuse can still be shortened key by key.
    f.grid.Cell(1, 1).SetText("A0012");
    f.key(Qt::Key_Up);
    f.key(Qt::Key_F2);
    f.key(Qt::Key_Backspace);
    f.key(Qt::Key_Home);
    f.key(Qt::Key_Delete);
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.grid.Cell(1, 1).text(), "001");

    // The text mask takes anything.
    f.click(2, 2);
    f.type("A-7");
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.grid.Cell(2, 2).text(), "A-7");
}

TEST(GridSelection, ClickDragAndShiftClickSelectBlocks)
{
    GridFixture f;
    f.click(2, 2);
    EXPECT_EQ(f.grid.selectedRange(), CellRange::cell(2, 2));
    QTest::mousePress(f.grid.viewport(), Qt::LeftButton, {}, f.centre(2, 2));
    QTest::mouseMove(f.grid.viewport(), f.centre(4, 3));
    QTest::mouseRelease(f.grid.viewport(), Qt::LeftButton, {}, f.centre(4, 3));
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 2, 2, 4, 3 }));
    EXPECT_EQ(active(f.grid), std::make_pair(2, 2));

    f.click(1, 5, Qt::ShiftModifier);
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 1, 2, 2, 5 }));
    // Shift with the arrows grows it too.
    f.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 2, 2, 3, 5 }));

    // A block touching a merge takes the whole merge in.
    f.grid.Range(6, 1, 8, 2).Merge();
    f.click(5, 2);
    f.click(6, 3, Qt::ShiftModifier);
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 5, 1, 8, 3 }));
}

TEST(GridSelection, TheFixedRowSelectsColumnsTheFixedColumnRowsTheCornerAll)
{
    GridFixture f(12, 6);
    f.click(0, 3);
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 1, 3, 11, 3 }));
    EXPECT_EQ(active(f.grid), std::make_pair(1, 3));
    f.click(4, 0);
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 4, 1, 4, 5 }));
    EXPECT_EQ(active(f.grid), std::make_pair(4, 1));
    QTest::mousePress(f.grid.viewport(), Qt::LeftButton, {}, f.centre(0, 2));
    QTest::mouseMove(f.grid.viewport(), f.centre(0, 4));
    QTest::mouseRelease(f.grid.viewport(), Qt::LeftButton, {}, f.centre(0, 4));
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 1, 2, 11, 4 }));
    f.click(0, 0);
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 1, 1, 11, 5 }));
}

TEST(GridSelection, DraggingAHeaderBorderResizes)
{
    GridFixture f;
    const GridData &d = f.grid.data();
    const int edge = d.colLeft(3) - 1; // the right edge of column 2
    const int headerY = d.rowHeight(0) / 2;
    QTest::mousePress(f.grid.viewport(), Qt::LeftButton, {}, { edge, headerY });
    QTest::mouseMove(f.grid.viewport(), { edge + 30, headerY });
    QTest::mouseRelease(f.grid.viewport(), Qt::LeftButton, {}, { edge + 30, headerY });
    EXPECT_EQ(f.grid.Column(2).Width(), GridData::DefaultColWidth + 30);

    const int bottom = d.rowTop(4) - 1;
    const int headerX = d.colWidth(0) / 2;
    QTest::mousePress(f.grid.viewport(), Qt::LeftButton, {}, { headerX, bottom });
    QTest::mouseMove(f.grid.viewport(), { headerX, bottom + 15 });
    QTest::mouseRelease(f.grid.viewport(), Qt::LeftButton, {}, { headerX, bottom + 15 });
    EXPECT_EQ(f.grid.RowHeight(3), GridData::DefaultRowHeight + 15);
    // Dragging a border is no selection.
    EXPECT_EQ(f.grid.selectedRange(), CellRange::cell(1, 1));
}

TEST(GridKeyboard, AGridOfOnlyItsHeaderRowTakesKeysAndClicksSafely)
{
    // A list grid between "Rows = 1" and its first record.
    GridFixture f(1, 4);
    f.grid.Cell(0, 1).SetText("姓名");
    f.grid.Column(2).SetCellType(CellTypeDropDown);
    for (int key : { Qt::Key_Down, Qt::Key_Right, Qt::Key_Tab, Qt::Key_Return, Qt::Key_End, Qt::Key_PageDown,
             Qt::Key_F2, Qt::Key_F4, Qt::Key_Delete, Qt::Key_Space })
        f.key(key);
    f.type("x");
    f.click(0, 1);
    f.click(0, 0);
    EXPECT_FALSE(f.grid.isEditing());
    EXPECT_EQ(f.grid.Cell(0, 1).text(), "姓名");
    EXPECT_EQ(f.grid.Rows(), 1);
    // Pasted text lands in the first body cell, never on the header.
    QApplication::clipboard()->setText("a\tb\r\n");
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.grid.Cell(0, 1).text(), "姓名");
    EXPECT_EQ(f.grid.Cell(1, 1).text(), "a");
    EXPECT_EQ(f.grid.Cell(1, 2).text(), "b");
}

TEST(GridKeyboard, AListRefilledFromItsHeaderRowStartsOnItsFirstBodyCell)
{
    // A list fill cuts the grid to its header row, then grows it to the records.
    for (const bool byColumns : { false, true }) {
        SCOPED_TRACE(byColumns ? "columns" : "rows");
        GridFixture f(6, 6);
        f.click(3, 3);
        if (byColumns) {
            f.grid.SetCols(1);
            f.grid.SetCols(6);
        } else {
            f.grid.SetRows(1);
            f.grid.SetRows(6);
        }
        EXPECT_EQ(active(f.grid), byColumns ? std::make_pair(3, 1) : std::make_pair(1, 3));
        EXPECT_EQ(f.grid.selectedRange(), CellRange::cell(f.grid.activeRow(), f.grid.activeCol()));
        f.grid.Selection().SetFontBold(true);
        EXPECT_FALSE(f.grid.data().style(0, 3).bold);
        EXPECT_FALSE(f.grid.data().style(3, 0).bold);
        f.type("x");
        f.key(Qt::Key_Return);
        EXPECT_EQ(f.grid.data().text(f.grid.activeRow() - 1, f.grid.activeCol()), "x");
        EXPECT_TRUE(f.grid.data().text(0, 3).isEmpty());
        EXPECT_TRUE(f.grid.data().text(3, 0).isEmpty());
    }
}

TEST(GridKeyboard, ADropDownCellIsChosenFromItsListNotTyped)
{
    GridFixture f;
    f.grid.Cell(1, 1).SetCellType(CellTypeDropDown);
    f.grid.ComboBox().AddItem("姓名");
    f.type("q");
    EXPECT_FALSE(f.grid.isEditing());
    QListWidget *list = f.grid.viewport()->findChild<QListWidget *>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(f.grid.Cell(1, 1).text(), "姓名");
}

TEST(GridSelection, CtrlASelectsEveryBodyCellAndDraggingPastTheEdgeScrolls)
{
    GridFixture f(100, 5);
    f.click(3, 2);
    f.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 1, 1, 99, 4 }));
    EXPECT_EQ(active(f.grid), std::make_pair(3, 2));

    const QPoint below(f.centre(3, 2).x(), f.grid.viewport()->height() + 5);
    QTest::mousePress(f.grid.viewport(), Qt::LeftButton, {}, f.centre(3, 2));
    QTest::mouseMove(f.grid.viewport(), below);
    QTest::mouseMove(f.grid.viewport(), below + QPoint(0, 1));
    QTest::mouseRelease(f.grid.viewport(), Qt::LeftButton, {}, below);
    EXPECT_GT(f.grid.verticalScrollBar()->value(), 0);
    EXPECT_EQ(f.grid.selectedRange().row1, 3);
    EXPECT_GT(f.grid.selectedRange().row2, f.grid.data().rowAt(f.grid.viewport()->height()));
}
