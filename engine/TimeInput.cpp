#include "TimeInput.h"

#include <NumberText.h>
#include <TaskRecord.h>

#include <cmath>
#include <limits>

namespace engine {

const QString kInvalidDataMessage = QStringLiteral("您输入的数据不合法!");
const QString kNoticeTitle = QStringLiteral("提示");
const QString kTimeFormatMessage = QStringLiteral(
    "时间格式错误:\r\n\r\n您选择的是\"按到点方式\",所以小时分钟秒数三项的值都应该在它们本身的"
    "限制范围内,请重新设置");
const QString kTimeTooEarlyMessage = QStringLiteral("注意:\r\n\r\n输入的时间不能小于当前的时间");

namespace {

StartCheck refused(const QString &message, const QString &title, TimeField focus, bool focusFirst)
{
    StartCheck check;
    check.message = message;
    check.title = title;
    check.focus = focus;
    check.focusBeforeMessage = focusFirst;
    return check;
}

StartCheck invalidData(TimeField focus)
{
    return refused(kInvalidDataMessage, kNoticeTitle, focus, true);
}

// A clock-time field: digits only once the spaces around them are gone, at most `limit`.
int clockValue(QStringView text, int limit)
{
    text = text.trimmed();
    if (text.isEmpty())
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = std::min(value * 10 + (c.unicode() - u'0'), 1000);
    }
    return value <= limit ? value : -1;
}

StartCheck countdown(const std::array<double, 3> &v, const QDateTime &now)
{
    // Fractions carry downwards only; the seconds round half to even.
    const double H = std::trunc(v[0]);
    const double m2 = v[1] + (v[0] - H) * 60;
    const double M = std::trunc(m2);
    const double S = std::nearbyint(v[2] + (m2 - M) * 60);

    // Amounts no typed value reaches (seven nines of hours end in the year 3167) but a stored
    // script could: refused instead of overflowing.
    constexpr double kMaxCount = std::numeric_limits<qint32>::max();
    const QDateTime last(QDate(9999, 12, 31), QTime(23, 59, 59), now.timeSpec());
    const std::array<std::pair<double, qint64>, 3> steps = {{{S, 1}, {M, 60}, {H, 3600}}};
    const TimeField fields[3] = {TimeField::Second, TimeField::Minute, TimeField::Hour};
    QDateTime end = now;
    for (int i = 0; i < 3; ++i) {
        const auto [amount, unit] = steps[i];
        if (!(amount <= kMaxCount) || end.secsTo(last) < qint64(amount) * unit)
            return invalidData(fields[i]);
        end = end.addSecs(qint64(amount) * unit);
    }

    StartCheck check;
    check.accepted = true;
    check.endTime = end;
    check.rewrite = true;
    check.rewritten = {QString::number(qint64(H)), QString::number(qint64(M)),
                       QString::number(qint64(S))};
    return check;
}

StartCheck clockTime(const FieldTexts &texts, const QDateTime &now)
{
    const int hour = clockValue(texts[0], 23);
    const int minute = clockValue(texts[1], 59);
    const int second = clockValue(texts[2], 59);
    if (hour < 0 || minute < 0 || second < 0)
        return refused(kTimeFormatMessage, tasks::kAppTitle, TimeField::None, false);

    const QDateTime end(now.date(), QTime(hour, minute, second), now.timeSpec());
    if (end > now) {
        StartCheck check;
        check.accepted = true;
        check.endTime = end;
        return check;
    }
    const QTime present = now.time();
    const TimeField focus = hour < present.hour()       ? TimeField::Hour
                            : minute < present.minute() ? TimeField::Minute
                                                        : TimeField::Second;
    StartCheck check = refused(kTimeTooEarlyMessage, tasks::kAppTitle, focus, false);
    check.endTime = end;
    return check;
}

} // namespace

bool isNumeric(QStringView text)
{
    return tasks::parseNumber(text).has_value();
}

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    bool point = false;
    bool digit = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= u'0' && text[i] <= u'9')
            digit = true;
        else if (text[i] == u'.' && !point)
            point = true;
        else
            break;
    }
    if (!digit)
        return 0;
    const auto value = tasks::parseNumber(text.sliced(start, i - start));
    return value ? *value : 0;
}

StartCheck checkStart(const FieldTexts &texts, bool countDown, const QDateTime &now)
{
    std::array<double, 3> values{};
    for (int i = 0; i < 3; ++i) {
        const auto value = tasks::parseNumber(texts[i]);
        if (!value)
            return invalidData(TimeField::None);
        values[i] = *value;
    }
    for (int i = 0; i < 3; ++i) {
        if (values[i] < 0)
            return invalidData(TimeField(i + 1));
    }
    return countDown ? countdown(values, now) : clockTime(texts, now);
}

} // namespace engine
