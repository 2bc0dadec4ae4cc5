// The recall hotkey: the key grab of the X11 session, and the native event filter that stands
// in for the window procedure which receives the key's presses.
#include "DesktopPlatform.h"

#include <QCoreApplication>
#include <QPointer>

namespace platform {

namespace {

class HotkeyFilter final : public QAbstractNativeEventFilter {
public:
    HotkeyFilter(const x11::RecallKey &key, QObject *receiver, std::function<void()> onPressed)
        : key_(key)
        , receiver_(receiver)
        , onPressed_(std::move(onPressed))
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t" || !key_.isPress(message))
            return false;
        if (receiver_ && onPressed_)
            onPressed_();
        return true;
    }

private:
    const x11::RecallKey &key_;
    QPointer<QObject> receiver_;
    std::function<void()> onPressed_;
};

} // namespace

bool DesktopPlatform::registerHotkey()
{
    return recallKey_.grab();
}

void DesktopPlatform::unregisterHotkey()
{
    recallKey_.ungrab();
}

void DesktopPlatform::installHotkeyHandler(QObject *receiver, std::function<void()> onPressed)
{
    removeHotkeyHandler();
    hotkeyFilter_ = std::make_unique<HotkeyFilter>(recallKey_, receiver, std::move(onPressed));
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
