#pragma once

#include <DateTimeText.h>
#include <Platform.h>

#include <QDateTime>
#include <QQueue>
#include <QStringList>
#include <QWidget>

using namespace Qt::StringLiterals;

// A platform for tests: records every call in one sequence, answers message boxes from a queue,
// and keeps a clock that only moves when the test moves it. The log lives beside the script.
class FakePlatform : public platform::Platform {
public:
    using Callback = std::function<void()>;
    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(14, 3, 9));
    QString programDir;
    bool earlierCopy = false;
    QQueue<platform::MsgResult> messageBoxAnswers; // empty: Ok
    QString fileDialogAnswer;                      // empty: cancelled
    // Every call that reaches the system, "name: arguments", "messageBox: title|text|buttons|icon".
    QStringList calls;
    // Runs as each call is recorded, and as the time is formed for a log line or a label.
    std::function<void(const QString &call)> onCall;
    SessionEnd session;
    bool hotkeyFree = true; // registerHotkey's answer
    Callback keyChanged;    // offerRecall's, for the desktop's late answer

    QDateTime now() const override { return clock; }
    int msecsToNextSecond() const override { return 1000; }
    QString dateTimeText(const QDateTime &t) const override
    {
        onCall ? onCall(u"dateTimeText"_s) : void();
        return platform::formatDateTimeText(t, u"yyyy/M/d"_s, u"H:mm:ss"_s);
    }
    platform::MsgResult messageBox(const QString &text, const QString &title,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override
    {
        record(u"messageBox: %1|%2|%3|%4"_s.arg(
            title, text, u"Ok OkCancel YesNo YesNoCancel"_s.split(u' ')[int(buttons)],
            u" Information Exclamation Question Critical"_s.split(u' ')[int(icon)]));
        return messageBoxAnswers.isEmpty() ? platform::MsgResult::Ok : messageBoxAnswers.dequeue();
    }
    QString openFileDialog(QWidget *, const QString &title, const QString &filter) override
    {
        return record(u"openFileDialog: "_s + title + u'|' + filter), fileDialogAnswer;
    }
    void startCommandLine(const QString &line) override { record(u"startCommandLine: "_s + line); }
    void shellOpen(const QString &path) override { record(u"shellOpen: "_s + path); }
    QString programDirectory() const override { return programDir; }
    QString windowsDirectory() const override { return programDir; }
    bool earlierCopyRunning() override { return record(u"earlierCopyRunning"_s), earlierCopy; }
    void makeTopmost(QWidget *w) override { record(u"makeTopmost: "_s + w->objectName()); }
    void setTaskbarEntryVisible(bool visible) override
    {
        record(u"setTaskbarEntryVisible: "_s + (visible ? u"true"_s : u"false"_s));
    }
    void closeTopLevelWindow(const QString &t) override { record(u"closeTopLevelWindow: "_s + t); }
    bool registerHotkey() override { return record(u"registerHotkey"_s), hotkeyFree; }
    QString hotkeyTakenNote() const override { return u"taken"_s; }
    void unregisterHotkey() override { record(u"unregisterHotkey"_s); }
    void installHotkeyHandler(QObject *, Callback) override { record(u"installHotkeyHandler"_s); }
    void removeHotkeyHandler() override { record(u"removeHotkeyHandler"_s); }
    void offerRecall(QObject *, Callback, Callback changed) override
    {
        record(u"offerRecall"_s), keyChanged = std::move(changed);
    }
    void watchSessionEnd(QObject *, SessionEnd handlers) override { session = std::move(handlers); }

private:
    void record(const QString &call) { calls.append(call), onCall ? onCall(call) : void(); }
};
