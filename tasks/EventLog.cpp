#include "EventLog.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>

namespace eventlog {

namespace {

struct EventText {
    QString marker;
    QString message;
};

EventText eventText(Event event)
{
    switch (event) {
    case Event::ProgramStart:
        return {QStringLiteral("<"), QStringLiteral("程序开始运行")};
    case Event::ProgramStartAgain:
        return {QStringLiteral("<<"), QStringLiteral("程序开始运行")};
    case Event::TaskStarted:
        return {QStringLiteral("*"), QStringLiteral("开始执行任务 ")};
    case Event::TaskStopped:
        return {QStringLiteral(""), QStringLiteral("任务被用户中断")};
    case Event::TaskFired:
        return {QStringLiteral(""), QStringLiteral("任务时间到 ")};
    case Event::ProgramExit:
        return {QStringLiteral(">"), QStringLiteral("系统正常退出")};
    }
    return {};
}

} // namespace

QString logFilePath(const QString &windowsDirectory)
{
    return windowsDirectory + QDir::separator() + QStringLiteral("Klaxo.log");
}

QString logLine(const QString &stamp, Event event, const QString &detail)
{
    const EventText text = eventText(event);
    return u'[' + stamp + QStringLiteral("]\t") + text.marker + u'\t' + text.message + detail;
}

void recordToFile(const QString &logFilePath, const QString &line)
{
    QFile file(logFilePath);
    // Unbuffered: the whole line reaches the O_APPEND descriptor in a single write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    file.write(tasks::encodeText(QString(line + QStringLiteral("\r\n"))));
}

} // namespace eventlog
