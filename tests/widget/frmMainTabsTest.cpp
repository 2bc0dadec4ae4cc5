#include <frmMain.h>

#include "FakePlatform.h"

#include <ctlTabs.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class frmMainTabs : public ::testing::Test {
protected:
    FakePlatform platform;
    frmMain window{platform};
    ctlTabs *strip = window.findChild<ctlTabs *>(u"ctlTabs1"_s);

    int visiblePage() const
    {
        int visible = 0;
        for (int n = 1; n <= 3; ++n) {
            if (window.framer(n)->isVisibleTo(&window)) {
                EXPECT_EQ(visible, 0) << "two pages shown";
                visible = n;
            }
        }
        return visible;
    }

    void clickTab(int tab)
    {
        const tabstrip::TabRect r = strip->tabRects()[tab - 1];
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
    }
};

TEST_F(frmMainTabs, StartsOnTheGeneralPageWithTheStoredStrip)
{
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->geometry(), QRect(8, 8, 353, 313));
    EXPECT_EQ(strip->Tabs(), 3);
    EXPECT_EQ(strip->Caption(1), u"常规"_s);
    EXPECT_EQ(strip->Caption(2), u"高级"_s);
    EXPECT_EQ(strip->Caption(3), u"简介"_s);
    EXPECT_EQ(strip->SelectedTab(), 1);
    EXPECT_EQ(strip->TabsWidth(), 60);
    EXPECT_EQ(strip->TabsHeight(), 18);
    EXPECT_EQ(strip->TabColor(), 0x80000010u);
    EXPECT_EQ(strip->TextColorActive(), 0x80000012u);
    EXPECT_TRUE(strip->tabFontActive().bold());
    EXPECT_FALSE(strip->tabFont().bold());
    EXPECT_EQ(strip->tabRects()[0], (tabstrip::TabRect{0, 0, 61, 19})) << "tab 1 drawn active";
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(window.framer(n)->objectName(), u"framer%1"_s.arg(n));
        EXPECT_EQ(window.framer(n)->parentWidget(), strip);
    }
    EXPECT_EQ(visiblePage(), 1);
}

TEST_F(frmMainTabs, TabClickShowsThePageOfTheNewTab)
{
    const struct {
        std::function<void()> action;
        int page;
    } steps[] = {
        {[&] { clickTab(3); }, 3},
        {[&] { clickTab(2); }, 2},
        {[&] { clickTab(2); }, 2},
        {[&] { QTest::keyClick(strip, Qt::Key_Left); }, 1},
        {[&] { QTest::keyClick(strip, Qt::Key_Left); }, 1},
        {[&] { strip->setSelectedTab(3); }, 3},
        {[&] { QTest::keyClick(strip, Qt::Key_Right); }, 3},
    };
    for (const auto &step : steps) {
        step.action();
        EXPECT_EQ(visiblePage(), step.page);
        EXPECT_EQ(strip->SelectedTab(), step.page);
    }
}

} // namespace
