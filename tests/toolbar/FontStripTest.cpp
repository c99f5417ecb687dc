#include "SendMouse.h"
#include "toolbar/FontButton.h"
#include "toolbar/ToolbarLook.h"

#include <QHelpEvent>
#include <QImage>
#include <QSignalSpy>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

struct FontStrip : ::testing::Test {
    FontStrip() { strip.resize(65, 25); }
    QRgb pixel(int x, int y) { return strip.grab().toImage().pixel(x, y); }
    QList<int> clicks()
    {
        QList<int> indexes;
        for (const QList<QVariant> &args : spy)
            indexes.append(args.at(0).toInt());
        return indexes;
    }

    FontButton strip;
    QSignalSpy spy { &strip, &ButtonStrip::Click };
    ToolbarLook look = ToolbarLook::standard();
};

TEST_F(FontStrip, OnlyTheHorizontalPositionFindsAButton)
{
    const struct {
        int x;
        int index;
    } cases[] = { { 0, 0 }, { 21, 0 }, { 22, 0 }, { 23, 1 }, { 44, 1 }, { 45, 2 }, { 66, 2 }, { 67, -1 }, { -1, -1 } };
    for (const auto &c : cases)
        EXPECT_EQ(strip.HitTest(c.x), c.index) << "x = " << c.x;
}

TEST_F(FontStrip, PressAndReleaseOnTheSameButtonClick)
{
    SendMouse::click(&strip, { 22, 10 });
    SendMouse::click(&strip, { 30, 10 });
    EXPECT_EQ(clicks(), QList<int>({ 0, 1 }));
}

TEST_F(FontStrip, ReleaseOverAnotherButtonIsNoClickAndResetsTheLooks)
{
    SendMouse::press(&strip, { 10, 10 });
    EXPECT_EQ(strip.pressedIndex(), 0);
    SendMouse::release(&strip, { 30, 10 });
    EXPECT_TRUE(clicks().isEmpty());
    EXPECT_EQ(strip.pressedIndex(), -1);
    EXPECT_EQ(strip.hoverIndex(), -1);
    EXPECT_EQ(pixel(10, 20), ToQColor(look.back).rgb());
}

TEST_F(FontStrip, DraggingBelowTheStripStillClicksByColumn)
{
    SendMouse::press(&strip, { 50, 10 });
    SendMouse::move(&strip, { 50, 60 }, Qt::LeftButton);
    EXPECT_EQ(strip.pressedIndex(), 2);
    SendMouse::release(&strip, { 50, 60 });
    EXPECT_EQ(clicks(), QList<int>({ 2 }));
}

TEST_F(FontStrip, OtherMouseButtonsPressNothing)
{
    SendMouse::press(&strip, { 30, 10 }, Qt::RightButton);
    EXPECT_EQ(strip.pressedIndex(), -1);
    EXPECT_EQ(pixel(23, 20), ToQColor(look.back).rgb());
    SendMouse::release(&strip, { 30, 10 }, Qt::RightButton);
    SendMouse::click(&strip, { 30, 10 }, Qt::MiddleButton);
    EXPECT_TRUE(clicks().isEmpty());
}

TEST_F(FontStrip, ReleaseOnAGapOrWithNothingPressedIsNoClick)
{
    SendMouse::release(&strip, { 30, 10 });
    SendMouse::click(&strip, { 67, 10 });
    SendMouse::press(&strip, { 67, 10 });
    SendMouse::release(&strip, { 68, 10 });
    EXPECT_TRUE(clicks().isEmpty());
}

TEST_F(FontStrip, HoverRaisesTheIconOverItsShadowInsideTheHotRectangle)
{
    SendMouse::move(&strip, { 30, 10 });
    EXPECT_EQ(strip.hoverIndex(), 1);
    const QImage image = strip.grab().toImage();
    const QRgb border = ToQColor(look.hotBorder).rgb();
    const QRgb fill = ToQColor(look.hotFill).rgb();
    // The 22 x 22 rectangle at (22, 0): columns 22..43, rows 0..21.
    EXPECT_EQ(image.pixel(22, 0), border);
    EXPECT_EQ(image.pixel(43, 21), border);
    EXPECT_EQ(image.pixel(44, 10), ToQColor(look.back).rgb());
    EXPECT_EQ(image.pixel(10, 22), ToQColor(look.back).rgb());
    EXPECT_EQ(image.pixel(23, 1), fill);
    EXPECT_EQ(image.pixel(42, 20), fill);
    // The italic I is drawn at (24, 2); its top bar begins at icon column 7, row 3. Its
    // shadow at (26, 4) shows where the icon itself is clear.
    EXPECT_EQ(image.pixel(24 + 7, 2 + 3), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(26 + 11, 4 + 3), qRgb(128, 128, 128));
    // The other icons lie flat at (3, 3) and (47, 3).
    EXPECT_EQ(image.pixel(3 + 2, 3 + 3), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(47 + 3, 3 + 2), qRgb(0, 0, 0));
}

TEST_F(FontStrip, PressedButtonKeepsItsLookWhileDraggedAway)
{
    SendMouse::move(&strip, { 30, 10 });
    SendMouse::press(&strip, { 30, 10 });
    SendMouse::move(&strip, { 200, 10 }, Qt::LeftButton);
    const QImage image = strip.grab().toImage();
    EXPECT_EQ(image.pixel(23, 1), ToQColor(look.pressedFill).rgb());
    // Pressed, the icon lies flat at (25, 3).
    EXPECT_EQ(image.pixel(25 + 7, 3 + 3), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(27 + 11, 5 + 3), ToQColor(look.pressedFill).rgb());
}

TEST_F(FontStrip, MovingOutWithNoButtonHeldDropsTheHoverLook)
{
    SendMouse::move(&strip, { 30, 10 });
    SendMouse::move(&strip, { 30, 40 });
    EXPECT_EQ(strip.hoverIndex(), -1);
    EXPECT_EQ(pixel(23, 1), ToQColor(look.back).rgb());
}

TEST_F(FontStrip, SeparatorLiesBeyondTheVisibleStrip)
{
    strip.resize(70, 25);
    const QImage image = strip.grab().toImage();
    EXPECT_EQ(image.pixel(68, 0), ToQColor(look.shadow).rgb());
    EXPECT_EQ(image.pixel(68, 22), ToQColor(look.shadow).rgb());
    EXPECT_EQ(image.pixel(68, 23), ToQColor(look.back).rgb());
}

// What Qt's tooltip machinery shows after the pointer has moved to x.
QString tipAt(QWidget &strip, int x)
{
    SendMouse::move(&strip, { x, 10 });
    // Qt shows nothing for an empty tooltip (a tip still fading out keeps its old text).
    if (strip.toolTip().isEmpty())
        return QString();
    QHelpEvent event(QEvent::ToolTip, QPoint(x, 10), strip.mapToGlobal(QPoint(x, 10)));
    QApplication::sendEvent(&strip, &event);
    const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return shown;
}

TEST_F(FontStrip, TooltipFollowsTheButtonUnderThePointer)
{
    strip.resize(70, 25); // so that x = 67, beside all buttons, is still over the strip
    strip.show();
    const struct {
        int x;
        const char *text;
    } cases[] = { { 5, "粗体" }, { 30, "斜体" }, { 50, "下划线" }, { 67, "" }, { 22, "粗体" } };
    for (const auto &c : cases)
        EXPECT_EQ(tipAt(strip, c.x), QString::fromUtf8(c.text)) << "x = " << c.x;
}

} // namespace
