#include "Firing.h"
#include "RelatedAction.h"

namespace engine {

const QString kTimeUpTitle = QStringLiteral("时间到");
const QString kQueryUnloadCommand = QStringLiteral("cmd /k echo isQueryUnload=true");
const QString kCloseRequestCommand =
    QStringLiteral("cmd /k echo SendMessage(hWnd1, WM_CLOSE, 0, ByVal 0&)");

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
const QString kNote = QStringLiteral("注意:");
} // namespace

QString reminderText(const QString &taskText, bool notFound, const QString &rf,
                     const QString &nowText)
{
    QString text = QStringLiteral("提醒事件:") + kLineBreak + kLineBreak + taskText;
    if (notFound)
        text += kLineBreak + kNote + kNotFoundText + kLineBreak + rf;
    return text + kLineBreak + nowText;
}

QString notFoundWarning(const QString &rf)
{
    return kNote + kLineBreak + kLineBreak + kNotFoundText + kLineBreak + rf;
}

} // namespace engine
