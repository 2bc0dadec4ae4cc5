#include <Firing.h>
#include <RelatedAction.h>
#include <TaskRecord.h>

#include "FakePlatform.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(RelatedAction, FormsTheCommandLine)
{
    const std::pair<QString, QString> cases[] = {
        {u"cmd:shutdown /s /f /t 0"_s, u"cmd /c shutdown /s /f /t 0"_s},
        {u"CMD:dir"_s, u"cmd /c dir"_s},
        {u"Cmd:dir"_s, u"cmd /c dir"_s},
        {u"cmd:echo cmd:x"_s, u"cmd /c echo cmd /c x"_s},
        {u"cmd:echo CMD:x"_s, u"cmd /c echo CMD:x"_s},
        {u"cmd:set/p x=确认 & if \"%x%\"==\"y\" echo 好"_s,
         u"cmd /c set/p x=确认 & if \"%x%\"==\"y\" echo 好"_s},
    };
    for (const auto &[rf, line] : cases) {
        FakePlatform platform;
        engine::runRelatedAction(platform, rf);
        EXPECT_EQ(platform.calls, QStringList{u"startCommandLine: "_s + line});
    }
}

TEST(RelatedAction, ClassifiesTrimmedButOpensUntrimmed)
{
    FakePlatform platform;
    engine::runRelatedAction(platform, u"  cmd:dir  "_s);
    engine::runRelatedAction(platform, u"  /no/such file  "_s);
    engine::runRelatedAction(platform, tasks::kNoRelatedFile);
    engine::runRelatedAction(platform, QString());
    EXPECT_EQ(platform.calls,
              (QStringList{u"startCommandLine: cmd /c dir"_s, u"shellOpen:   /no/such file  "_s,
                           u"shellOpen: "_s + tasks::kNoRelatedFile, u"shellOpen: "_s}));
}

TEST(RelatedAction, WarnsOnlyAboutMissingFiles)
{
    TempDir dir;
    dir.write(u"doc.txt"_s, "x");
    const QString doc = dir.path(u"doc.txt"_s);
    const QString missing = dir.path(u"missing.exe"_s);
    const struct {
        QString text, rf;
        bool warn;
    } cases[] = {
        {missing, missing, true},
        {doc, doc, false},
        {dir.dir.path(), dir.dir.path(), true},
        {tasks::kNoRelatedFile, tasks::kNoRelatedFile, false},
        {u""_s, u""_s, false},
        {u"CMD:dir"_s, u"CMD:dir"_s, false},
        {u" cmd:dir"_s, u"cmd:dir"_s, false},
        {u" "_s + doc, doc, true}, // the untrimmed path does not open
    };
    for (const auto &c : cases)
        EXPECT_EQ(engine::relatedFileNotFound(c.text, c.rf), c.warn) << c.text.toStdString();
}

TEST(Firing, BuildsTheReminderAndTheWarning)
{
    EXPECT_EQ(engine::reminderText(u"喝水"_s, false, u"x"_s, u"2026/12/6 14:03:09"_s),
              u"提醒事件:\r\n\r\n喝水\r\n2026/12/6 14:03:09"_s);
    EXPECT_EQ(engine::reminderText(u"喝水"_s, true, u"a.exe"_s, u"2026/12/6"_s),
              u"提醒事件:\r\n\r\n喝水\r\n注意:"_s + engine::kNotFoundText +
                  u"\r\na.exe\r\n2026/12/6"_s);
    EXPECT_EQ(engine::notFoundWarning(u"a.exe"_s),
              u"注意:\r\n\r\n"_s + engine::kNotFoundText + u"\r\na.exe"_s);
}

} // namespace
