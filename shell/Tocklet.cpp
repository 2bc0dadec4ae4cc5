#include "Tocklet.h"
#include "FusionStyle.h"
#include "frmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int runTocklet(QApplication &app, platform::Platform &platform, tasks::ScriptPreload *taskPreload)
{
    // Qt's own Chinese texts for the standard buttons (确定, 是(&Y), 否(&N)), whatever the
    // machine's locale; installed before any dialog exists.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // The program ends when its window unloads, not when its last window closes: a message box
    // closing while the window waits in the background is no end. Whatever else ends the event
    // loop (the session manager) unloads the window first.
    QApplication::setQuitOnLastWindowClosed(false);
    FusionStyle::replaceFusion();
    frmMain window(platform, taskPreload);
    QObject::connect(&window, &frmMain::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &frmMain::Form_Unload);
    // Loaded from the running event loop, where a quit also ends the loop of a box that is open:
    // a copy told to end while its second-copy notice waits for OK ends, notice and all.
    QTimer::singleShot(0, &window, &frmMain::Form_Load);
    return app.exec();
}
