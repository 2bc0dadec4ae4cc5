// Starts like Tocklet, with task.dat and the log in the folder given, and as soon as the window
// is shown with its task list loaded and the event loop has turned once, prints the time and
// quits.
//   tocklet_startup_probe FOLDER
#include <DesktopPlatform.h>
#include <Tocklet.h>

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <cstdio>

namespace {
class FolderPlatform final : public platform::DesktopPlatform {
public:
    QString dir;
    QString programDirectory() const override { return dir; }
    QString windowsDirectory() const override { return dir; }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    FolderPlatform platform;
    platform.dir = QString::fromLocal8Bit(argv[1]);
    // Runs once the start-up is over and the event loop turns: milliseconds since the epoch.
    QTimer::singleShot(0, &app, [] {
        std::printf("%lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        QCoreApplication::quit();
    });
    return runTocklet(app, platform);
}
