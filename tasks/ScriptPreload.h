#pragma once

#include "ScriptReader.h"

#include <atomic>
#include <thread>

class QAbstractEventDispatcher;

namespace tasks {

// loadTaskScript() on a thread of its own, started before the window is built, so that a long
// script costs the start-up little time of its own.
class ScriptPreload {
public:
    // Starts reading the script at `path` when it is longer than 256 KiB (a shorter one is read
    // by load()).
    explicit ScriptPreload(QString path);
    ~ScriptPreload();
    ScriptPreload(const ScriptPreload &) = delete;
    ScriptPreload &operator=(const ScriptPreload &) = delete;

    const QString &path() const { return script_.path; }
    // Whether the early reading is still going on; the thread that made this object has its
    // event loop woken when it ends.
    bool reading() const { return thread_.joinable() && !ended_.load(); }
    // Waits for the early reading to end.
    void wait();
    // loadTaskScript(script, taskList), from the early reading when the file still holds the
    // bytes read then and the list is empty, else read now.
    qsizetype load(ScriptFile &script, TaskList &taskList);

private:
    ScriptFile script_;
    TaskList taskList_;
    qsizetype count_ = 0;
    std::atomic<bool> ended_ = false;
    QAbstractEventDispatcher *dispatcher_ = nullptr; // of the thread that made this object
    std::thread thread_;
};

} // namespace tasks
