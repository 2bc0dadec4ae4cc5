#pragma once

#include <Platform.h>

#include <QDateTime>
#include <QQueue>
#include <QStringList>
#include <QWidget>

using namespace Qt::StringLiterals;

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

    QDateTime now() const override { return clock; }
    int msecsToNextSecond() const override { return 1000; }
    QString dateTimeText(const QDateTime &t) const override;
    platform::MsgResult messageBox(const QString &text, const QString &title,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    QString openFileDialog(QWidget *, const QString &title, const QString &filter) override
    {
        record(u"openFileDialog: "_s + title + u'|' + filter);
        return fileDialogAnswers.isEmpty() ? QString() : fileDialogAnswers.takeFirst();
    }
    void startCommandLine(const QString &line) override { record(u"startCommandLine: "_s + line); }
    void shellOpen(const QString &path) override { record(u"shellOpen: "_s + path); }
    QString programDirectory() const override { return programDir; }
    QString windowsDirectory() const override { return windowsDir; }
    bool earlierCopyRunning() override { return record(u"earlierCopyRunning"_s), earlierCopy; }
    void makeTopmost(QWidget *window) override
    {
        record(u"makeTopmost: "_s + (window ? window->objectName() : QString()));
    }
    void setTaskbarEntryVisible(bool visible) override
    {
        record(visible ? u"setTaskbarEntryVisible: true"_s : u"setTaskbarEntryVisible: false"_s);
    }
    void closeTopLevelWindow(const QString &title) override
    {
        record(u"closeTopLevelWindow: "_s + title);
    }
    bool registerHotkey() override { return record(u"registerHotkey"_s), hotkeyAvailable; }
    void unregisterHotkey() override { record(u"unregisterHotkey"_s); }
    void installHotkeyHandler(QObject *, std::function<void()>) override
    {
        record(u"installHotkeyHandler"_s);
    }
    void removeHotkeyHandler() override { record(u"removeHotkeyHandler"_s); }
    void watchSessionEnd(QObject *, SessionEnd handlers) override { session = std::move(handlers); }

private:
    void record(const QString &call)
    {
        calls.append(call);
        if (onCall)
            onCall(call);
    }
};
