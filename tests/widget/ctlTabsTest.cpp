#include "MainWindowFixture.h"

#include <FontText.h>
#include <OleColor.h>
#include <PropertyBag.h>
#include <propTabCaptions.h>

#include "ui_strip.h"

#include <QAccessible>
#include <QListWidget>
#include <QPainter>

using namespace tabstrip;

// The TabClick signals caught, as "old>new".
static QString moves(const QSignalSpy &clicks)
{
    QStringList out;
    for (const QList<QVariant> &click : clicks)
        out.append(click[0].toString() + u'>' + click[1].toString());
    return out.join(u' ');
}

// Runs steps ("; " between them) of commands: Name=value sets a property (CaptionN=text a caption,
// palette=colour the container's colours), in and out are focus events, read loads `bag`, write
// saves into it and gives each setting saved (a font as size,bold). Returns what the strip tells
// its host per step: the keys it notifies, "draw" where it repaints, "old>new" for TabClick, or
// "-"; then its captions and selected tab.
static QString told(ctlTabs &tabs, const QString &steps, MemoryPropertyBag *bag = nullptr)
{
    QStringList out, step;
    qint64 image = tabs.hDC().cacheKey();
    const auto drawn = [&]() -> QStringList & {
        if (const qint64 now = tabs.hDC().cacheKey(); std::exchange(image, now) != now)
            step << u"draw"_s;
        return step;
    };
    QObject context;
    QObject::connect(&tabs, &ctlTabs::propertyChanged, &context,
                     [&](QString key) { drawn() << key; });
    QObject::connect(&tabs, &ctlTabs::TabClick, &context,
                     [&](int from, int to) { drawn() << u"%1>%2"_s.arg(from).arg(to); });
    for (const QString &commands : steps.split(u"; "_s)) {
        for (const QString &command : commands.split(u' ')) {
            const QString name = command.section(u'=', 0, 0), value = command.section(u'=', 1);
            bool number = false, caption = false;
            const int n = value.toInt(&number), index = name.mid(7).toInt(&caption);
            QFocusEvent focus(name == u"in" ? QEvent::FocusIn : QEvent::FocusOut);
            if (name == u"in" || name == u"out")
                QApplication::sendEvent(&tabs, &focus);
            else if (name == u"read")
                tabs.ReadProperties(*bag);
            else if (name == u"write" && (tabs.WriteProperties(*bag = {}), true))
                for (const QString &k : bag->keys())
                    step << k + u'=' +
                                bag->readProperty(k, {}).toString().section(
                                    u',', 0, k.startsWith(u"TABFONT") ? 1 : -1);
            else if (caption && name.startsWith(u"Caption"))
                tabs.setCaption(index, value);
            else
                EXPECT_TRUE(tabs.setProperty(qPrintable(name),
                                             name == u"palette" ? QVariant(QPalette(QColor(value)))
                                             : number           ? QVariant(n)
                                                                : QVariant(value)))
                    << qPrintable(command);
        }
        out << (drawn().isEmpty() ? u"-"_s : step.join(u' ')), step.clear();
    }
    return out.join(u"; "_s) + u" | "_s + tabs.Captions().join(u',') + u' ' +
           QString::number(tabs.SelectedTab());
}

// Per style, 240 × 100 pixels, three tabs of the default size, tab 2 selected, no captions: the
// page's fill and edges, the selected tab's sides open towards the page, tab 3's block, the
// background, a focus dot (I) and gap. A ambient, F face, L light, S shadow, B TabColor. Then per
// alignment, a caption w × h starts at (left + a[column] - column × w/2, top + c[row] - row × h/2).
TEST(ctlTabsPaint, DrawsEveryStyleTheFocusRectangleWhileFocusedAndCaptionsAsAligned)
{
    const char *const styles[] = {
        "F120,60 L0,60 S120,99 L105,0 L70,10 F105,20 S140,10 B175,10 A211,10 I138,18 F138,17",
        "F120,60 L0,60 S120,99 L134,0 L99,10 F134,20 S169,10 B204,10 A0,10 I166,18 F166,17",
        "F120,40 L0,40 S239,40 F105,79 L70,89 S105,99 S140,89 B175,89 A211,90 I137,97 F137,96",
        "F120,40 L0,40 S239,40 F134,79 L99,89 S134,99 S169,89 B204,89 A0,90 I167,97 F167,96",
        "F155,50 L155,0 S155,99 L35,20 L0,30 S35,40 F70,30 B35,50 A35,80 I68,38 F68,37",
        "F85,50 L0,50 S85,99 L204,20 F169,30 S204,40 S239,30 B204,50 A205,80 I236,38 F236,37",
        "F155,50 L155,0 S155,99 L35,59 L0,69 S35,79 F70,69 B35,89 A35,19 I67,77 F67,76",
        "F85,50 L0,50 S85,99 L204,59 F169,69 S204,79 S239,69 B204,89 A205,19 I237,77 F237,76"};
    const double a[] = {3, 34.5, 67}, c[] = {2, 9.5, 19};
    ctlTabs tabs;
    tabs.setPalette(QPalette(QColor(192, 192, 192), Qt::green)); // a button face, a background
    const QPalette &pal = tabs.palette();
    tabs.resize(240, 100);
    told(tabs, u"TabColor=blue Tabs=3 Caption1= Caption2= SelectedTab=2 UseFocusRect=true"_s);
    // The screen's pixels, each logical pixel a square of them (CTest runs this at a scale of 2).
    const int ratio = int(tabs.devicePixelRatioF());
    EXPECT_EQ(tabs.hDC().size(), QSize(240, 100) * ratio);
    for (int style = 0; style < 8; ++style) {
        tabs.setStyle(style);
        // Focused; the rectangle no longer wanted; wanted again; no longer focused.
        for (const auto &[state, dotted] :
             {std::pair("in", true), std::pair("UseFocusRect=false", false),
              std::pair("UseFocusRect=true", true), std::pair("out", false)}) {
            told(tabs, QString::fromLatin1(state));
            const QColor face = pal.button().color(), dot = dotted ? QColor(63, 63, 63) : face;
            const QColor colours[] = {pal.window().color(), face,     pal.light().color(),
                                      pal.dark().color(),   Qt::blue, dot};
            for (const QString &pixel : QString::fromLatin1(styles[style]).split(u' ')) {
                const QPoint at(pixel.mid(1).section(u',', 0, 0).toInt(),
                                pixel.section(u',', 1).toInt());
                for (QPoint p : {at * ratio, at * ratio + QPoint(ratio - 1, ratio - 1)})
                    EXPECT_EQ(tabs.hDC().pixelColor(p), colours[u"AFLSBI"_s.indexOf(pixel[0])])
                        << style << ' ' << qPrintable(pixel) << ' ' << state;
            }
        }
    }
    // Tab 2, from 70, in its own font and colour (tab 1's bigger, in another colour).
    told(tabs, u"Style=0 TabFont=Serif,12 TabFontActive=Serif,7 TextColorActive=red"_s);
    const QImage blank = tabs.hDC().copy();
    for (int alignment = 0; alignment < 9; ++alignment) {
        told(tabs, u"Caption2=Wg CaptionAlignment=%1"_s.arg(alignment));
        QImage expected = blank.copy();
        QPainter p(&expected);
        const QFontMetricsF m(tabs.TabFontActive(), &expected);
        const int column = alignment % 3, row = alignment / 3;
        const QPointF at(70 + a[column] - column * m.horizontalAdvance(u"Wg"_s) / 2,
                         c[row] - row * m.height() / 2 + m.ascent());
        p.setFont(tabs.TabFontActive()), p.setPen(Qt::red), p.drawText(at, u"Wg"_s), p.end();
        EXPECT_TRUE(tabs.hDC() == expected && expected != blank) << "alignment " << alignment;
    }
}

TEST(ctlTabs, TellsItsHostOfEachChangeThenRepaintsThenRaisesTabClickAndSavesEverySetting)
{
    MemoryPropertyBag stored;
    ctlTabs source;
    told(source, u"Caption1=P Caption2= SelectedTab=2; write"_s, &stored);
    const std::pair<const char *, const char *> cases[] = {
        {"Tabs=2", "TABCOUNT draw TABSELECTED 3>2 | A,B 2"},
        {"Tabs=5", "TABCOUNT draw | A,B,C,, 3"},
        {"Tabs=0 Tabs=40000 Style=8 Style=-1 CaptionAlignment=9", "- | A,B,C 3"},
        {"SelectedTab=0; SelectedTab=9; SelectedTab=3", // clamped; raised even when it stays
         "TABSELECTED draw 3>1; TABSELECTED draw 1>3; TABSELECTED draw 3>3 | A,B,C 3"},
        {"SelectedTab=9; Tabs=10", "TABSELECTED draw 3>3; TABCOUNT draw | A,B,C,,,,,,, 3"},
        {"TextColor=red TextColorActive=red TabColor=red TabColorActive=red TabFont=Serif,9 "
         "TabFontActive=Serif,9 Caption2=x Style=7 CaptionAlignment=8 TabsWidth=-40 TabsHeight=0 "
         "UseFocusRect=true",
         "TEXTCOLOR draw TEXTCOLORACTIVE draw TABCOLOR draw TABCOLORACTIVE draw TABFONT draw "
         "TABFONTACTIVE draw TABCAPTION2 draw TABSTYLE draw CAPTIONSTYLE draw TABWIDE draw "
         "TABHIGH draw FOCUSRECT draw | A,x,C 3"},
        {"read", "draw | P, 2"},
        // Focus repaints only for the focus rectangle; the container's colours always.
        {"in; out; UseFocusRect=true; in; out", "-; -; FOCUSRECT draw; draw; draw | A,B,C 3"},
        {"palette=red; font=Serif,20", "draw; - | A,B,C 3"}};
    for (const auto &[steps, expected] : cases) {
        ctlTabs tabs;
        tabs.resize(353, 313); // as the main window's strip
        told(tabs,
             u"TabsWidth=60 TabsHeight=18 Tabs=3 Caption1=A Caption2=B Caption3=C SelectedTab=3"_s);
        EXPECT_EQ(told(tabs, QString::fromLatin1(steps), &stored), QString::fromLatin1(expected));
    }
    // Saved in order; a new strip's fonts are its own, the selected tab's bold inverted.
    ctlTabs fresh, changed, back;
    const QFont font = fresh.font();
    const QString defaults =
        u"TABWIDE=70 TABHIGH=20 TABCOUNT=2 TABSELECTED=1 TABSTYLE=0 CAPTIONSTYLE=4 FOCUSRECT=false "
        "TABCAPTION1=Tab 1 TABCAPTION2=Tab 2 TABFONT=%1,%2 TABFONTACTIVE=%1,%3 TABCOLOR=2147483664 "
        "TABCOLORACTIVE=2147483663 TEXTCOLOR=2147483668 TEXTCOLORACTIVE=2147483666 | Tab 1,Tab 2 1"_s;
    EXPECT_EQ(told(fresh, u"write"_s, &stored),
              defaults.arg(font.pointSizeF()).arg(font.bold()).arg(!font.bold()));
    const QString changes =
        u"TabsWidth=61 TabsHeight=-3 Tabs=3 Caption1=A Caption2= Caption3=C SelectedTab=2 "
        "Style=5 CaptionAlignment=7 UseFocusRect=true TabFontActive=Serif,13 "
        "TabFont=Mono,5,-1,5,25,1,1,1,0,0 TabColor=red TabColorActive=blue "
        "TextColor=yellow TextColorActive=green; write"_s;
    const QString saved = told(changed, changes, &stored);
    const QString font5 = stored.readProperty(u"TABFONT"_s, {}).toString();
    EXPECT_EQ(font5.section(u',', 0, 5), u"5,0,1,1,1,300"_s) << "light, italic, lined, struck";
    EXPECT_EQ(told(back, u"read; write"_s, &stored), u"draw; "_s + saved.section(u"; "_s, 1));
    EXPECT_EQ(stored.readProperty(u"TABFONT"_s, {}).toString(), font5);
    EXPECT_FALSE(stored.contains(u"TABCAPTION2"_s)) << "an empty caption";
}

// Page tabs named by their captions ("Tab N" for none), the selected one marked, each where it
// lies on screen; a press selects as a click does (the focus, then TabClick).
TEST(ctlTabs, IsAPageTabListWhoseTabsPressLikeAClick)
{
    ctlTabs tabs;
    tabs.setCaptions({u"常规"_s, QString(), u"简介"_s});
    tabs.resize(200, 100), tabs.show(), QApplication::setActiveWindow(&tabs);
    QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(&tabs);
    QStringList seen = {QString::number(strip->role() == QAccessible::PageTabList)};
    for (int i = 0; i < strip->childCount(); ++i) {
        QAccessibleInterface *tab = strip->child(i);
        const QPoint at = tab->rect().center();
        seen << u"%1 %2 %3 %4"_s.arg(tab->role() == QAccessible::PageTab)
                    .arg(tab->text(QAccessible::Name))
                    .arg(tab->state().selected * 4 + tab->state().focusable * 2 +
                         tab->state().selectable)
                    .arg(strip->childAt(at.x(), at.y()) == tab);
    }
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    strip->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // Where a tab says it lies, from its first pixel to its last, a click takes it; the focus is on
    // the selected tab; fewer tabs, fewer children.
    for (const QPoint at :
         {strip->child(0)->rect().topLeft(), strip->child(1)->rect().bottomRight()})
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.mapFromGlobal(at));
    tabs.setCaption(2, u"高级"_s);
    EXPECT_EQ(seen, (QStringList{u"1"_s, u"1 常规 7 1"_s, u"1 Tab 2 3 1"_s, u"1 简介 3 1"_s}));
    EXPECT_EQ(moves(clicks) + u' ' + QString::number(strip->focusChild() == strip->child(1)),
              u"1>3 3>1 1>2 1"_s);
    EXPECT_EQ(strip->child(1)->text(QAccessible::Name), u"高级"_s);
    QWidget page(&tabs); // a page on the strip comes after its tabs
    tabs.setTabs(2);
    auto place = [&](int i) { return strip->indexOfChild(strip->child(i)); };
    EXPECT_EQ(strip->childCount() * 100 + place(1) * 10 + place(2), 312);
    // A tab asked for its place as it is added, before it is drawn, has none yet.
    QObject::connect(&tabs, &ctlTabs::propertyChanged,
                     [&] { EXPECT_TRUE(strip->child(2)->rect().isEmpty()); });
    tabs.setTabs(3);
}

// Line ends and backslashes escaped, keys in lower case unless that reads back as another key.
TEST(FilePropertyBag, ReadsBackWhatItSavedAndSystemColoursEndInBlack)
{
    TempDir dir;
    FilePropertyBag bag(dir.path(u"s.properties"_s));
    bag.writeProperty(u"Caption1"_s, u"old"_s);
    bag.writeProperty(u"Caption1"_s, u"d"_s, u"d"_s); // back to its default: not stored
    bag.writeProperty(u"Caption1"_s, u"a\\nb\r\nc\\"_s), bag.writeProperty(u"ϴ"_s, u"x"_s);
    ASSERT_TRUE(bag.save());
    const FilePropertyBag back(dir.path(u"s.properties"_s));
    EXPECT_EQ(back.readProperty(u"CAPTION1"_s, {}).toString() +
                  back.readProperty(u"ϴ"_s, {}).toString(),
              u"a\\nb\r\nc\\x"_s);
    EXPECT_TRUE(dir.read(u"s.properties"_s).startsWith("caption1="));
    const QPalette palette(Qt::red);
    EXPECT_EQ(translateColor(systemColor(30), palette), palette.color(QPalette::Window));
    EXPECT_EQ(translateColor(systemColor(31), palette), QColor(Qt::black));
    for (const auto &[size, read] : {std::pair(999.5, 999.5), {1000., 9.}})
        EXPECT_EQ(fontFromText(u"%1,1,0,0,0,700,134,宋体"_s.arg(size))->font.pointSizeF(), read);
}

TEST(CaptionPage, EditsTheListAndAppliesIt)
{
    // The caption page of the first of two selected controls, a strip captioned P, Q, R on tab 3.
    // The row picked first; keys, each on an unchanged page: v Down, ^ Up, + Add, x Delete, else
    // typed; the list, the selected entry in brackets, then the text box; whether changed (1).
    const std::tuple<int, const char *, QString> cases[] = {
        {0, "Z", "[Z],Q,R Z 1"}, {1, "v", "P,R,[Q] Q 1"}, {2, "v", "P,Q,[R] R 0"},
        {2, "^", "P,[R],Q R 1"}, {0, "^", "[P],Q,R P 0"}, {1, "+", "P,Q,[],R  1"},
        {2, "x", "P,[Q] Q 1"},   {1, "x", "P,[R] R 1"},   {0, "xxx", "[R] R 0"},
    };
    for (const auto &[select, keys, after] : cases) {
        SCOPED_TRACE(::testing::Message() << select << ' ' << keys);
        ctlTabs tabs;
        tabs.setCaptions({u"P"_s, u"Q"_s, u"R"_s}), tabs.setSelectedTab(3);
        propTabCaptions page;
        page.SelectionChanged({}), page.SelectionChanged({nullptr}); // nothing to show yet
        page.SelectionChanged({&tabs, new QObject(&page)});
        ASSERT_EQ(tabOrder(page.findChild<QWidget *>(u"txtCaption"_s)) + misplaced(&page),
                  u"txtCaption cmbCaptions cmd2 cmd1 cmd3 cmd0"_s);
        auto *list = page.findChild<QListWidget *>(u"cmbCaptions"_s);
        auto *text = page.findChild<QLineEdit *>(u"txtCaption"_s);
        list->setCurrentRow(select);
        for (QChar key : QString::fromLatin1(keys)) {
            page.setChanged(false);
            if (const int button = u"v^+x"_s.indexOf(key); button >= 0)
                page.findChild<QPushButton *>(u"cmd%1"_s.arg(button))->click();
            else
                QTest::keyClicks(text, key);
        }
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << (i == list->currentRow() ? u"[%1]"_s : u"%1"_s).arg(list->item(i)->text());
        EXPECT_EQ(shown.join(u',') + u' ' + text->text() + u" %1"_s.arg(page.Changed()), after);
        QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
        page.ApplyChanges();
        EXPECT_EQ(tabs.Captions().join(u','), after.section(u' ', 0, 0).remove(u'[').remove(u']'));
        // Fewer than 3 tabs: the selection moves to the last.
        EXPECT_EQ(moves(clicks), tabs.Tabs() < 3 ? u"3>%1"_s.arg(tabs.Tabs()) : QString());
    }
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
        tab == 1 ? QTest::keyClick(strip, Qt::Key_Left)
                 : QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(window->framer(n)->isVisibleTo(window.get()), n == tab) << tab << n;
    }
    const QPoint second(strip->tabRects()[1].left + 5, strip->tabRects()[1].top + 5);
    QMouseEvent twice(QEvent::MouseButtonDblClick, second, strip->mapToGlobal(second),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(strip, &twice);
    EXPECT_EQ(focus() + u' ' + moves(clicks), u"ctlTabs1 1>3 3>2 2>2 2>1"_s)
        << "a click on a tab takes the focus; a double click is no second press";
    // With a stand-in for 宋体: the window's font, at the stored size, the chosen tab's bold.
    const QStringList before = QFont::substitutes(u"宋体"_s);
    QFont::removeSubstitutions(u"宋体"_s), QFont::insertSubstitution(u"宋体"_s, u"Stand-in Song"_s);
    open(), strip = get<ctlTabs>("ctlTabs1");
    QFont::removeSubstitutions(u"宋体"_s), QFont::insertSubstitutions(u"宋体"_s, before);
    for (auto [font, bold] :
         {std::pair(strip->TabFont(), false), std::pair(strip->TabFontActive(), true)})
        EXPECT_EQ(u"%1 %2 %3"_s.arg(font.family()).arg(font.pointSize()).arg(font.bold()),
                  u"%1 9 %2"_s.arg(window->font().family()).arg(bold));
}

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
