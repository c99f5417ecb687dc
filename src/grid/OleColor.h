#pragma once

#include <QColor>
#include <QtGlobal>

// Colours reach the grid the way the toolbar and the ticket window hand them over: 0x00BBGGRR,
// red in the low byte. This is the one place where that order turns into a QColor and back.
inline QColor FromOleColor(quint32 ole)
{
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

inline quint32 ToOleColor(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}
