#include "TaskList.h"
#include "TaskLine.h"

#include <algorithm>

namespace tasks {

TaskList::TaskList(std::initializer_list<TaskRecord> records)
{
    for (const TaskRecord &record : records)
        append(record);
}

TaskRecord TaskList::at(qsizetype i) const
{
    const Entry &e = entries_[size_t(i)];
    return {span(e.text, e.textSize).toString(),
            e.file == kPlaceholder ? kNoRelatedFile : span(e.file, e.fileSize).toString(),
            number(e.numbers[0]),
            number(e.numbers[1]),
            number(e.numbers[2]),
            e.flags[0],
            e.flags[1],
            e.flags[2],
            e.flags[3]};
}

quint32 TaskList::number(double value)
{
    // A whole number below 2^31 is kept in the entry itself: it alone comes back unchanged from
    // the cast to quint32 and back (no call to floor for every number of a long script).
    if (value >= 0 && value < kStored && double(quint32(value)) == value)
        return quint32(value);
    doubles_.push_back(value);
    return kStored | quint32(doubles_.size() - 1);
}

qsizetype TaskList::indexOf(QStringView taskText) const
{
    for (qsizetype i = 0; i < size(); ++i) {
        if (this->taskText(i) == taskText)
            return i;
    }
    return -1;
}

void TaskList::reserve(qsizetype entries, qsizetype characters)
{
    entries_.reserve(size_t(entries));
    chars_.reserve(characters);
}

quint32 TaskList::store(QStringView text)
{
    const auto at = quint32(chars_.size());
    chars_ += text;
    return at;
}

// The entry's numbers and flags, from a record or from a line's fields. A flag is kept as 0 or
// 1, as a script line reads it.
template <typename Source> void TaskList::copyNumbers(const Source &r, Entry &e)
{
    e.numbers = {number(r.hour), number(r.minute), number(r.second)};
    e.flags = {qint8(r.runRelaFile != 0), qint8(r.showMsg != 0), qint8(r.runInBackground != 0),
               qint8(r.countDown != 0)};
}

TaskList::Entry TaskList::entry(const TaskRecord &r)
{
    Entry e{store(r.taskText), quint32(r.taskText.size()), kPlaceholder, 0};
    copyNumbers(r, e);
    // The placeholder, which most tasks hold, takes no room (an empty text stays empty).
    if (r.relaFile != kNoRelatedFile)
        e.file = store(r.relaFile), e.fileSize = quint32(r.relaFile.size());
    return e;
}

void TaskList::append(const TaskRecord &record)
{
    entries_.push_back(entry(record));
}

void TaskList::appendFields(const TaskFields &f)
{
    Entry e{store(f.taskText), quint32(f.taskText.size()), kPlaceholder, 0};
    copyNumbers(f, e);
    if (!f.noRelatedFile) {
        e.file = quint32(chars_.size());
        for (const QChar c : f.quotedFile) {
            if (c != u'"')
                chars_ += c;
        }
        e.fileSize = quint32(chars_.size()) - e.file;
    }
    entries_.push_back(e);
}

void TaskList::prepend(const TaskRecord &record)
{
    entries_.insert(entries_.begin(), entry(record));
}

void TaskList::remove(qsizetype i)
{
    entries_.erase(entries_.begin() + i);
}

void TaskList::move(qsizetype from, qsizetype to)
{
    const auto first = entries_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else if (from > to)
        std::rotate(first + to, first + from, first + from + 1);
}

bool operator==(const TaskList &a, const TaskList &b)
{
    return std::ranges::equal(a, b);
}

} // namespace tasks
