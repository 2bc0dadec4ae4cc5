#include <TextCodec.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using tasks::BadLines;
using tasks::decodeLines;
using tasks::encodeText;

namespace {

TEST(DecodeLines, SplitsAndDecodesEveryEncodingAndLineEnd)
{
    const struct {
        const char *name;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"empty", "", {}},
        {"CR LF", "a\r\nb\r\n", {u"a"_s, u"b"_s}},
        {"LF and lone CR", "a\nb\rc", {u"a"_s, u"b"_s, u"c"_s}},
        {"blank lines kept", "\r\n\r\na\n\n", {u""_s, u""_s, u"a"_s, u""_s}},
        {"LF CR is two ends", "a\n\rb", {u"a"_s, u""_s, u"b"_s}},
        {"GBK", "\xC0\xFD\x31:\r\n", {u"例1:"_s}},
        {"GBK extension area", "\x81\x40\x81\x80\xFE\x4F", {u"丂亐\uFA29"_s}},
        {"UTF-8 without mark", "\xE4\xBE\x8B\x31\n", {u"例1"_s}},
        {"UTF-8 with mark", "\xEF\xBB\xBF\x61\r\n", {u"a"_s}},
        {"GB18030 four-byte emoji", "\x94\x39\xFC\x36", {u"😀"_s}},
        {"code page 936 euro", "\x80 5", {u"€ 5"_s}},
        {"code page 936 private use", "\xFF", {u"\uF8F5"_s}},
        {"damaged lines skipped", "ok\r\n\x81\x20\r\n\xC0\xFD\r\nx\x81", {u"ok"_s, u"例"_s}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(decodeLines(c.bytes, BadLines::Skip), c.lines) << c.name;

    const QStringList replaced = decodeLines("ok\n\x81\x20\xC0\xFD", BadLines::Replace);
    ASSERT_EQ(replaced.size(), 2);
    EXPECT_EQ(replaced[0], u"ok"_s);
    EXPECT_FALSE(replaced[1].isEmpty());
}

TEST(EncodeText, WritesGbkBytesAndKeepsWhatGbkLacks)
{
    EXPECT_EQ(encodeText(u"例1:要上课了!"_s),
              QByteArray("\xC0\xFD\x31:\xD2\xAA\xC9\xCF\xBF\xCE\xC1\xCB!"));
    // Outside GBK: an emoji, the euro sign, Hangul, a rare CJK extension character.
    const QString beyond = u"😀 € 한 𠀀 例"_s;
    EXPECT_EQ(decodeLines(encodeText(beyond), BadLines::Skip), QStringList{beyond});
}

} // namespace
