// The recall beside the hotkey: none on Windows, where Ctrl+Alt+A reaches the first copy
// wherever the focus is.
#include "DesktopPlatform.h"

#include <cstdio>

namespace platform {

int DesktopPlatform::sendRecall()
{
    std::fprintf(stderr, "--recall is not offered on Windows: press Ctrl+Alt+A.\n");
    return 1;
}

void DesktopPlatform::offerRecall(QObject *, std::function<void()>, std::function<void()>) {}

} // namespace platform
