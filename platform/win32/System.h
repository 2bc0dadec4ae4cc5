#pragma once

namespace platform {

// What the desktop platform keeps on Windows.
struct System {
    bool hotkeyRegistered = false;
    void *copyMutex = nullptr;   // the session's named mutex, held for the program's life
    void *globalMutex = nullptr; // the same in every session, for the installer to see
    bool copyTested = false;
};

} // namespace platform
