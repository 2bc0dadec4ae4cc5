#pragma once

#include "TaskList.h"
#include "TextCodec.h"

#include <QStringList>

#include <atomic>
#include <thread>

class QAbstractEventDispatcher;

namespace platform {
class Platform;
}

namespace tasks {

// The task script beside the program: `directory`, the platform's separator, "task.dat".
QString taskScriptPath(const QString &directory);

// The six lines written the first time the program starts; the first is the prompt line,
// which alone also replaces a script that holds no text.
const QStringList &sampleTaskScript();

// Writes the sample script when the script is missing, and the prompt line before the lines of
// one that holds no reminder text. One that cannot be read is left alone, and the user told so.
// Write failures are silent.
void ensureTaskScript(platform::Platform &platform);

// The reminder texts of the script joined together, to tell whether it holds any text. When
// the file cannot be read, says so in a message box and returns what was gathered.
QString readTaskTexts(platform::Platform &platform, const QString &path);

// task.dat as this copy of the program last read or wrote it.
struct ScriptFile {
    explicit ScriptFile(QString path = {}, Encoding encoding = localeEncoding())
        : path(std::move(path))
        , encoding(encoding)
    {
    }

    QString path;
    // How the file is written: as it was read (a GBK script from Windows stays GBK), and a new
    // one in the locale's encoding.
    Encoding encoding;
    bool bom = false;
    // The bytes last read or written, to tell whether the file changed since (the hash is this
    // run's own, never saved).
    bool known = false;
    qint64 size = 0;
    size_t hash = 0;
    // The tasks started and not yet seen saved, oldest first.
    TaskList started;
};

// Appends every line of the script at `script.path` that reads as a task to `taskList`, in
// file order, skipping lines whose reminder text is already there, and remembers how the file
// is encoded and what it held. Returns the number of entries read; an unreadable script reads
// none.
qsizetype loadTaskScript(ScriptFile &script, TaskList &taskList);

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

// Puts the tasks started since the last save at the top of the script as it now is on disk (in
// the order they were started, the newest first), each replacing the first line with its
// reminder text; every other line stays byte for byte, whoever wrote it. A missing script is
// written from `taskList`; one that cannot be read is left alone. Entries without a reminder
// text are never written. Done under a lock that every copy takes. Returns whether the file was
// written.
bool saveTaskScript(ScriptFile &script, const TaskList &taskList);

} // namespace tasks
