#pragma once

#include <functional>

class QObject;

namespace platform {
class Platform;
}

// The recall hotkey Ctrl+Alt+A of the main window. Only the first running copy of the program
// can register it; later copies go on without it. The first copy tries again while another
// program holds it.
class mdlHotKey {
public:
    explicit mdlHotKey(platform::Platform &platform)
        : platform_(platform)
    {
    }

    // Registers the key, then puts the handler in place that calls `recall` for every press.
    // When the key cannot be registered, nothing more is done; a later call tries again. Once
    // installed, further calls do nothing. Returns whether the key is held.
    bool installHotKey(QObject *window, std::function<void()> recall);
    bool held() const { return installed_; }

    // Undoes a completed installation only: the handler is removed first, then the key is
    // unregistered.
    void releaseHotKey();

private:
    platform::Platform &platform_;
    bool installed_ = false; // the handler is in place
};
