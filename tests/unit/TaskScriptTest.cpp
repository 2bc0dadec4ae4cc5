#include <EventLog.h>
#include <GbConverter.h>
#include <NumberText.h>
#include <ScriptPreload.h>
#include <TaskLine.h>
#include <TaskScript.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <cfloat>
#include <random>

using namespace tasks;
using enum Encoding;

// Bytes in failure messages as text, with "%0D%0A" for CR LF and the like.
static void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << bytes.toPercentEncoding(R"( !"#$&'()*+,-./:;<=>?@[\]^_`{|}~)").constData();
}

// The system's reading, where the tests need bytes the codec is built on.
static QString gb18030(QByteArrayView bytes)
{
    QString text;
    return converter::decode(converter::Code::Gb18030, bytes, text), text;
}
static const QString lookAlike = gb18030("\xE5\x96\x9D\xE6\xB0\xB4"); // its GB18030: UTF-8 喝水

TEST(ParseNumber, ReadsOnlyPlainDecimals)
{
    const std::pair<const char16_t *, std::optional<double>> cases[] = {
        {u"12", 12},    {u"0.5", 0.5}, {u".5", 0.5},    {u"5.", 5},     {u"-3", -3}, {u"+7", 7},
        {u"-0", 0},     {u"  06 ", 6}, {u"1.25", 1.25}, {u" ", {}},     {u"-", {}},  {u"+.", {}},
        {u"1.2.3", {}}, {u"1e5", {}},  {u"abc", {}},    {u"1,000", {}}, {u"5-", {}}, {u"--5", {}},
        {u"1 2", {}},   {u"\t1", {}},  {u"１２", {}},   {u"0x10", {}},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(parseNumber(QStringView(text)), value) << QString::fromUtf16(text).toStdString();
    EXPECT_FALSE(parseNumber(QString(400, u'9'))) << "beyond a double";
    EXPECT_TRUE(parseNumber(QString(300, u'9')));
}

TEST(TaskLine, ReadsTheFieldsOrSkipsTheLineAndWritesOneLine)
{
    // A line and, read and written again, what it becomes; empty when it is skipped.
    const std::pair<QString, QString> cases[] = {
        {u"[0,0,0,0,1,1,1,\"x\"]"_s, {}},   // nothing after the bracket
        {u" [0,0,0,0,1,1,1,\"x\"]t"_s, {}}, // a space before the bracket
        {u"[0,0,0,0,1,1,1,\"x\"t"_s, {}},   // no closing bracket
        {u"[0,0,0,0,1,1,1, \"x\"]t"_s, {}}, // a space before the quote makes eight fields
        {u"[0,0,0,0,1,1,1,x]t"_s, {}},      // no quote
        {u"[\"x\",0,0,0,0,1,1,1]t"_s, {}},  // quote first
        {u"[0,0,0,1,1,1,1,\"my \"file\".txt\"]t"_s, u"[0,0,0,1,1,1,1,\"my file.txt\"]t"_s},
        {u"[0,0,0,1,1,1,1,\"/a/bc.mp3\"]t"_s, u"[0,0,0,1,1,1,1,\"/a/bc.mp3\"]t"_s},
        {u"[0,0,0,0,1,1,1;\"x\"]t"_s, u"[0,0,0,0,1,1,1,\"x\"]t"_s}, // ";" taken for the comma
        {u"[1.5, 06 ,-0.25,0,1,1,1,\"x\"] t "_s, u"[1.5,6,-0.25,0,1,1,1,\"x\"] t "_s},
        {u"[0,0,0,2,-1,32767,-32768,\"x\"]t"_s, u"[0,0,0,1,1,1,1,\"x\"]t"_s}, // 16-bit flags
        {u"[0,0,0,0,1,1,32768,\"x\"]t"_s, {}},
        {u"[1e400,0,0,0,1,1,1,\"x\"]t"_s, {}},
    };
    for (const auto &[line, read] : cases) {
        const std::optional<TaskRecord> record = readTaskLine(line);
        EXPECT_EQ(record ? writeTaskLine(*record) : QString(), read) << line.toStdString();
    }
    EXPECT_EQ(writeTaskLine({u"a]b,\"c\""_s, u"cmd:dir"_s, 1.5, 1e-7, 1e21, 1, 0, 0, 1}),
              u"[1.5,0.0000001,1000000000000000000000,1,0,0,1,\"cmd:dir\"]a]b,\"c\""_s);
    // A line break would split the record in two when the script is read again.
    EXPECT_EQ(writeTaskLine({u"a\r\nb"_s, u"c\nd"_s, -0.0}), u"[0,0,0,0,0,0,0,\"c d\"]a  b"_s);
}

TEST(TextCodec, TheLocaleChoosesGb18030OnlyForAChineseCodeset)
{
    // ANSI_X3.4-1968: the codeset of a locale named but not generated here.
    const std::tuple<const char *, const char *, Encoding> cases[] = {
        {"zh_CN.UTF-8", "UTF-8", Utf8},           {"zh_CN.UTF-8", "ANSI_X3.4-1968", Utf8},
        {"zh_CN.GB18030", "GB18030", Gb18030},    {"zh_CN", "GB2312", Gb18030},
        {"zh_CN.gbk", "ANSI_X3.4-1968", Gb18030}, {"zh_SG.euc-cn@x", "ANSI_X3.4-1968", Gb18030},
        {"de_DE.ISO-8859-1", "ISO-8859-1", Utf8}};
    for (const auto &[name, codeset, encoding] : cases)
        EXPECT_EQ(encodingForLocale(name, codeset), encoding) << name << " " << codeset;
}

TEST(TextCodec, ReadsEveryLineInTheEncodingThatReadsIt)
{
    const QString appended = u"[0,0,30,0,1,0,1,\"事件关联文件未指定\"]下午三点开会"_s;
    const QString xuexi = u"[8,0,0,1,1,0,0,\"cmd:start https://example.com/\"]学习"_s;
    const QStringList sample = sampleTaskScript().mid(1, 2);
    // Bytes and how they read with either encoding as the locale's; a second reading where the
    // locale's decides a tie (GB18030's, then UTF-8's).
    struct Case {
        std::string name;
        QByteArray bytes;
        QStringList lines, utf8Tie = {};
    };
    QList<Case> cases = {
        {"GBK extension area", "\x81\x40\x81\x80\xFE\x4F", {u"丂亐\uFA29"_s}},
        {"the sample in GBK", encodeText(sampleTaskScript().join(u"\r\n"_s)), sampleTaskScript()},
        {"UTF-8 that is valid GB18030", "\xE5\x96\x9D\xE6\xB0\xB4", {u"喝水"_s}},
        {"GB18030 that is valid UTF-8", "\xCB\xAE \xCB\xB5", {u"水 说"_s}},
        {"UTF-8 with mark", "\xEF\xBB\xBF\x61\r\n\xE8\xAF\xB4", {u"a"_s, u"说"_s}},
        {"code page 936 euro", "\x80 5", {u"€ 5"_s}},
        {"UTF-8 after GBK", encodeText(u"例1\r\n"_s) + appended.toUtf8(), {u"例1"_s, appended}},
        {"GBK after UTF-8", u"例1\n例2\n"_s.toUtf8() + encodeText(u"例3"_s),
         QStringList{u"例1"_s, u"例2"_s, u"例3"_s}},
        {"a GBK line cut off", encodeText(u"例1\n例2"_s) + "\xC0", {u"例1"_s, u"例2\uFFFD"_s}},
        {"Latin-1 digits after a GB lead byte", "N\xB0\x31\x32", {u"N\uFFFD12"_s}},
        {"a tie", "\xCB\xB5\xC3\x97", {u"说脳"_s}, {u"˵×"_s}},
        // In a file of GB18030 a tie goes to the file, never to the locale.
        {"a tie after GBK", encodeText(u"例\n"_s) + u"200° stellen"_s.toUtf8(),
         QStringList{u"例"_s, u"200掳 stellen"_s}},
        {"学习 and look-alikes in a GBK script from Windows",
         encodeText(sample.join(u"\r\n"_s) + u"\r\n路\r\n丐 陇\r\n"_s + xuexi),
         sample + QStringList{u"路"_s, u"丐 陇"_s, xuexi}},
        {"学习 alone", encodeText(xuexi), {xuexi}, {QString(xuexi).replace(u"学习"_s, u"ѧϰ"_s)}},
    };
    // UTF-8 text: a sign, accents, Cyrillic and Greek, a path, an emoji.
    for (const QString &text :
         {u"Backofen 180°C"_s, u"Café ±5 min"_s, u"Позвонить маме, καλημέρα"_s,
          u"/home/u/Müsik/a.ogg"_s, u"Call mom 😀"_s})
        cases.append({text.toStdString(), text.toUtf8(), {text}});
    for (const auto &[name, bytes, lines, utf8Tie] : cases) {
        for (const Encoding locale : {Gb18030, Utf8}) {
            const auto readLines = [&](QByteArrayView bytes) {
                QStringList read;
                const QString text = decodeText(bytes, fileEncoding(bytes, locale));
                forEachLine(QStringView(text), [&](QStringView l) { read.append(l.toString()); });
                return read;
            };
            const QStringList read = readLines(bytes);
            EXPECT_EQ(read, locale == Utf8 && !utf8Tie.isEmpty() ? utf8Tie : lines) << name;
            for (const Encoding encoding : {Gb18030, Utf8})
                EXPECT_EQ(readLines(encodeFile(read.join(u'\n'), encoding, false, locale)), read)
                    << name << ", written and read back";
            EncodingVote vote(locale); // a line at a time, as a large script is read
            forEachLine(QByteArrayView(bytes),
                        [&](QByteArrayView line) { vote.add(line.toByteArray() + '\n'); });
            EXPECT_EQ(vote.result(), fileEncoding(bytes, locale)) << name << ", line by line";
        }
    }
    EXPECT_EQ(encodeFile(u"abc\r\n"_s, Gb18030, false, Utf8), "abc\r\n") << "no mark on ASCII";
    EXPECT_EQ(encodeFile(u"例\n"_s + lookAlike, Gb18030, false, Utf8),
              "\xEF\xBB\xBF例\n" + lookAlike.toUtf8());
    const QByteArray lone = encodeText(u"\xDC00x\xD800"_s, Gb18030); // each one mark, x kept
    EXPECT_EQ(lone.mid(1), "x?") << "lone surrogates";
}

struct TaskScript : ::testing::Test {
    TempDir dir;
    const QString script = dir.path(u"task.dat"_s);

    void writeScript(const QByteArray &bytes) { dir.write(u"task.dat"_s, bytes); }
    QByteArray scriptBytes() const { return dir.read(u"task.dat"_s); }
    TaskList load(ScriptFile &file, TaskList list = {}) { return loadTaskScript(file, list), list; }
};

TEST_F(TaskScript, FirstStartWritesTheSampleByteForByte)
{
    EXPECT_TRUE(ensureTaskScript(script));
    const QString sample =
        uR"([0,0,0,0,1,1,1,"事件关联文件未指定"]请在这里输入或者从下拉列表中选择你要提醒的事件
[13,20,0,0,1,1,0,"事件关联文件未指定"]例1:要上课了!(说明:按到点方式)
[0,6,0,0,1,1,1,"事件关联文件未指定"]例2:水要烧开了!(说明:按倒计时方式)
[21,30,0,1,1,1,0,"cmd:set/p x=确认关机请按y,否则请按n: & if %x%==y shutdown /s /f /t 0"]例3:关机睡觉(说明:事件关联为DOS命令,关机前有提示,注意这里DOS命令的书写格式,必须以"cmd:"开头,多条语句用"&"隔开)
[21,30,0,1,1,1,0,"cmd:shutdown /s /f /t 0"]例4:关机睡觉(说明:事件关联为DOS命令,关机前无提示,请慎用!)
[23,0,0,1,1,0,0,"cmd:start https://tv.cctv.com/live/"]例5：央视直播(打开指定网页)
)"_s;
    EXPECT_EQ(scriptBytes(),
              encodeText(QString(sample).replace(u"\n"_s, u"\r\n"_s), localeEncoding()));
}

TEST_F(TaskScript, LoadKeepsTheFirstOfEachText)
{
    writeScript("[ 0 ,06,0,0,1,1,1,\"x\"]same\r\ngarbage\r\n[2,0,0,0,1,1,1,\"b\"]same\n"
                "[x,0,0,0,1,1,1,\"x\"]other\r" // a skipped line does not claim its text
                "[3,0,0,0,1,1,1,\"\"]other\r\n[0,0,0,0,1,1,1,\"a\"]\0nul"_ba);
    ScriptFile file(script);
    EXPECT_EQ(load(file), (TaskList{{u"same"_s, u"x"_s, 0, 6, 0, 0, 1, 1, 1},
                                    {u"other"_s, u""_s, 3, 0, 0, 0, 1, 1, 1},
                                    {u"\0nul"_s, u"a"_s, 0, 0, 0, 0, 1, 1, 1}}));
}

TEST_F(TaskScript, EveryScriptReadsBackAsWritten)
{
    // A missing script written from a list. Hanzi whose GB18030 bytes are valid UTF-8 ("常规"
    // from fuzzing), then GB2312, GBK, Unicode.
    const QStringList texts = {u"说"_s, u"募"_s, u"聧"_s, gb18030("\xE5\xB8\xB8\xE8\xA7\x84")};
    std::mt19937 random(2026);
    const auto pick = [&](int a, int b) { return std::uniform_int_distribution(a, b)(random); };
    const auto character = [&]() -> QString {
        const int pool = pick(0, 2);
        const char gb[] = {char(pool ? pick(0x81, 0xA0) : pick(0xB0, 0xF7)),
                           char(pool ? pick(0x80, 0xFE) : pick(0xA1, 0xFE))};
        char32_t c = pick(0x80, 0x10FFFF - 0x800);
        c += c >= 0xD800 ? 0x800 : 0; // past the surrogates
        return pool < 2 ? gb18030(QByteArrayView(gb, 2)) : QString::fromUcs4(&c, 1);
    };
    for (int round = 0; round < 2000; ++round) {
        TaskList list = {{u"\x01 😀 € 한 𠀀"_s, u"/音/a b"_s, DBL_MAX, 0.1 + 0.2, DBL_TRUE_MIN, 1}};
        for (int n = round < texts.size() ? 1 : pick(1, 3); n > 0; --n) {
            QString text = round < texts.size() ? texts[round] : QString();
            for (int i = text.isEmpty() ? pick(1, 3) : 0; i > 0; --i)
                text += character();
            if (list.indexOf(text) < 0) // a text only once
                list.append({text, pick(0, 1) ? kNoRelatedFile : u"/tmp/"_s + character(), 0, 0,
                             double(pick(0, 9)), 1, 0, 0, 1});
        }
        QFile::remove(script);
        ScriptFile file(script, round % 2 ? Utf8 : Gb18030);
        ASSERT_TRUE(saveTaskScript(file, list));
        ASSERT_EQ(load(file), list) << "round " << round;
    }
}

TEST_F(TaskScript, WhatCannotBeReadOrWrittenIsLeftAlone)
{
    const QByteArray damaged = "[0,0,0,0,1,1,1,\"x\"]\x81\x20"; // text, but not decodable
    writeScript(damaged);
    EXPECT_TRUE(ensureTaskScript(script));
    ScriptFile file(script);
    TaskList list;
    EXPECT_EQ(loadTaskScript(file, list), 1) << "the damaged line is kept";
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    file.started = {TaskRecord{u"new"_s, {}}};
    EXPECT_FALSE(saveTaskScript(file, file.started));
    EXPECT_EQ(scriptBytes() + QByteArray::number(file.started.size()), damaged + "1")
        << "unchanged, the task kept for the next save";

    QFile::remove(script), QDir().mkpath(script); // a folder where the script should be
    EXPECT_TRUE(ensureTaskScript(script)) << "no complaint at start-up";
}

// On the script on disk (read or not): newest first, each in place of its text's first task line.
TEST_F(TaskScript, SavePutsTheStartedTasksOnTopAndKeepsEveryOtherLineByteForByte)
{
    const QByteArray kept = "# note\r\n[0,0,0,0,1,1,1,\"x\"]b\r\n\r\n [0,0,0,0,1,1,1,\"x\"]slip\n"
                            "[0,0,0,0,1,1,1, \"x\"]eight\r[0, 06,0,0,1,1,1,\"x\"]c\r\n"
                            "[0,0,0,0,1,1,1,\"x\"]\r\n"_ba;
    const TaskRecord a{u"a"_s, u"x"_s, 1}, a2{u"a"_s, u"y"_s, 2}, c{u"c"_s, u"x"_s, 3};
    const TaskRecord euro{u"€5"_s, u"x"_s}, hanzi{u"例"_s, u"x"_s};
    const QByteArray aLine = "[1,0,0,0,0,0,0,\"x\"]a\r\n", head = "[0,0,0,0,0,0,0,\"x\"]";
    const QByteArray gbk = encodeText(sampleTaskScript()[1] + u"\r\n"_s + head + u"学习"_s);
    const QByteArray gbkEuro = head + "\x80 " + encodeText(u"例\r\n"_s), mark = "\xEF\xBB\xBF";
    const QByteArray a5 = "[5,0,0,0,1,1,1,\"x\"]a\r\n", c6 = "[0, 06,0,0,1,1,1,\"x\"]c\r\n";
    const QByteArray c3 = "[3,0,0,0,0,0,0,\"x\"]c\r\n";
    const TaskRecord like{lookAlike, u"x"_s};
    // The script before, the tasks started, the lines put on top, the line they replace.
    const std::tuple<const char *, QByteArray, TaskList, QByteArray, QByteArray> rows[] = {
        {"a new text", kept, {a}, aLine, {}},
        {"its first line replaced", a5 + kept + a5.chopped(2), {a}, aLine, a5},
        {"a line with its text but no task", "[0,0,0,0,1,1,1, \"x\"]a", {a}, aLine, {}},
        {"the newest first, each once", kept, {a, c, a2}, "[2,0,0,0,0,0,0,\"y\"]a\r\n" + c3, c6},
        {"after the mark", mark + kept, {a}, aLine, {}},
        {"between a lone CR and an LF", "P\r" + aLine + "\nZ", {a}, aLine, aLine.chopped(1)},
        {"a GBK script from Windows", gbk, {a}, aLine, {}},
        {"the same started again", aLine + gbk, {a}, aLine, aLine},
        {"a repeat kept", a5 + a5, {a, c}, c3 + aLine, a5},
        {"code page 936's euro", gbkEuro, {euro}, head + "\x80\x35\r\n", {}},
        {"GB18030's euro", encodeText(u"例"_s), {euro}, encodeText(head + u"€5\r\n"_s), {}},
        {"a UTF-8 script", u"说\r\n"_s.toUtf8(), {hanzi}, head + u"例\r\n"_s.toUtf8(), {}},
        {"a look-alike", encodeText(u"例"_s), {like}, head + like.taskText.toUtf8() + "\r\n", {}},
        {"nothing to write", kept, {TaskRecord{}}, {}, {}},
    };
    for (const auto &[name, before, started, top, gone] : rows) {
        writeScript(before);
        ScriptFile file(script);
        file.started = started;
        QByteArray after = before;
        const qsizetype at = before.startsWith(mark) ? 3 : 0;
        after.remove(gone.isEmpty() ? 0 : after.indexOf(gone, at), gone.size()).insert(at, top);
        EXPECT_EQ(saveTaskScript(file, {}), after != before) << name;
        EXPECT_EQ(scriptBytes(), after) << name;
        EXPECT_TRUE(file.started.isEmpty()) << name << ": forgotten once on disk";
    }
}

// A long script read early, while the window is built: what the file holds at the load counts.
TEST_F(TaskScript, AnEarlyReadingGivesWayToAChangeMadeSince)
{
    const auto line = [](int n) { return u"[0,1,0,0,1,1,1,\"x\"]例%1\r\n"_s.arg(n); };
    QString rest;
    for (int n = 2; n < 20000; ++n) // about 400 KiB
        rest += line(n);
    for (const bool changed : {false, true}) {
        writeScript(encodeText(line(0) + line(1) + rest));
        ScriptPreload early(script);
        early.wait();
        if (changed) // another copy starts its second task: the same bytes, two lines swapped
            writeScript(encodeText(line(1) + line(0) + rest));
        ScriptFile file(script);
        TaskList list;
        ASSERT_EQ(early.load(file, list), 20000);
        EXPECT_EQ(list.first().taskText, changed ? u"例1"_s : u"例0"_s);
        EXPECT_EQ(list.at(list.size() - 1).taskText, u"例19999"_s);
    }
}

TEST(EventLog, ProcessesAppendWholeLinesInTheEncodingOfTheLogsEnd)
{
    TempDir dir;
    QProcess a, b;
    a.start(QStringLiteral(WRITER), {u"log"_s, dir.path(u"Klaxo.log"_s), u"A"_s, u"2000"_s});
    b.start(QStringLiteral(WRITER), {u"log"_s, dir.path(u"Klaxo.log"_s), u"B"_s, u"2000"_s});
    ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
    QList<QByteArray> lines = dir.read(u"Klaxo.log"_s).split('\n'), whole = {""};
    for (const QString &tag : {u"A"_s, u"B"_s})
        for (int i = 0; i < 2000; ++i)
            whole.append(encodeText(tag + QString::number(i) + u'|' + QString(200, u'填')) + "|\r");
    EXPECT_TRUE(std::ranges::is_permutation(lines, whole)) << "every line whole, and once";
    // New lines follow the log's last 16 KiB, read from its first whole line (the cut falls
    // inside a UTF-8 character).
    const QString line = u"x"_s + QString(3400, u'填') + u"\r\n"_s;
    const QByteArray gbk = encodeText(line).repeated(3), utf8 = line.toUtf8().repeated(2);
    for (const QByteArray &bytes : {gbk + utf8, utf8 + gbk}) {
        dir.write(u"Klaxo.log"_s, bytes);
        EXPECT_EQ(eventlog::logEncoding(dir.path(u"Klaxo.log"_s)) == Utf8, bytes.endsWith(utf8));
    }
}
