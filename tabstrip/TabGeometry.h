#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>

#include <cstdint>

namespace tabstrip {

// A rectangle in pixels of the strip's surface. Drawing covers left..right-1 and top..bottom-1;
// hit testing takes all four bounds as inclusive.
struct TabRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const TabRect &, const TabRect &) = default;
};

// Side flags of a raised edge, as the active tab leaves open the side facing the page.
enum EdgeSide { EdgeLeft = 1, EdgeTop = 2, EdgeRight = 4, EdgeBottom = 8, EdgeAll = 15 };

struct StripLayout {
    TabRect page;        // the framed page area
    int activeSides = 0; // the sides drawn on the active tab
    QList<TabRect> tabs; // each tab's full rectangle, tab 1 first
};

// Where the page and every tab of a strip of `width` × `height` pixels lie. Computed in 64 bits
// and clamped to 32, so no size overflows.
StripLayout stripLayout(int style, std::int64_t width, std::int64_t height, std::int64_t tabsWidth,
                        std::int64_t tabsHeight, int tabs);

// `r` moved in by `by` pixels on every side.
TabRect inset(const TabRect &r, int by);

// The rectangle hit testing uses for a tab: the full one when active, else the inner block.
TabRect hitRect(const TabRect &full, bool active);

// The first tab (from 1) whose rectangle holds the point, bounds inclusive; 0 for none.
int hitTest(const QList<TabRect> &tabRects, int x, int y);

// Top-left corner of a caption of `size` inside the full tab rectangle for an alignment 0..8,
// in floating point.
QPointF captionPosition(const TabRect &tab, int alignment, QSizeF size);

} // namespace tabstrip
