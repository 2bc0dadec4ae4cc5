#include "MainWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace {

TEST_F(MainWindow, TimeFieldsTakeOnlyNumberKeys)
{
    QLineEdit *minute = field("txtMinute");
    minute->setText(QString());
    minute->setFocus();
    QTest::keyClicks(minute, u"1a -.x2"_s);
    EXPECT_EQ(minute->text(), u"1-.2"_s);
    QTest::keyClick(minute, Qt::Key_Backspace);
    EXPECT_EQ(minute->text(), u"1-."_s);
    QTest::keyClick(minute, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(minute->text(), u"1-."_s) << "Ctrl+V is a control code, dropped";
    QTest::keyClicks(minute, u"12345"_s);
    EXPECT_EQ(minute->text(), u"1-.1234"_s) << "the eighth character is refused";
}

TEST_F(MainWindow, TimeFieldsTakePastesUpToSevenButKeepLongerStoredText)
{
    QLineEdit *second = field("txtSecond");

    QApplication::clipboard()->setText(u"99"_s);
    second->setText(u"12345"_s);
    second->setCursorPosition(5);
    second->paste();
    EXPECT_EQ(second->text(), u"1234599"_s);
    second->paste();
    EXPECT_EQ(second->text(), u"1234599"_s) << "a paste past seven characters is refused";

    second->setText(u"1234567890"_s);
    EXPECT_EQ(second->text(), u"1234567890"_s) << "text set by the program is never cut";
    second->setCursorPosition(10);
    QTest::keyClick(second, Qt::Key_Backspace);
    EXPECT_EQ(second->text(), u"123456789"_s) << "and can still be shortened";
}

TEST_F(MainWindow, EnterInAFieldPressesStart)
{
    check("chkShowMsg")->setChecked(false);
    check("chkRunInBackground")->setChecked(false);
    setFields(u"0"_s, u"5"_s, u"0"_s);
    field("txtMinute")->setFocus();
    QTest::keyClick(field("txtMinute"), Qt::Key_Return);
    EXPECT_TRUE(window->isRunning());
}

TEST_F(MainWindow, FocusSelectsAllAndLeavingAddsTheLeadingZero)
{
    QLineEdit *hour = field("txtHour");
    QLineEdit *second = field("txtSecond");
    hour->setText(u"12"_s);
    hour->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(hour->selectedText(), u"12"_s);
    QTest::keyClicks(hour, u"5"_s);
    EXPECT_EQ(hour->text(), u"5"_s);

    const std::pair<QString, QString> cases[] = {
        {u".5"_s, u"0.5"_s},  {u"300"_s, u"300"_s}, {u"1-2"_s, u"1-2"_s},
        {u"-.5"_s, u"-.5"_s}, {u"."_s, u"."_s},     {u".50"_s, u"0.5"_s},
    };
    for (const auto &[typed, left] : cases) {
        second->setFocus();
        second->setText(typed);
        hour->setFocus();
        EXPECT_EQ(second->text(), left) << typed.toStdString();
    }
}

TEST_F(MainWindow, RelatedFileFieldTrimsFollowsAndTakesDroppedFiles)
{
    check("chkRunRelaFile")->setChecked(true);
    QLineEdit *file = field("txtFile");
    EXPECT_TRUE(file->isEnabled());
    EXPECT_TRUE(get("cmdBrowse")->isEnabled());

    file->setFocus();
    file->setText(u"  cmd:dir  "_s);
    field("txtHour")->setFocus();
    EXPECT_EQ(file->text(), u"cmd:dir"_s);
    EXPECT_EQ(file->toolTip(), u"cmd:dir"_s);

    auto drop = [&](QMimeData *data) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(file, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(file, &event);
        delete data;
    };
    auto *files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(u"/a/one.txt"_s), QUrl::fromLocalFile(u"/b/two.mp3"_s),
                    QUrl::fromLocalFile(u"/c/three 3.wav"_s)});
    drop(files);
    EXPECT_EQ(file->text(), u"/c/three 3.wav"_s);
    auto *words = new QMimeData;
    words->setText(u"selected text"_s);
    drop(words);
    EXPECT_EQ(file->text(), u"/c/three 3.wav"_s);

    check("chkRunRelaFile")->setChecked(false);
    EXPECT_FALSE(file->isEnabled());
    EXPECT_FALSE(get("cmdBrowse")->isEnabled());
    EXPECT_EQ(file->text(), u"/c/three 3.wav"_s);
}

TEST_F(MainWindow, StartsOnTheGeneralPageWithTheGuideOnTheAboutPage)
{
    EXPECT_FALSE(window->windowIcon().isNull()) << "the icon resource loads";
    EXPECT_TRUE(window->framer(1)->isVisibleTo(window.get()));
    EXPECT_FALSE(window->framer(2)->isVisibleTo(window.get()));
    EXPECT_FALSE(window->framer(3)->isVisibleTo(window.get()));
    const QString guide = get<QPlainTextEdit>("txtAbout")->toPlainText();
    EXPECT_TRUE(guide.startsWith(u"使用说明"_s));
    for (const QString &heading :
         {u"1.“限定时间”设置(默认为按倒计时方式)"_s, u"2.“提醒事件”设置"_s, u"3.高级设置"_s,
          u"4.控制定时的方式"_s, u"5.程序运行在后台运行时，你可以通过按 CTRL+ALT+A 键将其调出。"_s,
          u"6.修改配置文件task.dat"_s, u"cmd:shutdown /s /f /t 0"_s})
        EXPECT_TRUE(guide.contains(heading)) << heading.toStdString();
}

TEST_F(MainWindow, ExitButtonEscAndCloseBoxCloseTheWindow)
{
    for (const std::function<void()> &close :
         {std::function<void()>([&] { get<QPushButton>("cmdExit")->click(); }),
          std::function<void()>([&] { QTest::keyClick(field("txtMinute"), Qt::Key_Escape); }),
          std::function<void()>([&] { EXPECT_TRUE(window->close()); })}) {
        window->show();
        close();
        EXPECT_FALSE(window->isVisible());
    }
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
