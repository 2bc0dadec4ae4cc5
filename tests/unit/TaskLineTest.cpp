#include <NumberText.h>
#include <TaskLine.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using tasks::kNoRelatedFile;
using tasks::parseNumber;
using tasks::TaskRecord;

namespace {

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

TEST(ReadTaskLine, ReadsTheFieldsOrSkipsTheLine)
{
    const struct {
        const char *name;
        QString line;
        std::optional<TaskRecord> expected;
    } cases[] = {
        {"sample", u"[13,20,0,0,1,1,0,\"事件关联文件未指定\"]例1:要上课了!"_s,
         TaskRecord{u"例1:要上课了!"_s, kNoRelatedFile, 13, 20, 0, 0, 1, 1, 0}},
        {"empty", u""_s, {}},
        {"nothing after the bracket", u"[0,0,0,0,1,1,1,\"x\"]"_s, {}},
        {"space before the bracket", u" [0,0,0,0,1,1,1,\"x\"]t"_s, {}},
        {"no closing bracket", u"[0,0,0,0,1,1,1,\"x\"t"_s, {}},
        {"space before the quote makes eight fields", u"[0,0,0,0,1,1,1, \"x\"]t"_s, {}},
        {"no quote", u"[0,0,0,0,1,1,1,x]t"_s, {}},
        {"quote first", u"[\"x\",0,0,0,0,1,1,1]t"_s, {}},
        {"text with brackets, commas and quotes", u"[1,2,3,1,0,1,0,\"f\"]a]b,\"c\""_s,
         TaskRecord{u"a]b,\"c\""_s, u"f"_s, 1, 2, 3, 1, 0, 1, 0}},
        {"quote inside the related file", u"[0,0,0,1,1,1,1,\"my \"file\".txt\"]t"_s,
         TaskRecord{u"t"_s, u"my file.txt"_s, 0, 0, 0, 1, 1, 1, 1}},
        {"the character before the quote is dropped unseen", u"[0,0,0,0,1,1,1;\"x\"]t"_s,
         TaskRecord{u"t"_s, u"x"_s, 0, 0, 0, 0, 1, 1, 1}},
        {"fractions, signs and spaces in numbers", u"[1.5, 06 ,-0.25,0,1,1,1,\"x\"] t "_s,
         TaskRecord{u" t "_s, u"x"_s, 1.5, 6, -0.25, 0, 1, 1, 1}},
        {"flags other than 0 are ticked", u"[0,0,0,2,-1,32767,-32768,\"x\"]t"_s,
         TaskRecord{u"t"_s, u"x"_s, 0, 0, 0, 1, 1, 1, 1}},
        {"flag just beyond 16 bits", u"[0,0,0,0,1,1,32768,\"x\"]t"_s, {}},
        {"exponent", u"[1e400,0,0,0,1,1,1,\"x\"]t"_s, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tasks::readTaskLine(c.line), c.expected) << c.name;
}

TEST(WriteTaskLine, WritesTheScriptFormOnOneLine)
{
    EXPECT_EQ(tasks::writeTaskLine({u"a]b,\"c\""_s, u"cmd:dir"_s, 1.5, 1e-7, 1e21, 1, 0, 0, 1}),
              u"[1.5,0.0000001,1000000000000000000000,1,0,0,1,\"cmd:dir\"]a]b,\"c\""_s);
    // A line break would split the record in two when the script is read again.
    EXPECT_EQ(tasks::writeTaskLine({u"a\r\nb"_s, u"c\nd"_s, -0.0}),
              u"[0,0,0,0,0,0,0,\"c d\"]a  b"_s);
}

} // namespace
