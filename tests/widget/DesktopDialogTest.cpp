#include "TempDir.h"

#include <DesktopPlatform.h>
#include <RelatedAction.h>
#include <mdlOpen.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The file chooser with the related-file filters, driven while it is open.
static QString choose(const std::function<void(QFileDialog *)> &act)
{
    QTimer::singleShot(
        0, [act] { act(qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); });
    return platform::DesktopPlatform().openFileDialog(nullptr, u"选择文件"_s,
                                                      mdlOpen::relatedFileFilter());
}

TEST(DesktopFileDialog, ListsWhatEachFilterMatchesAndTheChosenFileIsChecked)
{
    TempDir dir;
    for (const QString &name : {u"alarm.mp3"_s, u"run.exe"_s, u"notes"_s})
        dir.write(name, "x");
    const QString chosen = choose([&](QFileDialog *dialog) {
        ASSERT_NE(dialog, nullptr);
        auto *types = dialog->findChild<QComboBox *>(u"fileTypeCombo"_s);
        auto *view = dialog->findChild<QListView *>(u"listView"_s);
        auto shown = [&] {
            QStringList names;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                names.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
            return names.join(u' ');
        };
        // The first filter is chosen at the start; the folder is read and sorted in the background.
        auto shows = [&](QString n) { return QTest::qWaitFor([&] { return shown() == n; }); };
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile) << "a name typed must exist";
        dialog->setDirectory(dir.dir.path());
        EXPECT_TRUE(shows(u"alarm.mp3"_s)) << shown().toStdString();
        emit types->activated(2);
        EXPECT_TRUE(shows(u"alarm.mp3 notes run.exe"_s)) << shown().toStdString();
        EXPECT_EQ(types->itemText(2), u"所有文件(*.*)"_s) << "shown as given";
        dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(u"notes"_s);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(chosen, dir.path(u"notes"_s));
    EXPECT_EQ(choose([](QFileDialog *dialog) { dialog->reject(); }), QString());

    EXPECT_FALSE(engine::relatedFileNotFound(chosen, chosen));
    EXPECT_TRUE(engine::relatedFileNotFound(dir.dir.path(), dir.dir.path())) << "a folder";
    EXPECT_TRUE(engine::relatedFileNotFound(u" "_s + chosen, chosen)) << "the untrimmed path";
}

// On Windows also the icon's sound. Closed with no button pressed: Cancel, or OK where it is alone.
TEST(DesktopMessageBox, ShowsWhatItIsAskedForAndAnswersThePressedButton)
{
    using enum platform::MsgIcon;
    using enum platform::MsgButtons;
    using platform::MsgIcon, platform::MsgButtons, platform::MsgResult;
    using B = QMessageBox;
    const std::tuple<MsgIcon, MsgButtons, B::StandardButton, B::Icon, int, MsgResult> rows[] = {
        {None, Ok, B::NoButton, B::NoIcon, B::Ok, MsgResult::Ok},
        {Information, OkCancel, B::NoButton, B::Information, B::Ok | B::Cancel, MsgResult::Cancel},
        {Exclamation, YesNo, B::Yes, B::Warning, B::Yes | B::No, MsgResult::Yes},
        {Question, YesNoCancel, B::No, B::Question, B::Yes | B::No | B::Cancel, MsgResult::No},
        {Critical, OkCancel, B::Ok, B::Critical, B::Ok | B::Cancel, MsgResult::Ok},
    };
    for (const auto &[icon, buttons, pressed, shownIcon, shownButtons, answer] : rows) {
        std::tuple<QString, B::Icon, int, MsgResult> seen;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            seen = {box->windowTitle() + box->text(), box->icon(), box->standardButtons(), {}};
            pressed == B::NoButton ? box->reject() : box->button(pressed)->click();
        });
        std::get<3>(seen) = platform::DesktopPlatform().messageBox(u"t"_s, u"T"_s, buttons, icon);
        EXPECT_EQ(seen, std::tuple(u"Tt"_s, shownIcon, shownButtons, answer)) << int(icon);
    }
}

TEST(DesktopWindows, TopmostComesForwardAndClosingByTitleClosesThatWindowOnly)
{
    QWidget other, top(nullptr, Qt::WindowStaysOnTopHint); // as the main window while it runs
    other.setWindowTitle(u"Other"_s), top.setWindowTitle(u"Tocklet"_s);
    top.show(), other.show(), QApplication::setActiveWindow(&other);
    platform::DesktopPlatform().makeTopmost(&top);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&top));
    // A box of that title on top is closed first (a question answered No), not the window; under
    // a box of another title, the window. The answer, and whether the window still shows:
    QStringList seen;
    using platform::MsgButtons;
    for (const auto &[title, buttons] :
         {std::pair(u"Tocklet"_s, MsgButtons::Ok), std::pair(u"Tocklet"_s, MsgButtons::YesNo),
          std::pair(u"时间到"_s, MsgButtons::Ok)}) {
        QTimer::singleShot(0, [&seen] {
            platform::DesktopPlatform().closeTopLevelWindow(u"Tocklet"_s);
            if (auto *left = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                seen << u"left"_s, left->reject();
        });
        const auto answer = platform::DesktopPlatform().messageBox({}, title, buttons, {});
        seen << u"%1 %2"_s.arg(int(answer)).arg(top.isVisible());
    }
    EXPECT_EQ(seen.join(u", "_s), u"0 1, 3 1, left, 0 0"_s) << "Ok is 0, No 3";
    platform::DesktopPlatform().makeTopmost(&other); // without the flag: it stays shown
    EXPECT_TRUE(other.isVisible() && other.windowFlags() & Qt::WindowStaysOnTopHint);
}
