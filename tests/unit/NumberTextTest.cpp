#include <NumberText.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using tasks::numberText;
using tasks::parseNumber;

struct ParseCase {
    const char16_t *text;
    std::optional<double> value;
};

void PrintTo(const ParseCase &c, std::ostream *os)
{
    *os << '"' << QString::fromUtf16(c.text).toStdString() << '"';
}

class ParseNumber : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumber, ReadsOnlyPlainDecimals)
{
    const auto &c = GetParam();
    const auto value = parseNumber(QStringView(c.text));
    ASSERT_EQ(value.has_value(), c.value.has_value()) << QString::fromUtf16(c.text).toStdString();
    if (value) {
        EXPECT_EQ(*value, *c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumber,
    ::testing::Values(ParseCase{u"12", 12}, ParseCase{u"0.5", 0.5}, ParseCase{u".5", 0.5},
                      ParseCase{u"5.", 5}, ParseCase{u"-3", -3}, ParseCase{u"+7", 7},
                      ParseCase{u"-0", 0}, ParseCase{u"  06 ", 6}, ParseCase{u"1.25", 1.25},
                      ParseCase{u"", std::nullopt}, ParseCase{u" ", std::nullopt},
                      ParseCase{u"-", std::nullopt}, ParseCase{u".", std::nullopt},
                      ParseCase{u"+.", std::nullopt}, ParseCase{u"1.2.3", std::nullopt},
                      ParseCase{u"1e400", std::nullopt}, ParseCase{u"1e5", std::nullopt},
                      ParseCase{u"abc", std::nullopt}, ParseCase{u"1,000", std::nullopt},
                      ParseCase{u"5-", std::nullopt}, ParseCase{u"--5", std::nullopt},
                      ParseCase{u"1 2", std::nullopt}, ParseCase{u"\t1", std::nullopt},
                      ParseCase{u"１２", std::nullopt}, ParseCase{u"0x10", std::nullopt}));

TEST(ParseNumber, RefusesValuesBeyondADouble)
{
    EXPECT_FALSE(parseNumber(QString(400, u'9')));
    EXPECT_TRUE(parseNumber(QString(300, u'9')));
}

TEST(NumberText, WritesShortestTextWithoutExponent)
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
}

TEST(NumberText, ReadsBackToTheSameValue)
{
    std::mt19937_64 random(42);
    std::uniform_int_distribution<quint64> bits;
    for (int i = 0; i < 20000; ++i) {
        double value;
        const quint64 b = bits(random);
        std::memcpy(&value, &b, sizeof value);
        if (!std::isfinite(value))
            continue;
        const auto back = parseNumber(numberText(value));
        ASSERT_TRUE(back) << numberText(value).toStdString();
        EXPECT_EQ(*back, value == 0 ? 0.0 : value);
    }
    EXPECT_EQ(*parseNumber(numberText(std::numeric_limits<double>::max())),
              std::numeric_limits<double>::max());
    EXPECT_EQ(*parseNumber(numberText(std::numeric_limits<double>::denorm_min())),
              std::numeric_limits<double>::denorm_min());
}
