#include "GlobalShortcut.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusVariant>

namespace {

// One shortcut as the portal describes it: a(sa{sv}).
struct Shortcut {
    QString id;
    QVariantMap properties;
};
using Shortcuts = QList<Shortcut>;

QDBusArgument &operator<<(QDBusArgument &argument, const Shortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, Shortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(Shortcut)
Q_DECLARE_METATYPE(Shortcuts)

namespace platform::dbus {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kShortcut = QStringLiteral("recall");
const QString kAppId = QStringLiteral("org.tocklet.Tocklet");
const QString kToken = QStringLiteral("tocklet");

// Runs `then` with the answer to a call made without waiting for it, unless `context` is gone.
void whenAnswered(const QDBusPendingCall &call, QObject *context,
                  std::function<void(const QDBusMessage &)> then)
{
    auto *watcher = new QDBusPendingCallWatcher(call, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [then = std::move(then)](QDBusPendingCallWatcher *self) {
                         self->deleteLater();
                         then(self->reply());
                     });
}

Shortcuts recallShortcut()
{
    return {{kShortcut,
             {{QStringLiteral("description"), QStringLiteral("调出 Tocklet 的窗口")},
              {QStringLiteral("preferred_trigger"), QStringLiteral("CTRL+ALT+a")}}}};
}

} // namespace

void GlobalShortcut::offer(QObject *receiver, std::function<void()> onActivated,
                           std::function<void()> onBound)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kInterface << QStringLiteral("version");
    whenAnswered(bus.asyncCall(get), receiver,
                 [receiver, onActivated, onBound](const QDBusMessage &reply) {
                     if (reply.type() == QDBusMessage::ReplyMessage)
                         new GlobalShortcut(receiver, onActivated, onBound);
                 });
}

GlobalShortcut::GlobalShortcut(QObject *receiver, std::function<void()> onActivated,
                               std::function<void()> onBound)
    : QObject(receiver)
    , receiver_(receiver)
    , onActivated_(std::move(onActivated))
    , onBound_(std::move(onBound))
{
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<Shortcuts>();
    // Newer portals know a program outside a sandbox by the id it registers first; older ones
    // do not have the call, which is fine.
    QDBusMessage registry = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    registry << kAppId << QVariantMap();
    whenAnswered(QDBusConnection::sessionBus().asyncCall(registry), this,
                 [this](const QDBusMessage &reply) {
                     registered(reply.type() == QDBusMessage::ReplyMessage);
                 });
}

void GlobalShortcut::registered(bool asApplication)
{
    // Plasma's portal files the shortcuts of a program without an id under the session's token.
    component_ = asApplication ? kAppId : QStringLiteral("token_") + kToken;
    QDBusConnection::sessionBus().connect(kService, kPath, kInterface, QStringLiteral("Activated"),
                                          this, SLOT(onActivated(QDBusMessage)));
    // The shortcut goes with the session: KDE's portal of Plasma 5.27 registers it from there.
    request(QStringLiteral("CreateSession"),
            {QVariantMap{{QStringLiteral("session_handle_token"), kToken},
                         {QStringLiteral("shortcuts"), QVariant::fromValue(recallShortcut())}}},
            &GlobalShortcut::sessionCreated);
}

void GlobalShortcut::request(const QString &method, QVariantList arguments, Step next)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString token = QStringLiteral("tocklet%1").arg(++requests_);
    // The request object's path is known before the call, so its Response cannot be missed.
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    pending_ = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    next_ = next;
    bus.connect(kService, pending_, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), this, SLOT(onResponse(QDBusMessage)));
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    // No answer (the portal refused, or took longer than the bus waits): no key, and the grab
    // stays.
    bus.asyncCall(call);
}

void GlobalShortcut::onResponse(const QDBusMessage &message)
{
    if (message.path() != pending_ || !next_)
        return;
    QDBusConnection::sessionBus().disconnect(
        kService, pending_, QStringLiteral("org.freedesktop.portal.Request"),
        QStringLiteral("Response"), this, SLOT(onResponse(QDBusMessage)));
    const Step next = std::exchange(next_, nullptr);
    if (message.arguments().value(0).toUInt() != 0) // cancelled, or refused
        return;
    (this->*next)(qdbus_cast<QVariantMap>(message.arguments().value(1)));
}

void GlobalShortcut::sessionCreated(const QVariantMap &results)
{
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    session_ = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                    : handle.toString();
    request(QStringLiteral("ListShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariantMap()},
            &GlobalShortcut::listed);
}

void GlobalShortcut::listed(const QVariantMap &results)
{
    const Shortcuts shortcuts =
        qdbus_cast<Shortcuts>(results.value(QStringLiteral("shortcuts")).value<QDBusArgument>());
    // Listed with a key: bound. (Without one, the key clashed with another shortcut.)
    for (const Shortcut &shortcut : shortcuts)
        if (shortcut.id == kShortcut &&
            !shortcut.properties.value(QStringLiteral("trigger_description")).toString().isEmpty())
            return checkActiveKey();
    // Not there yet: the portal asks the user to bind it (the desktop's own dialog).
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(recallShortcut()),
             QString(), QVariantMap()},
            &GlobalShortcut::bindAnswered);
}

void GlobalShortcut::bindAnswered(const QVariantMap &)
{
    checkActiveKey();
}

void GlobalShortcut::checkActiveKey()
{
    QDBusMessage keys = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
        QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("shortcut"));
    keys << QStringList{component_, kShortcut, component_, QString()};
    keys.setAutoStartService(false); // never started on a desktop that has no use for it
    whenAnswered(QDBusConnection::sessionBus().asyncCall(keys), this,
                 [this](const QDBusMessage &reply) {
                     // Another desktop's portal, without Plasma's daemon: its word holds.
                     const QVariant active = reply.arguments().value(0);
                     if (reply.type() != QDBusMessage::ReplyMessage ||
                         !(active.canConvert<QDBusArgument>()
                               ? qdbus_cast<QList<int>>(active.value<QDBusArgument>())
                               : active.value<QList<int>>())
                              .isEmpty())
                         hasKey();
                 });
}

void GlobalShortcut::hasKey()
{
    if (auto onBound = std::exchange(onBound_, nullptr); onBound && receiver_)
        onBound();
}

void GlobalShortcut::onActivated(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || arguments[1].toString() != kShortcut)
        return;
    const QVariant session = arguments[0];
    if (session.value<QDBusObjectPath>().path() != session_)
        return;
    if (receiver_ && onActivated_)
        onActivated_();
}

} // namespace platform::dbus
