#include <TimeInput.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What Start makes of the fields "h|m|s": the seconds until the end and, in countdown mode, the
// fields it writes back; or the message it refuses with and the field that gets the caret.
QString outcome(const char *texts, bool countDown, const QDateTime &now)
{
    const QStringList t = QString::fromUtf8(texts).split(u'|');
    const engine::StartCheck c = engine::checkStart({t[0], t[1], t[2]}, countDown, now);
    if (c.accepted)
        return QString::number(now.secsTo(c.endTime)) +
               (c.rewrite ? u' ' + QStringList(c.rewritten.begin(), c.rewritten.end()).join(u'|')
                          : QString());
    const QStringList messages = {engine::kInvalidDataMessage, engine::kTimeFormatMessage,
                                  engine::kTimeTooEarlyMessage};
    return QStringList{u"invalid"_s, u"format"_s, u"early"_s}.value(messages.indexOf(c.message)) +
           u' ' + QChar(u"-HMS"[int(c.focus)]);
}

TEST(CheckStart, AcceptsWithTheEndTimeOrRefusesWithTheMessageAndTheFieldToFix)
{
    const struct {
        const char *texts;
        bool countDown;
        const char *outcome;
        QTime now = QTime(10, 30);
    } cases[] = {
        {"-0|0|1", true, "1 0|0|1"},
        {"1.5|10.25|7", true, "6022 1|40|22"}, // fractions carry down
        {"0|0|2.5", true, "2 0|0|2"},          // seconds round half to even
        {"0|0|3.5", true, "4 0|0|4"},
        {"0|90| 300 ", true, "5700 0|90|300"},
        {"9999999|0|0", true, "35999996400 9999999|0|0"},
        {"21|30|0", false, "39600"},
        {"010|030|01", false, "1"},
        {"23|59|59", false, "1", QTime(23, 59, 58)},
        {"0||0", true, "invalid -"},
        {"1e3|0|0", true, "invalid -"},
        {"-1|0|-1", false, "invalid H"},        // the first negative field
        {"99999999999|0|0", true, "invalid H"}, // beyond the calendar
        {"0|0|2147483648", true, "invalid S"},  // beyond 32 bits
        {"24|0|0", false, "format -"},
        {"10|60|0", false, "format -"},
        {"11.0|0|0", false, "format -"},
        {"-0|0|0", false, "format -"},
        {"10|30|0", false, "early S"},
        {"9|45|0", false, "early H"},
        {"10|15|0", false, "early M"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(outcome(c.texts, c.countDown, QDateTime(QDate(2026, 12, 6), c.now)),
                  QString::fromUtf8(c.outcome))
            << c.texts;
}

} // namespace
