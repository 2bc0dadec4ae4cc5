#include "MainWindowFixture.h"

#include <ctlTabs.h>

using namespace Qt::StringLiterals;

namespace {

TEST_F(MainWindow, TabStripCarriesTheThreePages)
{
    auto *strip = get<ctlTabs>("ctlTabs1");
    EXPECT_EQ(strip->Caption(1) + strip->Caption(2) + strip->Caption(3), u"常规高级简介"_s)
        << "the stored settings load";
    EXPECT_EQ(strip->tabRects()[0], (tabstrip::TabRect{0, 0, 61, 19})) << "tab 1 drawn active";
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(window->framer(n)->objectName(), u"framer%1"_s.arg(n));
        EXPECT_EQ(window->framer(n)->parentWidget(), strip);
    }
}

TEST_F(MainWindow, TabClickShowsThePageOfTheNewTab)
{
    auto *strip = get<ctlTabs>("ctlTabs1");
    auto clickTab = [&](int tab) {
        const tabstrip::TabRect r = strip->tabRects()[tab - 1];
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
    };
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
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(window->framer(n)->isVisibleTo(window.get()), n == step.page);
        EXPECT_EQ(strip->SelectedTab(), step.page);
    }
}

} // namespace
