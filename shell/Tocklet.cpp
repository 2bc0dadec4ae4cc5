#include "Tocklet.h"
#include "frmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int runTocklet(QApplication &app, platform::Platform &platform)
{
    // Qt's own Chinese texts for the standard buttons (确定, 是(&Y), 否(&N)), whatever the
    // machine's locale; installed before any dialog exists.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    frmMain window(platform);
    window.Form_Load();
    if (window.isUnloaded())
        return 0;
    return app.exec();
}
