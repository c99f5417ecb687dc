#include "toolbar/ColorButton.h"
#include "ButtonHost.h"
#include "ClassicPalette.h"
#include "support/ScriptedPrompts.h"
#include "toolbar/ColorPanel.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using Host = ButtonHost<ColorButton>;

const QPoint kCustomButton(77, 17);

} // namespace

TEST(ColorButton, PanelReleasesChooseThePaletteColourSharedBordersToTheLowerIndex)
{
    struct Case {
        QPoint point;
        std::optional<OleColor> color; // none: the panel stays open
    };
    const Case cases[] = { { { 23, 30 }, RgbColor(0, 0, 0) }, { { 24, 30 }, RgbColor(153, 51, 0) },
        { { 5, 48 }, RgbColor(128, 0, 0) }, { { 104, 70 }, RgbColor(51, 102, 255) },
        { { 86, 92 }, RgbColor(0, 255, 255) }, { { 149, 119 }, RgbColor(255, 255, 255) }, { { 80, 27 }, std::nullopt },
        { { 4, 40 }, std::nullopt }, { { 150, 40 }, std::nullopt }, { { 60, 120 }, std::nullopt } };
    for (const Case &c : cases) {
        Host host;
        host.button->setValue(RgbColor(1, 2, 3));
        host.open();
        host.choose(c.point);
        EXPECT_EQ(host.button->Value(), c.color.value_or(RgbColor(1, 2, 3))) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(host.clicks.count(), c.color ? 1 : 0);
        EXPECT_EQ(host.panel()->isVisible(), !c.color);
        if (c.color) {
            EXPECT_EQ(ColorPanel::cellOf(*c.color), host.button->currentCell());
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

TEST(ColorButton, FaceClickKeepsValueAndTheBarShowsIt)
{
    Host host;
    host.button->setValue(RgbColor(0, 0, 255));
    host.click(QPoint(10, 10));
    host.click(QPoint(23, 10));
    EXPECT_EQ(host.clicks.count(), 1);
    EXPECT_FALSE(host.panel()->isVisible());
    EXPECT_EQ(host.button->Value(), RgbColor(0, 0, 255));
    const QImage face = host.face();
    for (QPoint p : { QPoint(3, 15), QPoint(18, 17), QPoint(10, 16) })
        EXPECT_EQ(face.pixel(p), qRgb(0, 0, 255)) << "the icon leaves the bar whole";
    host.button->setValue(kSystemButtonShadow);
    EXPECT_EQ(FromQColor(QColor(host.face().pixel(10, 16))), TranslateColor(kSystemButtonShadow));
}

TEST(ColorButton, ButtonTypeChoosesIconAndTooltip)
{
    struct Case {
        int type;
        const char *icon;
        QString tooltip;
    };
    const Case cases[] = { { 0, ":/icons/color-fill", QStringLiteral("填充颜色") },
        { 1, ":/icons/color-text", QStringLiteral("文字颜色") },
        { 2, ":/icons/color-pen", QStringLiteral("文字颜色") } }; // 2 keeps the tooltip it had
    Host host;
    for (const Case &c : cases) {
        host.button->setButtonType(c.type);
        EXPECT_EQ(host.button->toolTip(), c.tooltip) << c.type;
        EXPECT_TRUE(showsIcon(host.face(), icon(c.icon), QPoint(3, 1))) << c.type;
    }
    EXPECT_EQ(host.button->Value(), 0u);
}

TEST_F(ClassicPalette, ColorPanelEdgesTheCustomButtonButNeverMarksIt)
{
    Host host;
    host.open();
    QImage image = host.panelImage();
    EXPECT_EQ(image.pixel(6, 30), kHighlight) << "the chessboard of black, cell (0, 0)";
    EXPECT_EQ(image.pixel(40, 5), kFace);

    QTest::mouseMove(host.panel(), kCustomButton);
    image = host.panelImage();
    EXPECT_EQ(image.pixel(40, 5), kHighlight) << "raised";
    EXPECT_EQ(image.pixel(40, 28), kShadow);
    QTest::mousePress(host.panel(), Qt::RightButton, {}, kCustomButton);
    EXPECT_EQ(host.panelImage().pixel(40, 5), kFace) << "a right press only redraws";
    QTest::mouseRelease(host.panel(), Qt::RightButton, {}, QPoint(80, 27));
    EXPECT_TRUE(host.panel()->isVisible());
}
