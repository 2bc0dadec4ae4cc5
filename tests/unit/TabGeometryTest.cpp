#include <TabGeometry.h>

#include <gtest/gtest.h>

#include <climits>

using namespace tabstrip;

namespace {

// The main window's strip: 353 × 313 pixels, tabs 60 × 18, three of them.
StripLayout mainStrip(int style)
{
    return stripLayout(style, 353, 313, 60, 18, 3);
}

struct StyleCase {
    int style;
    TabRect page;
    int activeSides;
    TabRect tab1;
    TabRect tab3;
};

void PrintTo(const StyleCase &c, std::ostream *os)
{
    *os << "style " << c.style;
}

class StripLayoutByStyle : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StripLayoutByStyle, PlacesPageAndTabs)
{
    const StyleCase &c = GetParam();
    const StripLayout layout = mainStrip(c.style);
    EXPECT_EQ(layout.page, c.page);
    EXPECT_EQ(layout.activeSides, c.activeSides);
    ASSERT_EQ(layout.tabs.size(), 3);
    EXPECT_EQ(layout.tabs[0], c.tab1);
    EXPECT_EQ(layout.tabs[2], c.tab3);
}

INSTANTIATE_TEST_SUITE_P(
    AllStyles, StripLayoutByStyle,
    ::testing::Values(
        StyleCase{0, {0, 18, 353, 313}, 7, {0, 0, 61, 19}, {120, 0, 181, 19}},
        StyleCase{1, {0, 18, 353, 313}, 7, {172, 0, 233, 19}, {292, 0, 353, 19}},
        StyleCase{2, {0, 0, 353, 295}, 13, {0, 294, 61, 313}, {120, 294, 181, 313}},
        StyleCase{3, {0, 0, 353, 295}, 13, {172, 294, 233, 313}, {292, 294, 353, 313}},
        StyleCase{4, {60, 0, 353, 313}, 11, {0, 0, 61, 19}, {0, 36, 61, 55}},
        StyleCase{5, {0, 0, 293, 313}, 14, {292, 0, 353, 19}, {292, 36, 353, 55}},
        StyleCase{6, {60, 0, 353, 313}, 11, {0, 258, 61, 277}, {0, 294, 61, 313}},
        StyleCase{7, {0, 0, 293, 313}, 14, {292, 258, 353, 277}, {292, 294, 353, 313}}));

TEST(StripLayout, MiddleTabSharesAColumnWithItsNeighbours)
{
    EXPECT_EQ(mainStrip(0).tabs[1], (TabRect{60, 0, 121, 19}));
}

TEST(StripLayout, ExtremeSizesClampInsteadOfOverflowing)
{
    const StripLayout huge = stripLayout(1, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 32767);
    ASSERT_EQ(huge.tabs.size(), 32767);
    EXPECT_EQ(huge.tabs.back().right, INT_MAX);
    const StripLayout negative = stripLayout(7, 10, 10, INT_MIN, INT_MIN, 3);
    EXPECT_EQ(negative.tabs[2].top, INT_MAX);
    EXPECT_EQ(inset(TabRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, -2),
              (TabRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}));
}

TEST(HitTest, BoundsAreInclusiveAndTheLowerTabWins)
{
    const auto layout = mainStrip(0);
    auto rectsWithActive = [&](int active) {
        QList<TabRect> rects;
        for (int i = 0; i < 3; ++i)
            rects.append(hitRect(layout.tabs[i], i + 1 == active));
        return rects;
    };
    const QList<TabRect> tab1Active = rectsWithActive(1);
    EXPECT_EQ(tab1Active, (QList<TabRect>{{0, 0, 61, 19}, {61, 1, 120, 18}, {121, 1, 180, 18}}));
    const QList<TabRect> tab2Active = rectsWithActive(2);

    const struct {
        const QList<TabRect> &rects;
        int x, y, tab;
    } cases[] = {
        {tab1Active, 61, 10, 1},  {tab1Active, 60, 0, 1},   {tab2Active, 60, 10, 1},
        {tab2Active, 60, 0, 2},   {tab1Active, 200, 5, 0},  {tab1Active, 100, 20, 0},
        {tab1Active, 180, 18, 3}, {tab1Active, 181, 18, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(hitTest(c.rects, c.x, c.y), c.tab) << c.x << "," << c.y;
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
