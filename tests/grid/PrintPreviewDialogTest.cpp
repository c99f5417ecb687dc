#include "grid/PrintPreviewDialog.h"
#include "grid/GridData.h"

#include <QAction>
#include <QPrintPreviewWidget>

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
