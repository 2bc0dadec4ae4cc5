// Starting programs and commands, and the shell's "open".
#include "DesktopPlatform.h"

#include <QDir>
#include <QRegularExpression>

#include <windows.h>

#include <shellapi.h>

namespace platform {

void DesktopPlatform::startCommandLine(const QString &line)
{
    if (line.trimmed().isEmpty())
        return;
    // The line as it stands ("cmd /c X", "Notepad P", a program and its arguments), in a console
    // of its own for a console program, shown and given the focus.
    std::wstring commandLine = line.toStdWString(); // CreateProcessW may write to it
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr,
                          &startup, &process))
        return;
    ::AllowSetForegroundWindow(process.dwProcessId);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

void DesktopPlatform::shellOpen(const QString &path)
{
    // An address as it stands (its slashes are no path's); a path with the system's separators.
    // A scheme has two letters at least: "C:" begins a path.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    const bool address = scheme.match(path).hasMatch();
    const std::wstring target = (address ? path : QDir::toNativeSeparators(path)).toStdWString();
    ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace platform
