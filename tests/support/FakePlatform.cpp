#include "FakePlatform.h"

#include <DateTimeText.h>

#include <QWidget>

using platform::MsgButtons;
using platform::MsgResult;

QString FakePlatform::dateTimeText(const QDateTime &t) const
{
    return platform::formatDateTimeText(t, QStringLiteral("yyyy/M/d"), QStringLiteral("H:mm:ss"));
}

MsgResult FakePlatform::messageBox(const QString &text, const QString &title, MsgButtons buttons,
                                   platform::MsgIcon icon)
{
    messageBoxes.append({text, title, buttons, icon});
    record(QStringLiteral("messageBox: ") + title);
    if (!messageBoxAnswers.isEmpty())
        return messageBoxAnswers.dequeue();
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                              : MsgResult::Ok;
}

QString FakePlatform::openFileDialog(QWidget *, const QString &title, const QString &filter)
{
    record(QStringLiteral("openFileDialog: ") + title + u'|' + filter);
    return fileDialogAnswers.isEmpty() ? QString() : fileDialogAnswers.takeFirst();
}

void FakePlatform::startCommandLine(const QString &line)
{
    record(QStringLiteral("startCommandLine: ") + line);
}

void FakePlatform::shellOpen(const QString &path)
{
    record(QStringLiteral("shellOpen: ") + path);
}

void FakePlatform::makeTopmost(QWidget *window)
{
    record(QStringLiteral("makeTopmost: ") + (window ? window->objectName() : QString()));
}

void FakePlatform::setTaskbarEntryVisible(bool visible)
{
    record(QStringLiteral("setTaskbarEntryVisible: ") +
           (visible ? QStringLiteral("true") : QStringLiteral("false")));
}

void FakePlatform::closeTopLevelWindow(const QString &title)
{
    record(QStringLiteral("closeTopLevelWindow: ") + title);
}

void FakePlatform::record(const QString &call)
{
    calls.append(call);
    if (onCall)
        onCall(call);
}

bool FakePlatform::earlierCopyRunning()
{
    record(QStringLiteral("earlierCopyRunning"));
    return earlierCopy;
}

bool FakePlatform::registerHotkey()
{
    record(QStringLiteral("registerHotkey"));
    return hotkeyAvailable;
}

void FakePlatform::unregisterHotkey()
{
    record(QStringLiteral("unregisterHotkey"));
}

void FakePlatform::installHotkeyHandler(QObject *receiver, std::function<void()> onPressed)
{
    record(QStringLiteral("installHotkeyHandler"));
    hotkeyReceiver_ = receiver;
    hotkeyHandler_ = std::move(onPressed);
}

void FakePlatform::removeHotkeyHandler()
{
    record(QStringLiteral("removeHotkeyHandler"));
    hotkeyReceiver_ = nullptr;
    hotkeyHandler_ = nullptr;
}

void FakePlatform::watchSessionEnd(QObject *, SessionEnd handlers)
{
    session = std::move(handlers);
}
