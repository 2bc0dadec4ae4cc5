#include "MainWindowFixture.h"

#include <PropertyBag.h>
#include <propTabCaptions.h>

#include "ui_strip.h"

#include <QAccessible>
#include <QListWidget>

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
TEST(StripLayout, PlacesPageTabsAndCaptionsForEveryStyle)
{
    // Per style: the page, tab 1 and tab 3 as left, top, right, bottom; the active tab's sides.
    const QList<int> cases[] = {{0, 18, 353, 313, 0, 0, 61, 19, 120, 0, 181, 19, 7},
                                {0, 18, 353, 313, 172, 0, 233, 19, 292, 0, 353, 19, 7},
                                {0, 0, 353, 295, 0, 294, 61, 313, 120, 294, 181, 313, 13},
                                {0, 0, 353, 295, 172, 294, 233, 313, 292, 294, 353, 313, 13},
                                {60, 0, 353, 313, 0, 0, 61, 19, 0, 36, 61, 55, 11},
                                {0, 0, 293, 313, 292, 0, 353, 19, 292, 36, 353, 55, 14},
                                {60, 0, 353, 313, 0, 258, 61, 277, 0, 294, 61, 313, 11},
                                {0, 0, 293, 313, 292, 258, 353, 277, 292, 294, 353, 313, 14}};
    for (int style = 0; style < 8; ++style) {
        const StripLayout layout = stripLayout(style, 353, 313, 60, 18, 3);
        QList<int> got;
        for (const TabRect &r : {layout.page, layout.tabs.value(0), layout.tabs.value(2)})
            got << r.left << r.top << r.right << r.bottom;
        EXPECT_EQ(got << layout.activeSides, cases[style]) << "style " << style;
    }
    // A caption of 24 × 12 on tab 1 of style 0: top left, centred, centre right, bottom right.
    const std::pair<int, QPointF> captions[] = {
        {0, {3, 2}}, {4, {17.5, 2.5}}, {5, {33, 2.5}}, {8, {33, 5}}};
    for (const auto &[alignment, at] : captions)
        EXPECT_EQ(captionPosition({0, 0, 61, 19}, alignment, {24, 12}), at) << alignment;
}

const QColor kAmbient(0, 255, 0), kFace(192, 192, 192), kShadow(128, 128, 128), kLight(Qt::white);

// The main window's strip, without captions, in a palette of known colours.
TEST(MainStrip, PaintsAndSelectsByPointerAndArrowKeysWithoutWrapping)
{
    ctlTabs tabs;
    // Text, button, light, dark, mid, text, bright text, base, window.
    tabs.setPalette(
        QPalette(Qt::black, kFace, kLight, kShadow, kShadow, Qt::black, kLight, kLight, kAmbient));
    tabs.resize(353, 313);
    tabs.setTabsWidth(60);
    tabs.setTabsHeight(18);
    tabs.setCaptions({QString(), QString(), QString()});
    const std::tuple<QPoint, QColor, const char *> cases[] = {
        {{200, 100}, kFace, "page fill"},
        {{0, 100}, kLight, "page left edge"},
        {{352, 100}, kShadow, "page right edge"},
        {{200, 312}, kShadow, "page bottom edge"},
        {{30, 18}, kFace, "active tab fill over the page's top edge"},
        {{30, 0}, kLight, "active tab top edge"},
        {{30, 1}, kFace, "active tab fill below its top edge"},
        {{60, 10}, kShadow, "active tab right edge"},
        {{61, 1}, kShadow, "tab 2 block"},
        {{61, 0}, kAmbient, "above tab 2"},
        {{120, 5}, kAmbient, "between tabs 2 and 3"}};
    for (const auto &[at, color, what] : cases)
        EXPECT_EQ(tabs.hDC().pixelColor(at), color) << what;
    for (auto [at, shape] : {std::pair(QPoint(180, 18), Qt::PointingHandCursor),
                             std::pair(QPoint(250, 10), Qt::ArrowCursor)}) {
        QMouseEvent move(QEvent::MouseMove, at, tabs.mapToGlobal(at), Qt::NoButton, {}, {});
        QApplication::sendEvent(&tabs, &move);
        EXPECT_EQ(tabs.cursor().shape(), shape) << "pointer over a tab, elsewhere";
    }
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    QTest::mouseClick(&tabs, Qt::RightButton, {}, {180, 18}); // any button; tab 3's inner block
    // Bounds inclusive; the active tab's full rectangle, others' inner blocks; the lower tab wins.
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

// What a screen reader sees: a page tab list of page tabs named by their captions ("Tab N" for
// none), the selected one marked, each where it lies on screen; a press selects as a click does
// (the focus, then TabClick).
TEST(ctlTabs, IsAPageTabListWhoseTabsPressLikeAClick)
{
    ctlTabs tabs;
    tabs.setCaptions({u"常规"_s, QString(), u"简介"_s});
    tabs.resize(200, 100);
    tabs.show();
    QApplication::setActiveWindow(&tabs);
    QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(&tabs);
    QStringList seen = {QString::number(strip->role() == QAccessible::PageTabList)};
    for (int i = 0; i < strip->childCount(); ++i) {
        QAccessibleInterface *tab = strip->child(i);
        const QPoint at = tab->rect().center();
        seen << u"%1 %2 %3 %4"_s.arg(tab->role() == QAccessible::PageTab)
                    .arg(tab->text(QAccessible::Name))
                    .arg(tab->state().selected)
                    .arg(strip->childAt(at.x(), at.y()) == tab);
    }
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    strip->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // Where a tab says it lies, a click takes it; the focus is on the selected tab; fewer tabs,
    // fewer children.
    QTest::mouseClick(&tabs, Qt::LeftButton, {},
                      tabs.mapFromGlobal(strip->child(1)->rect().center()));
    tabs.setCaption(2, u"高级"_s);
    EXPECT_EQ(seen, (QStringList{u"1"_s, u"1 常规 1 1"_s, u"1 Tab 2 0 1"_s, u"1 简介 0 1"_s}));
    EXPECT_EQ(moves(clicks) + u' ' + QString::number(strip->focusChild() == strip->child(1)),
              u"1>3 3>2 1"_s);
    EXPECT_EQ(strip->child(1)->text(QAccessible::Name), u"高级"_s);
    tabs.setTabs(2);
    EXPECT_EQ(strip->childCount() * 10 + strip->indexOfChild(strip->child(1)), 21);
}

TEST(ctlTabs, SettersClampOrIgnoreOutOfRangeValuesAndRepaint)
{
    ctlTabs tabs;
    tabs.resize(100, 50);
    tabs.setTabs(4);
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    for (int tab : {2, 0, 9, 4, 32767, INT_MIN, 4})
        tabs.setSelectedTab(tab);
    tabs.setTabs(2);
    auto repaints = [&](const std::function<void()> &change) {
        const QImage before = tabs.hDC().copy();
        change();
        return tabs.hDC() != before;
    };
    EXPECT_TRUE(repaints([&] { tabs.setStyle(7); }));
    EXPECT_TRUE(repaints([&] { tabs.setCaptionAlignment(8); }));
    EXPECT_FALSE(repaints([&] {
        for (int refused : {0, -5, INT_MIN, 40000})
            tabs.setTabs(refused);
        tabs.setStyle(8);
        tabs.setStyle(-1);
        tabs.setCaptionAlignment(9);
    }));
    EXPECT_EQ(tabs.Tabs(), 2);
    EXPECT_EQ(moves(clicks), u"1>2 2>1 1>4 4>4 4>4 4>1 1>4 4>2"_s) << "every selection raises it";
    EXPECT_TRUE(repaints([&] { tabs.setCaption(2, u"x"_s); }));
    EXPECT_TRUE(repaints([&] { tabs.setTabsHeight(-40); }));
}

// A tab beyond the last waits for its captions only until any other setting; Qt::red is red.
TEST(ctlTabs, ATabWaitsForCaptionsOnlyUntilAnotherSettingAndQtColoursAreTheirOwn)
{
    // A change between the tab and the captions; the clicks and its property after them.
    const std::tuple<const char *, std::function<void(ctlTabs &)>, const char *> cases[] = {
        {"Caption", [](ctlTabs &t) { t.setCaption(1, u"x"_s); }, "1>3 "},
        {"Style", [](ctlTabs &t) { t.setStyle(2); }, "1>3 BottomFromLeft"},
        {"TextColor", [](ctlTabs &t) { t.setTextColor(Qt::red); }, "1>3 #ff0000"},
        {"TextColorActive", [](ctlTabs &t) { t.setTextColorActive(Qt::red); }, "1>3 #ff0000"},
        {"TabColor", [](ctlTabs &t) { t.setTabColor(Qt::red); }, "1>3 #ff0000"},
        {"TabColorActive", [](ctlTabs &t) { t.setTabColorActive(Qt::red); }, "1>3 #ff0000"}};
    for (const auto &[what, change, after] : cases) {
        ctlTabs tabs;
        tabs.setTabs(3);
        QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
        tabs.setSelectedTab(7);
        change(tabs);
        tabs.setCaptions(QStringList(8, u"c"_s));
        EXPECT_EQ(moves(clicks) + u' ' + tabs.property(what).toString(), QString(after)) << what;
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
                             tabs.TabsWidth(), tabs.TabsHeight(), tabs.TabColor()}),
              (QList<qint64>{1, 1, 7, 0, 70, INT_MAX, 0x80000010}));
    EXPECT_EQ(tabs.TabFont().family(), tabs.font().family());

    // Saved: the values set, never the defaults (an empty caption); read back the same.
    MemoryPropertyBag bag;
    ctlTabs saved, back;
    saved.setCaptions({u"A"_s, QString()});
    saved.WriteProperties(bag);
    back.ReadProperties(bag);
    EXPECT_EQ(back.Captions(), saved.Captions());
    EXPECT_EQ(bag.keys().join(u' '), u"TABWIDE TABHIGH TABCOUNT TABSELECTED TABSTYLE CAPTIONSTYLE "
                                     "FOCUSRECT TABCAPTION1 TABFONT TABFONTACTIVE TABCOLOR "
                                     "TABCOLORACTIVE TEXTCOLOR TEXTCOLORACTIVE"_s);

    dir.write(u"b.properties"_s, "\t=x\nk=v\n"); // a key of spaces only, found by fuzzing
    EXPECT_EQ(FilePropertyBag(dir.path(u"b.properties"_s)).keys(), QStringList{u"K"_s});
}

// The caption page of the first of two selected controls, a strip captioned P, Q, R on tab 3.
TEST(CaptionPage, EditsTheListAndAppliesIt)
{
    const struct {
        int select;        // the row picked first
        const char *keys;  // v Down, ^ Up, + Add, x Delete, else typed; each on an unchanged page
        const char *shown; // the list, the selected entry in brackets, then the text box
        bool changed;
    } cases[] = {
        {0, "Z", "[Z],Q,R Z", true}, {1, "v", "P,R,[Q] Q", true},  {2, "v", "P,Q,[R] R", false},
        {2, "^", "P,[R],Q R", true}, {0, "^", "[P],Q,R P", false}, {1, "+", "P,Q,[],R ", true},
        {2, "x", "P,[Q] Q", true},   {1, "x", "P,[R] R", true},    {0, "xxx", "[R] R", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.select << ' ' << c.keys);
        ctlTabs tabs;
        tabs.setCaptions({u"P"_s, u"Q"_s, u"R"_s});
        tabs.setSelectedTab(3);
        propTabCaptions page;
        page.SelectionChanged({&tabs, new QObject(&page)});
        auto *list = page.findChild<QListWidget *>(u"cmbCaptions"_s);
        auto *text = page.findChild<QLineEdit *>(u"txtCaption"_s);
        list->setCurrentRow(c.select);
        for (QChar key : QString::fromLatin1(c.keys)) {
            page.setChanged(false);
            if (const int button = u"v^+x"_s.indexOf(key); button >= 0)
                page.findChild<QPushButton *>(u"cmd%1"_s.arg(button))->click();
            else
                QTest::keyClicks(text, key);
        }
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << (i == list->currentRow() ? u"[%1]"_s : u"%1"_s).arg(list->item(i)->text());
        EXPECT_EQ(shown.join(u',') + u' ' + text->text(), QString(c.shown));
        EXPECT_EQ(page.Changed(), c.changed);
        QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
        page.ApplyChanges();
        const QString applied = QString(c.shown).section(u' ', 0, 0).remove(u'[').remove(u']');
        EXPECT_EQ(tabs.Captions().join(u','), applied);
        // Fewer than 3 tabs: the selection moves to the last.
        EXPECT_EQ(moves(clicks), tabs.Tabs() < 3 ? u"3>%1"_s.arg(tabs.Tabs()) : QString());
    }
}

// Sharp at any screen density (CTest runs it at QT_SCALE_FACTOR=2 too): the retained image has
// the screen's pixels, not the widget's, which the screen would enlarge into a blur.
TEST(ctlTabsPaint, RetainedImageHasTheScreensPixels)
{
    ctlTabs tabs;
    tabs.resize(200, 100);
    tabs.show();
    EXPECT_EQ(tabs.hDC().size(), QSize(200, 100) * tabs.devicePixelRatioF());
}

TEST_F(MainWindow, TabStripShowsThePageOfTheChosenTabAndTakesTheFocusOnlyByItsTabs)
{
    auto *strip = get<ctlTabs>("ctlTabs1");
    EXPECT_EQ(strip->Captions().join(u'|'), u"常规|高级|简介"_s) << "the stored settings load";
    QTest::mouseClick(window->framer(1), Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(focus(), u"txtMinute 0 1 []"_s) << "a click on the page";
    QSignalSpy clicks(strip, &ctlTabs::TabClick);
    for (int tab : {3, 2, 2, 1}) { // tab 1 by the Left key
        const TabRect r = strip->tabRects()[tab - 1];
        if (tab == 1)
            QTest::keyClick(strip, Qt::Key_Left);
        else
            QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(window->framer(n)->isVisibleTo(window.get()), n == tab) << tab << n;
    }
    const QPoint second(strip->tabRects()[1].left + 5, strip->tabRects()[1].top + 5);
    QMouseEvent twice(QEvent::MouseButtonDblClick, second, strip->mapToGlobal(second),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(strip, &twice);
    EXPECT_EQ(focus() + u' ' + moves(clicks), u"ctlTabs1 1>3 3>2 2>2 2>1"_s)
        << "a click on a tab takes the focus; a double click is no second press";
}

// Where a font stands in for 宋体, the tab strip's captions are in the window's font, at their
// stored size, the chosen tab's bold.
TEST_F(MainWindow, TabStripFontsAreTheWindowsFont)
{
    const QStringList before = QFont::substitutes(u"宋体"_s);
    QFont::removeSubstitutions(u"宋体"_s);
    QFont::insertSubstitution(u"宋体"_s, u"Stand-in Song"_s);
    open();
    QFont::removeSubstitutions(u"宋体"_s);
    QFont::insertSubstitutions(u"宋体"_s, before);
    auto *strip = get<ctlTabs>("ctlTabs1");
    for (auto [font, bold] :
         {std::pair(strip->TabFont(), false), std::pair(strip->TabFontActive(), true)})
        EXPECT_EQ(u"%1 %2 %3"_s.arg(font.family()).arg(font.pointSize()).arg(font.bold()),
                  u"%1 9 %2"_s.arg(window->font().family()).arg(bold));
}

} // namespace

// A form as Designer saves it, through uic: its generated code sets SelectedTab before the
// (translatable) captions exist, and still shows tab 3.
TEST(ctlTabs, AFormCompiledByUicShowsItsCaptionsAndTab)
{
    QWidget form;
    Ui::StripForm ui;
    ui.setupUi(&form);
    EXPECT_EQ(ui.ctlTabs1->Captions(), (QStringList{u"One"_s, u"Two"_s, QString(), u"Four"_s}));
    EXPECT_EQ(
        (QList<qint64>{ui.ctlTabs1->SelectedTab(), ui.ctlTabs1->Style(), ui.ctlTabs1->TextColor()}),
        (QList<qint64>{3, ctlTabs::BottomFromLeft, 0x0000FF}));
    // Its pages: the third shown on the page area, below the tabs (along the bottom edge).
    for (QWidget *page : {ui.page1, ui.page2, ui.page3, ui.page4})
        EXPECT_EQ(page->isVisibleTo(&form), page == ui.page3) << page->objectName().toStdString();
    EXPECT_EQ(ui.page3->geometry(), QRect(2, 2, 349, 289));
}
