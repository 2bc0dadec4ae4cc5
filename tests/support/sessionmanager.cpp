// A minimal X session manager (XSMP) for the logout tests. Writes its address to the file named
// by argv[1], then on each line of standard input sends every client:
//   logout      SaveYourself, shutdown, interaction allowed; then Die unless a client cancels
//   logout-now  the same without interaction
//   save        SaveYourself without shutdown, interaction allowed (a checkpoint)
// and prints what the clients send (InteractRequest, InteractDone cancel=N, SaveYourselfDone,
// Die sent, ShutdownCancelled sent), one line each, flushed.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<SmsConn> clients;
std::vector<IceConn> connections;
bool shuttingDown = false, cancelled = false;
int pending = 0;

void say(const char *text, int value = -1)
{
    value < 0 ? std::printf("%s\n", text) : std::printf("%s %d\n", text, value);
    std::fflush(stdout);
}

void finishSave()
{
    if (!shuttingDown || --pending > 0)
        return;
    shuttingDown = false;
    for (SmsConn client : clients) {
        if (!client)
            continue;
        if (cancelled)
            SmsShutdownCancelled(client);
        else
            SmsDie(client);
    }
    say(cancelled ? "ShutdownCancelled sent" : "Die sent");
}

Status newClient(SmsConn conn, SmPointer, unsigned long *mask, SmsCallbacks *cb, char **)
{
    std::memset(cb, 0, sizeof *cb);
    cb->register_client.callback = [](SmsConn c, SmPointer, char *previous) -> Status {
        SmsRegisterClientReply(c, SmsGenerateClientID(c));
        std::free(previous);
        return 1;
    };
    cb->interact_request.callback = [](SmsConn c, SmPointer, int) {
        say("InteractRequest");
        SmsInteract(c);
    };
    cb->interact_done.callback = [](SmsConn, SmPointer, Bool cancel) {
        say("InteractDone cancel=", cancel);
        cancelled = cancelled || cancel;
    };
    cb->save_yourself_request.callback = [](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {};
    cb->save_yourself_phase2_request.callback = [](SmsConn c, SmPointer) {
        SmsSaveYourselfPhase2(c);
    };
    cb->save_yourself_done.callback = [](SmsConn c, SmPointer, Bool) {
        say("SaveYourselfDone");
        if (shuttingDown)
            finishSave();
        else
            SmsSaveComplete(c);
    };
    cb->close_connection.callback = [](SmsConn c, SmPointer, int n, char **reasons) {
        for (SmsConn &client : clients)
            if (client == c)
                client = nullptr;
        SmsCleanUp(c);
        SmFreeReasons(n, reasons);
    };
    cb->set_properties.callback = [](SmsConn, SmPointer, int n, SmProp **properties) {
        for (int i = 0; i < n; ++i)
            SmFreeProperty(properties[i]);
        std::free(properties);
    };
    cb->delete_properties.callback = [](SmsConn, SmPointer, int n, char **names) {
        for (int i = 0; i < n; ++i)
            std::free(names[i]);
        std::free(names);
    };
    cb->get_properties.callback = [](SmsConn c, SmPointer) { SmsReturnProperties(c, 0, nullptr); };
    *mask = ~0UL;
    clients.push_back(conn);
    return 1;
}

void request(const std::string &line)
{
    const bool logout = line.rfind("logout", 0) == 0;
    const int style = line == "logout-now" ? SmInteractStyleNone : SmInteractStyleAny;
    shuttingDown = logout;
    cancelled = false;
    pending = 0;
    for (SmsConn client : clients)
        if (client) {
            SmsSaveYourself(client, SmSaveBoth, logout, style, False);
            ++pending;
        }
}

} // namespace

int main(int argc, char **argv)
{
    char error[256];
    IceSetIOErrorHandler([](IceConn) {});
    if (argc < 2 || !SmsInitialize("testsm", "1.0", newClient, nullptr,
                                   [](char *) -> Bool { return True; }, sizeof error, error))
        return 1;
    int count = 0;
    IceListenObj *listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error))
        return 1;
    for (int i = 0; i < count; ++i)
        IceSetHostBasedAuthProc(listeners[i], [](char *) -> Bool { return True; });
    char *address = IceComposeNetworkIdList(count, listeners);
    if (FILE *file = std::fopen(argv[1], "w")) {
        std::fprintf(file, "%s\n", address);
        std::fclose(file);
    }
    std::string input;
    for (;;) {
        std::vector<pollfd> fds = {{0, POLLIN, 0}};
        for (int i = 0; i < count; ++i)
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        for (IceConn connection : connections)
            fds.push_back({IceConnectionNumber(connection), POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) <= 0)
            continue;
        if (fds[0].revents) {
            char c;
            if (read(0, &c, 1) <= 0)
                return 0;
            if (c != '\n') {
                input += c;
                continue;
            }
            request(input);
            input.clear();
        }
        for (int i = 0; i < count; ++i)
            if (fds[1 + i].revents & POLLIN) {
                IceAcceptStatus status;
                if (IceConn connection = IceAcceptConnection(listeners[i], &status))
                    connections.push_back(connection);
            }
        for (size_t i = 0; i < connections.size(); ++i) {
            if (!(fds[1 + count + i].revents & (POLLIN | POLLHUP)))
                continue;
            if (IceProcessMessages(connections[i], nullptr, nullptr) == IceProcessMessagesIOError) {
                IceSetShutdownNegotiation(connections[i], False);
                IceCloseConnection(connections[i]);
                connections.erase(connections.begin() + i--);
                if (shuttingDown) // a client that leaves while saving is done
                    finishSave();
            }
        }
    }
}
