// Where the task script and the event log live: beside the executable and in the Windows
// directory, as on any Windows; the user's roaming application data when the program's folder
// may not be written (an installed copy under Program Files), the user's VirtualStore when the
// Windows directory may not be (a user who is no administrator).
#include "DesktopPlatform.h"
#include "LongPath.h"

#include <QCoreApplication>
#include <QDir>

#include <windows.h>

#include <shlobj.h>

namespace platform {

namespace {

// Whether a file can be made in `dir`: the only test that answers for access lists, read-only
// media and virtualised folders alike.
bool canCreateFileIn(const QString &dir)
{
    const std::wstring probe =
        win32Path(dir + QStringLiteral("/~tocklet-%1.tmp").arg(::GetCurrentProcessId()));
    const HANDLE file =
        ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

// Whether the file in `dir` can be written, when it is there (not marked read-only, not denied
// to this user).
bool existingFileWritable(const QString &dir, const QString &name)
{
    const std::wstring path = win32Path(dir + u'/' + name);
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    // Another program holding it a moment says nothing of the folder.
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_SHARING_VIOLATION ||
               error == ERROR_LOCK_VIOLATION;
    }
    ::CloseHandle(file);
    return true;
}

} // namespace

QString DesktopPlatform::programDirectory() const
{
    const QString beside = QCoreApplication::applicationDirPath();
    if (canCreateFileIn(beside))
        return QDir::toNativeSeparators(beside);
    QString dir;
    PWSTR roaming = nullptr;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming)))
        dir = QString::fromWCharArray(roaming) + QStringLiteral("\\Tocklet");
    ::CoTaskMemFree(roaming);
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return QDir::toNativeSeparators(beside);
    return QDir::toNativeSeparators(dir);
}

QString DesktopPlatform::windowsDirectory() const
{
    wchar_t path[MAX_PATH + 1];
    const UINT size = ::GetWindowsDirectoryW(path, MAX_PATH + 1);
    const QString windows = size == 0 || size > MAX_PATH ? QStringLiteral("C:\\Windows")
                                                         : QString::fromWCharArray(path, int(size));
    if (canCreateFileIn(windows) && existingFileWritable(windows, QStringLiteral("Klaxo.log")))
        return windows;
    // Only administrators may write the Windows directory since Vista. The folder the system
    // gave a program of old that wrote there, which is where such a log already is.
    QString local;
    PWSTR appData = nullptr;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &appData)))
        local = QString::fromWCharArray(appData) + QStringLiteral("\\VirtualStore") +
                windows.mid(2); // without the drive: ...\VirtualStore\Windows
    ::CoTaskMemFree(appData);
    if (local.isEmpty() || !QDir().mkpath(local))
        return windows;
    return QDir::toNativeSeparators(local);
}

} // namespace platform
