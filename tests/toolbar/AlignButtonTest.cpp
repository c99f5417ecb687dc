#include "ButtonHost.h"
#include "ClassicPalette.h"
#include "toolbar/AlignButton.h"

#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

using Host = ButtonHost<AlignButton>;
using Part = DropDownButton::Part;

QImage icon(const char *alias)
{
    return QImage(QString::fromLatin1(alias)).convertToFormat(QImage::Format_ARGB32);
}

// The middle of the cell frame (column, row) in panel pixels.
QPoint cellCentre(int column, int row)
{
    return QPoint(column * 28 + 16, row * 27 + 15);
}

} // namespace

TEST(DropDownButton, PartsAreSplitStrictlyAtTheirEdges)
{
    struct Case {
        QPoint point;
        Part part;
    };
    const Case cases[] = {
        {{0, 10}, Part::None},  {{1, 10}, Part::Face},  {{22, 10}, Part::Face}, {{23, 10}, Part::None},
        {{24, 10}, Part::Arrow}, {{34, 10}, Part::Arrow}, {{35, 10}, Part::None}, {{10, 0}, Part::None},
        {{10, 1}, Part::Face},  {{10, 22}, Part::Face}, {{30, 22}, Part::Arrow}, {{10, 23}, Part::None},
        {{-1, 5}, Part::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DropDownButton::partAt(c.point), c.part) << c.point.x() << "," << c.point.y();
}

TEST(AlignButton, KeepsItsSizeAndTooltip)
{
    Host host;
    host.button->resize(80, 40);
    EXPECT_EQ(host.button->size(), QSize(35, 22));
    EXPECT_EQ(host.button->toolTip(), QStringLiteral("对齐方式"));
    EXPECT_EQ(host.button->Value(), 0);
    EXPECT_EQ(host.button->currentCell(), QPoint(0, 0));
}

TEST(AlignButton, OnlyTheReleasePositionDecidesBetweenClickAndPanel)
{
    Host host;
    host.click(QPoint(10, 10));
    EXPECT_EQ(host.clicks.count(), 1);
    EXPECT_FALSE(host.panel()->isVisible());

    QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(28, 10));
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(host.clicks.count(), 2) << "a press on the arrow released on the face clicks";
    EXPECT_FALSE(host.panel()->isVisible());

    host.click(QPoint(23, 10));
    host.click(QPoint(10, 0));
    EXPECT_EQ(host.clicks.count(), 2) << "the border column and the top row are neither part";
    EXPECT_FALSE(host.panel()->isVisible());

    QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(28, 10));
    EXPECT_TRUE(host.panel()->isVisible()) << "a press on the face released on the arrow opens";
    EXPECT_EQ(host.clicks.count(), 2);
    EXPECT_EQ(host.button->Value(), 0);
}

TEST(AlignButton, AReleaseWithoutAPressOnTheButtonDoesNothing)
{
    Host host;
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(28, 10));
    EXPECT_EQ(host.clicks.count(), 0);
    EXPECT_FALSE(host.panel()->isVisible());
}

TEST(AlignButton, EachPanelCellSetsItsValueAndClicksOnce)
{
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            Host host;
            host.open();
            host.choose(cellCentre(column, row));
            EXPECT_EQ(host.button->Value(), row * 3 + column);
            EXPECT_EQ(host.button->currentCell(), QPoint(column, row));
            EXPECT_EQ(host.clicks.count(), 1);
            EXPECT_FALSE(host.panel()->isVisible());
        }
}

TEST(AlignButton, PanelCellsEndAtTheirFrameAndGapsChooseNothing)
{
    struct Case {
        QPoint point;
        int value; // -1: no choice, the panel stays open
    };
    const Case cases[] = {
        {{27, 26}, 0},  {{5, 5}, 0},     {{4, 10}, -1},  {{30, 40}, -1}, {{28, 10}, -1}, {{32, 10}, -1},
        {{33, 10}, 1},  {{55, 26}, 1},   {{56, 26}, -1}, {{61, 31}, -1}, {{61, 32}, 5},  {{83, 80}, 8},
        {{84, 80}, -1}, {{10, 27}, -1},  {{10, 80}, 6},  {{10, 81}, -1},
    };
    for (const Case &c : cases) {
        Host host;
        host.button->setValue(4);
        host.open();
        host.choose(c.point);
        if (c.value < 0) {
            EXPECT_TRUE(host.panel()->isVisible()) << c.point.x() << "," << c.point.y();
            EXPECT_EQ(host.clicks.count(), 0);
            EXPECT_EQ(host.button->Value(), 4);
        } else {
            EXPECT_EQ(host.button->Value(), c.value) << c.point.x() << "," << c.point.y();
            EXPECT_EQ(host.clicks.count(), 1);
        }
    }
}

TEST(AlignButton, ARightButtonChoosesOnReleaseButOnlyALeftPressOutsideCloses)
{
    Host host;
    host.open();
    QTest::mousePress(host.panel(), Qt::RightButton, {}, QPoint(120, 40));
    EXPECT_TRUE(host.panel()->isVisible());
    host.choose(cellCentre(2, 1), Qt::RightButton);
    EXPECT_EQ(host.button->Value(), 5);
    EXPECT_EQ(host.clicks.count(), 1);

    host.open();
    QTest::mousePress(host.panel(), Qt::LeftButton, {}, QPoint(120, 40));
    EXPECT_FALSE(host.panel()->isVisible());
    EXPECT_EQ(host.button->Value(), 5);
    EXPECT_EQ(host.clicks.count(), 1);
}

TEST(AlignButton, APressOnItsOwnButtonClosesThePanelForGood)
{
    Host host;
    host.open();
    // Through the window, as the platform delivers it, so that the open panel sees it first.
    QWindow *window = host.window.windowHandle();
    const QPoint arrow = host.button->mapTo(&host.window, QPoint(28, 10));
    QTest::mousePress(window, Qt::LeftButton, {}, arrow);
    EXPECT_FALSE(host.panel()->isVisible());
    QTest::mouseRelease(window, Qt::LeftButton, {}, arrow);
    EXPECT_FALSE(host.panel()->isVisible()) << "the release must not open it again";
    EXPECT_EQ(host.clicks.count(), 0);
}

TEST(AlignButton, EscapeAndLeavingTheApplicationCloseWithoutAChoice)
{
    Host host;
    host.open();
    QTest::keyClick(host.panel(), Qt::Key_Escape);
    EXPECT_FALSE(host.panel()->isVisible());

    host.open();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(host.panel()->isVisible());
    EXPECT_EQ(host.clicks.count(), 0);
    EXPECT_EQ(host.button->Value(), 0);
}

TEST(AlignButton, SettingValueMovesTheFaceIconAtOnce)
{
    Host host;
    host.button->setValue(7);
    EXPECT_EQ(host.button->currentCell(), QPoint(1, 2));
    EXPECT_TRUE(showsIcon(host.face(), icon(":/icons/align-bottom-centre"), QPoint(3, 3)));

    host.open();
    host.panel()->close();
    EXPECT_EQ(host.button->Value(), 7) << "opening without a choice keeps Value";

    for (int outside : {9, -1}) {
        host.button->setValue(outside);
        EXPECT_EQ(host.button->currentCell(), QPoint(-1, -1));
        EXPECT_FALSE(showsIcon(host.face(), icon(":/icons/align-bottom-centre"), QPoint(3, 3)));
        EXPECT_EQ(host.button->Value(), outside) << "any number is kept";
    }
    host.open();
    host.choose(cellCentre(0, 0));
    EXPECT_TRUE(showsIcon(host.face(), icon(":/icons/align-top-left"), QPoint(3, 3)));
}

TEST_F(ClassicPalette, AlignPanelMarksTheCurrentCellAndEdgesTheHoveredOne)
{
    Host host;
    host.button->setValue(4);
    host.open();
    EXPECT_EQ(host.button->currentCell(), QPoint(1, 1));
    QImage image = host.panelImage();
    // The chessboard shows in the ring round the middle icon (frame at 33, 32), nowhere else.
    EXPECT_EQ(image.pixel(34, 33), kHighlight);
    EXPECT_EQ(image.pixel(35, 34), kHighlight);
    EXPECT_EQ(image.pixel(6, 7), kFace) << "cell (0, 0) is not marked";
    EXPECT_EQ(image.pixel(7, 6), kFace);
    EXPECT_TRUE(showsIcon(image, icon(":/icons/align-middle-centre"), QPoint(36, 35)));

    // Hovering another cell raises it; holding the left button sinks it.
    QTest::mouseMove(host.panel(), cellCentre(0, 0));
    image = host.panelImage();
    EXPECT_EQ(image.pixel(10, 5), kHighlight) << "raised: light top edge";
    EXPECT_EQ(image.pixel(26, 15), kShadow) << "raised: dark right edge";
    QTest::mousePress(host.panel(), Qt::LeftButton, {}, cellCentre(0, 0));
    image = host.panelImage();
    EXPECT_EQ(image.pixel(10, 5), kShadow) << "pressed: sunken";
    EXPECT_EQ(image.pixel(26, 15), kHighlight);

    // The current cell shows sunken even with no button held.
    Host other;
    other.button->setValue(4);
    other.open();
    QTest::mouseMove(other.panel(), cellCentre(1, 1));
    image = other.panelImage();
    EXPECT_EQ(image.pixel(40, 32), kShadow);
    EXPECT_EQ(image.pixel(54, 40), kHighlight);
    QTest::mouseMove(other.panel(), QPoint(30, 40));
    EXPECT_EQ(other.panelImage().pixel(40, 32), kShadow) << "the mark's own sunken edge stays";
    EXPECT_EQ(other.panelImage().pixel(10, 5), kFace) << "a gap edges nothing";
}

TEST_F(ClassicPalette, FaceShowsHoverPressAndOpenLooks)
{
    Host host;
    const ToolbarLook look = ToolbarLook::standard();
    const auto at = [&host](int x, int y) { return FromQColor(QColor(host.face().pixel(x, y))); };
    EXPECT_EQ(at(1, 1), look.back);
    QTest::mouseMove(host.button, QPoint(10, 10));
    EXPECT_EQ(at(1, 1), look.hotFill);
    EXPECT_EQ(at(30, 18), look.hotFill);
    EXPECT_EQ(at(0, 0), look.hotBorder);
    QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(at(1, 1), look.pressedFill);
    EXPECT_EQ(at(30, 18), look.hotFill) << "the arrow keeps its look";
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    host.open();
    EXPECT_EQ(at(1, 1), look.hotFill);
    EXPECT_EQ(at(30, 18), look.pressedFill);
    host.panel()->close();
    EXPECT_EQ(at(1, 1), look.back);
}
