#include "FakePlatform.h"

#include <DateTimeText.h>

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
