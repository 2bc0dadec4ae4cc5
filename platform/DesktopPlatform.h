#pragma once

#include "Platform.h"

namespace platform {

// The Linux (X11) desktop: Qt for dialogs and windows, the XDG folders for the log.
class DesktopPlatform : public Platform {
public:
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
    bool registerHotkey(std::function<void()> onPressed) override;
    void unregisterHotkey() override;

private:
    QString dateFormat_;
    QString timeFormat_;
};

} // namespace platform
