#include "CellStyle.h"

size_t qHash(const CellStyle &style, size_t seed)
{
    QtPrivate::QHashCombine combine;
    seed = combine(seed, style.fontName);
    seed = combine(seed, style.fontSize);
    seed = combine(seed, (int(style.bold) << 2) | (int(style.italic) << 1) | int(style.underline));
    seed = combine(seed, style.foreColor);
    seed = combine(seed, style.backColor);
    seed = combine(seed, style.alignment);
    seed = combine(seed, style.wrap);
    for (quint8 line : style.lines)
        seed = combine(seed, line);
    return seed;
}
