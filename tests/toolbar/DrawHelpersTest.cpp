#include "ClassicPalette.h"
#include "toolbar/ToolbarDraw.h"
#include "toolbar/ToolbarLook.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

const QRgb kGround = qRgb(10, 20, 30);

QImage canvas()
{
    QImage image(40, 60, QImage::Format_RGB32);
    image.fill(kGround);
    return image;
}

// The pixels of `image` that differ from the ground.
QList<QPoint> painted(const QImage &image)
{
    QList<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kGround)
                points << QPoint(x, y);
    return points;
}

} // namespace

TEST(LightenColor, DividesEachComponentRoundsHalfToEvenAndCaps)
{
    struct Case {
        OleColor color;
        float factor;
        OleColor expected;
    };
    // The last row divides exactly: 2.5 goes to 2 and 3.5 to 4.
    const Case cases[] = { { RgbColor(212, 208, 200), 0.97f, RgbColor(219, 214, 206) },
        { RgbColor(212, 208, 200), 0.95f, RgbColor(223, 219, 211) },
        { RgbColor(236, 233, 216), 0.97f, RgbColor(243, 240, 223) },
        { RgbColor(236, 233, 216), 0.95f, RgbColor(248, 245, 227) },
        { RgbColor(250, 0, 250), 0.95f, RgbColor(255, 0, 255) }, { RgbColor(5, 7, 1), 2.0f, RgbColor(2, 4, 0) } };
    for (const Case &c : cases)
        EXPECT_EQ(LightenColor(c.color, c.factor), c.expected) << std::hex << c.color << " / " << c.factor;
}

TEST_F(ClassicPalette, SystemColourReferencesResolveThroughThePalette)
{
    EXPECT_EQ(TranslateColor(kSystemButtonShadow), RgbColor(128, 128, 128));
    EXPECT_EQ(LightenColor(kSystemButtonFace, 0.97f), RgbColor(219, 214, 206));
    EXPECT_EQ(ToolbarLook::standard().back, RgbColor(219, 214, 206)) << "the themed shade";
    // Plain RGB values and references to no system colour come back unchanged.
    for (OleColor same : { RgbColor(1, 2, 3), OleColor(0x80000019), OleColor(0x80000040), OleColor(0x81000005) })
        EXPECT_EQ(TranslateColor(same), same) << std::hex << same;
    EXPECT_EQ(ToQColor(RgbColor(255, 0, 0)), QColor(255, 0, 0)) << "red sits in the low byte";
    EXPECT_EQ(FromQColor(QColor(0, 0, 255)), OleColor(0x00FF0000));
}

TEST(DrawRect, BorderCoversWidthByHeightAndTheFillOnlyTheInside)
{
    QImage image = canvas();
    QPainter painter(&image);
    const OleColor c = RgbColor(200, 100, 50);
    EXPECT_TRUE(DrawRect(painter, 3, 15, 16, 3, c, c, false));
    painter.end();
    QList<QPoint> expected;
    for (int y = 15; y <= 17; ++y)
        for (int x = 3; x <= 18; ++x)
            expected << QPoint(x, y);
    EXPECT_EQ(painted(image), expected);

    image = canvas();
    painter.begin(&image);
    painter.setBrush(Qt::NoBrush);
    DrawRect(painter, 2, 30, 6, 5, RgbColor(255, 0, 0), RgbColor(0, 255, 0), false);
    DrawRect(painter, 12, 30, 6, 5, RgbColor(255, 0, 0), RgbColor(0, 255, 0), true);
    EXPECT_FALSE(DrawRect(painter, 3, 3, -1, 5, 0, 0));
    EXPECT_FALSE(DrawRect(painter, 3, 3, 5, -1, 0, 0));
    EXPECT_TRUE(DrawRect(painter, 3, 3, 0, 5, 0, 0));
    painter.end();
    EXPECT_EQ(image.pixel(7, 34), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(8, 35), kGround);
    EXPECT_EQ(image.pixel(3, 31), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(6, 33), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(14, 32), kGround) << "no fill keeps the inside";
    EXPECT_EQ(image.pixel(17, 34), qRgb(255, 0, 0));
    EXPECT_EQ(painted(image).size(), 2 * 18 + 12) << "empty and negative sizes draw nothing";
}

TEST_F(ClassicPalette, CheckeredWhitensAlternatePixelsByAbsoluteColumnThenSinksTheEdge)
{
    QImage image = canvas();
    QPainter painter(&image);
    DrawCheckered(painter, 5, 29, 18, 18);
    painter.end();
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            const bool inside = x >= 5 && x <= 22 && y >= 29 && y <= 46;
            const bool ring = inside && (x == 5 || x == 22 || y == 29 || y == 46);
            const bool topLeft = (y == 29 && x < 22) || (x == 5 && y < 46);
            const bool whitened = (x % 2 == 1) == ((y - 29) % 2 == 0);
            const QRgb expected = !inside ? kGround
                : ring                    ? (topLeft ? kShadow : kHighlight)
                : whitened                ? kHighlight
                                          : kGround;
            EXPECT_EQ(image.pixel(x, y), expected) << x << "," << y;
        }

    // Moved one column, the same rectangle shows the opposite pattern within itself.
    QImage shifted = canvas();
    painter.begin(&shifted);
    DrawCheckered(painter, 6, 29, 18, 18);
    painter.end();
    EXPECT_EQ(image.pixel(6, 30), kHighlight);
    EXPECT_EQ(shifted.pixel(7, 30), kGround);
}

TEST(DrawLine, LeavesTheEndPointUnpainted)
{
    QImage image = canvas();
    QPainter painter(&image);
    DrawLine(painter, 4, 2, 4, 10, RgbColor(0, 0, 255), 1);
    DrawLine(painter, 10, 10, 14, 6, RgbColor(0, 0, 255), 1);
    painter.end();
    EXPECT_EQ(painted(image).size(), 8 + 4);
    EXPECT_EQ(image.pixel(4, 9), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(4, 10), kGround);
    EXPECT_EQ(image.pixel(13, 7), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(14, 6), kGround);
}

TEST(DrawPictureState, DrawsSixteenSquareNormallyOrAsGreySilhouette)
{
    QImage source(20, 20, QImage::Format_ARGB32);
    source.fill(Qt::transparent);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(15, 15, qRgb(0, 255, 0));
    source.setPixel(17, 17, qRgb(0, 0, 255));
    const QPixmap picture = QPixmap::fromImage(source);

    QImage image = canvas();
    QPainter painter(&image);
    DrawPictureState(painter, picture, 2, 3, false);
    DrawPictureState(painter, picture, 20, 3, true);
    DrawPictureState(painter, QPixmap(), 2, 30, false);
    painter.end();
    EXPECT_EQ(painted(image), (QList<QPoint> { QPoint(2, 3), QPoint(20, 3), QPoint(17, 18), QPoint(35, 18) }));
    EXPECT_EQ(image.pixel(17, 18), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(35, 18), qRgb(128, 128, 128));
}
