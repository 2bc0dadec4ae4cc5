#include <TaskLine.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace Qt::StringLiterals;
using namespace std::string_literals;

using tasks::kNoRelatedFile;
using tasks::readTaskLine;
using tasks::TaskRecord;
using tasks::writeTaskLine;

namespace {

TaskRecord record(QString text, QString rela, double h, double m, double s, qint16 run, qint16 show,
                  qint16 back, qint16 down)
{
    return {std::move(text), std::move(rela), h, m, s, run, show, back, down};
}

struct ReadCase {
    const char *name;
    QString line;
    std::optional<TaskRecord> expected;
};

void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReadTaskLine : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTaskLine, ReadsOrSkips)
{
    const ReadCase &c = GetParam();
    const auto got = readTaskLine(c.line);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (got) {
        EXPECT_EQ(got->taskText, c.expected->taskText);
        EXPECT_EQ(got->relaFile, c.expected->relaFile);
        EXPECT_EQ(*got, *c.expected);
    }
}

const QString P = kNoRelatedFile;

INSTANTIATE_TEST_SUITE_P(
    Table, ReadTaskLine,
    ::testing::Values(
        ReadCase{"sample", QStringLiteral("[13,20,0,0,1,1,0,\"事件关联文件未指定\"]例1:要上课了!"),
                 record(u"例1:要上课了!"_s, P, 13, 20, 0, 0, 1, 1, 0)},
        ReadCase{"empty", u""_s, std::nullopt},
        ReadCase{"nothing after the bracket", u"[0,0,0,0,1,1,1,\"x\"]"_s, std::nullopt},
        ReadCase{"space before the bracket", u" [0,0,0,0,1,1,1,\"x\"]t"_s, std::nullopt},
        ReadCase{"no closing bracket", u"[0,0,0,0,1,1,1,\"x\"t"_s, std::nullopt},
        ReadCase{"bracket right after the opening one", u"[]t"_s, std::nullopt},
        ReadCase{"spaces only", u"   "_s, std::nullopt},
        ReadCase{"space before the quote makes eight fields", u"[0,0,0,0,1,1,1, \"x\"]t"_s,
                 std::nullopt},
        ReadCase{"six fields", u"[0,0,0,1,1,1,\"x\"]t"_s, std::nullopt},
        ReadCase{"no quote", u"[0,0,0,0,1,1,1,x]t"_s, std::nullopt},
        ReadCase{"quote first", u"[\"x\",0,0,0,0,1,1,1]t"_s, std::nullopt},
        ReadCase{"text with brackets, commas and quotes", u"[1,2,3,1,0,1,0,\"f\"]a]b,\"c\""_s,
                 record(u"a]b,\"c\""_s, u"f"_s, 1, 2, 3, 1, 0, 1, 0)},
        ReadCase{"quote inside the related file", u"[0,0,0,1,1,1,1,\"my \"file\".txt\"]t"_s,
                 record(u"t"_s, u"my file.txt"_s, 0, 0, 0, 1, 1, 1, 1)},
        ReadCase{"the character before the quote is dropped unseen", u"[0,0,0,0,1,1,1;\"x\"]t"_s,
                 record(u"t"_s, u"x"_s, 0, 0, 0, 0, 1, 1, 1)},
        ReadCase{"related file with a bracket is misread", u"[0,0,0,0,1,1,1,\"a]b\"]t"_s,
                 record(u"b\"]t"_s, u"a"_s, 0, 0, 0, 0, 1, 1, 1)},
        ReadCase{"fractions, signs and spaces in numbers", u"[1.5, 06 ,-0.25,0,1,1,1,\"x\"] t "_s,
                 record(u" t "_s, u"x"_s, 1.5, 6, -0.25, 0, 1, 1, 1)},
        ReadCase{"flags other than 0 are ticked", u"[0,0,0,2,-1,32767,-32768,\"x\"]t"_s,
                 record(u"t"_s, u"x"_s, 0, 0, 0, 1, 1, 1, 1)},
        ReadCase{"flag fractions round half to even", u"[0,0,0,0.5,1.5,0.4,0,\"x\"]t"_s,
                 record(u"t"_s, u"x"_s, 0, 0, 0, 0, 1, 0, 0)},
        ReadCase{"flag beyond 16 bits", u"[0,0,0,99999,1,1,1,\"x\"]t"_s, std::nullopt},
        ReadCase{"exponent", u"[1e400,0,0,0,1,1,1,\"x\"]t"_s, std::nullopt},
        ReadCase{"letters", u"[abc,0,0,0,1,1,1,\"x\"]t"_s, std::nullopt},
        ReadCase{"empty field", u"[,0,0,0,1,1,1,\"x\"]t"_s, std::nullopt},
        ReadCase{"NUL and control characters are kept",
                 QString::fromStdU16String(u"[0,0,0,0,1,1,1,\"a\0b\"]\0t\x01"s),
                 record(QString::fromStdU16String(u"\0t\x01"s), QString::fromStdU16String(u"a\0b"s),
                        0, 0, 0, 0, 1, 1, 1)}),
    [](const auto &info) { return std::to_string(info.index); });

TEST(WriteTaskLine, WritesTheScriptForm)
{
    EXPECT_EQ(
        writeTaskLine(record(u"例1:要上课了!(说明:按到点方式)"_s, u""_s, 13, 20, 0, 0, 1, 1, 0)),
        u"[13,20,0,0,1,1,0,\"事件关联文件未指定\"]例1:要上课了!(说明:按到点方式)"_s);
    EXPECT_EQ(writeTaskLine(record(u"t"_s, u"cmd:dir"_s, 1.5, 0.25, 300, 1, 0, 0, 1)),
              u"[1.5,0.25,300,1,0,0,1,\"cmd:dir\"]t"_s);
    // A line break would split the record in two when the script is read again.
    EXPECT_EQ(writeTaskLine(record(u"a\r\nb"_s, u"c\nd"_s, 0, 0, 0, 0, 0, 0, 0)),
              u"[0,0,0,0,0,0,0,\"c d\"]a  b"_s);
}

TEST(WriteTaskLine, RoundTripsRandomRecords)
{
    std::mt19937 random(7);
    auto randomText = [&](int minLength) {
        std::uniform_int_distribution<int> length(minLength, 12);
        std::uniform_int_distribution<char32_t> codePoint(1, 0x10FFFF);
        QString text;
        for (int n = length(random); text.size() < n;) {
            const char32_t c = codePoint(random);
            if ((c >= 0xD800 && c <= 0xDFFF) || c == U'\r' || c == U'\n')
                continue;
            text += QString::fromUcs4(&c, 1);
        }
        return text;
    };
    std::uniform_real_distribution<double> amount(0, 1e6);
    std::uniform_int_distribution<int> flag(0, 1);

    for (int i = 0; i < 2000; ++i) {
        TaskRecord r =
            record(randomText(1), randomText(0).remove(u'"').remove(u']'),
                   i % 3 ? std::round(amount(random)) : amount(random), amount(random),
                   amount(random), flag(random), flag(random), flag(random), flag(random));
        r.relaFile += u"😀"_s;
        const auto back = readTaskLine(writeTaskLine(r));
        ASSERT_TRUE(back) << writeTaskLine(r).toStdString();
        EXPECT_EQ(*back, r);
    }
}

} // namespace
