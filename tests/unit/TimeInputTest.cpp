#include <TimeInput.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using engine::checkStart;
using engine::TimeField;

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(10, 30, 0));

// "h|m|s" as the three field texts.
engine::FieldTexts fields(const char *texts)
{
    const QStringList parts = QString::fromUtf8(texts).split(u'|');
    return {parts[0], parts[1], parts[2]};
}

TEST(CheckStart, AcceptsAndComputesTheEndTime)
{
    const struct {
        const char *texts;
        bool countDown;
        qint64 delay;
        const char *rewritten; // countdown mode: the fields as Start rewrites them
        QDateTime now = kNow;
    } cases[] = {
        {"-0|0|1", true, 1, "0|0|1"},
        {"1.5|10.25|7", true, 6022, "1|40|22"}, // fractions carry down
        {"0|0|2.5", true, 2, "0|0|2"},          // seconds round half to even
        {"0|0|3.5", true, 4, "0|0|4"},
        {"0|90| 300 ", true, 5700, "0|90|300"},
        {"9999999|0|0", true, qint64(9999999) * 3600, "9999999|0|0"},
        {"21|30|0", false, 11 * 3600, nullptr},
        {"010|030|01", false, 1, nullptr},
        {"23|59|59", false, 1, nullptr, QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58))},
    };
    for (const auto &c : cases) {
        const engine::StartCheck check = checkStart(fields(c.texts), c.countDown, c.now);
        ASSERT_TRUE(check.accepted) << c.texts;
        EXPECT_EQ(c.now.secsTo(check.endTime), c.delay) << c.texts;
        EXPECT_EQ(check.rewrite, c.countDown) << c.texts;
        if (c.rewritten) {
            EXPECT_EQ(check.rewritten, fields(c.rewritten)) << c.texts;
        }
    }
}

TEST(CheckStart, RefusesWithTheMessageAndTheFieldToFix)
{
    const QString &invalid = engine::kInvalidDataMessage, &format = engine::kTimeFormatMessage,
                  &early = engine::kTimeTooEarlyMessage;
    const TimeField N = TimeField::None, H = TimeField::Hour, M = TimeField::Minute,
                    S = TimeField::Second;
    const struct {
        const char *texts;
        bool countDown;
        const QString &message;
        TimeField focus;
    } cases[] = {
        {"0||0", true, invalid, N},
        {"1e3|0|0", true, invalid, N},
        {"-1|0|-1", false, invalid, H},        // the first negative field
        {"99999999999|0|0", true, invalid, H}, // beyond the calendar
        {"0|0|2147483648", true, invalid, S},  // beyond 32 bits
        {"24|0|0", false, format, N},
        {"10|60|0", false, format, N},
        {"11.0|0|0", false, format, N},
        {"-0|0|0", false, format, N},
        {"10|30|0", false, early, S},
        {"9|45|0", false, early, H},
        {"10|15|0", false, early, M},
    };
    for (const auto &c : cases) {
        const engine::StartCheck check = checkStart(fields(c.texts), c.countDown, kNow);
        EXPECT_FALSE(check.accepted || check.rewrite) << c.texts;
        EXPECT_EQ(check.message, c.message) << c.texts;
        EXPECT_EQ(check.focus, c.focus) << c.texts;
    }
}

} // namespace
