#include "TempDir.h"

#include <DesktopPlatform.h>

#include <gtest/gtest.h>

#include <QTest>
#include <QUrl>

// Command lines run as they stand, in a console of their own; the shell's "open" runs a batch
// file as the Explorer would.
TEST(WindowsLaunch, CommandLinesAndOpenRunWhatTheyName)
{
    TempDir dir;
    // cmd reads a batch file in the ANSI code page.
    dir.write(u"opened.bat"_s, "@echo opened>\"%~dp0record \xC0\xFD\"\r\n");
    const std::pair<QString, QString> rows[] = {
        {u"cmd /c echo ran>\"RECORD\""_s, u"ran"_s},
        {u"cmd /k echo stayed>\"RECORD\" & exit"_s, u"stayed"_s},
        {u"open BAT"_s, u"opened"_s},
        {u"open BATURL"_s, u"opened"_s}, // an address: its slashes stay
    };
    const QString record = dir.path(u"record 例"_s);
    for (auto [command, recorded] : rows) { // a copy, with the paths put in
        QFile::remove(record);
        command.replace(u"RECORD"_s, record)
            .replace(u"BATURL"_s, QUrl::fromLocalFile(dir.path(u"opened.bat"_s)).toString())
            .replace(u"BAT"_s, dir.path(u"opened.bat"_s));
        command.startsWith(u"open "_s) ? platform::DesktopPlatform().shellOpen(command.mid(5))
                                       : platform::DesktopPlatform().startCommandLine(command);
        auto seen = [&] { return QString::fromLocal8Bit(dir.read(u"record 例"_s)).trimmed(); };
        (void)QTest::qWaitFor([&] { return seen() == recorded; }, 10000);
        EXPECT_EQ(seen(), recorded) << command.toStdString();
    }
}
