#include <FontText.h>
#include <PropertyBag.h>
#include <ctlTabs.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <stdexcept>

using namespace Qt::StringLiterals;
using tabstrip::TabRect;

namespace {

const QColor kAmbient(0, 255, 0);
const QColor kFace(192, 192, 192);
const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

// The main window's strip with a palette of known colours.
class MainStrip : public ::testing::Test {
protected:
    ctlTabs tabs;

    void SetUp() override
    {
        QPalette palette = tabs.palette();
        palette.setColor(QPalette::Window, kAmbient);
        palette.setColor(QPalette::Button, kFace);
        palette.setColor(QPalette::Dark, kShadow);
        palette.setColor(QPalette::Light, kHighlight);
        palette.setColor(QPalette::ButtonText, Qt::black);
        tabs.setPalette(palette);
        tabs.resize(353, 313);
        tabs.setTabsWidth(60);
        tabs.setTabsHeight(18);
        tabs.setTabs(3);
        for (int i = 1; i <= 3; ++i)
            tabs.setCaption(i, QString());
    }

    QColor pixel(int x, int y) const { return tabs.hDC().pixelColor(x, y); }
};

TEST_F(MainStrip, PaintsPageBorderAndTabs)
{
    const struct {
        int x, y;
        QColor color;
        const char *what;
    } cases[] = {
        {200, 100, kFace, "page fill"},
        {0, 100, kHighlight, "page left edge"},
        {200, 18, kHighlight, "page top edge beside the tabs"},
        {352, 100, kShadow, "page right edge"},
        {200, 312, kShadow, "page bottom edge"},
        {30, 18, kFace, "active tab fill over the page's top edge"},
        {30, 10, kFace, "active tab fill"},
        {0, 18, kHighlight, "active tab left edge"},
        {30, 0, kHighlight, "active tab top edge"},
        {60, 10, kShadow, "active tab right edge"},
        {61, 1, kShadow, "tab 2 block"},
        {119, 17, kShadow, "tab 2 block corner"},
        {61, 0, kAmbient, "above tab 2"},
        {120, 5, kAmbient, "between tabs 2 and 3"},
        {121, 1, kShadow, "tab 3 block"},
        {179, 17, kShadow, "tab 3 block corner"},
        {180, 5, kAmbient, "beside tab 3"},
        {250, 5, kAmbient, "beside the tab row"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pixel(c.x, c.y), c.color) << c.what;
    EXPECT_EQ(tabs.tabRects(),
              (QList<TabRect>{{0, 0, 61, 19}, {61, 1, 120, 18}, {121, 1, 180, 18}}));
}

TEST_F(MainStrip, FocusRectangleFollowsFocusAndTheSetting)
{
    const qint64 before = tabs.hDC().cacheKey();
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(&tabs, &in);
    EXPECT_EQ(tabs.hDC().cacheKey(), before) << "no repaint without the focus rectangle";

    const QColor plain = pixel(2, 2);
    tabs.setUseFocusRect(true);
    EXPECT_NE(pixel(2, 2), plain);
    EXPECT_EQ(pixel(3, 2), plain) << "dotted";
    EXPECT_NE(pixel(58, 16), plain) << "corner (58, 16) of (2, 2, 59, 17)";
    EXPECT_EQ(pixel(59, 17), plain) << "outside the rectangle";

    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&tabs, &out);
    EXPECT_EQ(pixel(2, 2), plain);
}

TEST_F(MainStrip, MouseSelectsByInclusiveHitTest)
{
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    // Any button selects; the hit test itself is covered with the geometry.
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, {130, 10});
    QTest::mouseClick(&tabs, Qt::RightButton, {}, {61, 10});
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, {60, 10});
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, {200, 5});
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, {1, 1});
    EXPECT_EQ(tabs.SelectedTab(), 1);
    const QList<QList<QVariant>> expected = {{1, 3}, {3, 2}, {2, 1}, {1, 1}};
    EXPECT_EQ(QList<QList<QVariant>>(clicks), expected);
}

TEST_F(MainStrip, PointerIsAHandOverTabs)
{
    auto moveTo = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, tabs.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&tabs, &move);
        return tabs.cursor().shape();
    };
    EXPECT_EQ(moveTo({30, 10}), Qt::PointingHandCursor);
    EXPECT_EQ(moveTo({250, 10}), Qt::ArrowCursor);
    EXPECT_EQ(moveTo({180, 18}), Qt::PointingHandCursor);
}

TEST_F(MainStrip, ArrowKeysMoveWithoutWrapping)
{
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    tabs.show(); // the keys are the strip's only while it has the focus
    QApplication::setActiveWindow(&tabs);
    tabs.setFocus();
    for (Qt::Key key :
         {Qt::Key_Left, Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_A}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ShiftModifier);
        QApplication::sendEvent(&tabs, &press);
        EXPECT_FALSE(press.isAccepted()) << "the key goes on to the container";
    }
    const QList<QList<QVariant>> expected = {{1, 1}, {1, 2}, {2, 3}, {3, 3}, {3, 2}};
    EXPECT_EQ(QList<QList<QVariant>>(clicks), expected);
}

TEST_F(MainStrip, RepaintsOnResizeAndBackgroundButNotOtherChanges)
{
    tabs.show(); // a hidden widget is told of its size only when shown
    tabs.resize(200, 100);
    EXPECT_EQ(tabs.hDC().size(), QSize(200, 100));
    EXPECT_EQ(tabs.tabRects()[0], (TabRect{0, 0, 61, 19}));

    QPalette palette = tabs.palette();
    palette.setColor(QPalette::Window, Qt::blue);
    tabs.setPalette(palette);
    EXPECT_EQ(pixel(190, 5), QColor(Qt::blue));

    const qint64 before = tabs.hDC().cacheKey();
    tabs.setToolTip(u"x"_s);
    EXPECT_EQ(tabs.hDC().cacheKey(), before);
}

// Runs `change` and reports the keys notified and the TabClick arguments raised.
struct Observed {
    QStringList keys;
    QList<QList<QVariant>> clicks;
};

Observed observe(ctlTabs &tabs, const std::function<void()> &change)
{
    QSignalSpy keys(&tabs, &ctlTabs::propertyChanged);
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    change();
    Observed seen;
    for (const auto &args : keys)
        seen.keys.append(args[0].toString());
    seen.clicks = clicks;
    return seen;
}

TEST(ctlTabs, TabsResizesCaptionsAndMovesTheSelection)
{
    ctlTabs tabs;
    Observed seen = observe(tabs, [&] { tabs.setTabs(4); });
    EXPECT_EQ(seen.keys, QStringList{u"TABCOUNT"_s});
    EXPECT_TRUE(seen.clicks.isEmpty());
    EXPECT_EQ(tabs.Caption(1), u"Tab 1"_s);
    EXPECT_EQ(tabs.Caption(4), QString());

    tabs.setTabs(3);
    tabs.setSelectedTab(3);
    int tabRectsAtClick = -1;
    QObject::connect(&tabs, &ctlTabs::TabClick,
                     [&] { tabRectsAtClick = int(tabs.tabRects().size()); });
    seen = observe(tabs, [&] { tabs.setTabs(2); });
    EXPECT_EQ(seen.keys, (QStringList{u"TABCOUNT"_s, u"TABSELECTED"_s}));
    EXPECT_EQ(seen.clicks, (QList<QList<QVariant>>{{3, 2}}));
    EXPECT_EQ(tabRectsAtClick, 2) << "TabClick comes after the repaint";

    for (int refused : {0, -5, INT_MIN, 40000}) {
        seen = observe(tabs, [&] { tabs.setTabs(refused); });
        EXPECT_TRUE(seen.keys.isEmpty()) << refused;
        EXPECT_EQ(tabs.Tabs(), 2);
    }
}

TEST(ctlTabs, SelectedTabIsClampedAndAlwaysRaisesTabClick)
{
    ctlTabs tabs;
    tabs.setTabs(3);
    const struct {
        int value, selected;
    } cases[] = {{2, 2}, {0, 1}, {2, 2}, {9, 3}, {3, 3}, {32767, 3}, {INT_MIN, 1}};
    int previous = tabs.SelectedTab();
    for (const auto &c : cases) {
        const Observed seen = observe(tabs, [&] { tabs.setSelectedTab(c.value); });
        EXPECT_EQ(seen.keys, QStringList{u"TABSELECTED"_s});
        EXPECT_EQ(seen.clicks, (QList<QList<QVariant>>{{previous, c.selected}})) << c.value;
        previous = c.selected;
    }
}

TEST(ctlTabs, SettersNotifyTheirKeyOrIgnoreOutOfRangeValues)
{
    ctlTabs tabs;
    tabs.resize(100, 50);
    const struct {
        std::function<void()> change;
        QStringList keys;
    } cases[] = {
        {[&] { tabs.setStyle(7); }, {u"TABSTYLE"_s}},
        {[&] { tabs.setStyle(8); }, {}},
        {[&] { tabs.setStyle(-1); }, {}},
        {[&] { tabs.setCaptionAlignment(8); }, {u"CAPTIONSTYLE"_s}},
        {[&] { tabs.setCaptionAlignment(9); }, {}},
        {[&] { tabs.setTabsWidth(INT_MAX); }, {u"TABWIDE"_s}},
        {[&] { tabs.setTabsHeight(-40); }, {u"TABHIGH"_s}},
        {[&] { tabs.setUseFocusRect(true); }, {u"FOCUSRECT"_s}},
        {[&] { tabs.setCaption(2, u"x"_s); }, {u"TABCAPTION2"_s}},
        {[&] { tabs.setTextColorActive(0x800000FF); }, {u"TEXTCOLORACTIVE"_s}},
        {[&] { tabs.setTabFont(QFont(u"Serif"_s, 12)); }, {u"TABFONT"_s}},
    };
    for (const auto &c : cases) {
        const qint64 before = tabs.hDC().cacheKey();
        EXPECT_EQ(observe(tabs, c.change).keys, c.keys);
        EXPECT_EQ(tabs.hDC().cacheKey() != before, !c.keys.isEmpty()) << "repainted";
    }
    EXPECT_EQ(tabs.Style(), 7);
    EXPECT_EQ(tabs.CaptionAlignment(), 8);
    EXPECT_EQ(tabs.Caption(2), u"x"_s);
}

TEST(ctlTabs, CaptionIndexOutsideTheTabsThrows)
{
    ctlTabs tabs;
    EXPECT_THROW(tabs.Caption(0), std::out_of_range);
    EXPECT_THROW(tabs.Caption(3), std::out_of_range);
    EXPECT_THROW(tabs.setCaption(3, u"x"_s), std::out_of_range);
    EXPECT_EQ(tabs.Tabs(), 2);
}

TEST(ctlTabs, FontGettersReturnTheControlsOwnFont)
{
    ctlTabs tabs;
    QSignalSpy keys(&tabs, &ctlTabs::propertyChanged);
    tabs.TabFont().setItalic(true);
    EXPECT_TRUE(tabs.tabFont().italic());
    EXPECT_TRUE(keys.isEmpty());

    QFont odd(u"Serif"_s, 11);
    odd.setBold(true);
    odd.setWeight(QFont::Light); // weight is copied last and wins
    tabs.setTabFontActive(odd);
    EXPECT_EQ(tabs.tabFontActive().weight(), QFont::Light);
    EXPECT_EQ(tabs.tabFontActive().pointSizeF(), 11);
}

TEST(ctlTabs, IsUsableByNameThroughTheMetaObjectSystem)
{
    ctlTabs tabs;
    QObject &object = tabs;
    EXPECT_TRUE(object.setProperty("Tabs", 3));
    EXPECT_TRUE(object.setProperty("SelectedTab", 3));
    EXPECT_EQ(object.property("SelectedTab").toInt(), 3);
    EXPECT_TRUE(
        QMetaObject::invokeMethod(&object, "setCaption", Q_ARG(int, 3), Q_ARG(QString, u"c"_s)));
    QString caption;
    EXPECT_TRUE(QMetaObject::invokeMethod(&object, "Caption", Q_RETURN_ARG(QString, caption),
                                          Q_ARG(int, 3)));
    EXPECT_EQ(caption, u"c"_s);
}

TEST(ctlTabs, SavedSettingsLoadBackInTheStoredOrder)
{
    ctlTabs saved;
    saved.setTabs(3);
    saved.setCaption(1, u"常规"_s);
    saved.setCaption(2, QString());
    saved.setCaption(3, u"a=b\nc\\"_s);
    saved.setSelectedTab(3);
    saved.setStyle(6);
    saved.setCaptionAlignment(2);
    saved.setTabsWidth(-3);
    saved.setUseFocusRect(true);
    saved.setTabColor(0x00123456);
    QFont font(u"Serif"_s, 10);
    font.setItalic(true);
    saved.setTabFont(font);

    TempDir dir;
    tabstrip::FilePropertyBag bag(dir.path(u"tabs.properties"_s));
    saved.WriteProperties(bag);
    EXPECT_EQ(bag.keys(),
              (QStringList{u"TABWIDE"_s, u"TABHIGH"_s, u"TABCOUNT"_s, u"TABSELECTED"_s,
                           u"TABSTYLE"_s, u"CAPTIONSTYLE"_s, u"FOCUSRECT"_s, u"TABCAPTION1"_s,
                           u"TABCAPTION3"_s, u"TABFONT"_s, u"TABFONTACTIVE"_s, u"TABCOLOR"_s,
                           u"TABCOLORACTIVE"_s, u"TEXTCOLOR"_s, u"TEXTCOLORACTIVE"_s}))
        << "an empty caption is not stored";
    ASSERT_TRUE(bag.save());

    ctlTabs loaded;
    QSignalSpy keys(&loaded, &ctlTabs::propertyChanged);
    QSignalSpy clicks(&loaded, &ctlTabs::TabClick);
    loaded.ReadProperties(tabstrip::FilePropertyBag(dir.path(u"tabs.properties"_s)));
    EXPECT_TRUE(keys.isEmpty());
    EXPECT_TRUE(clicks.isEmpty());
    for (const char *name :
         {"Tabs", "SelectedTab", "Style", "CaptionAlignment", "TabsWidth", "TabsHeight",
          "UseFocusRect", "TabColor", "TabColorActive", "TextColor", "TextColorActive"})
        EXPECT_EQ(loaded.property(name), saved.property(name)) << name;
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(loaded.Caption(i), saved.Caption(i));
    EXPECT_EQ(loaded.tabFont().family(), u"Serif"_s);
    EXPECT_TRUE(loaded.tabFont().italic());
    EXPECT_EQ(loaded.tabFont().pointSizeF(), 10);
}

TEST(ctlTabs, LoadingMatchesKeysInAnyCaseAndBringsValuesIntoRange)
{
    TempDir dir;
    dir.write(u"t.properties"_s, "tabcount=0\nTabSelected=32767\ntabstyle=99\ncaptionstyle=-3\n"
                                 "tabwide=abc\ntabhigh=99999999999\nTABCAPTION1=one\n"
                                 "tabfont=garbage\ntabcolor=-2147483632\nno equals sign\n");
    ctlTabs tabs;
    tabs.ReadProperties(tabstrip::FilePropertyBag(dir.path(u"t.properties"_s)));
    EXPECT_EQ(tabs.Tabs(), 1);
    EXPECT_EQ(tabs.SelectedTab(), 1);
    EXPECT_EQ(tabs.Style(), 7);
    EXPECT_EQ(tabs.CaptionAlignment(), 0);
    EXPECT_EQ(tabs.TabsWidth(), 70);
    EXPECT_EQ(tabs.TabsHeight(), INT_MAX);
    EXPECT_EQ(tabs.Caption(1), u"one"_s);
    EXPECT_EQ(tabs.TabColor(), 0x80000010u);
    EXPECT_EQ(tabs.tabFont().family(), tabs.font().family());

    tabstrip::MemoryPropertyBag threeTabs;
    threeTabs.writeProperty(u"tabcount"_s, 3);
    threeTabs.writeProperty(u"tabcaption1"_s, u"a"_s);
    tabs.ReadProperties(threeTabs);
    EXPECT_EQ(tabs.Caption(1), u"a"_s);
    EXPECT_EQ(tabs.Caption(2), QString()) << "a missing caption reads empty";
}

} // namespace
