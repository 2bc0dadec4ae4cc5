#pragma once

#include "x11/RecallKey.h"

namespace platform {

// What the desktop platform keeps on Linux.
struct System {
    x11::RecallKey recallKey;
    bool desktopShortcut = false; // the desktop's global shortcut is bound to a key
    int copyLock = -1; // the lock file every running copy holds, open for the program's life
};

} // namespace platform
