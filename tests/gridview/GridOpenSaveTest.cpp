// The grid's own open and save members: a chosen or named file, a cancelled dialog, a file that
// cannot be read.
#include "gridview/Grid.h"

#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(GridOpenSave, SaveAndOpenKeepTheGridAndStartAtTheFirstCell)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zkz2.cel");
    Grid saved;
    saved.SetCols(16);
    saved.SetRows(12);
    saved.Cell(1, 1).SetText("准考证");
    saved.Range(1, 1, 1, 15).Merge();
    saved.Range(1, 1, 1, 15).SetFontSize(18);
    saved.Column(11).SetWidth(90);
    ASSERT_TRUE(saved.SaveFile(path)) << saved.lastError().toStdString();

    Grid opened;
    opened.Range(3, 3, 4, 4).Selected();
    ASSERT_TRUE(opened.OpenFile(path)) << opened.lastError().toStdString();
    EXPECT_EQ(opened.Rows(), 12);
    EXPECT_EQ(opened.Cols(), 16);
    EXPECT_EQ(opened.Cell(1, 1).text(), "准考证");
    EXPECT_EQ(opened.data().mergeAt(1, 9), (CellRange { 1, 1, 1, 15 }));
    EXPECT_EQ(opened.Cell(1, 1).Font().pointSizeF(), 18);
    EXPECT_EQ(opened.Column(11).Width(), 90);
    // The first cell is selected, which here is the merged title.
    EXPECT_EQ(opened.activeRow(), 1);
    EXPECT_EQ(opened.activeCol(), 1);
    EXPECT_EQ(opened.selectedRange(), (CellRange { 1, 1, 1, 15 }));
}

TEST(GridOpenSave, AnEmptyPathAsksForTheFileAndCancelChangesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("chosen.cel");
    ScriptedPrompts prompts;
    prompts.files = { path };
    Grid grid;
    grid.Cell(2, 2).SetText("x");
    ASSERT_TRUE(grid.SaveFile(""));
    EXPECT_TRUE(QFile::exists(path));

    grid.Cell(2, 2).SetText("changed");
    EXPECT_FALSE(grid.OpenFile(""));
    EXPECT_EQ(grid.Cell(2, 2).text(), "changed");
    EXPECT_EQ(prompts.fileDialogs, 2);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(GridOpenSave, AnUnreadableFileLeavesTheGridAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.cel");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"kaowu-grid\", \"version\": 1, \"rows\": 3");
    file.close();
    Grid grid;
    grid.Cell(1, 1).SetText("kept");
    // Named by the caller: no message, the reason is there to read.
    EXPECT_FALSE(grid.OpenFile(path));
    EXPECT_EQ(grid.Cell(1, 1).text(), "kept");
    EXPECT_FALSE(grid.lastError().isEmpty());
    // Chosen in the grid's own dialog: the user is told.
    ScriptedPrompts prompts;
    prompts.files = { path };
    EXPECT_FALSE(grid.OpenFile(""));
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(grid.Cell(1, 1).text(), "kept");
}
