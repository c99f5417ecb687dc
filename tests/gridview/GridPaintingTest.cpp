// The grid on screen paints what the cell painter paints, scrolled.
#include "GridTestSupport.h"
#include "support/RowInk.h"

#include <QScrollBar>

#include <gtest/gtest.h>

TEST(CellPainter, OnScreenATextLeftOfTheWindowStillRunsIntoIt)
{
    GridFixture fixture(20, 40);
    Grid &grid = fixture.grid;
    GridData &data = grid.data();
    data.setText(1, 1, QString(80, QLatin1Char('-')));
    data.setText(1, 6, QStringLiteral("X"));
    // Scroll so that column 3 is the first one in the window: column 1 is out of sight.
    const int scrolled = data.colLeft(3) - data.colWidth(0);
    grid.horizontalScrollBar()->setValue(scrolled);
    ASSERT_EQ(grid.horizontalScrollBar()->value(), scrolled);
    const QImage shown = grid.viewport()->grab().toImage();
    const auto ink = [&](int col) {
        const int x = data.colLeft(col) - scrolled;
        return inkBetween(shown, data, 1, x + 2, x + data.colWidth(col) - 2);
    };
    EXPECT_GT(ink(3), 20);
    EXPECT_GT(ink(5), 20);
    // Stopped by column 6; the fixed column stays clear of it.
    EXPECT_EQ(inkBetween(shown, data, 1, data.colLeft(6) - scrolled + 20, data.colLeft(7) - scrolled), 0);
    EXPECT_EQ(inkBetween(shown, data, 1, 2, data.colWidth(0) - 2), 0);
}
