#include <DesktopPlatform.h>
#include <Tocklet.h>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    platform::DesktopPlatform platform;
    return runTocklet(app, platform);
}
