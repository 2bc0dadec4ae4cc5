// The recall hotkey: a hotkey registered for the program's GUI thread, whose WM_HOTKEY messages
// reach the event loop as thread messages and are taken there by a native event filter.
#include "DesktopPlatform.h"

#include <QCoreApplication>
#include <QPointer>

#include <windows.h>

namespace platform {

namespace {

constexpr int kHotkeyId = 1;

class HotkeyFilter final : public QAbstractNativeEventFilter {
public:
    HotkeyFilter(QObject *receiver, std::function<void()> onPressed)
        : receiver_(receiver)
        , onPressed_(std::move(onPressed))
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        // Qt names thread messages "windows_dispatcher_MSG" in its documentation and passes them
        // as "windows_generic_MSG" in 6.4: either.
        if ((eventType != "windows_generic_MSG" && eventType != "windows_dispatcher_MSG") ||
            msg->message != WM_HOTKEY || msg->wParam != kHotkeyId)
            return false;
        if (receiver_ && onPressed_)
            onPressed_();
        return true;
    }

private:
    QPointer<QObject> receiver_;
    std::function<void()> onPressed_;
};

} // namespace

bool DesktopPlatform::registerHotkey()
{
    if (!hotkeyRegistered_)
        hotkeyRegistered_ =
            ::RegisterHotKey(nullptr, kHotkeyId, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'A');
    return hotkeyRegistered_;
}

void DesktopPlatform::unregisterHotkey()
{
    if (hotkeyRegistered_)
        ::UnregisterHotKey(nullptr, kHotkeyId);
    hotkeyRegistered_ = false;
}

void DesktopPlatform::installHotkeyHandler(QObject *receiver, std::function<void()> onPressed)
{
    removeHotkeyHandler();
    hotkeyFilter_ = std::make_unique<HotkeyFilter>(receiver, std::move(onPressed));
    QCoreApplication::instance()->installNativeEventFilter(hotkeyFilter_.get());
}

void DesktopPlatform::removeHotkeyHandler()
{
    if (!hotkeyFilter_)
        return;
    if (auto *app = QCoreApplication::instance())
        app->removeNativeEventFilter(hotkeyFilter_.get());
    hotkeyFilter_.reset();
}

} // namespace platform
