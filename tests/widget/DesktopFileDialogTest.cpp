#include <DesktopPlatform.h>
#include <mdlOpen.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The desktop's file chooser with the related-file filters, driven while it is open.
QString choose(const std::function<void(QFileDialog *)> &act)
{
    QTimer::singleShot(
        0, [act] { act(qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); });
    platform::DesktopPlatform desktop;
    return desktop.openFileDialog(nullptr, u"选择文件"_s, mdlOpen::relatedFileFilter());
}

TEST(DesktopFileDialog, ListsWhatEachFilterMatchesAndReturnsTheChosenFile)
{
    TempDir dir;
    for (const QString &name : {u"alarm.mp3"_s, u"run.exe"_s, u"notes"_s})
        dir.write(name, "x");
    const QString chosen = choose([&](QFileDialog *dialog) {
        ASSERT_NE(dialog, nullptr);
        auto *types = dialog->findChild<QComboBox *>(u"fileTypeCombo"_s);
        auto *view = dialog->findChild<QListView *>(u"listView"_s);
        EXPECT_EQ(types->itemText(2), u"所有文件(*.*)"_s) << "shown as given";
        dialog->setDirectory(dir.dir.path());
        const QStringList shown[] = {
            {u"alarm.mp3"_s}, {u"run.exe"_s}, {u"alarm.mp3"_s, u"notes"_s, u"run.exe"_s}};
        for (int i = 0; i < 3; ++i) {
            if (i > 0) { // the first filter is chosen at the start
                types->setCurrentIndex(i);
                emit types->activated(i);
            }
            QStringList names;
            QTest::qWaitFor([&] { // the folder is read in the background
                names.clear();
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                    names.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
                names.sort();
                return names == shown[i];
            });
            EXPECT_EQ(names, shown[i]) << types->itemText(i).toStdString();
        }
        dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(u"notes"_s);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(chosen, dir.path(u"notes"_s));
    EXPECT_EQ(choose([](QFileDialog *dialog) { dialog->reject(); }), QString());
}

} // namespace
