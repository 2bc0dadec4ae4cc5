#include <TextCodec.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using tasks::BadLines;
using tasks::decodeLines;
using tasks::encodeText;

namespace {

struct SplitCase {
    const char *name;
    QByteArray bytes;
    QStringList lines;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.name;
}

class DecodeLines : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DecodeLines, SplitsAndDecodes)
{
    EXPECT_EQ(decodeLines(GetParam().bytes, BadLines::Skip), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeLines,
    ::testing::Values(SplitCase{"empty", "", {}},
                      SplitCase{"CR LF", "a\r\nb\r\n", {u"a"_s, u"b"_s}},
                      SplitCase{"LF and lone CR", "a\nb\rc", {u"a"_s, u"b"_s, u"c"_s}},
                      SplitCase{"blank lines kept", "\r\n\r\na\n\n", {u""_s, u""_s, u"a"_s, u""_s}},
                      SplitCase{"LF CR is two ends", "a\n\rb", {u"a"_s, u""_s, u"b"_s}},
                      SplitCase{"GBK", "\xC0\xFD\x31:\r\n", {u"例1:"_s}},
                      SplitCase{"UTF-8 without mark", "\xE4\xBE\x8B\x31\n", {u"例1"_s}},
                      SplitCase{"UTF-8 with mark",
                                "\xEF\xBB\xBF"
                                "a\r\n",
                                {u"a"_s}},
                      SplitCase{"GB18030 four-byte emoji", "\x94\x39\xFC\x36", {u"😀"_s}},
                      SplitCase{"code page 936 euro", "\x80 5", {u"€ 5"_s}},
                      SplitCase{"code page 936 private use", "\xFF", {u"\uF8F5"_s}},
                      SplitCase{"damaged lines skipped",
                                "ok\r\n\x81\x20\r\n\xC0\xFD\r\nx\x81",
                                {u"ok"_s, u"例"_s}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST(DecodeLines, ReplacesDamagedBytesWhenAsked)
{
    const QStringList lines = decodeLines("ok\n\x81\x20\xC0\xFD", BadLines::Replace);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], u"ok"_s);
    EXPECT_FALSE(lines[1].isEmpty());
}

TEST(EncodeText, WritesGbkBytesAndKeepsWhatGbkLacks)
{
    EXPECT_EQ(encodeText(u"例1:要上课了!"_s),
              QByteArray("\xC0\xFD\x31:\xD2\xAA\xC9\xCF\xBF\xCE\xC1\xCB!"));
    const QString emoji = u"😀 €"_s;
    EXPECT_EQ(decodeLines(encodeText(emoji), BadLines::Skip), QStringList{emoji});
}

TEST(EncodeText, EveryCharacterComesBackTheSame)
{
    QString all;
    for (char32_t c = 1; c < 0x110000; c += (c < 0x10000 ? 1 : 97)) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (c != U'\r' && c != U'\n')
            all += QString::fromUcs4(&c, 1);
    }
    // Two-byte codes alone, and mixed with the four-byte ones the converter decodes.
    QString twoByte;
    for (QChar c : all) {
        const QByteArray bytes = encodeText(QString(c));
        if (bytes.size() == 2)
            twoByte += c;
    }
    ASSERT_GT(twoByte.size(), 20000);
    EXPECT_EQ(decodeLines(encodeText(twoByte), BadLines::Skip), QStringList{twoByte});
    EXPECT_EQ(decodeLines(encodeText(all), BadLines::Skip), QStringList{all});
}

} // namespace
