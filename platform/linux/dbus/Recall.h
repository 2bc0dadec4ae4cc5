#pragma once

#include <QObject>

#include <functional>

namespace platform::dbus {

// The session-bus name through which `tocklet --recall` reaches the running copy.
inline constexpr char kRecallService[] = "org.tocklet.Tocklet";
inline constexpr char kRecallPath[] = "/org/tocklet/Tocklet";

// Queues for the name on the session bus and serves its Recall method while it is this copy's:
// the earliest running copy owns the name, and when it ends the next in the queue takes it.
// Without a session bus nothing happens.
void serveRecall(QObject *receiver, std::function<void()> onRecall);

// `tocklet --recall`: asks the copy that owns the name to bring its window back. Returns 0
// when a copy answered; otherwise prints one line to standard error and returns 1.
int callRecall();

} // namespace platform::dbus
