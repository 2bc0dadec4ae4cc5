#include <DesktopPlatform.h>
#include <ScriptPreload.h>
#include <TaskScript.h>
#include <Tocklet.h>

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// --help, --version and --recall (which sets `recall`); anything else on the command line is a
// mistake. Read before the application object exists, so that help and version work without a
// display. Returns the exit status when the program should end here.
std::optional<int> readCommandLine(int argc, char *argv[], bool &recall)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An always-on-top reminder for the desktop."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption recallOption(
        QStringLiteral("recall"),
        QStringLiteral("Bring the running Tocklet's window back (bind it to a key of the "
                       "desktop's), and end."));
    parser.addOption(recallOption);
    // Qt's own options (a session manager restarts programs with "-session ID") go on to Qt.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"session", "platform", "display", "style"}) {
        QCommandLineOption own(QString::fromLatin1(name), {}, QStringLiteral("value"));
        own.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(own);
    }
    const QString usage =
        parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tocklet"));
    const bool parsed = parser.parse(arguments);
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString error =
            parsed ? QStringLiteral("Unexpected argument: ") + parser.positionalArguments().first()
                   : parser.errorText();
        std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(usage));
        return 2;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::printf("%s", qPrintable(usage));
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("Tocklet %s\n", TOCKLET_VERSION);
        return 0;
    }
    recall = parser.isSet(recallOption);
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Tocklet"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOCKLET_VERSION));
    platform::DesktopPlatform::beforeApplication();
    bool recall = false;
    if (const std::optional<int> status = readCommandLine(argc, argv, recall))
        return *status;
    if (recall) { // a request to the running copy, never a copy of its own
        QCoreApplication app(argc, argv);
        const int status = platform::DesktopPlatform::sendRecall();
        // Ends here: QtDBus's connection thread, torn down after the application, can print
        // warnings about its types when the machine is busy.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    QApplication app(argc, argv);
    // The desktop matches the window to its desktop entry (icon, name, the recall action).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tocklet.Tocklet"));
    platform::DesktopPlatform::afterApplication();
    platform::DesktopPlatform platform;
    // A long task script is read while the bus is reached, the fonts are set up and the window
    // is built (on X11 nothing changes the environment from here on).
    tasks::ScriptPreload taskPreload(tasks::taskScriptPath(platform.programDirectory()));
    platform::DesktopPlatform::connectAccessibility();
    platform::DesktopPlatform::standInFonts();
    return runTocklet(app, platform, &taskPreload);
}
