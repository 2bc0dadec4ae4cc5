#include "MainWindowFixture.h"

#include <PropertyBag.h>
#include <TabGeometry.h>
#include <ctlTabs.h>
#include <propTabCaptions.h>

#include <QListWidget>
#include <QSignalSpy>

#include <climits>

using namespace Qt::StringLiterals;
using namespace tabstrip;

namespace {

// The TabClick signals caught, as "old>new".
QString moves(const QSignalSpy &clicks)
{
    QStringList out;
    for (const QList<QVariant> &click : clicks)
        out.append(click[0].toString() + u'>' + click[1].toString());
    return out.join(u' ');
}

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
        EXPECT_EQ(layout.tabs.value(0), c.tab1);
        EXPECT_EQ(layout.tabs.value(2), c.tab3);
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

const QColor kAmbient(0, 255, 0), kFace(192, 192, 192), kShadow(128, 128, 128), kLight(Qt::white);

// The main window's strip, without captions, in a palette of known colours.
struct MainStrip : ::testing::Test {
    ctlTabs tabs;

    MainStrip()
    {
        // Text, button, light, dark, mid, text, bright text, base, window.
        tabs.setPalette(QPalette(Qt::black, kFace, kLight, kShadow, kShadow, Qt::black, kLight,
                                 kLight, kAmbient));
        tabs.resize(353, 313);
        tabs.setTabsWidth(60);
        tabs.setTabsHeight(18);
        tabs.setCaptions({QString(), QString(), QString()});
    }
};

TEST_F(MainStrip, PaintsPageBorderAndTabs)
{
    const std::tuple<QPoint, QColor, const char *> cases[] = {
        {{200, 100}, kFace, "page fill"},
        {{0, 100}, kLight, "page left edge"},
        {{352, 100}, kShadow, "page right edge"},
        {{200, 312}, kShadow, "page bottom edge"},
        {{30, 18}, kFace, "active tab fill over the page's top edge"},
        {{60, 10}, kShadow, "active tab right edge"},
        {{61, 1}, kShadow, "tab 2 block"},
        {{61, 0}, kAmbient, "above tab 2"},
        {{120, 5}, kAmbient, "between tabs 2 and 3"},
    };
    for (const auto &[at, color, what] : cases)
        EXPECT_EQ(tabs.hDC().pixelColor(at), color) << what;
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
    EXPECT_EQ(moves(clicks), u"1>3 3>3 3>2 2>1 1>1 1>1 1>2 2>3 3>3 3>2"_s);
}

TEST(ctlTabs, SelectionIsClampedFollowsTheTabCountAndAlwaysRaisesTabClick)
{
    ctlTabs tabs;
    tabs.setTabs(4);
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    for (int tab : {2, 0, 9, 4, 32767, INT_MIN, 4})
        tabs.setSelectedTab(tab);
    tabs.setTabs(2);
    for (int refused : {0, -5, INT_MIN, 40000})
        tabs.setTabs(refused);
    EXPECT_EQ(tabs.Tabs(), 2);
    EXPECT_EQ(moves(clicks), u"1>2 2>1 1>4 4>4 4>4 4>1 1>4 4>2"_s);
}

TEST(ctlTabs, SettersRepaintButIgnoreOutOfRangeValues)
{
    ctlTabs tabs;
    tabs.resize(100, 50);
    const std::pair<std::function<void()>, bool> cases[] = {
        {[&] { tabs.setStyle(7); }, true},
        {[&] { tabs.setStyle(8); }, false},
        {[&] { tabs.setStyle(-1); }, false},
        {[&] { tabs.setCaptionAlignment(8); }, true},
        {[&] { tabs.setCaptionAlignment(9); }, false},
        {[&] { tabs.setCaption(2, u"x"_s); }, true},
        {[&] { tabs.setTextColorActive(0x000000FF); }, true},
        {[&] { tabs.setTabFont(QFont(u"Serif"_s, 12)); }, true},
        {[&] { tabs.setTabsHeight(-40); }, true},
    };
    for (int i = 0; const auto &[change, repaints] : cases) {
        const QImage before = tabs.hDC().copy();
        change();
        EXPECT_EQ(tabs.hDC() != before, repaints) << "row " << i++;
    }
}

TEST(ctlTabs, LoadingMatchesKeysInAnyCaseAndBringsValuesIntoRange)
{
    TempDir dir;
    dir.write(u"t.properties"_s, "tabcount=0\nTabSelected=32767\ntabstyle=99\ncaptionstyle=-3\n"
                                 "tabwide=abc\ntabhigh=99999999999\nTABCAPTION1=one\n"
                                 "tabfont=garbage\ntabcolor=-2147483632\nno equals sign\n");
    ctlTabs tabs;
    tabs.ReadProperties(FilePropertyBag(dir.path(u"t.properties"_s)));
    EXPECT_EQ((QList<qint64>{tabs.Tabs(), tabs.SelectedTab(), tabs.Style(), tabs.CaptionAlignment(),
                             tabs.TabsWidth(), tabs.TabsHeight()}),
              (QList<qint64>{1, 1, 7, 0, 70, INT_MAX}));
    EXPECT_EQ(tabs.TabColor(), 0x80000010u);
    EXPECT_EQ(tabs.tabFont().family(), tabs.font().family());
}

// The caption page of the first of two selected controls, a strip captioned P, Q, R.
struct CaptionPage {
    ctlTabs tabs;
    propTabCaptions page;
    QListWidget *list = page.findChild<QListWidget *>(u"cmbCaptions"_s);
    QLineEdit *text = page.findChild<QLineEdit *>(u"txtCaption"_s);

    CaptionPage()
    {
        tabs.setCaptions({u"P"_s, u"Q"_s, u"R"_s});
        page.SelectionChanged({&tabs, new QObject(&page)});
    }
    void click(const QString &button)
    {
        const int i = QStringList{u"Down"_s, u"Up"_s, u"Add"_s, u"Delete"_s}.indexOf(button);
        page.findChild<QPushButton *>(u"cmd%1"_s.arg(i))->click();
    }
    // The list with the selected entry in brackets, then the text box.
    QString shown() const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out.append(list->item(i)->text());
        if (list->currentRow() >= 0)
            out[list->currentRow()] = u'[' + out[list->currentRow()] + u']';
        return out.join(u',') + u' ' + text->text();
    }
};

TEST(CaptionPage, EditsTheListAndAppliesIt)
{
    const struct {
        int select;     // the row picked first; -1 keeps the one selected on loading
        QString action; // a button, or the text typed
        QString shown;  // the page after it
        bool changed;
    } cases[] = {
        {-1, u"Z"_s, u"[Z],Q,R Z"_s, true},    {1, u"Down"_s, u"P,R,[Q] Q"_s, true},
        {2, u"Down"_s, u"P,Q,[R] R"_s, false}, {2, u"Up"_s, u"P,[R],Q R"_s, true},
        {0, u"Up"_s, u"[P],Q,R P"_s, false},   {1, u"Add"_s, u"P,Q,[],R "_s, true},
        {2, u"Delete"_s, u"P,[Q] Q"_s, true},  {1, u"Delete"_s, u"P,[R] R"_s, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.select << ' ' << c.action.toStdString());
        CaptionPage p;
        if (c.select >= 0)
            p.list->setCurrentRow(c.select);
        if (c.action.size() == 1)
            QTest::keyClicks(p.text, c.action);
        else
            p.click(c.action);
        EXPECT_EQ(p.shown(), c.shown);
        EXPECT_EQ(p.page.Changed(), c.changed);
        p.page.ApplyChanges();
        EXPECT_EQ(p.tabs.Captions().join(u','),
                  c.shown.section(u' ', 0, 0).remove(u'[').remove(u']'));
    }
}

TEST(CaptionPage, ApplyingFewerTabsMovesTheSelectionAndTheOnlyEntryStays)
{
    CaptionPage p;
    p.tabs.setSelectedTab(3);
    QSignalSpy clicks(&p.tabs, &ctlTabs::TabClick);
    p.click(u"Delete"_s);
    p.page.ApplyChanges();
    EXPECT_EQ(moves(clicks), u"3>2"_s);

    p.click(u"Delete"_s);
    p.page.setChanged(false);
    p.click(u"Delete"_s);
    EXPECT_EQ(p.shown(), u"[R] R"_s);
    EXPECT_FALSE(p.page.Changed());
}

TEST_F(MainWindow, TabStripShowsThePageOfTheChosenTab)
{
    auto *strip = get<ctlTabs>("ctlTabs1");
    EXPECT_EQ(strip->Captions().join(u'|'), u"常规|高级|简介"_s) << "the stored settings load";
    for (int tab : {3, 2, 2, 1}) { // tab 1 by the Left key
        const TabRect r = strip->tabRects()[tab - 1];
        if (tab == 1)
            QTest::keyClick(strip, Qt::Key_Left);
        else
            QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(window->framer(n)->isVisibleTo(window.get()), n == tab) << tab << n;
    }
}

} // namespace
