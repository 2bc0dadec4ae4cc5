#include "SessionClient.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <pwd.h>
#include <unistd.h>
#include <utility>

namespace platform::x11 {

namespace {

SessionClient *client(SmPointer data)
{
    return static_cast<SessionClient *>(data);
}

void onSaveYourself(SmcConn, SmPointer data, int, Bool shutdown, int interactStyle, Bool)
{
    client(data)->saveYourself(shutdown, interactStyle == SmInteractStyleAny);
}
void onInteract(SmcConn, SmPointer data)
{
    client(data)->interact();
}
void onDie(SmcConn, SmPointer data)
{
    client(data)->die();
}
void onSaveComplete(SmcConn, SmPointer) {}
void onShutdownCancelled(SmcConn, SmPointer data)
{
    client(data)->shutdownCancelled();
}

// libICE's and libSM's defaults end the process when the manager goes away or sends what they
// cannot read; here the connection just closes (the notifier sees the error).
void ignoreIoError(IceConn) {}
void ignoreIceError(IceConn, Bool, int, unsigned long, int, int, IcePointer) {}
void ignoreSmError(SmcConn, Bool, int, unsigned long, int, int, SmPointer) {}

void setSmProperty(SmcConn connection, const char *name, const char *type,
                   std::initializer_list<QByteArray> values)
{
    QList<SmPropValue> list;
    for (const QByteArray &value : values)
        list.append({int(value.size()), const_cast<char *>(value.data())});
    SmProp property = {const_cast<char *>(name), const_cast<char *>(type), int(list.size()),
                       list.data()};
    SmProp *properties[] = {&property};
    SmcSetProperties(connection, 1, properties);
}

} // namespace

SessionClient::SessionClient(const QByteArray &address, QObject *receiver,
                             Platform::SessionEnd handlers)
    : QObject(receiver)
    , receiver_(receiver)
    , handlers_(std::move(handlers))
{
    if (address.isEmpty())
        return;
    IceSetIOErrorHandler(ignoreIoError);
    IceSetErrorHandler(ignoreIceError);
    SmcSetErrorHandler(ignoreSmError);
    SmcCallbacks callbacks = {};
    callbacks.save_yourself = {onSaveYourself, this};
    callbacks.die = {onDie, this};
    callbacks.save_complete = {onSaveComplete, this};
    callbacks.shutdown_cancelled = {onShutdownCancelled, this};
    char *id = nullptr;
    char error[256] = {};
    QByteArray addresses = address;
    const auto connection =
        SmcOpenConnection(addresses.data(), this, SmProtoMajor, SmProtoMinor,
                          SmcSaveYourselfProcMask | SmcDieProcMask | SmcSaveCompleteProcMask |
                              SmcShutdownCancelledProcMask,
                          &callbacks, nullptr, &id, sizeof error, error);
    ::free(id);
    if (!connection)
        return;
    connection_ = connection;

    // What every client tells the manager; Tocklet is started by its autostart entry, so the
    // session never restarts it.
    const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
    const passwd *user = ::getpwuid(::getuid());
    setSmProperty(connection, SmProgram, SmARRAY8, {program});
    setSmProperty(connection, SmUserID, SmARRAY8, {user ? QByteArray(user->pw_name) : "?"});
    setSmProperty(connection, SmRestartCommand, SmLISTofARRAY8, {program});
    setSmProperty(connection, SmCloneCommand, SmLISTofARRAY8, {program});
    const char never = SmRestartNever;
    setSmProperty(connection, SmRestartStyleHint, SmCARD8, {QByteArray(&never, 1)});

    notifier_ = new QSocketNotifier(IceConnectionNumber(SmcGetIceConnection(connection)),
                                    QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        if (IceProcessMessages(SmcGetIceConnection(SmcConn(connection_)), nullptr, nullptr) !=
            IceProcessMessagesIOError)
            return;
        // A manager gone during a logout has ended the session, whether or not its Die came
        // through (gnome-session 43 can send one after the connection broke on its own bad
        // message).
        const bool ending = loggingOut_;
        close();
        if (ending)
            die();
    });
}

SessionClient::~SessionClient()
{
    close();
}

void SessionClient::close()
{
    if (!connection_)
        return;
    delete notifier_;
    notifier_ = nullptr;
    SmcCloseConnection(SmcConn(connection_), 0, nullptr);
    connection_ = nullptr;
    serial_ = 0;
    saving_ = false;
}

void SessionClient::saveYourself(bool shutdown, bool mayInteract)
{
    // Nothing to save: task.dat is saved at every Start and when the program ends.
    saving_ = true;
    loggingOut_ = loggingOut_ || shutdown;
    // The user's attention only for a question there is: none while no task runs.
    if (shutdown && mayInteract && handlers_.queryEnd && receiver_ &&
        (!handlers_.wouldAsk || handlers_.wouldAsk()) &&
        SmcInteractRequest(SmcConn(connection_), SmDialogNormal, onInteract, this))
        return;
    saveDone();
}

void SessionClient::saveDone()
{
    if (!std::exchange(saving_, false) || !connection_)
        return;
    SmcSaveYourselfDone(SmcConn(connection_), True);
}

void SessionClient::interact()
{
    // Asked from the event loop, not from inside libICE's message processing.
    static unsigned logouts = 0;
    const unsigned serial = serial_ = ++logouts;
    QTimer::singleShot(0, this, [this, serial] {
        if (serial_ != serial || !receiver_)
            return;
        handlers_.queryEnd([self = QPointer(this), serial](bool mayEnd) {
            if (self)
                self->answer(serial, mayEnd);
        });
    });
}

void SessionClient::answer(unsigned serial, bool mayEnd)
{
    if (serial_ != serial || !connection_)
        return;
    serial_ = 0;
    SmcInteractDone(SmcConn(connection_), !mayEnd);
    saveDone();
}

void SessionClient::die()
{
    serial_ = 0;
    QTimer::singleShot(0, this, [this] {
        if (receiver_ && handlers_.terminate)
            handlers_.terminate(); // saved and logged before the manager sees the program go
        close();
    });
}

void SessionClient::shutdownCancelled()
{
    // An answer still to come no longer goes to the manager; the save is done.
    serial_ = 0;
    loggingOut_ = false;
    saveDone();
}

} // namespace platform::x11
