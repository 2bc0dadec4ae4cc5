#include <DateTimeText.h>
#include <TimeInput.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Start on "h|m|s": seconds to the end [fields written back], or the refusal and the caret's field.
static std::string outcome(const char *texts, bool countDown, QTime time = QTime(10, 30))
{
    const QStringList t = QString::fromUtf8(texts).split(u'|');
    const QDateTime now(QDate(2026, 12, 6), time);
    const engine::StartCheck c = engine::checkStart({t[0], t[1], t[2]}, countDown, now);
    const QStringList messages = {engine::kInvalidDataMessage, engine::kTimeFormatMessage,
                                  engine::kTimeTooEarlyMessage};
    const QStringList refusals = {u"invalid"_s, u"format"_s, u"early"_s};
    QString out = QString::number(now.secsTo(c.endTime));
    if (c.rewrite)
        out += u' ' + QStringList(c.rewritten.begin(), c.rewritten.end()).join(u'|');
    if (!c.accepted)
        out = refusals.value(messages.indexOf(c.message)) + u' ' + QChar(u"-HMS"[int(c.focus)]);
    return out.toStdString();
}

// Fractions carry down, seconds round half to even; the caret goes to the first field at fault.
TEST(CheckStart, AcceptsWithTheEndTimeOrRefusesWithTheMessageAndTheFieldToFix)
{
    const std::tuple<const char *, bool, const char *> cases[] = {
        {"-0|0|1", true, "1 0|0|1"},           {"1.5|10.25|7", true, "6022 1|40|22"},
        {"0|0|2.5", true, "2 0|0|2"},          {"0|0|3.5", true, "4 0|0|4"},
        {"0|90| 300 ", true, "5700 0|90|300"}, {"9999999|0|0", true, "35999996400 9999999|0|0"},
        {"21|30|0", false, "39600"},           {"010|030|01", false, "1"},
        {"0||0", true, "invalid -"},           {"1e3|0|0", true, "invalid -"},
        {"-1|0|-1", false, "invalid H"},       {"99999999999|0|0", true, "invalid H"},
        {"0|0|2147483648", true, "invalid S"}, {"24|0|0", false, "format -"},
        {"10|60|0", false, "format -"},        {"11.0|0|0", false, "format -"},
        {"-0|0|0", false, "format -"},         {"10|30|0", false, "early S"},
        {"9|45|0", false, "early H"},          {"10|15|0", false, "early M"},
        {"0|30|0", false, "early H"},          {"+1|0|+0.5", true, "3600 1|0|0"}};
    for (const auto &[texts, countDown, expected] : cases)
        EXPECT_EQ(outcome(texts, countDown), expected) << texts;
    EXPECT_EQ(outcome("23|59|59", false, QTime(23, 59, 58)), "1") << "the day's last second";
}

// The clock labels show the locale's long time without its time zone; quoted text stays.
TEST(TimeText, IsTheLocalesLongTimeWithoutItsZone)
{
    for (const auto &[locale, format] :
         {std::pair(u"zh_CN"_s, u"HH:mm:ss"_s), std::pair(u"fr_BE"_s, u"H 'h' mm 'min' ss 's'"_s)})
        EXPECT_EQ(platform::longTimeFormatWithoutZone(QLocale(locale)), format);
}
