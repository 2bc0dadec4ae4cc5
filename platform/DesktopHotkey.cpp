// The recall hotkey: the key grab of the X11 session; its presses come as X events.
#include "DesktopPlatform.h"

namespace platform {

bool DesktopPlatform::registerHotkey()
{
    return recallKey_.grab();
}

void DesktopPlatform::unregisterHotkey()
{
    recallKey_.ungrab();
}

bool DesktopPlatform::isHotkeyPress(const QByteArray &eventType, void *message) const
{
    return eventType == "xcb_generic_event_t" && recallKey_.isPress(message);
}

} // namespace platform
