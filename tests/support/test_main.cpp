#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::tempPath() + QStringLiteral("/tocklet-test-runtime");
        QDir().mkpath(dir), qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QApplication app(argc, argv);
    // A test closing its window must not end the event loops of the tests after it.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
