#include "Recall.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QPointer>

#include <cstdio>

namespace platform::dbus {

namespace {

constexpr char kInterface[] = "org.tocklet.Tocklet";

// The object at kRecallPath: Recall() and its introspection, nothing else.
class RecallObject final : public QDBusVirtualObject {
public:
    RecallObject(QObject *receiver, std::function<void()> onRecall)
        : QDBusVirtualObject(receiver)
        , receiver_(receiver)
        , onRecall_(std::move(onRecall))
    {
    }

    QString introspect(const QString &) const override
    {
        return QStringLiteral("<interface name=\"%1\"><method name=\"Recall\"/></interface>")
            .arg(QLatin1StringView(kInterface));
    }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() != QLatin1StringView("Recall") ||
            (!message.interface().isEmpty() &&
             message.interface() != QLatin1StringView(kInterface)))
            return false;
        connection.send(message.createReply());
        if (receiver_ && onRecall_)
            onRecall_();
        return true;
    }

private:
    QPointer<QObject> receiver_;
    std::function<void()> onRecall_;
};

} // namespace

void serveRecall(QObject *receiver, std::function<void()> onRecall)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.registerVirtualObject(QString::fromLatin1(kRecallPath),
                              new RecallObject(receiver, std::move(onRecall)));
    // In the queue behind the copies already running, so that the earliest one answers.
    bus.interface()->registerService(QString::fromLatin1(kRecallService),
                                     QDBusConnectionInterface::QueueService,
                                     QDBusConnectionInterface::DontAllowReplacement);
}

int callRecall()
{
    // A connection of its own, closed before the program ends: the shared one's thread could
    // still be delivering the bus's greeting while the program's types are torn down.
    const QString name = QStringLiteral("tocklet-recall");
    QDBusMessage reply;
    bool connected = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        connected = bus.isConnected();
        if (connected)
            reply = bus.call(QDBusMessage::createMethodCall(QString::fromLatin1(kRecallService),
                                                            QString::fromLatin1(kRecallPath),
                                                            QString::fromLatin1(kInterface),
                                                            QStringLiteral("Recall")),
                             QDBus::Block, 5000);
    }
    QDBusConnection::disconnectFromBus(name);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return 0;
    std::fprintf(stderr, "tocklet: no running Tocklet to recall (%s)\n",
                 connected ? qPrintable(reply.errorName()) : "no session bus");
    return 1;
}

} // namespace platform::dbus
