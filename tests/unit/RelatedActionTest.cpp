#include <CommandLine.h>
#include <RelatedAction.h>

#include "FakePlatform.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::Launch;

namespace {

TEST(RelatedAction, ReplacesTheMarkAndLaterLowerCaseMarksWithTheInterpreter)
{
    const std::pair<QString, QString> cases[] = {
        {u"cmd:shutdown /s /f /t 0"_s, u"cmd /c shutdown /s /f /t 0"_s},
        {u"Cmd:dir"_s, u"cmd /c dir"_s},
        {u"cmd:echo cmd:x CMD:y"_s, u"cmd /c echo cmd /c x CMD:y"_s},
    };
    for (const auto &[rf, line] : cases) {
        FakePlatform platform;
        engine::runRelatedAction(platform, rf);
        EXPECT_EQ(platform.calls, QStringList{u"startCommandLine: "_s + line});
    }
}

TEST(RelatedAction, WarnsWhenTheFileDoesNotOpenForReading)
{
    TempDir dir;
    dir.write(u"doc.txt"_s, "x");
    const QString doc = dir.path(u"doc.txt"_s), missing = dir.path(u"missing.exe"_s);
    EXPECT_TRUE(engine::relatedFileNotFound(missing, missing));
    EXPECT_FALSE(engine::relatedFileNotFound(doc, doc));
    EXPECT_TRUE(engine::relatedFileNotFound(dir.dir.path(), dir.dir.path())) << "a folder";
    EXPECT_TRUE(engine::relatedFileNotFound(u" "_s + doc, doc)) << "the untrimmed path";
}

TEST(LaunchFor, MapsWindowsCommandLinesToTheDesktop)
{
    const struct {
        QString line;
        Launch::Kind kind;
        QStringList parts; // the argument, or a program's arguments
    } cases[] = {
        {u"cmd /c echo 好 & dir \"a b\""_s, Launch::Shell, {u"echo 好 & dir \"a b\""_s}},
        {u"cmd /k echo isQueryUnload=true"_s, Launch::Terminal, {u"echo isQueryUnload=true"_s}},
        {u"Notepad /home/me/my tasks.dat"_s, Launch::Editor, {u"/home/me/my tasks.dat"_s}},
        {u"mpv \"/music/a b.mp3\" -l"_s, Launch::Program, {u"mpv"_s, u"/music/a b.mp3"_s, u"-l"_s}},
    };
    for (const auto &c : cases) {
        const Launch launch = platform::launchFor(c.line);
        EXPECT_EQ(launch.kind, c.kind) << c.line.toStdString();
        EXPECT_EQ(launch.kind == Launch::Program ? launch.arguments : QStringList{launch.argument},
                  c.parts);
    }
}

} // namespace
