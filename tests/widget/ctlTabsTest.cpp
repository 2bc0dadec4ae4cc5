#include <PropertyBag.h>
#include <ctlTabs.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <climits>

using namespace Qt::StringLiterals;
using Clicks = QList<QList<QVariant>>;

namespace {

const QColor kAmbient(0, 255, 0), kFace(192, 192, 192), kShadow(128, 128, 128), kLight(Qt::white);

// The main window's strip, without captions, in a palette of known colours.
class MainStrip : public ::testing::Test {
protected:
    ctlTabs tabs;

    void SetUp() override
    {
        QPalette palette = tabs.palette();
        palette.setColor(QPalette::Window, kAmbient);
        palette.setColor(QPalette::Button, kFace);
        palette.setColor(QPalette::Dark, kShadow);
        palette.setColor(QPalette::Light, kLight);
        tabs.setPalette(palette);
        tabs.resize(353, 313);
        tabs.setTabsWidth(60);
        tabs.setTabsHeight(18);
        tabs.setCaptions({QString(), QString(), QString()});
    }
};

TEST_F(MainStrip, PaintsPageBorderAndTabs)
{
    const struct {
        int x, y;
        QColor color;
        const char *what;
    } cases[] = {
        {200, 100, kFace, "page fill"},
        {0, 100, kLight, "page left edge"},
        {352, 100, kShadow, "page right edge"},
        {200, 312, kShadow, "page bottom edge"},
        {30, 18, kFace, "active tab fill over the page's top edge"},
        {60, 10, kShadow, "active tab right edge"},
        {61, 1, kShadow, "tab 2 block"},
        {61, 0, kAmbient, "above tab 2"},
        {120, 5, kAmbient, "between tabs 2 and 3"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tabs.hDC().pixelColor(c.x, c.y), c.color) << c.what;
}

TEST_F(MainStrip, PointerClicksAndArrowKeysSelectWithoutWrapping)
{
    for (auto [at, shape] : {std::pair(QPoint(180, 18), Qt::PointingHandCursor),
                             std::pair(QPoint(250, 10), Qt::ArrowCursor)}) {
        QMouseEvent move(QEvent::MouseMove, at, tabs.mapToGlobal(at), Qt::NoButton, {}, {});
        QApplication::sendEvent(&tabs, &move);
        EXPECT_EQ(tabs.cursor().shape(), shape) << "pointer over a tab, elsewhere";
    }

    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    QTest::mouseClick(&tabs, Qt::RightButton, {}, {180, 18}); // any button; tab 3's inner block
    // Bounds are inclusive, the active tab answers with its full rectangle and the others with
    // their inner blocks, and the lower tab wins where two meet.
    for (QPoint at : {QPoint(181, 18), QPoint(60, 0), QPoint(120, 5), QPoint(60, 10),
                      QPoint(100, 20), QPoint(61, 10)})
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, at);
    tabs.show(); // the keys are the strip's only while it has the focus
    QApplication::setActiveWindow(&tabs);
    tabs.setFocus();
    for (Qt::Key key :
         {Qt::Key_Left, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_A}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ShiftModifier);
        QApplication::sendEvent(&tabs, &press);
        EXPECT_FALSE(press.isAccepted()) << "the key goes on to the container";
    }
    EXPECT_EQ(
        Clicks(clicks),
        (Clicks{{1, 3}, {3, 3}, {3, 2}, {2, 1}, {1, 1}, {1, 1}, {1, 2}, {2, 3}, {3, 3}, {3, 2}}));
}

TEST(ctlTabs, SelectionIsClampedFollowsTheTabCountAndAlwaysRaisesTabClick)
{
    ctlTabs tabs;
    tabs.setTabs(4);
    EXPECT_EQ(tabs.Captions(), (QStringList{u"Tab 1"_s, u"Tab 2"_s, QString(), QString()}));
    int tabRectsAtClick = -1;
    QObject::connect(&tabs, &ctlTabs::TabClick,
                     [&] { tabRectsAtClick = int(tabs.tabRects().size()); });
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    for (int tab : {2, 0, 9, 4, 32767, INT_MIN, 4})
        tabs.setSelectedTab(tab);
    tabs.setTabs(2);
    EXPECT_EQ(tabRectsAtClick, 2) << "TabClick comes after the repaint";
    for (int refused : {0, -5, INT_MIN, 40000})
        tabs.setTabs(refused);
    EXPECT_EQ(tabs.Tabs(), 2);
    EXPECT_EQ(Clicks(clicks),
              (Clicks{{1, 2}, {2, 1}, {1, 4}, {4, 4}, {4, 4}, {4, 1}, {1, 4}, {4, 2}}));
}

TEST(ctlTabs, SettersRepaintAndTellTheHostButIgnoreOutOfRangeValues)
{
    ctlTabs tabs;
    tabs.resize(100, 50);
    const std::pair<std::function<void()>, QString> cases[] = {
        {[&] { tabs.setStyle(7); }, u"TABSTYLE"_s},
        {[&] { tabs.setStyle(8); }, {}},
        {[&] { tabs.setStyle(-1); }, {}},
        {[&] { tabs.setCaptionAlignment(8); }, u"CAPTIONSTYLE"_s},
        {[&] { tabs.setCaptionAlignment(9); }, {}},
        {[&] { tabs.setCaption(2, u"x"_s); }, u"TABCAPTION2"_s},
        {[&] { tabs.setTextColorActive(0x000000FF); }, u"TEXTCOLORACTIVE"_s},
        {[&] { tabs.setTabFont(QFont(u"Serif"_s, 12)); }, u"TABFONT"_s},
        {[&] { tabs.setTabsHeight(-40); }, u"TABHIGH"_s},
    };
    for (const auto &[change, key] : cases) {
        const QImage before = tabs.hDC().copy();
        QSignalSpy keys(&tabs, &ctlTabs::propertyChanged);
        change();
        EXPECT_EQ(keys.isEmpty() ? QString() : keys[0][0].toString(), key);
        EXPECT_EQ(tabs.hDC() != before, !key.isEmpty()) << "repainted: " << key.toStdString();
    }
}

TEST(ctlTabs, LoadingMatchesKeysInAnyCaseAndBringsValuesIntoRange)
{
    TempDir dir;
    dir.write(u"t.properties"_s, "tabcount=0\nTabSelected=32767\ntabstyle=99\ncaptionstyle=-3\n"
                                 "tabwide=abc\ntabhigh=99999999999\nTABCAPTION1=one\n"
                                 "tabfont=garbage\ntabcolor=-2147483632\nno equals sign\n");
    ctlTabs tabs;
    tabs.ReadProperties(tabstrip::FilePropertyBag(dir.path(u"t.properties"_s)));
    // Tabs, SelectedTab, Style, CaptionAlignment, TabsWidth, TabsHeight
    EXPECT_EQ((QList<qint64>{tabs.Tabs(), tabs.SelectedTab(), tabs.Style(), tabs.CaptionAlignment(),
                             tabs.TabsWidth(), tabs.TabsHeight()}),
              (QList<qint64>{1, 1, 7, 0, 70, INT_MAX}));
    EXPECT_EQ(tabs.Caption(1), u"one"_s);
    EXPECT_EQ(tabs.TabColor(), 0x80000010u);
    EXPECT_EQ(tabs.tabFont().family(), tabs.font().family());
}

} // namespace
