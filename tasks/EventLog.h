#pragma once

#include <TextCodec.h>

#include <QString>

namespace eventlog {

// The events the program records, one line each.
enum class Event {
    ProgramStart,      // "<"  程序开始运行
    ProgramStartAgain, // "<<" 程序开始运行, while an earlier copy runs
    TaskStarted,       // "*"  开始执行任务 <reminder text>
    TaskStopped,       // ""   任务被用户中断
    TaskFired,         // ""   任务时间到 <related file>
    ProgramExit,       // ">"  系统正常退出
};

// The log beside the other programs' logs: `windowsDirectory`, the separator, "Klaxo.log".
QString logFilePath(const QString &windowsDirectory);

// "[" stamp "]" TAB marker TAB message; `detail` follows the message of the task lines.
QString logLine(const QString &stamp, Event event, const QString &detail = {});

// The encoding the log at `logFilePath` is written in, so that one log never mixes two: what
// its last lines were written in, the locale's for a new log.
tasks::Encoding logEncoding(const QString &logFilePath);

// Appends `line` and CR LF in `encoding` in one write, so copies of the program appending at
// once never break each other's lines. Failures are silent.
void recordToFile(const QString &logFilePath, const QString &line, tasks::Encoding encoding);

} // namespace eventlog
