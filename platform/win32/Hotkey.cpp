// The recall hotkey: a hotkey registered for the program's GUI thread, whose WM_HOTKEY messages
// reach the event loop as thread messages.
#include "DesktopPlatform.h"
#include "System.h"

#include <windows.h>

namespace platform {

namespace {
constexpr int kHotkeyId = 1;
} // namespace

bool DesktopPlatform::registerHotkey()
{
    if (!system_->hotkeyRegistered)
        system_->hotkeyRegistered =
            ::RegisterHotKey(nullptr, kHotkeyId, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'A');
    return system_->hotkeyRegistered;
}

void DesktopPlatform::unregisterHotkey()
{
    if (system_->hotkeyRegistered)
        ::UnregisterHotKey(nullptr, kHotkeyId);
    system_->hotkeyRegistered = false;
}

QString DesktopPlatform::hotkeyTakenNote() const
{
    return QStringLiteral("提醒:CTRL+ALT+A 已被其他程序占用,请从任务栏调出");
}

bool DesktopPlatform::isHotkeyPress(const QByteArray &eventType, void *message) const
{
    // Qt names thread messages "windows_dispatcher_MSG" in its documentation and passes them as
    // "windows_generic_MSG" in 6.4: either.
    const auto *msg = static_cast<const MSG *>(message);
    return (eventType == "windows_generic_MSG" || eventType == "windows_dispatcher_MSG") &&
           msg->message == WM_HOTKEY && msg->wParam == kHotkeyId;
}

} // namespace platform
