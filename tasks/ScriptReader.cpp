#include "ScriptReader.h"
#include "Spaces.h"
#include "TaskLine.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace tasks {

namespace {

// A seed other than 0 lets Qt hash with AES instructions where the processor has them (with 0
// it takes SipHash, several times slower over a long script). The hashes then differ from one
// run of the program to the next: they are never stored.
constexpr size_t kHashSeed = 0x9E3779B97F4A7C15u;

// The reminder texts of a list, to tell in constant time whether a text is already there: an
// open-addressing table, at most half full, of entry numbers beside 8 bits of their text's hash
// (texts are compared only when those agree), or of entry numbers alone for lists too long for
// both to share 32 bits.
class TextIndex {
public:
    TextIndex(const TaskList &list, qsizetype expected)
        : list_(list)
    {
        resize(expected);
        for (qsizetype i = 0; i < list.size(); ++i)
            insert(list.taskText(i), i);
    }

    static size_t hash(QStringView text) { return qHash(text, kHashSeed); }

    // Whether `text` was not there yet; it is then known as the entry at `index`.
    bool insert(QStringView text, qsizetype index) { return insert(text, index, hash(text)); }

    // Asks for the slot a text with this hash looks at first, so that a batch of texts waits
    // for memory once rather than once each.
    void prefetch(size_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }

    bool insert(QStringView text, qsizetype index, size_t hash)
    {
        if (2 * (count_ + 1) > qsizetype(slots_.size()))
            resize(2 * count_ + 2);
        if (tagged_ && index + 1 > kNumber) {
            tagged_ = false;
            rebuild(slots_.size(), true);
        }
        const quint32 tag = tagged_ ? quint32(hash >> (8 * sizeof(size_t) - 8)) << 24 : 0;
        const quint32 tagMask = tagged_ ? ~kNumber : 0;
        const quint32 numberMask = tagged_ ? kNumber : ~0u;
        const size_t mask = slots_.size() - 1;
        for (size_t s = hash & mask;; s = (s + 1) & mask) {
            if (slots_[s] == 0) {
                slots_[s] = tag | quint32(index + 1);
                ++count_;
                return true;
            }
            if ((slots_[s] & tagMask) == tag &&
                list_.taskText((slots_[s] & numberMask) - 1) == text)
                return false;
        }
    }

private:
    static constexpr quint32 kNumber = 0xFFFFFF;

    void resize(qsizetype entries)
    {
        size_t size = 64;
        while (size < size_t(2 * entries))
            size *= 2;
        if (size > slots_.size())
            rebuild(size, tagged_);
    }

    void rebuild(size_t size, bool wasTagged)
    {
        std::vector<quint32> old(size, 0);
        old.swap(slots_);
        const quint32 numberMask = wasTagged ? kNumber : ~0u;
        count_ = 0;
        for (const quint32 slot : old) {
            if (slot != 0)
                insert(list_.taskText((slot & numberMask) - 1), (slot & numberMask) - 1);
        }
    }

    const TaskList &list_;
    std::vector<quint32> slots_; // 0 for none
    qsizetype count_ = 0;
    bool tagged_ = true;
};

// Task lines read piece by piece into a list, in file order, the first of each reminder text;
// the list's own texts count as already there. Each line is decoded on its own, so that a large
// script is never held decoded whole.
class RecordReader {
public:
    RecordReader(TaskList &list, Encoding encoding, qsizetype lines)
        : list_(list)
        , encoding_(encoding)
        , texts_(list, list.size() + lines)
        , before_(list.size())
        , checked_(list.size())
    {
    }

    void add(QByteArrayView piece)
    {
        if (first_ && piece.startsWith(kUtf8Bom))
            piece = piece.sliced(3);
        first_ = false;
        forEachLine(piece, [&](QByteArrayView bytes) {
            if (readUsualLine(bytes))
                return;
            const QString line = decodeLine(bytes, encoding_);
            if (const std::optional<TaskFields> fields = parseTaskLine(line))
                add(*fields);
        });
    }

    // The number of entries read; the last ones are checked against the others first.
    qsizetype count()
    {
        checkNew();
        return list_.size() - before_;
    }

private:
    // Entries are added at once and checked in batches, the first of each text kept.
    void add(const TaskFields &fields)
    {
        list_.appendFields(fields);
        if (list_.size() - checked_ == kBatch)
            checkNew();
    }

    void checkNew()
    {
        std::array<size_t, kBatch> hashes;
        const qsizetype n = list_.size() - checked_;
        for (qsizetype i = 0; i < n; ++i) {
            hashes[size_t(i)] = TextIndex::hash(list_.taskText(checked_ + i));
            texts_.prefetch(hashes[size_t(i)]);
        }
        qsizetype kept = checked_;
        for (qsizetype i = 0; i < n; ++i) {
            if (texts_.insert(list_.taskText(checked_ + i), kept, hashes[size_t(i)]))
                list_.moveEntry(checked_ + i, kept++);
        }
        list_.truncate(kept);
        checked_ = kept;
    }

    static constexpr qsizetype kBatch = 16;

    // The usual line, '[' numbers in ASCII ',"' placeholder '"]' text, read without decoding
    // all of it; false for any other line. The reading is decodeLine's and parseTaskLine's:
    // ASCII is itself in either encoding, the placeholder's GB18030 bytes are no UTF-8 (so such
    // a line is GB18030 in any file, and it decodes whole when its text does), and a UTF-8
    // file reads a line that is valid UTF-8 as UTF-8.
    bool readUsualLine(QByteArrayView line)
    {
        // The placeholder's GB18030 bytes as they stand (asking the converter costs memory).
        static const QByteArrayView gbTail =
            "\xCA\xC2\xBC\xFE\xB9\xD8\xC1\xAA\xCE\xC4\xBC\xFE\xCE\xB4\xD6\xB8\xB6\xA8\"]";
        static const QByteArray utf8Tail = kNoRelatedFile.toUtf8() + "\"]";
        const qsizetype quote = detail::indexOf(line, '"', 0);
        if (quote < 2 || quote > qsizetype(head_.size()) || line.front() != '[')
            return false;
        const QByteArrayView rest = line.sliced(quote + 1);
        const bool gb = rest.startsWith(gbTail);
        if (!gb && !(encoding_ == Encoding::Utf8 && rest.startsWith(utf8Tail)))
            return false;
        const QByteArrayView text = rest.sliced(gb ? gbTail.size() : utf8Tail.size());
        if (text.isEmpty() || !(gb ? decodeGb(text, text_, true) : text.isValidUtf8()))
            return false;
        if (!gb)
            text_ = QString::fromUtf8(text);
        // The character before the quote is the writer's comma, dropped unseen. A head of
        // digits and commas is read from the bytes; any other ASCII head as parseTaskLine does.
        TaskFields fields;
        const char comma = line[quote - 1];
        if (uchar(comma) >= 0x80 || comma == ']')
            return false;
        if (!readPlainHead(line.sliced(1, quote - 2), fields)) {
            for (qsizetype i = 1; i < quote; ++i) {
                if (uchar(line[i]) >= 0x80 || line[i] == ']')
                    return false;
                head_[size_t(i - 1)] = char16_t(line[i]);
            }
            if (!parseTaskHead(QStringView(head_.data(), quote - 2), fields))
                return true; // a line parseTaskLine skips
        }
        fields.taskText = text_;
        fields.noRelatedFile = true;
        add(fields);
        return true;
    }

    // The usual head, seven numbers of one or two digits with the flags 0 or 1, read as
    // parseTaskHead reads it; false for any other.
    static bool readPlainHead(QByteArrayView head, TaskFields &fields)
    {
        std::array<int, 7> values{};
        size_t field = 0;
        int digits = 0;
        for (qsizetype i = 0; i <= head.size(); ++i) {
            if (i == head.size() || head[i] == ',') {
                if (digits == 0)
                    return false;
                ++field;
                digits = 0;
            } else if (head[i] < '0' || head[i] > '9' || ++digits > 2 || field == values.size()) {
                return false;
            } else {
                values[field] = values[field] * 10 + (head[i] - '0');
            }
        }
        if (field != values.size() ||
            std::any_of(values.begin() + 3, values.end(), [](int flag) { return flag > 1; }))
            return false;
        fields.hour = values[0], fields.minute = values[1], fields.second = values[2];
        fields.runRelaFile = qint16(values[3]), fields.showMsg = qint16(values[4]);
        fields.runInBackground = qint16(values[5]), fields.countDown = qint16(values[6]);
        return true;
    }

    std::array<char16_t, 64> head_;
    QString text_; // kept from line to line

    TaskList &list_;
    Encoding encoding_;
    TextIndex texts_;
    qsizetype before_;
    qsizetype checked_; // entries before it are known to the index
    bool first_ = true;
};

qsizetype lineEnds(QByteArrayView bytes)
{
    qsizetype n = 0;
    for (const char *p = bytes.data(), *end = p + bytes.size();
         (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        ++n;
    return n;
}

} // namespace

bool readAll(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

size_t contentHash(QByteArrayView bytes)
{
    size_t hash = kHashSeed;
    for (qsizetype at = 0; at < bytes.size(); at += kBlock)
        hash = qHash(bytes.sliced(at, std::min(kBlock, bytes.size() - at)), hash);
    return hash;
}

bool readInPieces(const QString &path, qint64 &size, size_t &hash,
                  const std::function<void(QByteArrayView)> &fn)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray buffer;
    size = 0;
    hash = kHashSeed;
    for (;;) {
        const qsizetype kept = buffer.size();
        buffer.resize(kept + kBlock);
        qsizetype got = 0;
        while (got < kBlock) {
            const qint64 n = file.read(buffer.data() + kept + got, kBlock - got);
            if (n < 0)
                return false;
            if (n == 0)
                break;
            got += qsizetype(n);
        }
        buffer.truncate(kept + got);
        if (got > 0)
            hash = qHash(QByteArrayView(buffer).sliced(kept), hash);
        size += got;
        if (got < kBlock) {
            if (!buffer.isEmpty())
                fn(QByteArrayView(buffer));
            return true;
        }
        if (const qsizetype cut = std::max(buffer.lastIndexOf('\n'), buffer.lastIndexOf('\r')) + 1;
            cut > 0) {
            fn(QByteArrayView(buffer).first(cut));
            buffer.remove(0, cut);
        }
    }
}

void remember(ScriptFile &script, qint64 size, size_t hash)
{
    script.known = true;
    script.size = size;
    script.hash = hash;
}

qsizetype loadTaskScript(ScriptFile &script, TaskList &taskList)
{
    // Read twice in pieces: first how it is encoded, then its lines.
    EncodingVote vote;
    qsizetype lines = 1;
    qint64 size = 0;
    size_t hash = 0;
    if (!readInPieces(script.path, size, hash, [&](QByteArrayView piece) {
            vote.add(piece);
            lines += lineEnds(piece);
        }))
        return 0;
    script.encoding = vote.result();
    script.bom = vote.bom();
    if (QByteArray bytes; !vote.decided() && readAll(script.path, bytes))
        script.encoding = fileEncoding(bytes);
    // A character takes at least a byte; the pages reserved beyond the text are never touched.
    taskList.reserve(taskList.size() + lines, taskList.size() * 32 + qsizetype(size));
    RecordReader records(taskList, script.encoding, lines);
    // What was read the second time is what the next save compares with; a file that could not
    // be read again counts as changed, so that the save starts from what it then holds.
    const bool read =
        readInPieces(script.path, size, hash, [&](QByteArrayView piece) { records.add(piece); });
    remember(script, read ? size : -1, hash);
    return records.count();
}

} // namespace tasks
