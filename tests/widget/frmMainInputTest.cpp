#include "MainWindowFixture.h"

#include <QMenu>

#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>

TEST_F(MainWindow, TimeFieldsTakeTimeCharactersAndThePartOfAPasteThatFits)
{
    QLineEdit *box = field("txtSecond");
    box->setText(QString()), QTest::keyClicks(box, u"1a -.x2"_s);
    QApplication::clipboard()->setText(u"9"_s);
    // Ctrl+V as X11 delivers it, with its control code, is refused like the other control codes.
    QKeyEvent ctrlV(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, u"\x16"_s);
    QApplication::sendEvent(box, &ctrlV);
    QInputMethodEvent commit; // full-width digits as digits, the rest dropped
    commit.setCommitString(u"１２时a3"_s), QApplication::sendEvent(box, &commit);
    QStringList seen = {box->text()};
    box->paste(), seen << box->text(); // nothing fits
    box->setText(u"12345"_s), box->setCursorPosition(2);
    QApplication::clipboard()->setText(u"9a9 x9"_s), box->paste(); // the time characters that fit
    seen << box->text();
    box->setText(u"1234567890"_s); // text set by the program is never cut,
    QTest::keyClick(box, Qt::Key_Backspace), seen << box->text(); // and can be shortened
    EXPECT_EQ(seen.join(u' '), u"1-.2123 1-.2123 1299345 123456789"_s);
    emit box->customContextMenuRequested({}); // no Undo or Redo, which the rules would defeat
    QStringList offered;
    for (const QAction *action : box->findChild<QMenu *>()->actions())
        offered << action->text().section(u'\t', 0, 0);
    EXPECT_EQ(offered.join(u'|'), u"Cu&t|&Copy|&Paste|Delete||Select All"_s);
}

TEST_F(MainWindow, RelatedFileFieldTakesOnlyDroppedLocalFiles)
{
    check("chkRunRelaFile")->setChecked(true);
    QLineEdit *file = field("txtFile");
    auto drop = [&](const QList<QUrl> &urls, const QString &text) {
        QMimeData data;
        data.setUrls(urls), data.setText(text);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(file, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(file, &event);
        return file->text() + (enter.isAccepted() ? u" (accepted)"_s : u""_s);
    };
    // As a file manager drops: the list of files and the same as text.
    const QStringList left = {
        drop({QUrl::fromLocalFile(u"/a/1.txt"_s), QUrl::fromLocalFile(u"/c/3 3.wav"_s)},
             u"/a/1.txt\n/c/3 3.wav"_s),
        drop({QUrl(u"https://example.com/"_s)}, u"https://example.com/"_s),
        drop({}, u"selected text"_s)};
    EXPECT_EQ(left.join(u'|'), u"/c/3 3.wav (accepted)|/c/3 3.wav|/c/3 3.wav"_s);
    QTest::keyClicks(file, u"!"_s);
    EXPECT_EQ(file->text(), u"/c/3 3.wav!"_s) << "typed into";
}

TEST_F(MainWindow, OnlyAChoiceFromTheListAppliesAStoredTask)
{
    EXPECT_EQ(combo()->lineEdit()->cursorPosition(), 0) << "a stored text shows its beginning";
    field("txtMinute")->setText(u"5"_s);
    combo()->setFocus(Qt::MouseFocusReason), combo()->clearEditText();
    QInputMethodEvent typed;
    typed.setCommitString(u"例"_s), QApplication::sendEvent(combo()->lineEdit(), &typed);
    EXPECT_EQ(combo()->currentText(), u"例"_s) << "no completion";
    combo()->setEditText(combo()->itemText(2)), QTest::keyClick(combo(), Qt::Key_Return);
    EXPECT_TRUE(window->isRunning() && scriptLines().first().startsWith(u"[0,5,0,"_s))
        << "started as shown";
    clickStart();

    combo()->setCurrentIndex(4), emit combo()->activated(4); // chosen from the list: example 4
    EXPECT_EQ(task().section(u'|', 1),
              u"21|30|0|cmd:shutdown /s /f /t 0|限定时间(按到点方式)|1|1|1|0"_s);
}

TEST_F(MainWindow, FocusRulesRunOnlyWhenTheFocusMovesBetweenControls)
{
    EXPECT_EQ(focus(), u"txtMinute 0 1 []"_s) << "first activation";
    QLineEdit *second = field("txtSecond");
    QStringList seen; // what was selected on entering, and what was left
    for (const QString &typed : {u".5"_s, u"300"_s, u"1-2"_s, u"-.5"_s, u"."_s, u".5.5"_s}) {
        second->setText(typed), second->setFocus(Qt::MouseFocusReason);
        seen << second->selectedText();
        field("txtHour")->setFocus(Qt::MouseFocusReason), seen.last() += u'>' + second->text();
    }
    EXPECT_EQ(seen.join(u' '), u".5>0.5 300>300 1-2>1-2 -.5>-.5 .>. .5.5>0.5"_s);

    field("txtHour")->setText(u".5"_s);
    QApplication::setActiveWindow(nullptr); // another program, or a message box
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(focus(), u"txtHour .5 2 []"_s) << "neither left nor entered";
}
