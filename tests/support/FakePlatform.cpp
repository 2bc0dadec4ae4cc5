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
    if (!messageBoxAnswers.isEmpty())
        return messageBoxAnswers.dequeue();
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                              : MsgResult::Ok;
}

QString FakePlatform::openFileDialog(QWidget *, const QString &title, const QString &filter)
{
    calls.append(QStringLiteral("openFileDialog: ") + title + u'|' + filter);
    return fileDialogAnswers.isEmpty() ? QString() : fileDialogAnswers.takeFirst();
}

void FakePlatform::startCommandLine(const QString &line)
{
    calls.append(QStringLiteral("startCommandLine: ") + line);
}

void FakePlatform::shellOpen(const QString &path)
{
    calls.append(QStringLiteral("shellOpen: ") + path);
}

void FakePlatform::makeTopmost(QWidget *window)
{
    calls.append(QStringLiteral("makeTopmost: ") + (window ? window->objectName() : QString()));
}

void FakePlatform::setTaskbarEntryVisible(bool visible)
{
    calls.append(QStringLiteral("setTaskbarEntryVisible: ") +
                 (visible ? QStringLiteral("true") : QStringLiteral("false")));
}

void FakePlatform::closeTopLevelWindow(const QString &title)
{
    calls.append(QStringLiteral("closeTopLevelWindow: ") + title);
}

bool FakePlatform::registerHotkey(std::function<void()> onPressed)
{
    calls.append(QStringLiteral("registerHotkey"));
    if (hotkeyAvailable)
        hotkeyHandler = std::move(onPressed);
    return hotkeyAvailable;
}

void FakePlatform::unregisterHotkey()
{
    calls.append(QStringLiteral("unregisterHotkey"));
    hotkeyHandler = nullptr;
}
