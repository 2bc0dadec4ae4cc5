#pragma once

#include "Platform.h"
#include "x11/RecallKey.h"

#include <QAbstractNativeEventFilter>

#include <memory>

namespace platform {

// Plays the desktop's event sound `name` (eventSoundName) in the background; silent when `name`
// is null, the desktop has event sounds off, or libcanberra or a sound server is missing.
void playEventSound(const char *name);

// The Linux (X11) desktop: Qt for dialogs and windows, the XDG folders for the log, an X key
// grab for the hotkey, a lock file for the earlier-copy test.
class DesktopPlatform : public Platform {
public:
    // Before the application object exists: in a Wayland session that offers XWayland, the X11
    // platform unless the user chose one, because a Wayland client can neither stay above other
    // windows nor grab a key for the whole desktop; and the session manager kept from Qt.
    static void beforeApplication();
    // Once it exists: the session manager's address back for the programs that tasks start.
    static void afterApplication();

    DesktopPlatform();
    ~DesktopPlatform() override;

    QDateTime now() const override;
    int msecsToNextSecond() const override;
    QString dateTimeText(const QDateTime &t) const override;
    MsgResult messageBox(const QString &text, const QString &title, MsgButtons buttons,
                         MsgIcon icon) override;
    QString openFileDialog(QWidget *owner, const QString &title, const QString &filter) override;
    void startCommandLine(const QString &line) override;
    void shellOpen(const QString &path) override;
    QString programDirectory() const override;
    QString windowsDirectory() const override;
    bool earlierCopyRunning() override;
    void makeTopmost(QWidget *window) override;
    void setTaskbarEntryVisible(bool visible) override;
    void closeTopLevelWindow(const QString &title) override;
    bool registerHotkey() override;
    void unregisterHotkey() override;
    void installHotkeyHandler(QObject *receiver, std::function<void()> onPressed) override;
    void removeHotkeyHandler() override;
    void offerRecall(QObject *receiver, std::function<void()> onRecall) override;
    void watchSessionEnd(QObject *receiver, SessionEnd handlers) override;

private:
    x11::RecallKey recallKey_;
    std::unique_ptr<QAbstractNativeEventFilter> hotkeyFilter_;
    int copyLock_ = -1; // the lock file every running copy holds, open for the program's life
    bool earlierCopy_ = false;
    QString dateFormat_;
    QString timeFormat_;
};

} // namespace platform
