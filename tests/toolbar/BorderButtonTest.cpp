#include "toolbar/BorderButton.h"
#include "ButtonHost.h"
#include "ClassicPalette.h"

#include <gtest/gtest.h>

namespace {

using Host = ButtonHost<BorderButton>;

} // namespace

TEST(BorderButton, ReleasesOnThePanelChooseByTheFramesEndsIncluded)
{
    struct Case {
        QPoint point;
        int value; // -1: no choice, the panel stays open
    };
    const Case cases[] = { { { 5, 5 }, 0 }, { { 24, 24 }, 0 }, { { 30, 10 }, 1 }, { { 80, 10 }, 3 }, { { 99, 49 }, 7 },
        { { 10, 30 }, 4 }, { { 35, 35 }, 5 }, { { 10, 55 }, 8 }, { { 99, 74 }, 11 }, { { 25, 10 }, -1 },
        { { 29, 10 }, -1 }, { { 100, 40 }, -1 }, { { 99, 54 }, -1 }, { { 99, 75 }, -1 } };
    for (const Case &c : cases) {
        Host host;
        host.button->setValue(3);
        host.open();
        host.choose(c.point);
        const int expected = c.value < 0 ? 3 : c.value;
        EXPECT_EQ(host.button->Value(), expected) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(host.button->currentCell(), QPoint(expected % 4, expected / 4));
        EXPECT_EQ(host.clicks.count(), c.value < 0 ? 0 : 1);
        EXPECT_EQ(host.panel()->isVisible(), c.value < 0);
    }
}

TEST(BorderButton, ValueNamesTheMarkedCellAndTheFaceIcon)
{
    struct Case {
        int value;
        QPoint cell;
        const char *icon;
    };
    const Case cases[] = { { 0, { 0, 0 }, ":/icons/border-none" }, { 6, { 2, 1 }, ":/icons/border-falling" },
        { 11, { 3, 2 }, ":/icons/border-thick-all" }, { 12, { -1, -1 }, nullptr } };
    for (const Case &c : cases) {
        Host host;
        EXPECT_EQ(host.button->toolTip(), QStringLiteral("框线"));
        host.button->setValue(c.value);
        host.open();
        EXPECT_EQ(host.button->currentCell(), c.cell) << c.value;
        if (c.icon) {
            EXPECT_TRUE(showsIcon(host.face(), icon(c.icon), QPoint(4, 4))) << c.value;
        } else {
            EXPECT_FALSE(showsIcon(host.face(), icon(":/icons/border-none"), QPoint(4, 4)));
        }
    }
}

TEST_F(ClassicPalette, BorderPanelMarkFillsTheWholeCurrentSquare)
{
    Host host;
    host.button->setValue(6);
    host.open();
    EXPECT_EQ(host.panel()->size(), QSize(104, 79));
    const QImage image = host.panelImage();
    // Cell (2, 1) spans 55..73 x 30..48; its icon's clear ground lets the chessboard through.
    EXPECT_EQ(image.pixel(56, 31), kHighlight);
    EXPECT_EQ(image.pixel(66, 37), kHighlight) << "under the icon, where it is clear";
    EXPECT_EQ(image.pixel(55, 30), kShadow) << "the mark's sunken edge";
    EXPECT_EQ(image.pixel(31, 31), kFace) << "other cells stay plain";
    EXPECT_TRUE(showsIcon(image, icon(":/icons/border-falling"), QPoint(58, 33)));
    EXPECT_TRUE(showsIcon(image, icon(":/icons/border-thick-all"), QPoint(83, 58)));
}
