#include <DesktopPlatform.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The desktop's file chooser, driven while it is open.
QString choose(const QString &filter, const std::function<void(QFileDialog *)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
    platform::DesktopPlatform desktop;
    return desktop.openFileDialog(nullptr, u"选择文件"_s, filter);
}

TEST(DesktopFileDialog, ShowsTheFiltersAsGivenAndReturnsTheChosenFile)
{
    TempDir dir;
    dir.write(u"alarm"_s, "x");
    const QChar nul(u'\0');
    const QString filter = u"音频文件(*.mp3)"_s + nul + u"*.mp3"_s + nul + u"所有文件(*.*)"_s +
                           nul + u"*.*"_s + nul + nul;
    const QString chosen = choose(filter, [&](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), u"选择文件"_s);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        auto *types = dialog->findChild<QComboBox *>(u"fileTypeCombo"_s);
        ASSERT_NE(types, nullptr);
        EXPECT_EQ(types->itemText(0), u"音频文件(*.mp3)"_s);
        EXPECT_EQ(types->itemText(1), u"所有文件(*.*)"_s);
        EXPECT_EQ(types->currentIndex(), 0);
        dialog->setDirectory(dir.dir.path());
        dialog->selectFile(dir.path(u"alarm"_s));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(chosen, dir.path(u"alarm"_s));
    EXPECT_EQ(choose(filter, [](QFileDialog *dialog) { dialog->reject(); }), QString());
}

} // namespace
