#include "CellStyle.h"

size_t qHash(const CellStyle &style, size_t seed)
{
    const int flags = (int(style.bold) << 3) | (int(style.italic) << 2) | (int(style.underline) << 1) | int(style.wrap);
    seed = qHashMulti(seed, style.fontName, style.fontSize, flags, style.foreColor, style.backColor, style.alignment);
    return qHashRange(style.lines.begin(), style.lines.end(), seed);
}
