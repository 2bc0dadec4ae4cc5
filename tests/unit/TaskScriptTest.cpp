#include <TaskLine.h>
#include <TaskScript.h>
#include <TextCodec.h>
#include <mdlPub.h>

#include "FakePlatform.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <iconv.h>

using namespace Qt::StringLiterals;
using tasks::TaskList;
using tasks::TaskRecord;

namespace {

// GBK bytes from the C library's converter, independent of the one under test.
QByteArray gbk(const QString &text)
{
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 4, '\0');
    iconv_t cd = iconv_open("GBK", "UTF-8");
    char *src = in.data();
    char *dst = out.data();
    size_t srcLeft = in.size(), dstLeft = out.size();
    const size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    EXPECT_NE(result, size_t(-1)) << text.toStdString();
    out.truncate(out.size() - dstLeft);
    return out;
}

class TaskScript : public ::testing::Test {
protected:
    TempDir dir;
    FakePlatform platform;
    QString script;

    void SetUp() override
    {
        platform.programDir = dir.dir.path();
        script = tasks::taskScriptPath(platform.programDir);
    }

    void writeScript(const QByteArray &bytes) { dir.write(u"task.dat"_s, bytes); }
    QByteArray scriptBytes() const { return dir.read(u"task.dat"_s); }

    TaskList load()
    {
        TaskList list;
        tasks::loadTaskScript(platform, list);
        return list;
    }

    static QStringList texts(const TaskList &list)
    {
        QStringList out;
        for (const TaskRecord &r : list)
            out.append(r.taskText);
        return out;
    }
};

TEST_F(TaskScript, FirstStartWritesTheSampleByteForByte)
{
    tasks::ensureTaskScript(platform);
    QByteArray expected;
    const QStringList &lines = tasks::sampleTaskScript();
    for (int i = 0; i < 5; ++i)
        expected += gbk(lines[i]) + "\r\n";
    expected += "[23,0,0,1,1,0,0,\"cmd:start https://tv.cctv.com/live/\"]" +
                gbk(u"例5：央视直播(打开指定网页)"_s) + "\r\n";
    EXPECT_EQ(scriptBytes(), expected);
    EXPECT_TRUE(lines[0].endsWith(u"]请在这里输入或者从下拉列表中选择你要提醒的事件"_s));
    EXPECT_TRUE(platform.messageBoxes.isEmpty());

    const TaskList list = load();
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list[0], (TaskRecord{lines[0].mid(lines[0].indexOf(u']') + 1), tasks::kNoRelatedFile,
                                   0, 0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(list[3].relaFile,
              u"cmd:set/p x=确认关机请按y,否则请按n: & if %x%==y shutdown /s /f /t 0"_s);
}

TEST_F(TaskScript, TextlessScriptIsReplacedByThePromptLine)
{
    for (const QByteArray &bytes :
         {QByteArray(), QByteArray("\r\n  \r\n\n"), QByteArray("[0,0,0,0,1,1,1,\"x\"]   \r\n")}) {
        writeScript(bytes);
        tasks::ensureTaskScript(platform);
        EXPECT_EQ(scriptBytes(), gbk(tasks::sampleTaskScript()[0]) + "\r\n\r\n");
        EXPECT_EQ(texts(load()), QStringList{u"请在这里输入或者从下拉列表中选择你要提醒的事件"_s});
    }
}

TEST_F(TaskScript, UnreadableScriptIsReportedAndReadsNothing)
{
    QDir().mkpath(script); // a folder where the script should be
    EXPECT_EQ(tasks::readTaskTexts(platform, script), QString());
    ASSERT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_EQ(platform.messageBoxes[0].text, u"不存在该文件或该文件不能访问!"_s);
    EXPECT_EQ(platform.messageBoxes[0].title, u"Tocklet"_s);
    EXPECT_EQ(platform.messageBoxes[0].icon, platform::MsgIcon::Exclamation);

    tasks::ensureTaskScript(platform); // cannot be replaced either: silent
    EXPECT_TRUE(load().isEmpty());
}

TEST_F(TaskScript, LoadKeepsTheFirstOfRepeatedTextsAndSkipsBadLines)
{
    writeScript("[1,0,0,0,1,1,1,\"a\"]same\r\n"
                "garbage\r\n"
                "[2,0,0,0,1,1,1,\"b\"]same\n"
                "[9,0,0,0,1,1,1,\"x\"]bad fields are not a claim\r"
                "[x,0,0,0,1,1,1,\"x\"]other\r\n"
                "[3,0,0,0,1,1,1,\"c\"]other");
    const TaskList list = load();
    EXPECT_EQ(texts(list), (QStringList{u"same"_s, u"bad fields are not a claim"_s, u"other"_s}));
    EXPECT_EQ(list[0].hour, 1);
    EXPECT_EQ(list[2].hour, 3);
}

TEST_F(TaskScript, SaveRewritesInListOrderInTheWritersForm)
{
    writeScript("[ 0 ,06,0,0,1,1,1,\"x\"]b\r\n[1,0,0,0,1,1,1,\"\"]a\r\n[1,0,0,0,1,1,1,\"z\"]a\r\n");
    TaskList list = load();
    list.prepend(TaskRecord{u""_s, u"not written"_s, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(tasks::saveTaskScript(script, list));
    EXPECT_EQ(scriptBytes(),
              gbk(u"[0,6,0,0,1,1,1,\"x\"]b\r\n[1,0,0,0,1,1,1,\"事件关联文件未指定\"]a\r\n"_s));
}

TEST_F(TaskScript, SaveWithNothingToWriteLeavesTheFileAlone)
{
    writeScript("hand-written");
    EXPECT_FALSE(tasks::saveTaskScript(script, {}));
    EXPECT_FALSE(tasks::saveTaskScript(script, {TaskRecord{}}));
    EXPECT_EQ(scriptBytes(), QByteArray("hand-written"));
}

TEST_F(TaskScript, ReadOnlyScriptKeepsItsBytes)
{
    writeScript("[1,0,0,0,1,1,1,\"a\"]t\r\n");
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_FALSE(tasks::saveTaskScript(script, {TaskRecord{u"new"_s, {}, 0, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(scriptBytes(), QByteArray("[1,0,0,0,1,1,1,\"a\"]t\r\n"));
    EXPECT_TRUE(platform.messageBoxes.isEmpty());
}

TEST_F(TaskScript, UnwritableFolderFailsSilently)
{
    platform.programDir = dir.path(u"no/such/folder"_s);
    tasks::ensureTaskScript(platform);
    EXPECT_TRUE(load().isEmpty());
    EXPECT_FALSE(mdlPub::writeTextFile(tasks::taskScriptPath(platform.programDir), u"x"_s));
    EXPECT_TRUE(platform.messageBoxes.isEmpty());
}

TEST_F(TaskScript, SurvivesHostileFiles)
{
    QByteArray huge(10 * 1024 * 1024, 'x');
    huge.prepend("[1,0,0,0,1,1,1,\"a\"]");
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many +=
            "[0,0," + QByteArray::number(i) + ",0,1,1,1,\"f\"]t" + QByteArray::number(i) + "\r\n";
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) % 256);

    const std::pair<QByteArray, qsizetype> cases[] = {
        {huge, 1},
        {many, 100000},
        {garbage, -1},
        {QByteArray("[0,0,0,0,1,1,1,\"a\"]\0nul\r\r[0,0,0,0,1,1,1,\"a\"]\xFF\xFEt\r\n", 44), 1},
        {"[99999999999999999999999999999999,0,0,0,1,1,1,\"a\"]t", 1},
        {"[0,0,0,99999,1,1,1,\"a\"]t\r\n[1e400,0,0,0,1,1,1,\"a\"]t\r\n[abc,0,0,0,1,1,1,\"a\"]t", 0},
    };
    for (const auto &[bytes, count] : cases) {
        writeScript(bytes);
        const TaskList list = load();
        if (count >= 0) {
            EXPECT_EQ(list.size(), count);
        }
        tasks::saveTaskScript(script, list);
        TaskList again;
        tasks::loadTaskScript(platform, again);
        EXPECT_EQ(again, list);
    }
}

TEST(RelatedFileUsable, OpensForReadingOrSeesTheCommandMark)
{
    TempDir dir;
    dir.write(u"doc.txt"_s, "x");
    EXPECT_TRUE(mdlPub::relatedFileUsable(dir.path(u"doc.txt"_s)));
    EXPECT_TRUE(mdlPub::relatedFileUsable(u"cmd:no such file"_s));
    EXPECT_FALSE(mdlPub::relatedFileUsable(u"CMD:no such file"_s));
    EXPECT_FALSE(mdlPub::relatedFileUsable(dir.path(u"missing"_s)));
    EXPECT_FALSE(mdlPub::relatedFileUsable(dir.dir.path()));
    EXPECT_FALSE(mdlPub::relatedFileUsable(QString()));
}

} // namespace
