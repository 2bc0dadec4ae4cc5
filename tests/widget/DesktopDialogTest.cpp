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

// The box shows the icon asked for (and, on Windows, its sound).
TEST(DesktopMessageBox, ShowsTheIconAskedFor)
{
    using enum platform::MsgIcon;
    const std::pair<platform::MsgIcon, QMessageBox::Icon> rows[] = {
        {None, QMessageBox::NoIcon},         {Information, QMessageBox::Information},
        {Exclamation, QMessageBox::Warning}, {Question, QMessageBox::Question},
        {Critical, QMessageBox::Critical},
    };
    for (const auto &[asked, shown] : rows) {
        QMessageBox::Icon seen = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            seen = box->icon(), box->button(QMessageBox::Ok)->click();
        });
        platform::DesktopPlatform().messageBox(u"t"_s, u"T"_s, platform::MsgButtons::Ok, asked);
        EXPECT_EQ(seen, shown) << int(asked);
    }
}

TEST(DesktopWindows, TopmostComesForwardAndClosingByTitleClosesThatWindowOnly)
{
    QWidget other, top(nullptr, Qt::WindowStaysOnTopHint); // as the main window while it runs
    other.setWindowTitle(u"Other"_s), top.setWindowTitle(u"Tocklet"_s);
    top.show(), other.show(), QApplication::setActiveWindow(&other);
    platform::DesktopPlatform().makeTopmost(&top);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&top));
    platform::DesktopPlatform().closeTopLevelWindow(u"Tocklet"_s);
    platform::DesktopPlatform().makeTopmost(&other); // without the flag: it stays shown
    EXPECT_TRUE(other.isVisible() && !top.isVisible() &&
                other.windowFlags() & Qt::WindowStaysOnTopHint);
}
