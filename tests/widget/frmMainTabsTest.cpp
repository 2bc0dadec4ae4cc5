#include "MainWindowFixture.h"

#include <ctlTabs.h>

using namespace Qt::StringLiterals;

namespace {

TEST_F(MainWindow, TabStripShowsThePageOfTheChosenTab)
{
    auto *strip = get<ctlTabs>("ctlTabs1");
    EXPECT_EQ(strip->Caption(1) + strip->Caption(2) + strip->Caption(3), u"常规高级简介"_s)
        << "the stored settings load";
    auto clickTab = [&](int tab) {
        const tabstrip::TabRect r = strip->tabRects()[tab - 1];
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
    };
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { clickTab(3); }, 3},
        {[&] { clickTab(2); }, 2},
        {[&] { clickTab(2); }, 2},
        {[&] { QTest::keyClick(strip, Qt::Key_Left); }, 1},
    };
    for (const auto &[action, page] : steps) {
        action();
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(window->framer(n)->isVisibleTo(window.get()), n == page) << n;
    }
}

} // namespace
