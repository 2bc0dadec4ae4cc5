// A minimal X session manager (XSMP) for the logout tests. Writes its address to the file named
// by argv[1]; each line on standard input sends every client a SaveYourself: "logout" (shutdown,
// interaction allowed; then Die unless a client cancels), "logout-hangup" (the same, the manager
// ending right after Die), "logout-gone" (ending instead of sending Die), "logout-now" (without
// interaction) or "save" (no shutdown); "cancel" cancels the shutdown at once. Prints
// InteractRequest, "InteractDone cancel= N", SaveYourselfDone, "Die sent" and "ShutdownCancelled
// sent", one line each.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<SmsConn> clients;
std::vector<IceConn> connections;
bool shuttingDown = false, cancelled = false, hangUp = false, gone = false;
int pending = 0;

void finishSave()
{
    if (!shuttingDown || --pending > 0)
        return;
    shuttingDown = false;
    for (SmsConn client : clients)
        if (client)
            cancelled ? SmsShutdownCancelled(client) : gone ? std::_Exit(0) : SmsDie(client);
    std::puts(cancelled ? "ShutdownCancelled sent" : "Die sent");
    if (hangUp && !cancelled)
        std::_Exit(0); // as a manager that leaves without waiting for its clients
}

Status newClient(SmsConn conn, SmPointer, unsigned long *mask, SmsCallbacks *cb, char **)
{
    std::memset(cb, 0, sizeof *cb);
    cb->register_client.callback = [](SmsConn c, SmPointer, char *previous) -> Status {
        return std::free(previous), SmsRegisterClientReply(c, SmsGenerateClientID(c));
    };
    cb->interact_request.callback = [](SmsConn c, SmPointer, int) {
        std::puts("InteractRequest"), SmsInteract(c);
    };
    cb->interact_done.callback = [](SmsConn, SmPointer, Bool cancel) {
        std::printf("InteractDone cancel= %d\n", cancel), cancelled = cancelled || cancel;
    };
    cb->save_yourself_request.callback = [](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {};
    cb->save_yourself_phase2_request.callback = [](SmsConn c, SmPointer) {
        SmsSaveYourselfPhase2(c);
    };
    cb->save_yourself_done.callback = [](SmsConn c, SmPointer, Bool) {
        std::puts("SaveYourselfDone"), shuttingDown ? finishSave() : SmsSaveComplete(c);
    };
    cb->close_connection.callback = [](SmsConn c, SmPointer, int n, char **reasons) {
        std::erase(clients, c), SmsCleanUp(c), SmFreeReasons(n, reasons);
    };
    cb->set_properties.callback = [](SmsConn, SmPointer, int n, SmProp **properties) {
        while (n > 0)
            SmFreeProperty(properties[--n]);
        std::free(properties);
    };
    cb->delete_properties.callback = [](SmsConn, SmPointer, int, char **) {};
    cb->get_properties.callback = [](SmsConn c, SmPointer) { SmsReturnProperties(c, 0, nullptr); };
    return *mask = ~0UL, clients.push_back(conn), 1;
}

} // namespace

int main(int, char **argv)
{
    char error[256];
    int count = 0;
    IceListenObj *listeners = nullptr;
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line out as it is printed
    // A client that ends as it is sent Die is no reason to end: the write to it fails quietly.
    std::signal(SIGPIPE, SIG_IGN), IceSetIOErrorHandler([](IceConn) {});
    const auto anyHost = [](char *) -> Bool { return True; };
    if (!SmsInitialize("testsm", "1.0", newClient, nullptr, anyHost, sizeof error, error) ||
        !IceListenForConnections(&count, &listeners, sizeof error, error))
        return 1;
    for (int i = 0; i < count; ++i)
        IceSetHostBasedAuthProc(listeners[i], anyHost);
    std::ofstream(argv[1]) << IceComposeNetworkIdList(count, listeners) << '\n';
    std::string line;
    for (;;) {
        std::vector<pollfd> fds = {{0, POLLIN, 0}};
        for (int i = 0; i < count; ++i)
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        for (IceConn connection : connections)
            fds.push_back({IceConnectionNumber(connection), POLLIN, 0});
        poll(fds.data(), fds.size(), -1);
        char c;
        if (fds[0].revents && read(0, &c, 1) <= 0)
            return 0;
        if (fds[0].revents && c != '\n')
            line += c;
        if (fds[0].revents && c == '\n' && line == "cancel") { // the user cancels at the desktop
            shuttingDown = false, line.clear();
            for (SmsConn client : clients)
                SmsShutdownCancelled(client);
        } else if (fds[0].revents && c == '\n') {
            shuttingDown = line.starts_with("logout"), hangUp = line == "logout-hangup";
            gone = line == "logout-gone", cancelled = false, pending = int(clients.size());
            const int style = line == "logout-now" ? SmInteractStyleNone : SmInteractStyleAny;
            for (SmsConn client : clients)
                SmsSaveYourself(client, SmSaveBoth, shuttingDown, style, False);
            line.clear();
        }
        for (int i = 0; i < count; ++i)
            if (IceAcceptStatus status; fds[1 + i].revents & POLLIN)
                if (IceConn connection = IceAcceptConnection(listeners[i], &status))
                    connections.push_back(connection);
        for (size_t i = 0; i + 1 + count < fds.size(); ++i) // not those accepted just now
            if ((fds[1 + count + i].revents & (POLLIN | POLLHUP)) &&
                IceProcessMessages(connections[i], nullptr, nullptr) == IceProcessMessagesIOError) {
                // A client gone without closing its session connection is gone all the same.
                std::erase_if(clients, [&](SmsConn c) {
                    return SmsGetIceConnection(c) == connections[i] && (SmsCleanUp(c), true);
                });
                IceSetShutdownNegotiation(connections[i], False);
                IceCloseConnection(connections[i]), connections.erase(connections.begin() + i);
                finishSave(); // a client that leaves while saving is done
                break;        // the others at the next poll
            }
    }
}
