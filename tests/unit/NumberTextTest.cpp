#include <NumberText.h>

#include <gtest/gtest.h>

#include <limits>

using tasks::numberText;
using tasks::parseNumber;

namespace {

TEST(ParseNumber, ReadsOnlyPlainDecimals)
{
    const std::pair<const char16_t *, std::optional<double>> cases[] = {
        {u"12", 12},    {u"0.5", 0.5}, {u".5", 0.5},  {u"5.", 5},      {u"-3", -3},
        {u"+7", 7},     {u"-0", 0},    {u"  06 ", 6}, {u"1.25", 1.25}, {u"", {}},
        {u" ", {}},     {u"-", {}},    {u".", {}},    {u"+.", {}},     {u"1.2.3", {}},
        {u"1e400", {}}, {u"1e5", {}},  {u"abc", {}},  {u"1,000", {}},  {u"5-", {}},
        {u"--5", {}},   {u"1 2", {}},  {u"\t1", {}},  {u"１２", {}},   {u"0x10", {}},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(parseNumber(QStringView(text)), value) << QString::fromUtf16(text).toStdString();
    EXPECT_FALSE(parseNumber(QString(400, u'9'))) << "beyond a double";
    EXPECT_TRUE(parseNumber(QString(300, u'9')));
}

TEST(NumberText, WritesTheShortestTextThatReadsBackWithoutExponent)
{
    const std::pair<double, const char *> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {13, "13"},
        {1.5, "1.5"},
        {0.25, "0.25"},
        {-3, "-3"},
        {0.1, "0.1"},
        {1e21, "1000000000000000000000"},
        {1e-7, "0.0000001"},
        {9999999, "9999999"},
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(numberText(value).toStdString(), text) << value;
    for (double value : {0.1 + 0.2, -123456.789, std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::denorm_min()})
        EXPECT_EQ(parseNumber(numberText(value)), value) << numberText(value).toStdString();
}

} // namespace
