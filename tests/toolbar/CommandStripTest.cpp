#include "SendMouse.h"
#include "toolbar/Toolbar.h"
#include "toolbar/ToolbarLook.h"

#include <QHelpEvent>
#include <QImage>
#include <QSignalSpy>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

const int kLeft[] = { 0, 22, 44, 71, 93, 120, 142, 164, 191, 213, 240, 262, 284, 306, 333, 355, 377 };
const char *const kTips[] = { "新建", "打开", "保存", "打印", "打印预览", "剪切", "复制", "粘贴", "合并单元格",
    "取消合并单元格", "插入行", "插入列", "删除行", "删除列", "美化表格", "设置", "关于" };

struct CommandStrip : ::testing::Test {
    CommandStrip() { strip.resize(401, 25); }
    QList<int> clicks()
    {
        QList<int> indexes;
        for (const QList<QVariant> &args : spy)
            indexes.append(args.at(0).toInt());
        return indexes;
    }

    Toolbar strip;
    QSignalSpy spy { &strip, &ButtonStrip::Click };
    ToolbarLook look = ToolbarLook::standard();
};

TEST_F(CommandStrip, EveryButtonIsHitAcrossItsColumnsAndClicks)
{
    ASSERT_EQ(strip.buttonCount(), 17);
    for (int i = 0; i < 17; ++i) {
        const int right = kLeft[i] + 22;
        // A right edge shared with the next button belongs to this, the lower, index.
        EXPECT_EQ(strip.HitTest(kLeft[i]), i == 0 || kLeft[i - 1] + 22 < kLeft[i] ? i : i - 1) << i;
        EXPECT_EQ(strip.HitTest(kLeft[i] + 1), i) << i;
        EXPECT_EQ(strip.HitTest(right), i) << i;
        SendMouse::click(&strip, { kLeft[i] + 11, 12 });
    }
    QList<int> all;
    for (int i = 0; i < 17; ++i)
        all.append(i);
    EXPECT_EQ(clicks(), all);
}

TEST_F(CommandStrip, GapsAndTheEndHitNothing)
{
    for (int x : { 67, 68, 70, 116, 119, 187, 190, 236, 239, 329, 332, 400 })
        EXPECT_EQ(strip.HitTest(x), -1) << "x = " << x;
    EXPECT_EQ(strip.HitTest(399), 16);
}

TEST_F(CommandStrip, SeparatorsStandBetweenTheGroups)
{
    const QImage image = strip.grab().toImage();
    for (int x : { 68, 117, 188, 237, 330 }) {
        EXPECT_EQ(image.pixel(x, 0), ToQColor(look.shadow).rgb()) << x;
        EXPECT_EQ(image.pixel(x, 22), ToQColor(look.shadow).rgb()) << x;
        EXPECT_EQ(image.pixel(x + 1, 12), ToQColor(look.back).rgb()) << x;
    }
}

TEST_F(CommandStrip, EveryButtonHasAnIcon)
{
    const QImage image = strip.grab().toImage();
    const QRgb back = ToQColor(look.back).rgb();
    for (int i = 0; i < 17; ++i) {
        int painted = 0;
        for (int y = 3; y < 19; ++y)
            for (int x = kLeft[i] + 3; x < kLeft[i] + 19; ++x)
                painted += image.pixel(x, y) != back;
        EXPECT_GT(painted, 20) << kTips[i];
    }
}

TEST_F(CommandStrip, TooltipNamesTheButtonUnderThePointer)
{
    strip.show();
    for (int i = 0; i < 17; ++i) {
        const int x = kLeft[i] + 11;
        SendMouse::move(&strip, { x, 10 });
        QToolTip::hideText();
        QHelpEvent event(QEvent::ToolTip, QPoint(x, 10), strip.mapToGlobal(QPoint(x, 10)));
        QApplication::sendEvent(&strip, &event);
        EXPECT_EQ(QToolTip::text(), QString::fromUtf8(kTips[i]));
    }
    SendMouse::move(&strip, { 68, 10 });
    EXPECT_EQ(strip.hoverIndex(), -1);
    EXPECT_EQ(strip.toolTip(), QString());
    QToolTip::hideText();
}

} // namespace
