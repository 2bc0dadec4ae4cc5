#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QObject;
class QWidget;

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgResult { Ok, Cancel, Yes, No };

// Everything Tocklet needs from the operating system. The desktop implementation
// lives beside this header; tests pass a fake that records calls and answers from a script.
class Platform {
public:
    virtual ~Platform() = default;

    // The local date and time, truncated to the whole second.
    virtual QDateTime now() const = 0;
    // Milliseconds until the wall clock reaches its next whole second (1..1000).
    virtual int msecsToNextSecond() const = 0;
    // The system's general date-and-time text: short date, a space, long time;
    // the date alone at exactly midnight.
    virtual QString dateTimeText(const QDateTime &t) const = 0;

    // A modal message box; its nested event loop keeps timers running.
    virtual MsgResult messageBox(const QString &text, const QString &title, MsgButtons buttons,
                                 MsgIcon icon) = 0;
    // The system's file-open dialog for one existing file. `filter` holds display string and
    // patterns pairs, each ended by a NUL, the whole ended by one more NUL; the first pair is
    // selected. Returns the chosen path, or "" when nothing was chosen.
    virtual QString openFileDialog(QWidget *owner, const QString &title, const QString &filter) = 0;

    // Starts a program from a command line without waiting; failures are silent.
    virtual void startCommandLine(const QString &line) = 0;
    // The shell's "open" verb on a path or address; failures are silent.
    virtual void shellOpen(const QString &path) = 0;

    // The folder that holds the executable (task.dat lives there).
    virtual QString programDirectory() const = 0;
    // The folder of the event log (the Windows directory on Windows).
    virtual QString windowsDirectory() const = 0;

    // True when another copy of the program was already running when this one started. The
    // first call decides and the answer holds for the program's life.
    virtual bool earlierCopyRunning() = 0;

    // Keeps `window` above all other windows.
    virtual void makeTopmost(QWidget *window) = 0;
    // Shows or hides the application's task-bar entry.
    virtual void setTaskbarEntryVisible(bool visible) = 0;
    // Asks the first visible top-level window of the program with this title to close.
    virtual void closeTopLevelWindow(const QString &title) = 0;

    // The system-wide recall hotkey Ctrl+Alt+A. Returns whether the program holds a working
    // recall key: the key registered, or the desktop's global shortcut bound to a key. False
    // while another program holds it or the session has no way to grab keys; a later call tries
    // again.
    virtual bool registerHotkey() = 0;
    virtual void unregisterHotkey() = 0;
    // The hint shown instead of the key's while the program holds no working key: where the
    // user finds the window then.
    virtual QString hotkeyTakenNote() const = 0;
    // Seconds between tries to take the key while the window waits in the background without it.
    virtual int hotkeyRetrySeconds() const { return 60; }
    // Delivers the registered key's presses to `onPressed` until removed; nothing is delivered
    // once `receiver` is gone.
    virtual void installHotkeyHandler(QObject *receiver, std::function<void()> onPressed) = 0;
    virtual void removeHotkeyHandler() = 0;
    // Lets other programs and the desktop ask for the window, beside the hotkey and where it
    // cannot reach (a Wayland desktop, a key another program holds): `tocklet --recall`, and
    // the desktop's global shortcut where it offers one. Calls `onRecall` for each request,
    // later, once the window is shown, and `onKeyChanged` when the desktop's late answer changes
    // what registerHotkey() returns; nothing runs once `receiver` is gone.
    virtual void offerRecall(QObject *receiver, std::function<void()> onRecall,
                             std::function<void()> onKeyChanged) = 0;

    // The end of the desktop session. `queryEnd(answer)` runs at a logout where the session
    // manager lets the program ask the user; the program calls `answer` once, at once or when a
    // question already open has been answered, and false cancels the logout. A request to save
    // the session that is no logout, or a logout that allows no question, asks nothing.
    // `terminate` runs when the session ends, and when the program is told to end (SIGTERM,
    // SIGINT, SIGHUP): the program ends without asking. Neither runs once `receiver` is gone.
    // `wouldAsk` says whether the program has a question at all; a logout asks for the user's
    // attention only then.
    struct SessionEnd {
        std::function<void(std::function<void(bool)> answer)> queryEnd;
        std::function<void()> terminate;
        std::function<bool()> wouldAsk;
    };
    virtual void watchSessionEnd(QObject *receiver, SessionEnd handlers) = 0;
};

} // namespace platform
