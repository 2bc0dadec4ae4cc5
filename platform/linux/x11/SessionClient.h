#pragma once

#include "Platform.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

class QSocketNotifier;

namespace platform::x11 {

// The program's own connection to the X session manager (XSMP), in place of Qt's, which cannot
// tell a logout from a request to save the session and asks the close question again when the
// session ends. A logout that allows interaction asks `queryEnd` once; a save that is no logout
// and a logout without interaction ask nothing; the session's end runs `terminate`.
class SessionClient final : public QObject {
public:
    // Connects to the manager at `address` (the SESSION_MANAGER value); without one, or when it
    // cannot be reached, nothing happens.
    SessionClient(const QByteArray &address, QObject *receiver, Platform::SessionEnd handlers);
    ~SessionClient() override;

    // Called by libSM's callbacks.
    void saveYourself(bool shutdown, bool mayInteract);
    void interact();
    void die();
    void shutdownCancelled();

private:
    void answer(unsigned serial, bool mayEnd);
    void saveDone();
    void close();

    void *connection_ = nullptr; // SmcConn
    QSocketNotifier *notifier_ = nullptr;
    QPointer<QObject> receiver_;
    Platform::SessionEnd handlers_;
    unsigned serial_ = 0;     // of the logout the program is asking about; 0: none
    bool saving_ = false;     // between SaveYourself and SaveYourselfDone
    bool loggingOut_ = false; // from a logout's SaveYourself until it is cancelled
};

} // namespace platform::x11
