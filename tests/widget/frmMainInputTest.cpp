#include "MainWindowFixture.h"

#include <ctlTabs.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

// A key as X11 delivers it: Tab carries "\t", Delete "\x7f", Ctrl+V the control code 0x16.
void press(QWidget *to, Qt::Key key, const QString &text, Qt::KeyboardModifiers mods = {})
{
    QKeyEvent event(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(to, &event);
}

TEST_F(MainWindow, TimeFieldsTakeTimeCharactersFromKeysAndInputMethods)
{
    QLineEdit *minute = field("txtMinute");
    minute->setFocus();
    minute->setText(QString());
    QTest::keyClicks(minute, u"1a -.x2"_s);
    EXPECT_EQ(minute->text(), u"1-.2"_s);
    QApplication::clipboard()->setText(u"9"_s);
    press(minute, Qt::Key_V, u"\x16"_s, Qt::ControlModifier);
    press(minute, Qt::Key_C, u"\x03"_s, Qt::ControlModifier);
    EXPECT_EQ(minute->text(), u"1-.2"_s) << "control codes are dropped";
    minute->setCursorPosition(0);
    press(minute, Qt::Key_Delete, u"\x7f"_s);
    press(minute, Qt::Key_End, QString());
    press(minute, Qt::Key_Backspace, u"\b"_s);
    EXPECT_EQ(minute->text(), u"-."_s) << "Delete, End and Backspace edit";

    QInputMethodEvent commit;
    commit.setCommitString(u"１２时a3"_s);
    QApplication::sendEvent(minute, &commit);
    EXPECT_EQ(minute->text(), u"-.123"_s) << "full-width digits as digits, the rest dropped";

    press(minute, Qt::Key_Tab, u"\t"_s);
    EXPECT_EQ(QApplication::focusWidget(), field("txtHour")) << "Tab moves on";
}

TEST_F(MainWindow, TimeFieldsTakeThePartOfAPasteThatFitsButKeepLongerStoredText)
{
    QLineEdit *second = field("txtSecond");
    second->setText(QString());
    QApplication::clipboard()->setText(u"12345678"_s);
    second->paste();
    EXPECT_EQ(second->text(), u"1234567"_s);
    second->setText(u"12345"_s);
    QApplication::clipboard()->setText(u"99"_s);
    second->setCursorPosition(2);
    second->paste();
    EXPECT_EQ(second->text(), u"1299345"_s);
    second->paste();
    EXPECT_EQ(second->text(), u"1299345"_s) << "nothing fits";

    second->setText(u"1234567890"_s);
    EXPECT_EQ(second->text(), u"1234567890"_s) << "text set by the program is never cut";
    QTest::keyClick(second, Qt::Key_Backspace);
    EXPECT_EQ(second->text(), u"123456789"_s) << "and can still be shortened";
}

// The select-all and leaving rules belong to the focus moving between controls, not to the
// window losing and regaining the activation.
TEST_F(MainWindow, FocusRulesRunOnlyWhenTheFocusMovesBetweenControls)
{
    QLineEdit *hour = field("txtHour");
    QLineEdit *second = field("txtSecond");
    hour->setText(u"12"_s);
    hour->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(hour->selectedText(), u"12"_s);

    const std::pair<QString, QString> cases[] = {
        {u".5"_s, u"0.5"_s},  {u"300"_s, u"300"_s}, {u"1-2"_s, u"1-2"_s},
        {u"-.5"_s, u"-.5"_s}, {u"."_s, u"."_s},     {u".50"_s, u"0.5"_s},
    };
    for (const auto &[typed, left] : cases) {
        second->setFocus(Qt::MouseFocusReason);
        second->setText(typed);
        hour->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(second->text(), left) << typed.toStdString();
    }

    second->setFocus(Qt::MouseFocusReason);
    second->setText(u".5"_s);
    QApplication::setActiveWindow(nullptr); // a message box, another program
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(second->text(), u".5"_s);
    EXPECT_FALSE(second->hasSelectedText());
    EXPECT_EQ(second->cursorPosition(), 2);
}

TEST_F(MainWindow, RelatedFileFieldTrimsAndTakesOnlyDroppedLocalFiles)
{
    check("chkRunRelaFile")->setChecked(true);
    QLineEdit *file = field("txtFile");
    file->setFocus(Qt::MouseFocusReason);
    file->setText(u"  cmd:dir  "_s);
    field("txtHour")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(file->text(), u"cmd:dir"_s);
    EXPECT_EQ(file->toolTip(), u"cmd:dir"_s);

    auto drop = [&](const QList<QUrl> &urls, const QString &text) {
        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(urls);
        if (!text.isEmpty())
            data.setText(text);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(file, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(file, &event);
        return enter.isAccepted();
    };
    // As a file manager drops: the list of files and the same as text.
    const QList<QUrl> files = {QUrl::fromLocalFile(u"/a/one.txt"_s),
                               QUrl::fromLocalFile(u"/c/three 3.wav"_s)};
    EXPECT_TRUE(drop(files, u"/a/one.txt\n/c/three 3.wav"_s));
    EXPECT_EQ(file->text(), u"/c/three 3.wav"_s);
    EXPECT_FALSE(drop({QUrl(u"https://example.com/"_s)}, u"https://example.com/"_s));
    EXPECT_FALSE(drop({}, u"selected text"_s));
    EXPECT_EQ(file->text(), u"/c/three 3.wav"_s) << "a drop without a file changes nothing";
}

TEST_F(MainWindow, OnlyAChoiceFromTheListAppliesAStoredTask)
{
    auto *combo = get<QComboBox>("cboTask");
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0) << "a stored text shows its beginning";
    const QString example2 = combo->itemText(2);
    field("txtMinute")->setText(u"5"_s);
    combo->setFocus(Qt::MouseFocusReason);
    combo->clearEditText();
    QInputMethodEvent typed;
    typed.setCommitString(u"例"_s);
    QApplication::sendEvent(combo->lineEdit(), &typed);
    EXPECT_EQ(combo->currentText(), u"例"_s) << "no completion";
    combo->setEditText(example2);
    field("txtHour")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(text("txtMinute"), u"5"_s) << "typing a stored text only changes the tooltip";
    EXPECT_EQ(combo->toolTip(), example2);
    combo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(window->isRunning());
    EXPECT_TRUE(scriptLines().first().startsWith(u"[0,5,0,"_s)) << "started as shown";
    clickStart();

    combo->setCurrentIndex(2); // chosen from the list: example 1, after example 2 moved up
    emit combo->activated(2);
    EXPECT_EQ(text("txtMinute"), u"20"_s);
}

TEST_F(MainWindow, KeysAndClicksOnThePagesLeaveTheStripAlone)
{
    auto *strip = get<ctlTabs>("ctlTabs1");
    QSignalSpy clicks(strip, &ctlTabs::TabClick);
    QLineEdit *minute = field("txtMinute");
    minute->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(minute, Qt::Key_Down);
    QTest::mouseClick(get("lblMinute"), Qt::LeftButton);
    QTest::mouseClick(window->framer(1), Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(QApplication::focusWidget(), minute);
    EXPECT_EQ(strip->SelectedTab(), 1);

    const tabstrip::TabRect r = strip->tabRects()[1];
    const QPoint second((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QTest::mouseClick(strip, Qt::LeftButton, {}, second);
    QMouseEvent twice(QEvent::MouseButtonDblClick, second, strip->mapToGlobal(second),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(strip, &twice);
    EXPECT_EQ(clicks.size(), 1) << "a double click is one press";
    EXPECT_EQ(QApplication::focusWidget(), strip) << "a click on a tab takes the focus";
    QTest::keyClick(strip, Qt::Key_Left);
    EXPECT_EQ(strip->SelectedTab(), 1);
}

TEST_F(MainWindow, ActivationPutsTheCaretAfterTheMinutesOnlyFromTheProgramsForms)
{
    EXPECT_EQ(window->focusWidget(), field("txtMinute")) << "first activation";

    field("txtHour")->setFocus();
    QApplication::setActiveWindow(nullptr); // another program, or a message box
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(window->focusWidget(), field("txtHour"));

    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QApplication::setActiveWindow(dialog);
        dialog->close();
    });
    field("txtMinute")->setText(u"25"_s);
    get<QPushButton>("cmdMode")->click();
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(window->focusWidget(), field("txtMinute"));
    EXPECT_EQ(field("txtMinute")->cursorPosition(), 2);
}

} // namespace
