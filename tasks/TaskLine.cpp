#include "TaskLine.h"
#include "NumberText.h"

#include <cmath>
#include <limits>

namespace tasks {

namespace {

// A flag is read as a 16-bit integer (fractions round half to even) and stored as 0 or 1.
std::optional<qint16> readFlag(QStringView field)
{
    const auto value = parseNumber(field);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(rounded != 0 ? 1 : 0);
}

// A line break inside a field would split the record over two lines when read back.
QString withoutLineBreaks(const QString &text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString out = text;
    out.replace(u'\r', u' ').replace(u'\n', u' ');
    return out;
}

} // namespace

std::optional<TaskRecord> readTaskLine(QStringView line)
{
    const qsizetype n = line.size();
    if (n == 0 || line.front() != u'[')
        return std::nullopt;
    const qsizetype close = line.indexOf(u']');
    if (close < 1 || close >= n - 1)
        return std::nullopt;

    const QStringView inner = line.sliced(1, close - 1);
    const qsizetype quote = inner.indexOf(u'"');
    if (quote < 1)
        return std::nullopt;

    TaskRecord record;
    record.taskText = line.sliced(close + 1).toString();
    record.relaFile = inner.sliced(quote).toString().remove(u'"');

    // The character before the opening quote is the writer's comma; it is dropped unseen.
    const QStringView head = inner.first(quote - 1);
    std::array<QStringView, 7> fields;
    qsizetype count = 0;
    for (const QStringView field : head.tokenize(u',')) {
        if (count == qsizetype(fields.size()))
            return std::nullopt;
        fields[count++] = field;
    }
    if (count != qsizetype(fields.size()))
        return std::nullopt;

    const auto hour = parseNumber(fields[0]);
    const auto minute = parseNumber(fields[1]);
    const auto second = parseNumber(fields[2]);
    const auto runRelaFile = readFlag(fields[3]);
    const auto showMsg = readFlag(fields[4]);
    const auto runInBackground = readFlag(fields[5]);
    const auto countDown = readFlag(fields[6]);
    if (!hour || !minute || !second || !runRelaFile || !showMsg || !runInBackground || !countDown)
        return std::nullopt;

    record.hour = *hour;
    record.minute = *minute;
    record.second = *second;
    record.runRelaFile = *runRelaFile;
    record.showMsg = *showMsg;
    record.runInBackground = *runInBackground;
    record.countDown = *countDown;
    return record;
}

QString writeTaskLine(const TaskRecord &r)
{
    const QChar comma = u',';
    return u'[' + numberText(r.hour) + comma + numberText(r.minute) + comma +
           numberText(r.second) + comma + QString::number(r.runRelaFile) + comma +
           QString::number(r.showMsg) + comma + QString::number(r.runInBackground) + comma +
           QString::number(r.countDown) + comma + u'"' +
           withoutLineBreaks(r.relaFile.isEmpty() ? kNoRelatedFile : r.relaFile) + QStringLiteral("\"]") +
           withoutLineBreaks(r.taskText);
}

} // namespace tasks
