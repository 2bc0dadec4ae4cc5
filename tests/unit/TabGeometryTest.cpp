#include <TabGeometry.h>

#include <gtest/gtest.h>

using namespace tabstrip;

namespace {

// The main window's strip: 353 × 313 pixels, tabs 60 × 18, three of them.
TEST(StripLayout, PlacesPageAndTabsForEveryStyle)
{
    const struct {
        int style;
        TabRect page;
        int activeSides;
        TabRect tab1, tab3;
    } cases[] = {
        {0, {0, 18, 353, 313}, 7, {0, 0, 61, 19}, {120, 0, 181, 19}},
        {1, {0, 18, 353, 313}, 7, {172, 0, 233, 19}, {292, 0, 353, 19}},
        {2, {0, 0, 353, 295}, 13, {0, 294, 61, 313}, {120, 294, 181, 313}},
        {3, {0, 0, 353, 295}, 13, {172, 294, 233, 313}, {292, 294, 353, 313}},
        {4, {60, 0, 353, 313}, 11, {0, 0, 61, 19}, {0, 36, 61, 55}},
        {5, {0, 0, 293, 313}, 14, {292, 0, 353, 19}, {292, 36, 353, 55}},
        {6, {60, 0, 353, 313}, 11, {0, 258, 61, 277}, {0, 294, 61, 313}},
        {7, {0, 0, 293, 313}, 14, {292, 258, 353, 277}, {292, 294, 353, 313}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        const StripLayout layout = stripLayout(c.style, 353, 313, 60, 18, 3);
        EXPECT_EQ(layout.page, c.page);
        EXPECT_EQ(layout.activeSides, c.activeSides);
        ASSERT_EQ(layout.tabs.size(), 3);
        EXPECT_EQ(layout.tabs[0], c.tab1);
        EXPECT_EQ(layout.tabs[2], c.tab3);
    }
}

TEST(CaptionPosition, FollowsTheAlignmentGridInFloatingPoint)
{
    const TabRect tab1{0, 0, 61, 19};
    const QSizeF caption(24, 12);
    EXPECT_EQ(captionPosition(tab1, 4, caption), QPointF(17.5, 2.5));
    EXPECT_EQ(captionPosition(tab1, 0, caption), QPointF(3, 2));
    EXPECT_EQ(captionPosition(tab1, 8, caption), QPointF(33, 5));
    EXPECT_EQ(captionPosition(tab1, 5, caption), QPointF(33, 2.5));
}

} // namespace
