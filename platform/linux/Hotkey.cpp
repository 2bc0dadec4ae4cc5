// The recall hotkey: the key grab of the X11 session; its presses come as X events.
#include "DesktopPlatform.h"
#include "System.h"

namespace platform {

bool DesktopPlatform::registerHotkey()
{
    // Once the desktop's global shortcut has a key, it serves instead of the grab.
    return system_->desktopShortcut || system_->recallKey.grab();
}

void DesktopPlatform::unregisterHotkey()
{
    system_->recallKey.ungrab();
}

QString DesktopPlatform::hotkeyTakenNote() const
{
    return QStringLiteral("提醒:CTRL+ALT+A 已被其他程序占用,可在终端运行 tocklet --recall 调出");
}

bool DesktopPlatform::isHotkeyPress(const QByteArray &eventType, void *message) const
{
    return eventType == "xcb_generic_event_t" && system_->recallKey.isPress(message);
}

} // namespace platform
