#pragma once

#include "Platform.h"

#include <QAbstractNativeEventFilter>

#include <memory>

namespace platform {

struct System;

// Plays the sound of a message box with this icon in the background; silent where the desktop
// has event sounds off or no way to play them.
void playMessageSound(MsgIcon icon);

// The desktop: Qt for dialogs and windows everywhere. On Linux (X11) the XDG folders for the
// log, an X key grab for the hotkey, a lock file for the earlier-copy test; on Windows the
// system's own facilities (win32/). Each facility has a file of its own per system.
class DesktopPlatform : public Platform {
public:
    // First thing, before the command line is read and the application object exists. On
    // Windows: the console of a command prompt that started the program, for what it prints
    // (a GUI program has none of its own). On Linux: in a Wayland session that offers
    // XWayland, the X11 platform unless the user chose one, because a Wayland client can
    // neither stay above other windows nor grab a key for the whole desktop; and the session
    // manager kept from Qt.
    static void beforeApplication();
    // Once it exists: on Linux the session manager's address back for the programs that tasks
    // start (on X11 the environment's last change); on Windows the console let go.
    static void afterApplication();
    // Soon after: on Linux Qt's accessibility bridge on the session bus.
    static void connectAccessibility();
    // Before the window: on Linux an installed Chinese font for the Windows font 宋体 where the
    // desktop has none of that name (Windows has it), and fonts whose configuration turns
    // hinting off drawn unhinted.
    static void standInFonts();
    // `tocklet --recall`: asks the running copy for its window. The exit status: 0 when a copy
    // took the request.
    static int sendRecall();

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
    QString hotkeyTakenNote() const override;
    int hotkeyRetrySeconds() const override;
    void offerRecall(QObject *receiver, std::function<void()> onRecall,
                     std::function<void()> onKeyChanged) override;
    void watchSessionEnd(QObject *receiver, SessionEnd handlers) override;

private:
    // Whether a native event is a press of the registered key (the system's message, as the
    // application's native event filters see it).
    bool isHotkeyPress(const QByteArray &eventType, void *message) const;
    void releaseCopyTest();

    std::unique_ptr<QAbstractNativeEventFilter> hotkeyFilter_;
    std::unique_ptr<System> system_; // each system's own: linux/System.h, win32/System.h
    bool earlierCopy_ = false;
    QString dateFormat_;
    QString timeFormat_;
};

} // namespace platform
