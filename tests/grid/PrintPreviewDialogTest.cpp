#include "grid/PrintPreviewDialog.h"
#include "grid/GridData.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QTest>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace {

// 86 rows of 25 pixels: three A4 pages upright.
GridData threePages()
{
    GridData data;
    data.setRows(87);
    for (int row = 0; row < data.rows(); ++row) {
        data.setRowHeight(row, 25);
        data.setText(row, 1, QString::number(row));
    }
    return data;
}

} // namespace

TEST(PrintPreviewDialog, ShowsThePagesAtTheZoomAskedWithPrintingAsAsked)
{
    const GridData data = threePages();
    PrintPreviewDialog preview(data, 75, true);
    ASSERT_NE(preview.printAction(), nullptr);
    EXPECT_FALSE(preview.printAction()->isEnabled());
    ASSERT_NE(preview.previewWidget(), nullptr);
    EXPECT_DOUBLE_EQ(preview.previewWidget()->zoomFactor(), 0.75);
    preview.previewWidget()->updatePreview();
    EXPECT_EQ(preview.previewWidget()->pageCount(), 3);

    PrintPreviewDialog printable(data, 100, false);
    ASSERT_NE(printable.printAction(), nullptr);
    EXPECT_TRUE(printable.printAction()->isEnabled());
}

TEST(PrintPreviewDialog, TurningThePaperInThePreviewLaysThePagesOutAgain)
{
    GridData data = threePages();
    PrintPreviewDialog preview(data, 75, true);
    preview.previewWidget()->setLandscapeOrientation();
    preview.previewWidget()->updatePreview();
    // Landscape A4 holds 25 rows of 25 pixels between 2 cm margins: 86 rows need four pages.
    EXPECT_EQ(preview.previewWidget()->pageCount(), 4);
    EXPECT_EQ(data.pageSetup().Orientation, 1);
}

// The preview draws the page's lines as thin as the paper's, not at the printer's pixel width
// (1 pixel at 96 dpi came out 3 screen pixels thick at 100%, from a 300 dpi recording).
TEST(PrintPreviewDialog, LinesAreAsThinOnScreenAsOnPaper)
{
    GridData data = threePages();
    data.setCols(6);
    data.pageSetup().PrintGridlines = true;
    PrintPreviewDialog preview(data, 100, true);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    preview.previewWidget()->updatePreview();
    const QImage shot = preview.previewWidget()->grab().toImage().convertToFormat(QImage::Format_Grayscale8);

    // Down each column of pixels, the dark runs are the row lines crossed; a column of pixels
    // on a column line or a text is one long run or none.
    int thinnest = 1000;
    for (int x = 0; x < shot.width(); ++x) {
        std::vector<int> runs;
        int run = 0;
        for (int y = 0; y < shot.height(); ++y) {
            if (qGray(shot.pixel(x, y)) < 128) {
                ++run;
            } else if (run > 0) {
                runs.push_back(run);
                run = 0;
            }
        }
        if (runs.size() >= 5 && *std::max_element(runs.begin(), runs.end()) < 20)
            thinnest = std::min(thinnest, *std::max_element(runs.begin(), runs.end()));
    }
    ASSERT_LT(thinnest, 1000) << "no row lines found on the previewed page";
    EXPECT_LE(thinnest, 2);
}
