#include "TaskLine.h"
#include "NumberText.h"

#include <array>
#include <cmath>
#include <limits>

namespace tasks {

namespace {

// A flag is read as a 16-bit integer (fractions round half to even) and stored as 0 or 1.
// parseNumber(), with one or two digits, nearly every number written, read on the spot.
std::optional<double> readNumber(QStringView field)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (field.size() == 1 && digit(field[0]))
        return field[0].unicode() - u'0';
    if (field.size() == 2 && digit(field[0]) && digit(field[1]))
        return (field[0].unicode() - u'0') * 10 + (field[1].unicode() - u'0');
    return parseNumber(field);
}

std::optional<qint16> readFlag(QStringView field)
{
    if (field.size() == 1 && (field[0] == u'0' || field[0] == u'1'))
        return qint16(field[0] == u'1'); // as written
    const auto value = readNumber(field);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(rounded != 0 ? 1 : 0);
}

// A line break inside a field would split the record over two lines when read back.
void appendWithoutLineBreaks(QString &out, const QString &text)
{
    const qsizetype from = out.size();
    out += text;
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return;
    for (qsizetype i = from; i < out.size(); ++i) {
        if (out[i] == u'\r' || out[i] == u'\n')
            out[i] = u' ';
    }
}

} // namespace

std::optional<TaskFields> parseTaskLine(QStringView line)
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

    TaskFields record;
    record.taskText = line.sliced(close + 1);
    record.quotedFile = inner.sliced(quote);
    const QStringView inside = record.quotedFile.sliced(1);
    record.noRelatedFile = inside.size() == kNoRelatedFile.size() + 1 && inside.endsWith(u'"') &&
                           inside.startsWith(kNoRelatedFile);

    // The character before the opening quote is the writer's comma; it is dropped unseen.
    if (!parseTaskHead(inner.first(quote - 1), record))
        return std::nullopt;
    return record;
}

bool parseTaskHead(QStringView head, TaskFields &record)
{
    std::array<QStringView, 7> fields;
    qsizetype count = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= head.size(); ++i) {
        if (i < head.size() && head[i] != u',')
            continue;
        if (count == qsizetype(fields.size()))
            return false;
        fields[count++] = head.sliced(start, i - start);
        start = i + 1;
    }
    if (count != qsizetype(fields.size()))
        return false;

    const auto hour = readNumber(fields[0]);
    const auto minute = readNumber(fields[1]);
    const auto second = readNumber(fields[2]);
    const auto runRelaFile = readFlag(fields[3]);
    const auto showMsg = readFlag(fields[4]);
    const auto runInBackground = readFlag(fields[5]);
    const auto countDown = readFlag(fields[6]);
    if (!hour || !minute || !second || !runRelaFile || !showMsg || !runInBackground || !countDown)
        return false;

    record.hour = *hour;
    record.minute = *minute;
    record.second = *second;
    record.runRelaFile = *runRelaFile;
    record.showMsg = *showMsg;
    record.runInBackground = *runInBackground;
    record.countDown = *countDown;
    return true;
}

std::optional<TaskRecord> readTaskLine(QStringView line)
{
    const std::optional<TaskFields> f = parseTaskLine(line);
    if (!f)
        return std::nullopt;
    // The placeholder, which most lines hold, shares the one constant.
    return TaskRecord{f->taskText.toString(),
                      f->noRelatedFile ? kNoRelatedFile : f->quotedFile.toString().remove(u'"'),
                      f->hour,
                      f->minute,
                      f->second,
                      f->runRelaFile,
                      f->showMsg,
                      f->runInBackground,
                      f->countDown};
}

void appendTaskLine(QString &out, const TaskRecord &r)
{
    out += u'[';
    for (double amount : {r.hour, r.minute, r.second}) {
        appendNumberText(out, amount);
        out += u',';
    }
    for (qint16 flag : {r.runRelaFile, r.showMsg, r.runInBackground, r.countDown}) {
        if (flag == 0 || flag == 1)
            out += QChar(u'0' + flag); // the usual case, without a temporary string
        else
            out += QString::number(flag);
        out += u',';
    }
    out += u'"';
    appendWithoutLineBreaks(out, r.relaFile.isEmpty() ? kNoRelatedFile : r.relaFile);
    out += u'"';
    out += u']';
    appendWithoutLineBreaks(out, r.taskText);
}

QString writeTaskLine(const TaskRecord &record)
{
    QString line;
    appendTaskLine(line, record);
    return line;
}

} // namespace tasks
