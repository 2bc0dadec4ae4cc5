// The program's place among the user's sessions: the earlier-copy test and the end of the
// Windows session (WM_QUERYENDSESSION and WM_ENDSESSION, as Qt passes them on).
#include "DesktopPlatform.h"
#include "System.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <cstdio>
#include <memory>

#include <windows.h>

#include <sddl.h>

namespace platform {

namespace {

bool consoleAttached = false;

bool hasStream(DWORD which)
{
    return ::GetFileType(::GetStdHandle(which)) != FILE_TYPE_UNKNOWN;
}

} // namespace

void DesktopPlatform::beforeApplication()
{
    // DLLs are never looked for in the current folder (a document's, a shared drive's).
    ::SetDllDirectoryW(L"");
    // Output sent to a file or a pipe stays there; only streams without a handle go to the
    // prompt's console.
    const bool out = hasStream(STD_OUTPUT_HANDLE), err = hasStream(STD_ERROR_HANDLE);
    if ((out && err) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    consoleAttached = true;
    if (!out)
        std::freopen("CONOUT$", "w", stdout);
    if (!err)
        std::freopen("CONOUT$", "w", stderr);
}

void DesktopPlatform::afterApplication()
{
    // The command line is read and the program goes on: a program attached to a console ends
    // when the console window is closed, unsaved.
    if (consoleAttached)
        ::FreeConsole();
    consoleAttached = false;
}

void DesktopPlatform::connectAccessibility()
{
    // Qt's accessibility on Windows needs no bus.
}

bool DesktopPlatform::earlierCopyRunning()
{
    if (system_->copyTested)
        return earlierCopy_;
    system_->copyTested = true;
    // Every running copy holds a handle on one mutex of the session; the system closes it when
    // a copy ends, crashed or not, and it is there as long as any copy runs.
    system_->copyMutex = ::CreateMutexW(nullptr, FALSE, L"Local\\org.tocklet.Tocklet");
    const DWORD error = ::GetLastError();
    // "Access denied": a copy running as administrator made it, with rights this one lacks.
    earlierCopy_ =
        system_->copyMutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    // The installer, run as administrator, looks for any copy of any user: a name of every
    // session that every user may open to wait on.
    PSECURITY_DESCRIPTOR everyone = nullptr;
    if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:(A;;0x00100000;;;WD)", SDDL_REVISION_1, &everyone, nullptr)) {
        SECURITY_ATTRIBUTES attributes = {sizeof attributes, everyone, FALSE};
        // Asking for no more than the others may have: every copy holds a handle.
        system_->globalMutex =
            ::CreateMutexExW(&attributes, L"Global\\org.tocklet.Tocklet", 0, SYNCHRONIZE);
        ::LocalFree(everyone);
    }
    return earlierCopy_;
}

void DesktopPlatform::releaseCopyTest()
{
    for (void **mutex : {&system_->copyMutex, &system_->globalMutex}) {
        if (*mutex)
            ::CloseHandle(*mutex);
        *mutex = nullptr;
    }
}

void DesktopPlatform::watchSessionEnd(QObject *receiver, SessionEnd handlers)
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    // WM_QUERYENDSESSION wants its answer before the handler returns. A question already open
    // answers only once the user has seen it, and Windows cannot wait for that: the logout is
    // refused then, and Windows names the program that holds it up.
    QObject::connect(app, &QGuiApplication::commitDataRequest, receiver,
                     [queryEnd = handlers.queryEnd](QSessionManager &manager) {
                         if (!queryEnd || !manager.allowsInteraction())
                             return;
                         auto answer = std::make_shared<int>(-1);
                         queryEnd([answer](bool end) {
                             if (*answer < 0)
                                 *answer = end;
                         });
                         // No release(): the answer is given before the handler returns, and
                         // release() would block input until the session's end message.
                         if (*answer != 1)
                             manager.cancel();
                         *answer = 0; // a late answer changes nothing
                     });
    // WM_ENDSESSION: Qt says aboutToQuit once, and the process ends when the message returns.
    QObject::connect(app, &QCoreApplication::aboutToQuit, receiver,
                     [terminate = handlers.terminate] {
                         if (terminate)
                             terminate();
                     });
}

} // namespace platform
