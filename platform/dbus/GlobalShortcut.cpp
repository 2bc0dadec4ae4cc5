#include "GlobalShortcut.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
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

Shortcuts recallShortcut()
{
    return {{kShortcut,
             {{QStringLiteral("description"), QStringLiteral("调出 Tocklet 的窗口")},
              {QStringLiteral("preferred_trigger"), QStringLiteral("CTRL+ALT+a")}}}};
}

} // namespace

bool GlobalShortcut::offered()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kInterface << QStringLiteral("version");
    return bus.call(get, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

GlobalShortcut::GlobalShortcut(QObject *receiver, std::function<void()> onActivated,
                               std::function<void(bool)> onReady)
    : QObject(receiver)
    , receiver_(receiver)
    , onActivated_(std::move(onActivated))
    , onReady_(std::move(onReady))
{
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<Shortcuts>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Newer portals know a program outside a sandbox by the id it registers first; older ones
    // do not have the call, which is fine.
    QDBusMessage registry = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    registry << QStringLiteral("org.tocklet.Tocklet") << QVariantMap();
    bus.call(registry, QDBus::Block, 2000);
    bus.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                SLOT(onActivated(QDBusMessage)));
    // The shortcut goes with the session: KDE's portal of Plasma 5.27 registers it from there.
    request(QStringLiteral("CreateSession"),
            {QVariantMap{{QStringLiteral("session_handle_token"), QStringLiteral("tocklet")},
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
    if (bus.call(call, QDBus::Block, 5000).type() != QDBusMessage::ReplyMessage)
        ready(false);
}

void GlobalShortcut::onResponse(const QDBusMessage &message)
{
    if (message.path() != pending_ || !next_)
        return;
    QDBusConnection::sessionBus().disconnect(
        kService, pending_, QStringLiteral("org.freedesktop.portal.Request"),
        QStringLiteral("Response"), this, SLOT(onResponse(QDBusMessage)));
    const Step next = std::exchange(next_, nullptr);
    if (message.arguments().value(0).toUInt() != 0) { // cancelled, or refused
        ready(false);
        return;
    }
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
            return ready(true);
    // Not there yet: the portal asks the user to bind it (the desktop's own dialog).
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(recallShortcut()),
             QString(), QVariantMap()},
            &GlobalShortcut::bound);
}

void GlobalShortcut::bound(const QVariantMap &)
{
    ready(true);
}

void GlobalShortcut::ready(bool bound)
{
    if (auto onReady = std::exchange(onReady_, nullptr); onReady && receiver_)
        onReady(bound);
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
