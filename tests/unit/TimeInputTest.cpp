#include <TimeInput.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using engine::checkStart;
using engine::StartCheck;
using engine::TimeField;

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(10, 30, 0));

struct Case {
    const char *name;
    engine::FieldTexts texts;
    bool countDown;
    QDateTime now;
    // Expected outcome: the delay after now when accepted, else the message and focus.
    std::optional<qint64> delay;
    QString message;
    TimeField focus = TimeField::None;
    engine::FieldTexts rewritten = {};
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class CheckStart : public ::testing::TestWithParam<Case> {};

TEST_P(CheckStart, DecidesAndComputes)
{
    const Case &c = GetParam();
    const StartCheck check = checkStart(c.texts, c.countDown, c.now);
    EXPECT_EQ(check.accepted, c.delay.has_value());
    if (c.delay) {
        EXPECT_EQ(c.now.secsTo(check.endTime), *c.delay);
        EXPECT_TRUE(check.message.isEmpty());
    } else {
        EXPECT_EQ(check.message, c.message);
    }
    EXPECT_EQ(check.focus, c.focus);
    EXPECT_EQ(check.rewrite, c.countDown && c.delay.has_value());
    if (check.rewrite) {
        EXPECT_EQ(check.rewritten, c.rewritten);
    }
}

const QString &kInvalid = engine::kInvalidDataMessage;
const QString &kFormat = engine::kTimeFormatMessage;
const QString &kEarly = engine::kTimeTooEarlyMessage;
const TimeField H = TimeField::Hour, M = TimeField::Minute, S = TimeField::Second;

INSTANTIATE_TEST_SUITE_P(
    Table, CheckStart,
    ::testing::Values(
        Case{"empty field", {u"0"_s, u""_s, u"0"_s}, true, kNow, {}, kInvalid},
        Case{"lone sign", {u"-"_s, u"0"_s, u"0"_s}, true, kNow, {}, kInvalid},
        Case{"lone point", {u"0"_s, u"0"_s, u"."_s}, false, kNow, {}, kInvalid},
        Case{"pasted exponent", {u"1e3"_s, u"0"_s, u"0"_s}, true, kNow, {}, kInvalid},
        Case{"negative minute", {u"1"_s, u"-5"_s, u"0"_s}, true, kNow, {}, kInvalid, M},
        Case{"first negative wins", {u"-1"_s, u"0"_s, u"-1"_s}, false, kNow, {}, kInvalid, H},
        Case{"minus zero",
             {u"-0"_s, u"0"_s, u"1"_s},
             true,
             kNow,
             1,
             {},
             {},
             {u"0"_s, u"0"_s, u"1"_s}},
        Case{"zero fires at once",
             {u"0"_s, u"0"_s, u"0"_s},
             true,
             kNow,
             0,
             {},
             {},
             {u"0"_s, u"0"_s, u"0"_s}},
        Case{"fractions carry down",
             {u"1.5"_s, u"10.25"_s, u"7"_s},
             true,
             kNow,
             6022,
             {},
             {},
             {u"1"_s, u"40"_s, u"22"_s}},
        Case{"half to even down",
             {u"0"_s, u"0"_s, u"2.5"_s},
             true,
             kNow,
             2,
             {},
             {},
             {u"0"_s, u"0"_s, u"2"_s}},
        Case{"half to even up",
             {u"0"_s, u"0"_s, u"3.5"_s},
             true,
             kNow,
             4,
             {},
             {},
             {u"0"_s, u"0"_s, u"4"_s}},
        Case{"small minute fraction",
             {u"0"_s, u"0.0125"_s, u"0"_s},
             true,
             kNow,
             1,
             {},
             {},
             {u"0"_s, u"0"_s, u"1"_s}},
        Case{"amounts add up",
             {u"0"_s, u"90"_s, u" 300 "_s},
             true,
             kNow,
             5700,
             {},
             {},
             {u"0"_s, u"90"_s, u"300"_s}},
        Case{"seven nines of hours",
             {u"9999999"_s, u"0"_s, u"0"_s},
             true,
             kNow,
             qint64(9999999) * 3600,
             {},
             {},
             {u"9999999"_s, u"0"_s, u"0"_s}},
        Case{
            "beyond the calendar", {u"99999999999"_s, u"0"_s, u"0"_s}, true, kNow, {}, kInvalid, H},
        Case{"beyond 32 bits", {u"0"_s, u"0"_s, u"2147483648"_s}, true, kNow, {}, kInvalid, S},
        Case{"clock time later today", {u"21"_s, u"30"_s, u"0"_s}, false, kNow, 11 * 3600, {}},
        Case{"clock time leading zeros", {u"010"_s, u"030"_s, u"01"_s}, false, kNow, 1, {}},
        Case{"clock hour 24", {u"24"_s, u"0"_s, u"0"_s}, false, kNow, {}, kFormat},
        Case{"clock minute 60", {u"10"_s, u"60"_s, u"0"_s}, false, kNow, {}, kFormat},
        Case{"clock with a point", {u"11.0"_s, u"0"_s, u"0"_s}, false, kNow, {}, kFormat},
        Case{"clock with a sign", {u"-0"_s, u"0"_s, u"0"_s}, false, kNow, {}, kFormat},
        Case{"clock midnight", {u"0"_s, u"0"_s, u"0"_s}, false, kNow, {}, kEarly, H},
        Case{"clock now", {u"10"_s, u"30"_s, u"0"_s}, false, kNow, {}, kEarly, S},
        Case{"clock earlier hour", {u"9"_s, u"45"_s, u"0"_s}, false, kNow, {}, kEarly, H},
        Case{"clock earlier minute", {u"10"_s, u"15"_s, u"0"_s}, false, kNow, {}, kEarly, M},
        Case{"last second of the day",
             {u"23"_s, u"59"_s, u"59"_s},
             false,
             QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58)),
             1,
             {}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST(LeadingNumber, ReadsTheLeadingNumber)
{
    const std::pair<const char16_t *, double> cases[] = {
        {u"300", 300},  {u"1-2", 1}, {u"1.2.3", 1.2}, {u"-", 0},      {u".5", 0.5},
        {u"  -3x", -3}, {u"", 0},    {u"abc", 0},     {u"-.5", -0.5},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(engine::leadingNumber(QStringView(text)), value)
            << QString::fromUtf16(text).toStdString();
}

} // namespace
