#include <ctlTabs.h>
#include <propTabCaptions.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct PageCase {
    const char *name;
    int select;       // row picked before the action; -1 leaves the loaded selection
    QString action;   // "Down", "Up", "Add", "Delete" or "type:TEXT"
    QStringList list; // the page's list after the action
    int row;          // the selected row after it
    bool changed;
};

void PrintTo(const PageCase &c, std::ostream *os)
{
    *os << c.name;
}

class CaptionPage : public ::testing::TestWithParam<PageCase> {
protected:
    ctlTabs tabs;
    propTabCaptions page;
    QListWidget *list = page.findChild<QListWidget *>(u"cmbCaptions"_s);
    QLineEdit *text = page.findChild<QLineEdit *>(u"txtCaption"_s);

    CaptionPage()
    {
        tabs.setCaptions({u"P"_s, u"Q"_s, u"R"_s});
        page.SelectionChanged({&tabs, new QObject(&page)});
    }
    QStringList entries() const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out.append(list->item(i)->text());
        return out;
    }
};

TEST_F(CaptionPage, LoadsTheFirstSelectedControlWithoutMarkingAChange)
{
    EXPECT_EQ(entries(), (QStringList{u"P"_s, u"Q"_s, u"R"_s}));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(text->selectedText(), u"P"_s);
    EXPECT_FALSE(page.Changed());
}

TEST_P(CaptionPage, EditsTheListAndAppliesIt)
{
    const PageCase &c = GetParam();
    if (c.select >= 0)
        list->setCurrentRow(c.select);
    if (c.action.startsWith(u"type:"_s))
        QTest::keyClicks(text, c.action.mid(5));
    else
        page
            .findChild<QPushButton *>(u"cmd%1"_s.arg(
                QStringList{u"Down"_s, u"Up"_s, u"Add"_s, u"Delete"_s}.indexOf(c.action)))
            ->click();
    EXPECT_EQ(entries(), c.list);
    EXPECT_EQ(list->currentRow(), c.row);
    EXPECT_EQ(text->text(), c.list.value(c.row));
    EXPECT_EQ(page.Changed(), c.changed);

    page.ApplyChanges();
    EXPECT_EQ(tabs.Captions(), c.list);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaptionPage,
    ::testing::Values(
        PageCase{"typing replaces", -1, u"type:Z"_s, {u"Z"_s, u"Q"_s, u"R"_s}, 0, true},
        PageCase{"down", 1, u"Down"_s, {u"P"_s, u"R"_s, u"Q"_s}, 2, true},
        PageCase{"down at the end", 2, u"Down"_s, {u"P"_s, u"Q"_s, u"R"_s}, 2, false},
        PageCase{"up", 2, u"Up"_s, {u"P"_s, u"R"_s, u"Q"_s}, 1, true},
        PageCase{"up at the top", 0, u"Up"_s, {u"P"_s, u"Q"_s, u"R"_s}, 0, false},
        PageCase{"add", 1, u"Add"_s, {u"P"_s, u"Q"_s, u""_s, u"R"_s}, 2, true},
        PageCase{"delete the last", 2, u"Delete"_s, {u"P"_s, u"Q"_s}, 1, true},
        PageCase{"delete in the middle", 1, u"Delete"_s, {u"P"_s, u"R"_s}, 1, true}),
    [](const auto &info) { return std::to_string(info.index); });

TEST(CaptionPageEdges, DeleteKeepsTheLastEntryAndApplyingFewerTabsMovesTheSelection)
{
    ctlTabs tabs;
    tabs.setCaptions({u"P"_s, u"Q"_s, u"R"_s});
    tabs.setSelectedTab(3);
    QSignalSpy clicks(&tabs, &ctlTabs::TabClick);
    propTabCaptions page;
    page.SelectionChanged({&tabs});
    auto *remove = page.findChild<QPushButton *>(u"cmd3"_s);
    remove->click();
    EXPECT_TRUE(page.Changed());
    page.ApplyChanges();
    EXPECT_EQ(tabs.Tabs(), 2);
    EXPECT_EQ(tabs.SelectedTab(), 2);
    EXPECT_EQ(clicks.first(), (QList<QVariant>{3, 2}));

    remove->click();
    page.setChanged(false);
    remove->click();
    EXPECT_FALSE(page.Changed()) << "the only entry stays";
    EXPECT_EQ(page.findChild<QListWidget *>(u"cmbCaptions"_s)->count(), 1);
}

} // namespace
