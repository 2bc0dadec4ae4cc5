#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QPointer>

#include <functional>

namespace platform::dbus {

// Ctrl+Alt+A as a global shortcut of the desktop portal (org.freedesktop.portal.GlobalShortcuts),
// for Wayland desktops, where an X11 key grab sees the key only while an X11 window has the
// focus. `onBound` runs once the shortcut has a key (a portal that answers late still binds: no
// call waits for its answer); `onActivated` runs for every press.
class GlobalShortcut final : public QObject {
    Q_OBJECT

public:
    // Asks whether the session bus has a portal that offers global shortcuts, and when it has,
    // makes a GlobalShortcut owned by `receiver`.
    static void offer(QObject *receiver, std::function<void()> onActivated,
                      std::function<void()> onBound);

private slots:
    void onResponse(const QDBusMessage &message);
    void onActivated(const QDBusMessage &message);

private:
    GlobalShortcut(QObject *receiver, std::function<void()> onActivated,
                   std::function<void()> onBound);

    using Step = void (GlobalShortcut::*)(const QVariantMap &results);
    // Calls a portal method whose answer comes as the Response of a request object.
    void request(const QString &method, QVariantList arguments, Step next);
    void registered(bool asApplication);
    void sessionCreated(const QVariantMap &results);
    void listed(const QVariantMap &results);
    void bindAnswered(const QVariantMap &results);
    // Plasma's portal lists a key that clashed with another shortcut as the trigger all the same:
    // its shortcut daemon says whether the key is the shortcut's.
    void checkActiveKey();
    void hasKey();

    QPointer<QObject> receiver_;
    std::function<void()> onActivated_;
    std::function<void()> onBound_;
    QString component_; // the name the portal files the shortcut under in Plasma's daemon
    QString session_;
    QString pending_; // the request path whose Response comes next
    Step next_ = nullptr;
    int requests_ = 0;
};

} // namespace platform::dbus
