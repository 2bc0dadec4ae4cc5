#include "TabGeometry.h"

#include <algorithm>
#include <limits>

namespace tabstrip {

namespace {

std::int32_t clamp32(std::int64_t v)
{
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

TabRect rect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b)
{
    return {clamp32(l), clamp32(t), clamp32(r), clamp32(b)};
}

} // namespace

StripLayout stripLayout(int style, std::int64_t W, std::int64_t H, std::int64_t TW, std::int64_t TH,
                        int N)
{
    StripLayout layout;
    switch (style) {
    case 2:
    case 3:
        layout.page = rect(0, 0, W, H - TH);
        layout.activeSides = EdgeLeft | EdgeRight | EdgeBottom;
        break;
    case 4:
    case 6:
        layout.page = rect(TW, 0, W, H);
        layout.activeSides = EdgeLeft | EdgeTop | EdgeBottom;
        break;
    case 5:
    case 7:
        layout.page = rect(0, 0, W - TW, H);
        layout.activeSides = EdgeTop | EdgeRight | EdgeBottom;
        break;
    default:
        layout.page = rect(0, TH, W, H);
        layout.activeSides = EdgeLeft | EdgeTop | EdgeRight;
        break;
    }

    layout.tabs.reserve(std::max(N, 0));
    for (std::int64_t i = 1; i <= N; ++i) {
        const std::int64_t along = (i - 1) * TW; // position along a top or bottom row
        const std::int64_t down = (i - 1) * TH;  // position down a left or right column
        std::int64_t L = 0, T = 0;
        switch (style) {
        case 1:
            L = W - N * TW + along - 1;
            break;
        case 2:
            L = along, T = H - TH - 1;
            break;
        case 3:
            L = W - N * TW + along - 1, T = H - TH - 1;
            break;
        case 4:
            T = down;
            break;
        case 5:
            L = W - TW - 1, T = down;
            break;
        case 6:
            T = H - N * TH + down - 1;
            break;
        case 7:
            L = W - TW - 1, T = H - N * TH + down - 1;
            break;
        default:
            L = along;
            break;
        }
        layout.tabs.append(rect(L, T, L + TW + 1, T + TH + 1));
    }
    return layout;
}

TabRect inset(const TabRect &r, int by)
{
    return rect(std::int64_t(r.left) + by, std::int64_t(r.top) + by, std::int64_t(r.right) - by,
                std::int64_t(r.bottom) - by);
}

TabRect hitRect(const TabRect &full, bool active)
{
    return active ? full : inset(full, 1);
}

int hitTest(const QList<TabRect> &tabRects, int x, int y)
{
    for (qsizetype i = 0; i < tabRects.size(); ++i) {
        const TabRect &r = tabRects[i];
        if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom)
            return int(i + 1);
    }
    return 0;
}

QPointF captionPosition(const TabRect &tab, int alignment, QSizeF size)
{
    const double L = tab.left, T = tab.top, R = tab.right, B = tab.bottom;
    double x = 0, y = 0;
    switch (alignment % 3) {
    case 0:
        x = L + 3;
        break;
    case 1:
        x = L + (R - L) / 2 - size.width() / 2 - 1;
        break;
    default:
        x = R - size.width() - 4;
        break;
    }
    switch (alignment / 3) {
    case 0:
        y = T + 2;
        break;
    case 1:
        y = T + (B - T) / 2 - size.height() / 2 - 1;
        break;
    default:
        y = B - size.height() - 2;
        break;
    }
    return {x, y};
}

} // namespace tabstrip
