#include <EventLog.h>
#include <TextCodec.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

TEST(EventLog, AppendsGb18030LinesEndingInCrLf)
{
    TempDir dir;
    for (const QString &line : {u"[a]\t<\t例"_s, u"second"_s})
        eventlog::recordToFile(dir.path(u"Klaxo.log"_s), line);
    EXPECT_EQ(dir.read(u"Klaxo.log"_s), "[a]\t<\t\xC0\xFD\r\nsecond\r\n");
}

// Two copies of the program log at once: every line whole, none lost.
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
    EXPECT_EQ(seen.size(), 400);
}

} // namespace
