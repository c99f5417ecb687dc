#include "toolbar/AlignButton.h"
#include "ButtonHost.h"
#include "ClassicPalette.h"

#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

using Host = ButtonHost<AlignButton>;
using Part = DropDownButton::Part;

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
    const Case cases[] = { { { 0, 10 }, Part::None }, { { 1, 10 }, Part::Face }, { { 22, 10 }, Part::Face },
        { { 23, 10 }, Part::None }, { { 24, 10 }, Part::Arrow }, { { 34, 10 }, Part::Arrow },
        { { 35, 10 }, Part::None }, { { 10, 0 }, Part::None }, { { 10, 22 }, Part::Face }, { { 30, 22 }, Part::Arrow },
        { { 10, 23 }, Part::None } };
    for (const Case &c : cases)
        EXPECT_EQ(DropDownButton::partAt(c.point), c.part) << c.point.x() << "," << c.point.y();
}

TEST(AlignButton, OnlyTheReleasePositionAfterAPressDecidesBetweenClickAndPanel)
{
    Host host;
    host.button->resize(80, 40);
    EXPECT_EQ(host.button->size(), QSize(35, 22));
    EXPECT_EQ(host.button->toolTip(), QStringLiteral("对齐方式"));

    host.click(QPoint(10, 10));
    QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(28, 10));
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(host.clicks.count(), 2) << "a press on the arrow released on the face clicks";

    host.click(QPoint(23, 10));
    host.click(QPoint(10, 0));
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(28, 10));
    EXPECT_EQ(host.clicks.count(), 2) << "neither part, or a release with no press before it";
    EXPECT_FALSE(host.panel()->isVisible());

    QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(28, 10));
    EXPECT_TRUE(host.panel()->isVisible()) << "a press on the face released on the arrow opens";
    EXPECT_EQ(host.clicks.count(), 2);
}

TEST(AlignButton, ReleasesOnThePanelChooseByTheFramesEndsIncluded)
{
    struct Case {
        QPoint point;
        int value; // -1: no choice, the panel stays open
    };
    const Case cases[] = { { { 27, 26 }, 0 }, { { 5, 5 }, 0 }, { { 33, 10 }, 1 }, { { 55, 26 }, 1 }, { { 61, 32 }, 5 },
        { { 83, 80 }, 8 }, { { 10, 80 }, 6 }, { cellCentre(1, 2), 7 }, { { 4, 10 }, -1 }, { { 30, 40 }, -1 },
        { { 56, 26 }, -1 }, { { 61, 31 }, -1 }, { { 84, 80 }, -1 }, { { 10, 81 }, -1 } };
    for (const Case &c : cases) {
        Host host;
        host.button->setValue(4);
        host.open();
        host.choose(c.point);
        const int expected = c.value < 0 ? 4 : c.value;
        EXPECT_EQ(host.button->Value(), expected) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(host.button->currentCell(), QPoint(expected % 3, expected / 3));
        EXPECT_EQ(host.clicks.count(), c.value < 0 ? 0 : 1);
        EXPECT_EQ(host.panel()->isVisible(), c.value < 0);
    }
}

TEST(AlignButton, PanelClosesOnALeftPressOutsideEscapeOrLeavingTheApplication)
{
    Host host;
    host.open();
    QTest::mousePress(host.panel(), Qt::RightButton, {}, QPoint(120, 40));
    EXPECT_TRUE(host.panel()->isVisible()) << "not on a right press";
    host.choose(cellCentre(2, 1), Qt::RightButton);
    EXPECT_EQ(host.button->Value(), 5) << "but a right release chooses";

    host.open();
    QTest::mousePress(host.panel(), Qt::LeftButton, {}, QPoint(120, 40));
    EXPECT_FALSE(host.panel()->isVisible());
    QTest::mouseRelease(&host.window, Qt::LeftButton, {}, QPoint(190, 100));
    host.open();
    QTest::keyClick(host.panel(), Qt::Key_Escape);
    EXPECT_FALSE(host.panel()->isVisible());
    host.open();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(host.panel()->isVisible());
    EXPECT_EQ(host.clicks.count(), 1);
    EXPECT_EQ(host.button->Value(), 5);
}

TEST(AlignButton, APressOnItsOwnButtonClosesThePanelForGood)
{
    Host host;
    QWindow *window = host.window.windowHandle();
    const QPoint arrow = host.button->mapTo(&host.window, QPoint(28, 10));
    // Twice: what keeps the first closing press from going on must hold for the next one too.
    for (int time = 1; time <= 2; ++time) {
        host.open();
        // Desktop platforms hand the press that closes a pop-up on to the widget under the
        // pointer unless the pop-up declines when it closes, and deliver its release there; the
        // offscreen platform does neither, so the test plays the desktop's part.
        const bool replayed = !host.panel()->testAttribute(Qt::WA_NoMouseReplay);
        // Through the window, as the platform delivers it, so that the open panel sees it first.
        QTest::mousePress(window, Qt::LeftButton, {}, arrow);
        EXPECT_FALSE(host.panel()->isVisible()) << time;
        if (replayed)
            QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(28, 10));
        QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(28, 10));
        EXPECT_FALSE(host.panel()->isVisible()) << "the release must not open it again, time " << time;
    }
    EXPECT_EQ(host.clicks.count(), 0);
}

TEST(AlignButton, SettingValueMovesTheFaceIconAtOnce)
{
    Host host;
    const QImage bottomCentre = icon(":/icons/align-bottom-centre");
    host.button->setValue(7);
    EXPECT_EQ(host.button->currentCell(), QPoint(1, 2));
    EXPECT_TRUE(showsIcon(host.face(), bottomCentre, QPoint(3, 3)));

    for (int outside : { 9, -1 }) {
        host.button->setValue(outside);
        EXPECT_EQ(host.button->Value(), outside) << "any number is kept";
        EXPECT_EQ(host.button->currentCell(), QPoint(-1, -1));
        EXPECT_FALSE(showsIcon(host.face(), bottomCentre, QPoint(3, 3)));
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
    QImage image = host.panelImage();
    // The chessboard shows in the ring round the middle icon (frame at 33, 32), nowhere else.
    EXPECT_EQ(image.pixel(34, 33), kHighlight);
    EXPECT_EQ(image.pixel(6, 7), kFace);
    EXPECT_TRUE(showsIcon(image, icon(":/icons/align-middle-centre"), QPoint(36, 35)));

    QTest::mouseMove(host.panel(), cellCentre(0, 0));
    image = host.panelImage();
    EXPECT_EQ(image.pixel(10, 5), kHighlight) << "another cell hovered: raised";
    EXPECT_EQ(image.pixel(26, 15), kShadow);
    QTest::mousePress(host.panel(), Qt::LeftButton, {}, cellCentre(0, 0));
    image = host.panelImage();
    EXPECT_EQ(image.pixel(10, 5), kShadow) << "with the left button held: sunken";
    EXPECT_EQ(image.pixel(26, 15), kHighlight);
    QTest::mouseMove(host.panel(), cellCentre(1, 1));
    EXPECT_EQ(host.panelImage().pixel(10, 5), kFace) << "the edge follows the pointer";
    QTest::mouseRelease(host.panel(), Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_TRUE(host.panel()->isVisible()) << "released in a gap";
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
