#include <EventLog.h>
#include <TextCodec.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>

using namespace Qt::StringLiterals;
using eventlog::Event;
using eventlog::logLine;
using eventlog::recordToFile;

TEST(EventLog, ComposesEachLine)
{
    const QString stamp = u"2026/12/6 14:03:09"_s;
    const std::pair<QString, QString> cases[] = {
        {logLine(stamp, Event::ProgramStart), u"[2026/12/6 14:03:09]\t<\t程序开始运行"_s},
        {logLine(stamp, Event::ProgramStartAgain), u"[2026/12/6 14:03:09]\t<<\t程序开始运行"_s},
        {logLine(stamp, Event::TaskStarted, u"例]\t2"_s),
         u"[2026/12/6 14:03:09]\t*\t开始执行任务 例]\t2"_s},
        {logLine(stamp, Event::TaskStopped), u"[2026/12/6 14:03:09]\t\t任务被用户中断"_s},
        {logLine(stamp, Event::TaskFired, u"事件关联文件未指定"_s),
         u"[2026/12/6 14:03:09]\t\t任务时间到 事件关联文件未指定"_s},
        {logLine(stamp, Event::ProgramExit), u"[2026/12/6 14:03:09]\t>\t系统正常退出"_s},
    };
    for (const auto &[got, expected] : cases)
        EXPECT_EQ(got, expected);
}

TEST(EventLog, CreatesThenAppends)
{
    TempDir dir;
    const QString path = eventlog::logFilePath(dir.dir.path());
    EXPECT_EQ(path, dir.path(u"Klaxo.log"_s));
    recordToFile(path, u"[a]\t<\t程序开始运行"_s);
    recordToFile(path, u"second"_s);
    EXPECT_EQ(dir.read(u"Klaxo.log"_s), tasks::encodeText(u"[a]\t<\t程序开始运行\r\nsecond\r\n"_s));
}

TEST(EventLog, FailsSilently)
{
    TempDir dir;
    recordToFile(dir.path(u"missing/Klaxo.log"_s), u"x"_s);
    recordToFile(dir.dir.path(), u"x"_s); // a folder
    EXPECT_FALSE(QFile::exists(dir.path(u"missing"_s)));
}

TEST(EventLog, ProcessesAppendingAtOnceKeepLinesWhole)
{
    TempDir dir;
    const QString path = dir.path(u"Klaxo.log"_s);
    constexpr int kLines = 400;
    QProcess a, b;
    a.start(QStringLiteral(LOG_APPENDER), {path, u"A"_s, QString::number(kLines)});
    b.start(QStringLiteral(LOG_APPENDER), {path, u"B"_s, QString::number(kLines)});
    ASSERT_TRUE(a.waitForFinished(30000));
    ASSERT_TRUE(b.waitForFinished(30000));

    const QByteArray bytes = dir.read(u"Klaxo.log"_s);
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QStringList lines = tasks::decodeLines(bytes, tasks::BadLines::Skip);
    ASSERT_EQ(lines.size(), 2 * kLines);
    const QString padding(200, u'填');
    QSet<QString> seen;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'|');
        ASSERT_EQ(parts.size(), 3) << line.left(40).toStdString();
        EXPECT_EQ(parts[1], padding);
        seen.insert(parts[0]);
    }
    EXPECT_EQ(seen.size(), 2 * kLines);
}
