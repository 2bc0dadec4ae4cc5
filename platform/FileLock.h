#pragma once

#include <QString>

#include <chrono>
#include <cstdint>

namespace platform {

// An exclusive lock on the file at `path` (made when missing, never deleted), held for the
// object's life: every process that takes it on the same file waits for the others. Waits at most
// `timeout`; isLocked() is false when it could not be had in time or the file cannot be made.
class FileLock {
public:
    FileLock(const QString &path, std::chrono::milliseconds timeout);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isLocked() const { return locked_; }

private:
    bool locked_ = false;
    // The locked file: a HANDLE on Windows, a file descriptor elsewhere; -1 for none.
    std::intptr_t file_ = -1;
};

} // namespace platform
