#include "TempDir.h"

#include <DesktopPlatform.h>
#include <RelatedAction.h>

#include <gtest/gtest.h>

#include <QTest>

// Fakes on PATH record: an opener or editor "name|arg|...", a terminal "name option", then its
// command's output given "echo stayed" to read (lines in any order); without a terminal the
// command runs unseen. "open X" is the desktop's open of X.
TEST(DesktopLaunch, CommandLinesStartTheirDesktopCounterparts)
{
    const QString xterm = u"x-terminal-emulator -e\n"_s; // what the fake terminal records first
    const std::tuple<QString, bool, QString> rows[] = {
        {engine::commandLine(u"Cmd:echo SendMessage(hWnd1, \"a  b\", 0&) cmd:x"_s), true,
         xterm + u"SendMessage(hWnd1, \"a  b\", 0&) cmd /c x"_s},
        {u"cmd /k echo 1"_s, true, xterm + u"1\nstayed"_s},
        {u"cmd /c START  https://example.com/ "_s, true, u"xdg-open|https://example.com/"_s},
        {u"cmd /c echo (a)& Start T & echo b"_s, true, xterm + u"(a)\nb\nxdg-open|T"_s},
        {u"cmd /c false"_s, true, xterm + u"命令以状态 1 结束。按回车键关闭窗口。"_s},
        {u"Notepad /home/me/my tasks.dat"_s, true, u"gedit|/home/me/my tasks.dat"_s},
        {u"Notepad GBFILE"_s, true, u"gedit|--encoding=GB18030|GBFILE"_s},
        // No terminal: run unseen. A command that writes RECORD itself: its exact bytes.
        {u"cmd /c printf 好 >RECORD&echo 下班了 >>RECORD & echo b 2>&1 >>RECORD&echo c>>RECORD"_s,
         false, u"好下班了 \nb \nc\n"_s},
        {u"cmd /c echo a & echo b > & echo c| cat >RECORD"_s, false, u"c\n"_s}, // a bad tail: on
        {u"cmd /c echo a>RECORD || echo b>>RECORD & false && echo c>>RECORD || echo d>>RECORD"_s,
         false, u"a\nd\n"_s},
        {u"cmd /c printf %s 'Tom & Jerry' a^&b >RECORD"_s, false, u"Tom & Jerrya&b"_s},
        {u"cmd /c echo ^& \"x > y\" (1&2)>RECORD"_s, false, u"& \"x > y\" (1&2)\n"_s},
        {u"open https://example.com/a b"_s, false, u"xdg-open|https://example.com/a%20b"_s},
        {u"open SONG"_s, false, u"xdg-open|SONG"_s}, // executable, but no program
        {u"open PROGRAM"_s, false, u"ran"_s},
    };
    TempDir dir;
    const QString record = dir.path(u"record"_s);
    dir.write(u"gb.dat"_s, "[0,0,0,0,1,1,1,\"x\"]\xC0\xFD\x31"); // GBK, not UTF-8
    dir.write(u"song.mp3"_s, "ID3\x04");
    dir.write(u"program"_s, "#!/bin/sh\necho ran >\"${0%/*}/record\"\n");
    QFile::link(u"/bin/cat"_s, dir.path(u"cat"_s));
    for (const QString &tool : {u"x-terminal-emulator"_s, u"xdg-open"_s, u"gedit"_s})
        dir.write(tool, tool.startsWith(u"x-"_s)
                            ? "#!/bin/sh\necho \"${0##*/} $1\" >>\"${0%/*}/record\"\nshift\n"
                              "echo 'echo stayed' | \"$@\" >>\"${0%/*}/record\"\n"
                            : "#!/bin/sh\nr=${0##*/}; for a; do r=\"$r|$a\"; done\n"
                              "printf '%s\\n' \"$r\" >>\"${0%/*}/record\"\n");
    for (const QString &file :
         {u"song.mp3"_s, u"program"_s, u"x-terminal-emulator"_s, u"xdg-open"_s, u"gedit"_s})
        QFile::setPermissions(dir.path(file), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.dir.path().toLocal8Bit());
    for (const auto &[line, terminal, recorded] : rows) {
        QFile::remove(record);
        if (!terminal)
            QFile::remove(dir.path(u"x-terminal-emulator"_s));
        const auto paths = [&](QString text) {
            return text.replace(u"RECORD"_s, record)
                .replace(u"GBFILE"_s, dir.path(u"gb.dat"_s))
                .replace(u"SONG"_s, dir.path(u"song.mp3"_s))
                .replace(u"PROGRAM"_s, dir.path(u"program"_s));
        };
        line.startsWith(u"open "_s) ? platform::DesktopPlatform().shellOpen(paths(line.mid(5)))
                                    : platform::DesktopPlatform().startCommandLine(paths(line));
        auto seen = [&] {
            const QString text = QString::fromUtf8(dir.read(u"record"_s));
            QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
            std::sort(lines.begin() + std::min<qsizetype>(lines.size(), 1), lines.end());
            return line.contains(u"RECORD"_s) ? text : lines.join(u'\n');
        };
        (void)QTest::qWaitFor([&] { return seen() == paths(recorded); }, 5000);
        EXPECT_EQ(seen(), paths(recorded));
    }
    qputenv("PATH", path);
}
