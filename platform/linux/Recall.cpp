// The recall beside the hotkey: the session-bus name for `tocklet --recall`, and the desktop
// portal's global shortcut in a Wayland session.
#include "dbus/Recall.h"
#include "DesktopPlatform.h"
#include "System.h"
#include "dbus/GlobalShortcut.h"

#include <QPointer>
#include <QTimer>

namespace platform {

int DesktopPlatform::sendRecall()
{
    return dbus::callRecall();
}

void DesktopPlatform::offerRecall(QObject *receiver, std::function<void()> onRecall,
                                  std::function<void()> onKeyChanged)
{
    // After the window is mapped: the bus and the portal cost round trips the window need not wait
    // for, and no call waits for an answer.
    QTimer::singleShot(0, receiver, [this, receiver, onRecall, onKeyChanged] {
        dbus::serveRecall(receiver, onRecall);
        // On Wayland an X11 grab sees the key only while an X11 window has the focus; where the
        // portal offers global shortcuts it takes the key instead. The grab is kept until the
        // desktop reports a key bound to the shortcut.
        const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" ||
                             qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
        if (!wayland || earlierCopy_)
            return; // the desktop's shortcut, like the key, is the first copy's
        dbus::GlobalShortcut::offer(receiver, onRecall, [this, onKeyChanged] {
            system_->desktopShortcut = true;
            system_->recallKey.ungrab();
            if (onKeyChanged)
                onKeyChanged();
        });
    });
}

} // namespace platform
