#include "TempDir.h"

#include <DesktopPlatform.h>
#include <RelatedAction.h>

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A related file's "cmd:" command, or a command line of the program's own, started on the
// desktop with a terminal, an opener and an editor on PATH that only record their name and
// arguments, "|" before each argument.
TEST(DesktopLaunch, CommandsStartTheirDesktopCounterparts)
{
    const struct {
        QString line;
        bool terminal;
        QString recorded;
    } rows[] = {
        {u"Cmd:echo 好 \"a b\" & echo cmd:x CMD:y"_s, true,
         u"x-terminal-emulator|-e|/bin/sh|-c|echo 好 \"a b\" & echo cmd /c x CMD:y"_s},
        {u"cmd:START  https://tv.cctv.com/live/ "_s, true, u"xdg-open|https://tv.cctv.com/live/"_s},
        {u"cmd /k dir"_s, true, u"x-terminal-emulator|-e|/bin/sh|-c|dir; exec /bin/sh"_s},
        {u"Notepad /home/me/my tasks.dat"_s, true, u"gedit|/home/me/my tasks.dat"_s},
        {u"cmd:echo 好 >RECORD"_s, false, u"好"_s}, // no terminal: run unseen
    };
    const QByteArray path = qgetenv("PATH");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line.toStdString());
        TempDir dir;
        const QString record = dir.path(u"record"_s);
        for (const QString tool : {u"x-terminal-emulator"_s, u"xdg-open"_s, u"gedit"_s}) {
            if (!row.terminal && tool == u"x-terminal-emulator"_s)
                continue;
            dir.write(tool, "#!/bin/sh\nr=${0##*/}; for a; do r=\"$r|$a\"; done\n"
                            "printf '%s\\n' \"$r\" >>'" +
                                record.toUtf8() + "'\n");
            QFile::setPermissions(dir.path(tool), QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", dir.dir.path().toLocal8Bit());
        platform::DesktopPlatform desktop;
        const QString line = QString(row.line).replace(u"RECORD"_s, record);
        if (line.startsWith(u"cmd:"_s, Qt::CaseInsensitive))
            engine::runRelatedAction(desktop, line);
        else
            desktop.startCommandLine(line);
        qputenv("PATH", path);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dir.read(u"record"_s).isEmpty(); }, 5000));
        EXPECT_EQ(QString::fromUtf8(dir.read(u"record"_s)).trimmed(), row.recorded);
    }
}

TEST(RelatedFile, WarnsWhenItDoesNotOpenForReading)
{
    TempDir dir;
    dir.write(u"doc.txt"_s, "x");
    const QString doc = dir.path(u"doc.txt"_s);
    EXPECT_FALSE(engine::relatedFileNotFound(doc, doc));
    EXPECT_TRUE(engine::relatedFileNotFound(dir.dir.path(), dir.dir.path())) << "a folder";
    EXPECT_TRUE(engine::relatedFileNotFound(u" "_s + doc, doc)) << "the untrimmed path";
}

} // namespace
