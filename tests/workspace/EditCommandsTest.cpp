#include "MainWindowFixture.h"
#include "gridview/Grid.h"
#include "gridprint/PrintPreviewDialog.h"
#include "workspace/frmDocument.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

namespace {

// The 编辑 and 文件 commands on a document, each doing its own work and no other.
class EditCommandsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        openWindow();
        window->LoadNewDoc();
        grid().SetRows(5);
        grid().SetCols(4);
        for (int row = 1; row < 5; ++row)
            for (int col = 1; col < 4; ++col)
                grid().Cell(row, col).SetText(QStringLiteral("%1-%2").arg(row).arg(col));
    }

    Grid &grid() const { return *window->ActiveForm()->Grid1; }
    void select(int row1, int col1, int row2, int col2) { grid().Range(row1, col1, row2, col2).Selected(); }
};

TEST_F(EditCommandsTest, MergeAndUnmerge)
{
    select(1, 1, 2, 2);
    window->mnuMerge_Click();
    EXPECT_EQ(grid().data().mergeAt(2, 2), CellRange::spanning(1, 1, 2, 2));
    select(1, 1, 2, 2);
    window->mnuUnMerge_Click();
    EXPECT_FALSE(grid().data().isMerged(2, 2));
    EXPECT_EQ(grid().Cell(2, 2).text(), "2-2");
}

TEST_F(EditCommandsTest, InsertAndDeleteRowsAndColumns)
{
    const struct {
        void (frmMain::*command)();
        int rows;
        int cols;
        QString cell22;
    } cases[] = {
        { &frmMain::mnuInsertRows_Click, 6, 4, "" },
        { &frmMain::mnuInsertCols_Click, 5, 5, "" },
        { &frmMain::mnuDeleteByRow_Click, 4, 4, "3-2" },
        { &frmMain::mnuDeleteByCol_Click, 5, 3, "2-3" },
    };
    for (const auto &c : cases) {
        SetUp();
        select(2, 2, 2, 2);
        (window.get()->*c.command)();
        EXPECT_EQ(grid().Rows(), c.rows) << c.cell22.toStdString();
        EXPECT_EQ(grid().Cols(), c.cols) << c.cell22.toStdString();
        EXPECT_EQ(grid().Cell(2, 2).text(), c.cell22);
    }
}

TEST_F(EditCommandsTest, CopyThenPaste)
{
    select(1, 1, 1, 2);
    window->mnuCopy_Click();
    select(4, 2, 4, 2);
    window->mnuPaste_Click();
    EXPECT_EQ(grid().Cell(4, 2).text(), "1-1");
    EXPECT_EQ(grid().Cell(4, 3).text(), "1-2");
}

// 打印预览 shows the pages with the print button off: printing goes through 文件/打印.
TEST_F(EditCommandsTest, PreviewHasItsPrintButtonOff)
{
    bool shown = false;
    bool printEnabled = true;
    QTimer::singleShot(0, [&] {
        auto *dialog = dynamic_cast<PrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        printEnabled = dialog->printAction() && dialog->printAction()->isEnabled();
        dialog->reject();
    });
    window->mnuPrintPreview_Click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(printEnabled);
}

} // namespace
