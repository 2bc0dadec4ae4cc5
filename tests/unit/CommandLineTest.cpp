#include <CommandLine.h>
#include <FileFilter.h>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::Launch;

namespace {

TEST(LaunchFor, MapsWindowsCommandLinesToTheDesktop)
{
    const struct {
        QString line;
        Launch::Kind kind;
        QString argument;
        QStringList arguments;
    } cases[] = {
        {u"cmd /c shutdown /s /f /t 0"_s, Launch::Shell, u"shutdown /s /f /t 0"_s, {}},
        {u"cmd /c set/p x=确认 & if %x%==y echo \"好\""_s,
         Launch::Shell,
         u"set/p x=确认 & if %x%==y echo \"好\""_s,
         {}},
        {u"cmd /k echo isQueryUnload=true"_s, Launch::Terminal, u"echo isQueryUnload=true"_s, {}},
        {u"Notepad /home/me/my tasks/task.dat"_s,
         Launch::Editor,
         u"/home/me/my tasks/task.dat"_s,
         {}},
        {u"mpv \"/music/a b.mp3\" --loop"_s,
         Launch::Program,
         {},
         {u"mpv"_s, u"/music/a b.mp3"_s, u"--loop"_s}},
        {u"   "_s, Launch::Nothing, {}, {}},
    };
    for (const auto &c : cases) {
        const Launch launch = platform::launchFor(c.line);
        EXPECT_EQ(launch.kind, c.kind) << c.line.toStdString();
        EXPECT_EQ(launch.argument, c.argument);
        EXPECT_EQ(launch.arguments, c.arguments);
    }
}

TEST(NameFilters, KeepTheDisplayStringAndListThePatternsForQt)
{
    const QChar nul(u'\0');
    const QString filter = u"音频文件(*.mp3;*.wav)"_s + nul + u"*.mp3;*.wav"_s + nul +
                           u"所有文件(*.*)"_s + nul + u"*.*"_s + nul + nul;
    EXPECT_EQ(platform::nameFilters(filter),
              (QStringList{u"音频文件(*.mp3;*.wav) (*.mp3 *.wav)"_s, u"所有文件(*.*) (*)"_s}));
}

} // namespace
