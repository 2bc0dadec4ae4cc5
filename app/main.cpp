#include <DesktopPlatform.h>
#include <frmMain.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    // Qt's own Chinese texts for the standard buttons (确定, 是(&Y), 否(&N)), whatever the
    // machine's locale; installed before any dialog exists.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    platform::DesktopPlatform platform;
    frmMain window(platform);
    window.show();
    window.Form_Load();
    return app.exec();
}
