#include <RelatedAction.h>

#include "FakePlatform.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(RelatedAction, ReplacesLaterLowerCaseMarksWithTheInterpreterToo)
{
    FakePlatform platform;
    engine::runRelatedAction(platform, u"Cmd:echo cmd:x CMD:y"_s);
    EXPECT_EQ(platform.calls, QStringList{u"startCommandLine: cmd /c echo cmd /c x CMD:y"_s});
}

TEST(RelatedAction, WarnsWhenTheFileDoesNotOpenForReading)
{
    TempDir dir;
    dir.write(u"doc.txt"_s, "x");
    const QString doc = dir.path(u"doc.txt"_s);
    EXPECT_FALSE(engine::relatedFileNotFound(doc, doc));
    EXPECT_TRUE(engine::relatedFileNotFound(dir.dir.path(), dir.dir.path())) << "a folder";
    EXPECT_TRUE(engine::relatedFileNotFound(u" "_s + doc, doc)) << "the untrimmed path";
}

} // namespace
