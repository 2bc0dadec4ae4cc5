#include <ctlTabs.h>
#include <propTabCaptions.h>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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
    QString entries() const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out.append(list->item(i)->text());
        return out.join(u',');
    }
};

TEST(CaptionPage, EditsTheListAndAppliesIt)
{
    const struct {
        int select;      // the row picked first; -1 keeps the one selected on loading
        QString action;  // a button, or the text typed
        QString entries; // the page's list after the action
        int row;         // the selected row after it
        bool changed;
    } cases[] = {
        {-1, u"Z"_s, u"Z,Q,R"_s, 0, true},    {1, u"Down"_s, u"P,R,Q"_s, 2, true},
        {2, u"Down"_s, u"P,Q,R"_s, 2, false}, {2, u"Up"_s, u"P,R,Q"_s, 1, true},
        {0, u"Up"_s, u"P,Q,R"_s, 0, false},   {1, u"Add"_s, u"P,Q,,R"_s, 2, true},
        {2, u"Delete"_s, u"P,Q"_s, 1, true},  {1, u"Delete"_s, u"P,R"_s, 1, true},
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
        EXPECT_EQ(p.entries(), c.entries);
        EXPECT_EQ(p.list->currentRow(), c.row);
        EXPECT_EQ(p.text->text(), c.entries.split(u',').value(c.row));
        EXPECT_EQ(p.page.Changed(), c.changed);
        p.page.ApplyChanges();
        EXPECT_EQ(p.tabs.Captions().join(u','), c.entries);
    }
}

TEST(CaptionPage, ApplyingFewerTabsMovesTheSelectionAndTheOnlyEntryStays)
{
    CaptionPage p;
    p.tabs.setSelectedTab(3);
    QSignalSpy clicks(&p.tabs, &ctlTabs::TabClick);
    p.click(u"Delete"_s);
    p.page.ApplyChanges();
    EXPECT_EQ(clicks.value(0), (QList<QVariant>{3, 2}));

    p.click(u"Delete"_s);
    p.page.setChanged(false);
    p.click(u"Delete"_s);
    EXPECT_EQ(p.entries(), u"R"_s);
    EXPECT_FALSE(p.page.Changed());
}

} // namespace
