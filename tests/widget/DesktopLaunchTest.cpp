#include "TempDir.h"

#include <DesktopPlatform.h>

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Console command lines on the desktop, with a terminal and an opener on PATH that only record
// what they were given.
TEST(DesktopLaunch, ConsoleCommandsOpenTerminalsAndStartOpensWithTheDesktop)
{
    struct Row {
        QString line;
        bool terminal;
        QString recorded;
    };
    const Row rows[] = {
        {u"cmd /c echo 好"_s, true, u"x-terminal-emulator -e /bin/sh -c echo 好"_s},
        {u"cmd /k dir"_s, true, u"x-terminal-emulator -e /bin/sh -c dir; exec /bin/sh"_s},
        {u"cmd /c START  https://tv.cctv.com/live/ "_s, true,
         u"xdg-open https://tv.cctv.com/live/"_s},
        {u"cmd /c echo 好 >RECORD"_s, false, u"好"_s}, // no terminal: run unseen
    };
    const QByteArray path = qgetenv("PATH");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.line.toStdString());
        TempDir dir;
        const QString record = dir.path(u"record"_s);
        for (const char *tool : {"x-terminal-emulator", "xdg-open"}) {
            if (!row.terminal && QByteArray(tool) == "x-terminal-emulator")
                continue;
            const QString script = dir.path(QString::fromLatin1(tool));
            dir.write(QString::fromLatin1(tool),
                      "#!/bin/sh\necho \"${0##*/} $*\" >>'" + record.toUtf8() + "'\n");
            QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
