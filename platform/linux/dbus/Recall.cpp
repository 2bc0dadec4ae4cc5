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
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusMessage reply =
        bus.isConnected()
            ? bus.call(QDBusMessage::createMethodCall(
                           QString::fromLatin1(kRecallService), QString::fromLatin1(kRecallPath),
                           QString::fromLatin1(kInterface), QStringLiteral("Recall")),
                       QDBus::Block, 5000)
            : QDBusMessage();
    if (reply.type() == QDBusMessage::ReplyMessage)
        return 0;
    std::fprintf(stderr, "tocklet: no running Tocklet to recall (%s)\n",
                 bus.isConnected() ? qPrintable(reply.errorName()) : "no session bus");
    return 1;
}

} // namespace platform::dbus
