#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QPointer>

#include <functional>

namespace platform::dbus {

// Ctrl+Alt+A as a global shortcut of the desktop portal (org.freedesktop.portal.GlobalShortcuts),
// for Wayland desktops, where an X11 key grab sees the key only while an X11 window has the
// focus. `onReady(bound)` says once whether the portal took the shortcut; `onActivated` runs for
// every press.
class GlobalShortcut final : public QObject {
    Q_OBJECT

public:
    GlobalShortcut(QObject *receiver, std::function<void()> onActivated,
                   std::function<void(bool bound)> onReady);

    // Whether the session bus has a portal that offers global shortcuts.
    static bool offered();

private slots:
    void onResponse(const QDBusMessage &message);
    void onActivated(const QDBusMessage &message);

private:
    using Step = void (GlobalShortcut::*)(const QVariantMap &results);
    // Calls a portal method whose answer comes as the Response of a request object.
    void request(const QString &method, QVariantList arguments, Step next);
    void sessionCreated(const QVariantMap &results);
    void listed(const QVariantMap &results);
    void bound(const QVariantMap &results);
    void ready(bool bound);

    QPointer<QObject> receiver_;
    std::function<void()> onActivated_;
    std::function<void(bool)> onReady_;
    QString session_;
    QString pending_; // the request path whose Response comes next
    Step next_ = nullptr;
    int requests_ = 0;
};

} // namespace platform::dbus
