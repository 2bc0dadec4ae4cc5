#include "FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_WIN
#include "win32/LongPath.h"

#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace platform {

namespace {
// A holder saves in well under a second; the lock is asked for again this often meanwhile.
constexpr unsigned long kPollMs = 5;
} // namespace

#ifdef Q_OS_WIN

FileLock::FileLock(const QString &path, std::chrono::milliseconds timeout)
{
    const HANDLE file = ::CreateFileW(win32Path(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    file_ = reinterpret_cast<std::intptr_t>(file);
    OVERLAPPED at = {};
    const QDeadlineTimer deadline(timeout);
    while (!(locked_ = ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                                    0, &at)) &&
           !deadline.hasExpired())
        QThread::msleep(kPollMs);
}

FileLock::~FileLock()
{
    if (file_ == -1)
        return;
    const auto file = reinterpret_cast<HANDLE>(file_);
    if (locked_) {
        OVERLAPPED at = {};
        ::UnlockFileEx(file, 0, 1, 0, &at);
    }
    ::CloseHandle(file);
}

#else

FileLock::FileLock(const QString &path, std::chrono::milliseconds timeout)
{
    // A lock file made by another user may not be writable: reading is enough for flock.
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    for (const int flags : {O_RDWR | O_CREAT | O_CLOEXEC, O_RDONLY | O_CLOEXEC}) {
        do
            fd = ::open(name.constData(), flags, 0644);
        while (fd < 0 && errno == EINTR);
        if (fd >= 0)
            break;
    }
    if (fd < 0)
        return;
    file_ = fd;
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            locked_ = true;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            return;
        QThread::msleep(kPollMs);
    }
}

FileLock::~FileLock()
{
    // Closing the descriptor lets the lock go.
    if (file_ >= 0)
        ::close(int(file_));
}

#endif

} // namespace platform
