#pragma once

#include <Platform.h>

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QQueue>
#include <QStringList>

// A platform for tests: records every call in one sequence, answers message boxes and file
// dialogs from queues, and keeps a clock that only moves when the test advances it.
class FakePlatform : public platform::Platform {
public:
    struct MessageBoxCall {
        QString text;
        QString title;
        platform::MsgButtons buttons;
        platform::MsgIcon icon;
    };

    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(14, 3, 9));
    QString programDir;
    QString windowsDir;
    bool earlierCopy = false;
    bool hotkeyAvailable = true;

    QList<MessageBoxCall> messageBoxes;
    QQueue<platform::MsgResult> messageBoxAnswers; // empty: the default button
    QStringList fileDialogAnswers;                 // empty: cancelled
    QStringList calls; // every call that reaches the system, "name: argument"; boxes by title
    std::function<void(const QString &call)> onCall; // runs as each call is recorded
    SessionEnd session;

    void advance(int seconds) { clock = clock.addSecs(seconds); }
    // Ctrl+Alt+A pressed: reaches the installed handler while its receiver lives.
    void pressHotkey() const
    {
        if (hotkeyReceiver_ && hotkeyHandler_)
            hotkeyHandler_();
    }

    QDateTime now() const override { return clock; }
    int msecsToNextSecond() const override { return 1000; }
    QString dateTimeText(const QDateTime &t) const override;
    platform::MsgResult messageBox(const QString &text, const QString &title,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    QString openFileDialog(QWidget *owner, const QString &title, const QString &filter) override;
    void startCommandLine(const QString &line) override;
    void shellOpen(const QString &path) override;
    QString programDirectory() const override { return programDir; }
    QString windowsDirectory() const override { return windowsDir; }
    bool earlierCopyRunning() override;
    void makeTopmost(QWidget *window) override;
    void setTaskbarEntryVisible(bool visible) override;
    void closeTopLevelWindow(const QString &title) override;
    bool registerHotkey() override;
    void unregisterHotkey() override;
    void installHotkeyHandler(QObject *receiver, std::function<void()> onPressed) override;
    void removeHotkeyHandler() override;
    void watchSessionEnd(QObject *receiver, SessionEnd handlers) override;

private:
    void record(const QString &call);
    QPointer<QObject> hotkeyReceiver_;
    std::function<void()> hotkeyHandler_;
};
