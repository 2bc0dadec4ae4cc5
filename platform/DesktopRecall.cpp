// The recall beside the hotkey: the session-bus name for `tocklet --recall`, and the desktop
// portal's global shortcut in a Wayland session.
#include "DesktopPlatform.h"
#include "dbus/GlobalShortcut.h"
#include "dbus/Recall.h"

#include <QPointer>
#include <QTimer>

namespace platform {

int DesktopPlatform::sendRecall()
{
    return dbus::callRecall();
}

void DesktopPlatform::offerRecall(QObject *receiver, std::function<void()> onRecall)
{
    // After the window is mapped: the bus and the portal cost round trips the window need not wait
    // for.
    QTimer::singleShot(0, receiver, [this, receiver, onRecall] {
        dbus::serveRecall(receiver, onRecall);
        // On Wayland an X11 grab sees the key only while an X11 window has the focus; where the
        // portal offers global shortcuts it takes the key instead, and the grab stays only
        // when the portal cannot bind it. The grab is let go first, so that a desktop whose
        // shortcuts are X11 grabs themselves (KDE on X11 under the portal) can take the key.
        const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" ||
                             qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
        if (!wayland || earlierCopy_ || !dbus::GlobalShortcut::offered())
            return; // the desktop's shortcut, like the key, is the first copy's
        const bool grabbed = recallKey_.isGrabbed();
        recallKey_.ungrab();
        new dbus::GlobalShortcut(receiver, onRecall, [this, grabbed](bool bound) {
            if (!bound && grabbed)
                recallKey_.grab();
        });
    });
}

} // namespace platform
