#include "ButtonHost.h"
#include "ClassicPalette.h"
#include "toolbar/BorderButton.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using Host = ButtonHost<BorderButton>;

QImage icon(const QString &name)
{
    return QImage(QStringLiteral(":/icons/border-") + name).convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(BorderButton, StartsWithNoBordersAndItsTooltip)
{
    Host host;
    EXPECT_EQ(host.button->Value(), 0);
    EXPECT_EQ(host.button->currentCell(), QPoint(0, 0));
    EXPECT_EQ(host.button->toolTip(), QStringLiteral("框线"));
    EXPECT_EQ(host.panel()->size(), QSize(104, 79));
}

TEST(BorderButton, ReleasesOnThePanelChooseByTheFramesEndsIncluded)
{
    struct Case {
        QPoint point;
        int value; // -1: no choice, the panel stays open
    };
    const Case cases[] = {
        {{5, 5}, 0},    {{24, 24}, 0},  {{25, 10}, -1}, {{29, 10}, -1}, {{30, 10}, 1},  {{55, 10}, 2},
        {{80, 10}, 3},  {{99, 49}, 7},  {{100, 40}, -1}, {{99, 54}, -1}, {{10, 30}, 4},  {{35, 35}, 5},
        {{60, 45}, 6},  {{10, 55}, 8},  {{35, 74}, 9},  {{60, 60}, 10}, {{99, 74}, 11}, {{99, 75}, -1},
        {{4, 10}, -1},
    };
    for (const Case &c : cases) {
        Host host;
        host.button->setValue(3);
        host.open();
        host.choose(c.point);
        const QString where = QStringLiteral("%1,%2").arg(c.point.x()).arg(c.point.y());
        if (c.value < 0) {
            EXPECT_TRUE(host.panel()->isVisible()) << where.toStdString();
            EXPECT_EQ(host.button->Value(), 3);
            EXPECT_EQ(host.clicks.count(), 0);
        } else {
            EXPECT_FALSE(host.panel()->isVisible());
            EXPECT_EQ(host.button->Value(), c.value) << where.toStdString();
            EXPECT_EQ(host.button->currentCell(), QPoint(c.value % 4, c.value / 4));
            EXPECT_EQ(host.clicks.count(), 1);
        }
    }
}

TEST(BorderButton, ValueNamesTheMarkedCellAndTheFaceIcon)
{
    struct Case {
        int value;
        QPoint cell;
        const char *icon;
    };
    const Case cases[] = {
        {6, {2, 1}, "falling"},
        {11, {3, 2}, "thick-all"},
        {12, {-1, -1}, nullptr},
        {-1, {-1, -1}, nullptr},
    };
    for (const Case &c : cases) {
        Host host;
        host.button->setValue(c.value);
        host.open();
        EXPECT_EQ(host.button->currentCell(), c.cell) << c.value;
        const QImage face = host.face();
        if (c.icon) {
            EXPECT_TRUE(showsIcon(face, icon(QString::fromLatin1(c.icon)), QPoint(4, 4))) << c.value;
        } else {
            for (const QString &name : {QStringLiteral("none"), QStringLiteral("thick-all")})
                EXPECT_FALSE(showsIcon(face, icon(name), QPoint(4, 4))) << c.value;
        }
        EXPECT_EQ(host.button->Value(), c.value);
    }
}

TEST_F(ClassicPalette, BorderPanelMarkFillsTheWholeCurrentSquare)
{
    Host host;
    host.button->setValue(6);
    host.open();
    const QImage image = host.panelImage();
    // Cell (2, 1) spans 55..73 x 30..48; its icon's white ground lets the chessboard through.
    EXPECT_EQ(image.pixel(56, 31), kHighlight);
    EXPECT_EQ(image.pixel(66, 37), kHighlight) << "under the icon, where it is clear";
    EXPECT_EQ(image.pixel(55, 30), kShadow) << "the mark's sunken edge";
    EXPECT_EQ(image.pixel(31, 31), kFace) << "other cells stay plain";
    EXPECT_TRUE(showsIcon(image, icon(QStringLiteral("falling")), QPoint(58, 33)));
    EXPECT_TRUE(showsIcon(image, icon(QStringLiteral("none")), QPoint(8, 8)));
    EXPECT_TRUE(showsIcon(image, icon(QStringLiteral("thick-all")), QPoint(83, 58)));
}
