// Documents, templates and saved grid files name the fonts of the Windows desktops they came
// from ("宋体", "黑体", "Arial", ...). Linux has none of them. Left to fontconfig, "宋体" becomes a
// Latin font with Chinese glyphs borrowed from another font, and digits and Han characters of one
// text then stand on different baselines on paper. Each name is mapped here, once, when the
// application starts, to an installed font that holds both scripts.
#include "FontSubstitutes.h"

#include <QFont>
#include <QStringList>

void RegisterFontSubstitutes()
{
    const QStringList serif { QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC") };
    const QStringList sans { QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC") };
    for (const char *name : { "宋体", "新宋体", "仿宋", "仿宋_GB2312", "楷体", "楷体_GB2312", "SimSun", "NSimSun",
             "FangSong", "KaiTi" })
        QFont::insertSubstitutions(QString::fromUtf8(name), serif);
    for (const char *name : { "黑体", "微软雅黑", "SimHei", "Microsoft YaHei" })
        QFont::insertSubstitutions(QString::fromUtf8(name), sans);
}
