#pragma once

#include "TaskRecord.h"

#include <QStringView>

#include <array>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace tasks {

struct TaskFields;

// The stored tasks, most recently started first, at most one entry per reminder text. The
// texts live in one block of characters and each task in a small entry beside it, so that a
// script of 100,000 tasks costs no object and no string per task.
class TaskList {
public:
    TaskList() = default;
    TaskList(std::initializer_list<TaskRecord> records);

    qsizetype size() const { return qsizetype(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    TaskRecord at(qsizetype i) const;
    TaskRecord first() const { return at(0); }
    QStringView taskText(qsizetype i) const
    {
        const Entry &e = entries_[size_t(i)];
        return span(e.text, e.textSize);
    }
    // The first entry with this reminder text, -1 when there is none.
    qsizetype indexOf(QStringView taskText) const;

    void reserve(qsizetype entries, qsizetype characters);
    void append(const TaskRecord &record);
    void appendFields(const TaskFields &fields);
    void prepend(const TaskRecord &record);
    void remove(qsizetype i);
    void move(qsizetype from, qsizetype to);
    // For a reader that drops entries from the end: entry `from` becomes entry `to` (not after
    // it), then the list keeps its first `size` entries.
    void moveEntry(qsizetype from, qsizetype to) { entries_[size_t(to)] = entries_[size_t(from)]; }
    void truncate(qsizetype size) { entries_.resize(size_t(size)); }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TaskRecord;
        using difference_type = qsizetype;
        using reference = TaskRecord;
        using pointer = void;
        const_iterator() = default;
        const_iterator(const TaskList *list, qsizetype i)
            : list_(list)
            , i_(i)
        {
        }
        TaskRecord operator*() const { return list_->at(i_); }
        const_iterator &operator++()
        {
            ++i_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++i_;
            return before;
        }
        friend bool operator==(const const_iterator &, const const_iterator &) = default;

    private:
        const TaskList *list_ = nullptr;
        qsizetype i_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const TaskList &a, const TaskList &b);

private:
    // A text is a span of chars_; the placeholder related file is no span at all. A number is
    // kept as it is when it is a whole number below 2^31 (nearly all are), else in doubles_.
    // 32 bytes a task.
    struct Entry {
        quint32 text = 0, textSize = 0, file = 0, fileSize = 0;
        std::array<quint32, 3> numbers{};
        std::array<qint8, 4> flags{};
    };
    static constexpr quint32 kPlaceholder = 0xFFFFFFFF;
    static constexpr quint32 kStored = 0x80000000;

    template <typename Source> void copyNumbers(const Source &from, Entry &e);
    quint32 number(double value);
    double number(quint32 value) const
    {
        return value & kStored ? doubles_[value & ~kStored] : value;
    }
    Entry entry(const TaskRecord &record);
    quint32 store(QStringView text);
    QStringView span(quint32 at, quint32 size) const
    {
        return QStringView(chars_).sliced(at, size);
    }

    QString chars_; // only ever appended to: a removed entry's text stays until the list goes
    std::vector<Entry> entries_;
    std::vector<double> doubles_;
};

} // namespace tasks
