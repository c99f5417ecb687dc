#pragma once

#include <QColor>
#include <QtGlobal>

// Colours reach the grid the way the toolbar and the ticket window hand them over: 0x00BBGGRR,
// red in the low byte. This is the one place where that order turns into a QColor and back.
constexpr quint32 OleRgb(int red, int green, int blue)
{
    return quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16;
}

inline QColor FromOleColor(quint32 ole)
{
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

inline quint32 ToOleColor(const QColor &color)
{
    return OleRgb(color.red(), color.green(), color.blue());
}
