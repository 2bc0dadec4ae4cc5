#include "EventLog.h"
#include "TextCodec.h"

#include <AppendFile.h>

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

tasks::Encoding logEncoding(const QString &logFilePath)
{
    QFile file(logFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return tasks::localeEncoding();
    if (file.peek(3) == "\xEF\xBB\xBF")
        return tasks::Encoding::Utf8;
    // The last lines decide; a log grows for years and is not read whole.
    constexpr qint64 kTail = 16 * 1024;
    const qint64 size = file.size();
    if (size > kTail)
        file.seek(size - kTail);
    QByteArray tail = file.read(kTail);
    if (size > kTail) // from the first whole line on
        tail.remove(0, tail.indexOf('\n') + 1);
    return tasks::fileEncoding(tail);
}

void recordToFile(const QString &logFilePath, const QString &line, tasks::Encoding encoding)
{
    platform::appendToFile(logFilePath,
                           tasks::encodeText(QString(line + QStringLiteral("\r\n")), encoding));
}

} // namespace eventlog
