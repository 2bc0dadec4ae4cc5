// Starting programs and commands, and the shell's "open".
#include "DesktopPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWidget>

#include <windows.h>

#include <shellapi.h>

namespace platform {

namespace {

// The system's console and Notepad by full path, for a line that names them: never a file of
// that name beside the program or in the current folder, which Windows would search first.
std::wstring systemProgram(const QString &line)
{
    static const QRegularExpression word(QStringLiteral("^\\s*(cmd|notepad)(\\.exe)?(\\s|$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QString first = word.match(line).captured(1).toLower();
    if (first.isEmpty())
        return {};
    if (first == u"cmd") {
        const QString comSpec = qEnvironmentVariable("ComSpec");
        if (!QDir::isRelativePath(comSpec) && QFileInfo(comSpec).isFile())
            return QDir::toNativeSeparators(comSpec).toStdWString();
    }
    wchar_t system[MAX_PATH + 1];
    const UINT size = ::GetSystemDirectoryW(system, MAX_PATH + 1);
    if (size == 0 || size > MAX_PATH)
        return {};
    return std::wstring(system, size) + (first == u"cmd" ? L"\\cmd.exe" : L"\\notepad.exe");
}

} // namespace

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
    const std::wstring program = systemProgram(line);
    if (!::CreateProcessW(program.empty() ? nullptr : program.c_str(), commandLine.data(), nullptr,
                          nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT, nullptr,
                          nullptr, &startup, &process))
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
    // Owned by the window that stays on top, so that a dialog of the shell's ("Open with")
    // opens above it.
    QWidget *owner = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        owner =
            !owner && w->isVisible() && (w->windowFlags() & Qt::WindowStaysOnTopHint) ? w : owner;
    ::ShellExecuteW(owner ? HWND(owner->winId()) : nullptr, L"open", target.c_str(), nullptr,
                    nullptr, SW_SHOWNORMAL);
}

} // namespace platform
