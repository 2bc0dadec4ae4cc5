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
    return platform::DesktopPlatform().openFileDialog(nullptr, u"选择文件"_s,
                                                      mdlOpen::relatedFileFilter());
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
        auto shown = [&] {
            QStringList names;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                names.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
            names.sort();
            return names.join(u' ');
        };
        dialog->setDirectory(dir.dir.path());
        const QString expected[] = {u"alarm.mp3"_s, u"run.exe"_s, u"alarm.mp3 notes run.exe"_s};
        for (int i = 0; i < 3; ++i) {
            if (i > 0) // the first filter is chosen at the start
                emit types->activated(i);
            // The folder is read in the background.
            EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == expected[i]; }))
                << types->itemText(i).toStdString() << ": " << shown().toStdString();
        }
        EXPECT_EQ(types->itemText(2), u"所有文件(*.*)"_s) << "shown as given";
        dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(u"notes"_s);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(chosen, dir.path(u"notes"_s));
    EXPECT_EQ(choose([](QFileDialog *dialog) { dialog->reject(); }), QString());
}

} // namespace
