#include "OleColor.h"

#include <array>

namespace tabstrip {

QColor translateColor(OleColor color, const QPalette &palette)
{
    if (!(color & 0x80000000u))
        return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));

    // The Windows system colour numbers, each mapped to the palette role that plays its part.
    static constexpr std::array roles = {
        QPalette::Button,          // 0 scroll bar
        QPalette::Dark,            // 1 desktop
        QPalette::Highlight,       // 2 active caption
        QPalette::Mid,             // 3 inactive caption
        QPalette::Window,          // 4 menu
        QPalette::Base,            // 5 window
        QPalette::Shadow,          // 6 window frame
        QPalette::WindowText,      // 7 menu text
        QPalette::Text,            // 8 window text
        QPalette::HighlightedText, // 9 caption text
        QPalette::Button,          // 10 active border
        QPalette::Button,          // 11 inactive border
        QPalette::Mid,             // 12 application workspace
        QPalette::Highlight,       // 13 highlight
        QPalette::HighlightedText, // 14 highlighted text
        QPalette::Button,          // 15 button face
        QPalette::Dark,            // 16 button shadow
        QPalette::PlaceholderText, // 17 grey text
        QPalette::ButtonText,      // 18 button text
        QPalette::WindowText,      // 19 inactive caption text
        QPalette::Light,           // 20 button highlight
        QPalette::Shadow,          // 21 3D dark shadow
        QPalette::Midlight,        // 22 3D light
        QPalette::ToolTipText,     // 23 tooltip text
        QPalette::ToolTipBase,     // 24 tooltip background
        QPalette::Window,          // 25 (unused)
        QPalette::Link,            // 26 hot-tracked item
        QPalette::Highlight,       // 27 active caption gradient
        QPalette::Mid,             // 28 inactive caption gradient
        QPalette::Highlight,       // 29 menu highlight
        QPalette::Window,          // 30 menu bar
    };
    const quint32 index = color & 0x7FFFFFFFu;
    if (index >= roles.size())
        return QColor(Qt::black);
    // at(): the table checks its own end too
    return palette.color(QPalette::Active, roles.at(index));
}

} // namespace tabstrip
