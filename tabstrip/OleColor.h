#pragma once

#include <QColor>
#include <QPalette>

namespace tabstrip {

// A colour as the tab strip stores it: 0x80000000 + n names system colour n, resolved through
// the palette when drawing; any other value is a direct colour 0x00BBGGRR.
using OleColor = quint32;

inline constexpr OleColor systemColor(quint32 index)
{
    return 0x80000000u | index;
}

QColor translateColor(OleColor color, const QPalette &palette);

// A direct colour 0x00BBGGRR.
inline OleColor oleColor(const QColor &color)
{
    return OleColor(color.red()) | OleColor(color.green()) << 8 | OleColor(color.blue()) << 16;
}

} // namespace tabstrip
