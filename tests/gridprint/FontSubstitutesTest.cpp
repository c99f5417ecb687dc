#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

// Documents name Windows fonts; on paper digits and Han characters of one text must come from
// one installed font, or they stand on different baselines.
TEST(FontSubstitutes, WindowsChineseFontsResolveToOneFontWithBothScripts)
{
    for (const char *name : { "宋体", "黑体", "仿宋_GB2312", "SimSun" }) {
        const QFont font(QString::fromUtf8(name), 12);
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(family.contains(QStringLiteral("CJK"))) << name << " -> " << family.toStdString();
        const QFontMetricsF metrics(font);
        EXPECT_TRUE(metrics.inFont(QChar(u'第')) && metrics.inFont(QChar(u'1'))) << name;
    }
}
