#include "ButtonHost.h"
#include "ClassicPalette.h"
#include "support/ScriptedPrompts.h"
#include "toolbar/ColorButton.h"
#include "toolbar/ColorPanel.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using Host = ButtonHost<ColorButton>;

// The middle of the swatch of cell (column, row) in panel pixels.
QPoint swatch(int column, int row)
{
    return QPoint(column * 18 + 14, row * 18 + 38);
}

const QPoint kCustomButton(77, 17);

} // namespace

TEST(ColorButton, EveryPaletteCellGivesItsColour)
{
    struct Case {
        QPoint cell;
        OleColor color;
    };
    const Case cases[] = {
        {{0, 0}, RgbColor(0, 0, 0)},       {{0, 1}, RgbColor(128, 0, 0)},     {{1, 0}, RgbColor(153, 51, 0)},
        {{5, 1}, RgbColor(0, 0, 255)},     {{7, 2}, RgbColor(150, 150, 150)}, {{4, 3}, RgbColor(0, 255, 255)},
        {{6, 4}, RgbColor(204, 153, 255)}, {{7, 4}, RgbColor(255, 255, 255)}, {{2, 2}, RgbColor(153, 204, 0)},
    };
    for (const Case &c : cases) {
        Host host;
        host.open();
        host.choose(swatch(c.cell.x(), c.cell.y()));
        EXPECT_EQ(host.button->Value(), c.color) << c.cell.x() << "," << c.cell.y();
        EXPECT_EQ(host.button->currentCell(), c.cell);
        EXPECT_EQ(host.clicks.count(), 1);
        EXPECT_FALSE(host.panel()->isVisible());
        EXPECT_EQ(ColorPanel::cellOf(c.color), c.cell) << "each colour stands once in the palette";
    }
}

TEST(ColorButton, PanelHitAreasShareBordersWithTheLowerIndex)
{
    struct Case {
        QPoint point;
        std::optional<OleColor> color; // none: the panel stays open
    };
    const Case cases[] = {
        {{23, 30}, RgbColor(0, 0, 0)},      {{24, 30}, RgbColor(153, 51, 0)},  {{5, 29}, RgbColor(0, 0, 0)},
        {{149, 119}, RgbColor(255, 255, 255)}, {{5, 47}, RgbColor(0, 0, 0)},   {{5, 48}, RgbColor(128, 0, 0)},
        {{80, 27}, std::nullopt},           {{4, 40}, std::nullopt},           {{150, 40}, std::nullopt},
        {{60, 120}, std::nullopt},
    };
    for (const Case &c : cases) {
        Host host;
        host.button->setValue(RgbColor(1, 2, 3));
        host.open();
        host.choose(c.point);
        if (c.color) {
            EXPECT_EQ(host.button->Value(), *c.color) << c.point.x() << "," << c.point.y();
            EXPECT_EQ(host.clicks.count(), 1);
        } else {
            EXPECT_TRUE(host.panel()->isVisible()) << c.point.x() << "," << c.point.y();
            EXPECT_EQ(host.button->Value(), RgbColor(1, 2, 3));
            EXPECT_EQ(host.clicks.count(), 0);
        }
    }
}

TEST(ColorButton, OpeningMarksThePaletteCellOfValue)
{
    Host host;
    host.button->setValue(RgbColor(255, 0, 0));
    host.open();
    EXPECT_EQ(host.button->currentCell(), QPoint(0, 2));
    host.panel()->close();
    host.button->setValue(RgbColor(1, 2, 3));
    host.open();
    EXPECT_EQ(host.button->currentCell(), QPoint(-1, -1));
}

TEST(ColorButton, CustomColourComesFromTheColourDialog)
{
    ScriptedPrompts prompts;
    Host host;
    host.button->setValue(RgbColor(1, 2, 3));
    host.open();
    host.choose(kCustomButton);
    EXPECT_FALSE(host.panel()->isVisible());
    EXPECT_EQ(host.button->Value(), RgbColor(1, 2, 3)) << "cancelled";
    EXPECT_EQ(host.clicks.count(), 0);

    prompts.colors << QColor(10, 20, 30);
    host.button->setValue(RgbColor(255, 0, 0));
    host.open();
    host.choose(QPoint(8, 26));
    EXPECT_EQ(host.button->Value(), RgbColor(10, 20, 30));
    EXPECT_EQ(host.button->currentCell(), QPoint(-1, -1));
    EXPECT_EQ(host.clicks.count(), 1);
    EXPECT_TRUE(prompts.colors.isEmpty());
}

TEST(ColorButton, FaceClickRaisesClickAndLeavesValue)
{
    Host host;
    host.button->setValue(RgbColor(0, 128, 0));
    host.click(QPoint(10, 10));
    EXPECT_EQ(host.clicks.count(), 1);
    EXPECT_FALSE(host.panel()->isVisible());
    EXPECT_EQ(host.button->Value(), RgbColor(0, 128, 0));
    host.click(QPoint(23, 10));
    EXPECT_EQ(host.clicks.count(), 1);
    EXPECT_FALSE(host.panel()->isVisible());
}

TEST(ColorButton, ButtonTypeChoosesIconAndTooltip)
{
    Host host;
    EXPECT_EQ(host.button->ButtonType(), 0);
    EXPECT_EQ(host.button->toolTip(), QStringLiteral("填充颜色"));
    const QImage fill = QImage(QStringLiteral(":/icons/color-fill")).convertToFormat(QImage::Format_ARGB32);
    const QImage text = QImage(QStringLiteral(":/icons/color-text")).convertToFormat(QImage::Format_ARGB32);
    const QImage pen = QImage(QStringLiteral(":/icons/color-pen")).convertToFormat(QImage::Format_ARGB32);
    EXPECT_TRUE(showsIcon(host.face(), fill, QPoint(3, 1)));

    host.button->setButtonType(1);
    EXPECT_EQ(host.button->toolTip(), QStringLiteral("文字颜色"));
    EXPECT_TRUE(showsIcon(host.face(), text, QPoint(3, 1)));
    EXPECT_EQ(host.button->Value(), 0u);

    host.button->setButtonType(2);
    EXPECT_EQ(host.button->toolTip(), QStringLiteral("文字颜色")) << "kept";
    EXPECT_TRUE(showsIcon(host.face(), pen, QPoint(3, 1)));
}

TEST(ColorButton, FaceBarShowsValueThroughTheIcon)
{
    Host host;
    host.button->setValue(RgbColor(0, 0, 255));
    const QImage face = host.face();
    for (int x = 3; x <= 18; ++x)
        for (int y = 15; y <= 17; ++y)
            EXPECT_EQ(face.pixel(x, y), qRgb(0, 0, 255)) << x << "," << y;
    host.button->setValue(kSystemButtonShadow);
    EXPECT_EQ(FromQColor(QColor(host.face().pixel(10, 16))), TranslateColor(kSystemButtonShadow));
}

TEST_F(ClassicPalette, ColorPanelHoverEdgesTheCustomButtonButNeverMarksIt)
{
    Host host;
    host.button->setValue(RgbColor(0, 0, 0));
    host.open();
    QImage image = host.panelImage();
    EXPECT_EQ(image.pixel(6, 30), kHighlight) << "the chessboard of cell (0, 0)";
    EXPECT_EQ(image.pixel(5, 29), kShadow);
    EXPECT_EQ(image.pixel(40, 5), kFace);

    QTest::mouseMove(host.panel(), kCustomButton);
    image = host.panelImage();
    EXPECT_EQ(image.pixel(40, 5), kHighlight) << "raised";
    EXPECT_EQ(image.pixel(40, 28), kShadow);

    QTest::mousePress(host.panel(), Qt::RightButton, {}, kCustomButton);
    EXPECT_EQ(host.panelImage().pixel(40, 5), kFace) << "a right press only redraws";
    EXPECT_TRUE(host.panel()->isVisible());
}
