#include "TempDir.h"

#include <DesktopPlatform.h>

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Windows command lines on the desktop, with a terminal, an opener, an editor and a player on
// PATH that only record their name and arguments, "|" before each argument.
TEST(DesktopLaunch, CommandLinesStartTheirDesktopCounterparts)
{
    const struct {
        QString line;
        bool terminal;
        QString recorded;
    } rows[] = {
        {u"cmd /c echo 好 \"a b\""_s, true, u"x-terminal-emulator|-e|/bin/sh|-c|echo 好 \"a b\""_s},
        {u"cmd /k dir"_s, true, u"x-terminal-emulator|-e|/bin/sh|-c|dir; exec /bin/sh"_s},
        {u"cmd /c START  https://tv.cctv.com/live/ "_s, true,
         u"xdg-open|https://tv.cctv.com/live/"_s},
        {u"Notepad /home/me/my tasks.dat"_s, true, u"gedit|/home/me/my tasks.dat"_s},
        {u"mpv \"/music/a b.mp3\" -l"_s, true, u"mpv|/music/a b.mp3|-l"_s},
        {u"cmd /c echo 好 >RECORD"_s, false, u"好"_s}, // no terminal: run unseen
    };
    const QByteArray path = qgetenv("PATH");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line.toStdString());
        TempDir dir;
        const QString record = dir.path(u"record"_s);
        for (const QString tool : {u"x-terminal-emulator"_s, u"xdg-open"_s, u"gedit"_s, u"mpv"_s}) {
            if (!row.terminal && tool == u"x-terminal-emulator"_s)
                continue;
            dir.write(tool, "#!/bin/sh\nr=${0##*/}; for a; do r=\"$r|$a\"; done\n"
                            "printf '%s\\n' \"$r\" >>'" +
                                record.toUtf8() + "'\n");
            QFile::setPermissions(dir.path(tool), QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", dir.dir.path().toLocal8Bit());
        platform::DesktopPlatform().startCommandLine(
            QString(row.line).replace(u"RECORD"_s, record));
        qputenv("PATH", path);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dir.read(u"record"_s).isEmpty(); }, 5000));
        EXPECT_EQ(QString::fromUtf8(dir.read(u"record"_s)).trimmed(), row.recorded);
    }
}

} // namespace
