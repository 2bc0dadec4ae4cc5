#include "AppendFile.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include "win32/LongPath.h"

#include <windows.h>
#endif

namespace platform {

void appendToFile(const QString &path, QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    // Qt's append mode seeks to the end once, at the open, so two programs would overwrite each
    // other's lines. Each write here seeks to the end while holding a lock that every appender
    // takes (on a byte far beyond any end of file, which readers never touch): an append-only
    // handle would do alone on Windows, not under Wine, and cannot be locked.
    const auto open = [&] {
        return ::CreateFileW(win32Path(path).c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE file = open();
    // Another program may hold the file a moment (a virus scanner, an editor saving it): once
    // more a little later, then the line is dropped.
    if (file == INVALID_HANDLE_VALUE) {
        ::Sleep(50);
        file = open();
    }
    if (file == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED lockAt = {};
    lockAt.OffsetHigh = 0x7FFFFFFF;
    // A line takes a moment to write; a second's wait means a hung holder, and the line goes
    // out all the same.
    bool locked = false;
    for (const ULONGLONG deadline = ::GetTickCount64() + 1000;
         !(locked = ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                                 &lockAt)) &&
         ::GetTickCount64() < deadline;)
        ::Sleep(1);
    DWORD written = 0;
    if (::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_END))
        ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    if (locked)
        ::UnlockFileEx(file, 0, 1, 0, &lockAt);
    ::CloseHandle(file);
#else
    QFile file(path);
    // Unbuffered: the whole of `bytes` reaches the O_APPEND descriptor in a single write.
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        file.write(bytes.data(), bytes.size());
#endif
}

} // namespace platform
