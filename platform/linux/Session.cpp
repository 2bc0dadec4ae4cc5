// The program's place among the user's sessions: the earlier-copy test, the end of the desktop
// session and the termination signals.
#include "DesktopPlatform.h"
#include "System.h"
#include "x11/SessionClient.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <malloc.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {
QByteArray sessionManager; // the address taken from Qt
} // namespace

void DesktopPlatform::beforeApplication()
{
    // The program's few threads share one heap: an arena of a thread's own would keep what the
    // thread freed (the buffers of a long script's early reading) for the program's life.
#ifdef M_ARENA_MAX // glibc's
    ::mallopt(M_ARENA_MAX, 1);
#endif
    // A write past the file size limit then fails like one to a full disk (the save is refused
    // and the old script stays), and one to a connection closed at the other end (a session
    // manager that ends right after telling the program to) fails as an error, instead of either
    // ending the program. A handler rather than SIG_IGN, which the programs that tasks start would
    // inherit.
    struct sigaction failTheWrite = {};
    failTheWrite.sa_handler = [](int) {};
    for (int signal : {SIGXFSZ, SIGPIPE})
        ::sigaction(signal, &failTheWrite, nullptr);
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The program talks to the session manager itself (x11/SessionClient); Qt does not connect
    // without the address. The programs that tasks start get it back (afterApplication).
    sessionManager = qgetenv("SESSION_MANAGER");
    qunsetenv("SESSION_MANAGER");
}

void DesktopPlatform::afterApplication()
{
    if (!sessionManager.isEmpty())
        qputenv("SESSION_MANAGER", sessionManager);
}

void DesktopPlatform::connectAccessibility()
{
    // Qt's accessibility bridge connects to the session bus when the first control gets its
    // text. Where the desktop runs no session bus, libdbus starts one by forking: asked now, it
    // forks a program that is still small, not one that holds the fonts and the first controls,
    // whose every page written after the fork would then have to be copied.
    QAccessible::isActive();
}

bool DesktopPlatform::earlierCopyRunning()
{
    if (system_->copyLock >= 0)
        return earlierCopy_;
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    const QByteArray path =
        QFile::encodeName(dir + QStringLiteral("/tocklet-%1.lock").arg(::getuid()));
    system_->copyLock = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (system_->copyLock < 0)
        return false;
    // Every running copy holds a shared lock for its life; the system drops it when a copy
    // ends, crashed or not. An exclusive lock is free only when no other copy runs.
    earlierCopy_ = ::flock(system_->copyLock, LOCK_EX | LOCK_NB) != 0;
    for (int tries = 0; tries < 100 && ::flock(system_->copyLock, LOCK_SH | LOCK_NB) != 0; ++tries)
        ::usleep(1000); // another copy is just looking, with its exclusive lock
    return earlierCopy_;
}

void DesktopPlatform::releaseCopyTest()
{
    if (system_->copyLock >= 0)
        ::close(system_->copyLock);
    system_->copyLock = -1;
}

namespace {

// The write end of the pipe that carries termination signals into the event loop.
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int signal)
{
    // Only what is safe in a handler: one write; the event loop does the rest.
    const int savedErrno = errno;
    const char byte = char(signal);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

void DesktopPlatform::watchSessionEnd(QObject *receiver, SessionEnd handlers)
{
    new x11::SessionClient(sessionManager, receiver, handlers);

    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, receiver);
    auto terminate = handlers.terminate;
    QObject::connect(notifier, &QSocketNotifier::activated, receiver, [terminate] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
        if (terminate)
            terminate();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace platform
