#include <GbConverter.h>

#include <gtest/gtest.h>

#include <QString>

#include <windows.h>

using namespace Qt::StringLiterals;
using namespace tasks;

static QString wide(UINT page, const QByteArray &bytes)
{
    QString text(bytes.size(), QChar());
    const int n = ::MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                                        reinterpret_cast<wchar_t *>(text.data()), int(text.size()));
    return n > 0 ? text.left(n) : u"(invalid)"_s;
}

static QByteArray narrow(UINT page, const QString &text)
{
    QByteArray bytes(text.size() * 4, '\0');
    const int n =
        ::WideCharToMultiByte(page, 0, reinterpret_cast<const wchar_t *>(text.utf16()),
                              int(text.size()), bytes.data(), int(bytes.size()), nullptr, nullptr);
    return bytes.left(std::max(n, 0));
}

// The texts of the codec's rows with their GB18030 bytes; four-byte codes are GB18030's alone.
TEST(WindowsCodePages, TheAnsiCodePageAndGb18030ReadAndWriteTheCodecsTexts)
{
    EXPECT_EQ(::GetACP(), 936u) << "a Chinese Windows (under Wine: a zh_CN locale)";
    const bool gb18030 = ::IsValidCodePage(54936);
    if (!gb18030)
        std::printf("No code page 54936 here (Wine): GB18030 is read and written as GBK.\n");
    const std::tuple<QString, QByteArray, bool> rows[] = {
        {u"例1"_s, "\xC0\xFD\x31", false},
        {u"丂亐\uFA29"_s, "\x81\x40\x81\x80\xFE\x4F", false}, // GBK's extension area
        {u"水 说"_s, "\xCB\xAE \xCB\xB5", false},             // also valid UTF-8
        {u"Café"_s, "Caf\xA8\xA6", false},
        {u"下午三点开会"_s, "\xCF\xC2\xCE\xE7\xC8\xFD\xB5\xE3\xBF\xAA\xBB\xE1", false},
        {u"😀"_s, "\x94\x39\xFC\x36", true},
        {u"㐀"_s, "\x81\x39\xEE\x39", true},
    };
    for (const auto &[text, bytes, fourByte] : rows) {
        const std::string name = text.toStdString();
        for (const UINT page : {UINT(CP_ACP), UINT(54936)})
            if (page == CP_ACP ? !fourByte : gb18030) {
                EXPECT_EQ(wide(page, bytes), text) << name << ' ' << page;
                EXPECT_EQ(narrow(page, text), bytes) << name << ' ' << page;
            }
        // The converter the codec reads and writes with: what the system cannot convert (a
        // four-byte code without code page 54936) is an error, never a "?" in the user's text.
        const bool lost = fourByte && !gb18030;
        QString read;
        EXPECT_EQ(converter::decode(converter::Code::Gb18030, bytes, read), !lost) << name;
        EXPECT_TRUE(lost || read == text) << name;
        EXPECT_EQ(converter::encode(text), lost ? QByteArray() : bytes) << name;
    }
    // A lone surrogate is an error, not U+FFFD's code.
    EXPECT_TRUE(!gb18030 || converter::encode(u"a\xD800"_s).isEmpty());
}
