#include <EventLog.h>
#include <TextCodec.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

TEST(EventLog, CreatesThenAppendsAndFailsSilently)
{
    TempDir dir;
    const QString path = eventlog::logFilePath(dir.dir.path());
    EXPECT_EQ(path, dir.path(u"Klaxo.log"_s));
    eventlog::recordToFile(path, u"[a]\t<\t例"_s);
    eventlog::recordToFile(path, u"second"_s);
    EXPECT_EQ(dir.read(u"Klaxo.log"_s), "[a]\t<\t\xC0\xFD\r\nsecond\r\n");

    eventlog::recordToFile(dir.path(u"missing/Klaxo.log"_s), u"x"_s);
    eventlog::recordToFile(dir.dir.path(), u"x"_s); // a folder
    EXPECT_FALSE(QFile::exists(dir.path(u"missing"_s)));
}

TEST(EventLog, ProcessesAppendingAtOnceKeepLinesWhole)
{
    TempDir dir;
    const QString path = dir.path(u"Klaxo.log"_s);
    QProcess a, b;
    a.start(QStringLiteral(LOG_APPENDER), {path, u"A"_s, u"200"_s});
    b.start(QStringLiteral(LOG_APPENDER), {path, u"B"_s, u"200"_s});
    ASSERT_TRUE(a.waitForFinished(30000) && b.waitForFinished(30000));
    QSet<QString> seen;
    for (const QString &line :
         tasks::decodeLines(dir.read(u"Klaxo.log"_s), tasks::BadLines::Skip)) {
        EXPECT_TRUE(line.count(u'|') == 2 && line.endsWith(QString(200, u'填') + u'|'))
            << line.left(40).toStdString();
        seen.insert(line.section(u'|', 0, 0));
    }
    EXPECT_EQ(seen.size(), 400) << "every line whole, once";
}

} // namespace
