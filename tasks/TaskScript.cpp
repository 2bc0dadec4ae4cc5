#include "TaskScript.h"
#include "Spaces.h"
#include "TaskLine.h"
#include "TaskList.h"
#include "TextCodec.h"
#include "mdlPub.h"

#include <FileLock.h>
#include <Platform.h>

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

namespace tasks {

namespace {

const QString kCannotReadScript = QStringLiteral("不存在该文件或该文件不能访问!");
const QString kLineEnd = QStringLiteral("\r\n");
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Every read-merge-write of the script is done holding this; a holder takes well under a second.
constexpr std::chrono::milliseconds kLockWait(2000);

QString lockPath(const QString &scriptPath)
{
    const QFileInfo info(scriptPath);
    return info.path() + u'/' + u'.' + info.fileName() + QStringLiteral(".lock");
}

// Writes `text` as the script at `path`, holding the lock, when `stillSo()` then holds.
template <typename Fn> void writeLocked(const QString &path, const QString &text, Fn stillSo)
{
    const platform::FileLock lock(lockPath(path), kLockWait);
    if (stillSo())
        mdlPub::writeTextFile(path, text);
}

bool readAll(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace

QString taskScriptPath(const QString &directory)
{
    return directory + QDir::separator() + QStringLiteral("task.dat");
}

const QStringList &sampleTaskScript()
{
    static const QStringList lines = {
        QStringLiteral(
            R"L([0,0,0,0,1,1,1,"事件关联文件未指定"]请在这里输入或者从下拉列表中选择你要提醒的事件)L"),
        QStringLiteral(R"L([13,20,0,0,1,1,0,"事件关联文件未指定"]例1:要上课了!(说明:按到点方式))L"),
        QStringLiteral(
            R"L([0,6,0,0,1,1,1,"事件关联文件未指定"]例2:水要烧开了!(说明:按倒计时方式))L"),
        QStringLiteral(
            R"L([21,30,0,1,1,1,0,"cmd:set/p x=确认关机请按y,否则请按n: & if %x%==y shutdown /s /f /t 0"]例3:关机睡觉(说明:事件关联为DOS命令,关机前有提示,注意这里DOS命令的书写格式,必须以"cmd:"开头,多条语句用"&"隔开))L"),
        QStringLiteral(
            R"L([21,30,0,1,1,1,0,"cmd:shutdown /s /f /t 0"]例4:关机睡觉(说明:事件关联为DOS命令,关机前无提示,请慎用!))L"),
        QStringLiteral(
            R"L([23,0,0,1,1,0,0,"cmd:start https://tv.cctv.com/live/"]例5：央视直播(打开指定网页))L"),
    };
    return lines;
}

namespace {

bool hasText(QStringView line)
{
    QStringView rest = trimSpaces(line);
    if (const qsizetype close = rest.indexOf(u']'); close >= 0)
        rest = trimSpaces(rest.sliced(close + 1));
    return !rest.isEmpty();
}

// True as soon as one line of `bytes` holds reminder text. Only lines are decoded until then,
// and the file's encoding is weighed only when a line's reading depends on it, which ends the
// look at a file's beginning (not `whole`) with false.
bool anyLineHasText(const QByteArray &bytes, bool whole)
{
    std::optional<Encoding> encoding;
    bool found = false, stop = false;
    forEachLine(QByteArrayView(bytes), [&](QByteArrayView line) {
        if (found || stop)
            return;
        if (std::optional<QString> text = encoding ? std::nullopt : decodeLineOfAnyFile(line)) {
            found = hasText(*text);
            return;
        }
        stop = !whole;
        if (!encoding && whole)
            encoding = fileEncoding(bytes);
        found = whole && hasText(decodeLine(line, *encoding));
    });
    return found;
}

// The file's first 64 KiB, without a line cut off at their end; `whole` when that is all.
bool readStart(const QString &path, QByteArray &bytes, bool &whole)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.read(64 * 1024);
    whole = file.atEnd();
    if (!whole)
        bytes.truncate(std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r')));
    return file.error() == QFileDevice::NoError;
}

} // namespace

void ensureTaskScript(platform::Platform &platform)
{
    const QString path = taskScriptPath(platform.programDirectory());
    if (mdlPub::relatedFileUsable(path)) {
        // A look at the beginning settles the common case, then one at the whole file; the
        // exact reading decides a rewrite.
        QByteArray bytes;
        bool whole = false;
        if (readStart(path, bytes, whole) && anyLineHasText(bytes, whole))
            return;
        if (!whole && readAll(path, bytes) && anyLineHasText(bytes, true))
            return;
        if (!readTaskTexts(platform, path).isEmpty())
            return;
        if (QFileInfo(path).size() == 0) {
            writeLocked(path, sampleTaskScript().first() + kLineEnd,
                        [&] { return QFileInfo(path).size() == 0; });
        } else { // the lines it holds (notes, blank lines) stay, after the prompt line
            ScriptFile script(path);
            script.started.append(*readTaskLine(sampleTaskScript().first()));
            saveTaskScript(script, {});
        }
    } else if (QFileInfo(path).isFile()) {
        readTaskTexts(platform, path); // says that it cannot be read; it is never replaced
    } else {
        writeLocked(path, sampleTaskScript().join(kLineEnd),
                    [&] { return !QFileInfo::exists(path); });
    }
}

QString readTaskTexts(platform::Platform &platform, const QString &path)
{
    QByteArray bytes;
    const bool ok = readAll(path, bytes);
    QString texts;
    const QString text = decodeText(bytes);
    forEachLine(QStringView(text), [&](QStringView line) {
        line = trimSpaces(line);
        const qsizetype close = line.indexOf(u']');
        if (close >= 0)
            line = trimSpaces(line.sliced(close + 1));
        texts += line;
    });
    if (!ok)
        platform.messageBox(kCannotReadScript, kAppTitle, platform::MsgButtons::Ok,
                            platform::MsgIcon::Exclamation);
    return texts;
}

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

constexpr qsizetype kBlock = 256 * 1024;

// A hash of a file's bytes chained block by block, so that a file read in blocks hashes as the
// same bytes held whole.
size_t contentHash(QByteArrayView bytes)
{
    size_t hash = kHashSeed;
    for (qsizetype at = 0; at < bytes.size(); at += kBlock)
        hash = qHash(bytes.sliced(at, std::min(kBlock, bytes.size() - at)), hash);
    return hash;
}

// Reads the file at `path` block by block and calls `fn` with pieces that end at a line end (the
// last one as the file ends), so that a large script is never held whole; `size` and `hash` get
// the file's size and contentHash(). False when the file cannot be read.
template <typename Fn> bool readInPieces(const QString &path, qint64 &size, size_t &hash, Fn fn)
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

} // namespace

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

ScriptPreload::ScriptPreload(QString path)
    : script_(std::move(path))
    , dispatcher_(QAbstractEventDispatcher::instance())
{
    // A short script is read in less time than a thread takes to start.
    if (QFileInfo(script_.path).size() <= kBlock)
        return;
    try {
        thread_ = std::thread([this] {
            count_ = loadTaskScript(script_, taskList_);
            ended_ = true;
            if (dispatcher_)
                dispatcher_->wakeUp();
        });
    } catch (const std::system_error &) { // no thread to be had: load() reads it then
    }
}

ScriptPreload::~ScriptPreload()
{
    wait();
}

void ScriptPreload::wait()
{
    if (thread_.joinable())
        thread_.join();
}

qsizetype ScriptPreload::load(ScriptFile &script, TaskList &taskList)
{
    wait();
    TaskList early = std::exchange(taskList_, TaskList()); // never kept beyond this call
    const bool read = std::exchange(script_.known, false);
    // The file may have changed since (the sample written, an edit, another copy's save, while
    // a second copy's notice waited): its bytes are compared, as a save compares them.
    qint64 size = -1;
    size_t hash = 0;
    if (script.path != script_.path || !taskList.isEmpty() || !read ||
        !readInPieces(script_.path, size, hash, [](QByteArrayView) {}) || size != script_.size ||
        hash != script_.hash)
        return loadTaskScript(script, taskList);
    script.encoding = script_.encoding;
    script.bom = script_.bom;
    remember(script, size, hash);
    taskList = std::move(early);
    return count_;
}

namespace {

// The started tasks as the top lines of the file: newest first, each reminder text once; a task
// without a text is never written.
QList<TaskRecord> newestFirst(const TaskList &started)
{
    QList<TaskRecord> top;
    QSet<QStringView> texts;
    for (qsizetype i = started.size() - 1; i >= 0; --i) {
        if (!started.taskText(i).isEmpty() && !texts.contains(started.taskText(i))) {
            top.append(started.at(i));
            texts.insert(top.back().taskText);
        }
    }
    return top;
}

// A line of a file: its bytes from `begin`, without its line end, which ends at `end`.
struct LineSpan {
    qsizetype begin, size, end;
};

// The lines of `body` (read in `encoding`) that tasks with these reminder texts replace: for each
// text, the first line that reads as a task with it. In file order.
std::vector<LineSpan> linesToReplace(QByteArrayView body, Encoding encoding,
                                     const QList<TaskRecord> &top)
{
    // A line ends with its text's bytes, in either encoding ("€" also as GBK's 0x80); only such
    // a line is decoded and read.
    QHash<QString, qsizetype> index;
    QSet<QByteArray> ends;
    for (qsizetype i = 0; i < top.size(); ++i) {
        index.insert(top[i].taskText, i);
        ends << encodeText(top[i].taskText, Encoding::Utf8)
             << encodeText(top[i].taskText, Encoding::Gb18030)
             << encodeText(top[i].taskText, Encoding::Gb18030, true);
    }
    // A text read from damaged bytes (U+FFFD) is not their encoding: every line is read.
    const bool readAllLines = std::ranges::any_of(
        top, [](const TaskRecord &r) { return r.taskText.contains(QChar::ReplacementCharacter); });
    std::vector<bool> found(size_t(top.size()), false);
    qsizetype left = top.size();
    std::vector<LineSpan> lines;
    for (qsizetype at = 0, n = body.size(); at < n && left > 0;) {
        qsizetype end = at;
        while (end < n && body[end] != '\r' && body[end] != '\n')
            ++end;
        const LineSpan line{at, end - at,
                            end + (end + 1 < n && body[end] == '\r' && body[end + 1] == '\n' ? 2
                                   : end < n                                                 ? 1
                                                                                             : 0)};
        at = line.end;
        const QByteArrayView bytes = body.sliced(line.begin, line.size);
        const qsizetype close = detail::indexOf(bytes, ']', 0);
        if (close < 1 || bytes.front() != '[')
            continue;
        // A "]" after a GB lead byte may be its second byte: such a line is read whole.
        if (!readAllLines && uchar(bytes[close - 1]) < 0x81 &&
            !ends.contains(
                QByteArray::fromRawData(bytes.data() + close + 1, bytes.size() - close - 1)))
            continue;
        const QString text = decodeLine(bytes, encoding);
        if (const std::optional<TaskFields> fields = parseTaskLine(text)) {
            const qsizetype i = index.value(fields->taskText.toString(), -1);
            if (i >= 0 && !found[size_t(i)]) {
                found[size_t(i)] = true;
                --left;
                lines.push_back(line);
            }
        }
    }
    std::ranges::sort(lines, {}, &LineSpan::begin);
    return lines;
}

// Whether `bytes`, a file of `encoding` with the top lines `topBytes` added, reads each top line
// as `topText` and every other line as it read before; `encoding` becomes the new file's.
bool readsBack(QByteArrayView bytes, Encoding &encoding, bool keptAscii,
               const QList<QByteArray> &topBytes, const QStringList &topText)
{
    const Encoding after = fileEncoding(bytes);
    if (after != encoding && !keptAscii)
        return false;
    for (qsizetype i = 0; i < topBytes.size(); ++i)
        if (decodeLine(topBytes[i], after) != topText[i])
            return false;
    encoding = after;
    return true;
}

// The script's bytes with the tasks of `top` as its first lines, each replacing the first line
// with its reminder text; every other line stays as it is, byte for byte. A top line is written
// in the file's encoding, else in the other one where that would read otherwise; when neither
// reads back, the whole file is written as UTF-8 with its mark. `encoding` becomes the file's.
QByteArray withTasksOnTop(QByteArrayView file, Encoding &encoding, const QList<TaskRecord> &top)
{
    const bool bom = file.startsWith(kUtf8Bom);
    const QByteArrayView body = file.sliced(bom ? 3 : 0);
    const std::vector<LineSpan> replaced = linesToReplace(body, encoding, top);
    QByteArray kept;
    kept.reserve(body.size());
    qsizetype from = 0;
    const auto keep = [&](QByteArrayView bytes) {
        // A lone CR before the line taken out and an LF after it must not become one line end.
        if (kept.endsWith('\r') && bytes.startsWith('\n'))
            kept.append('\n');
        kept.append(bytes);
    };
    for (const LineSpan &line : replaced) {
        keep(body.sliced(from, line.begin - from));
        from = line.end;
    }
    keep(body.sliced(from));

    QStringList topText;
    for (const TaskRecord &record : top)
        topText.append(writeTaskLine(record));
    const bool keptAscii = isAscii(kept);
    const bool gbk =
        encoding == Encoding::Gb18030 &&
        std::ranges::any_of(topText, [](const QString &t) { return t.contains(u'€'); }) &&
        hasGbkOnlyLine(body);
    const Encoding other = encoding == Encoding::Utf8 ? Encoding::Gb18030 : Encoding::Utf8;
    for (const Encoding lines : {encoding, other}) {
        QList<QByteArray> topBytes;
        QByteArray bytes(bom ? kUtf8Bom : "");
        for (const QString &line : topText) {
            topBytes.append(encodeText(line, lines, gbk));
            bytes += topBytes.back() + "\r\n";
        }
        bytes += kept;
        if (readsBack(bytes, encoding, keptAscii, topBytes, topText))
            return bytes;
    }
    QString text = topText.join(kLineEnd) + kLineEnd;
    const QString rest = decodeText(kept, encoding);
    forEachLine(QStringView(rest), [&](QStringView line) {
        text += line;
        text += kLineEnd;
    });
    encoding = Encoding::Utf8;
    return encodeFile(text, Encoding::Utf8, true);
}

} // namespace

bool saveTaskScript(ScriptFile &script, const TaskList &taskList)
{
    // Held from the reading to the check of what was written, so that two copies saving at once
    // each add their task to what the other wrote. Without it after a while, the save goes on
    // rather than lose the task.
    const platform::FileLock lock(lockPath(script.path), kLockWait);
    QByteArray onDisk;
    if (QFileInfo::exists(script.path)) {
        // A script that cannot be read is never replaced.
        if (!readAll(script.path, onDisk))
            return false;
        // Weighed again only when someone else wrote it since this copy read or wrote it.
        if (!script.known || onDisk.size() != script.size || contentHash(onDisk) != script.hash)
            script.encoding = fileEncoding(onDisk);
    } else {
        // Gone (or never there): what this copy holds.
        QString text;
        for (const TaskRecord &record : taskList) {
            if (!record.taskText.isEmpty()) {
                appendTaskLine(text, record);
                text += kLineEnd;
            }
        }
        onDisk = encodeFile(text, script.encoding, script.bom);
        script.encoding = fileEncoding(onDisk);
    }
    const QList<TaskRecord> top = newestFirst(script.started);
    const QByteArray bytes = top.isEmpty() ? onDisk : withTasksOnTop(onDisk, script.encoding, top);
    if (bytes == onDisk && QFileInfo::exists(script.path)) {
        script.started = {}; // already there as they would be written
        return false;
    }
    if (bytes.isEmpty())
        return false;
    if (!mdlPub::replaceFile(script.path, bytes))
        return false;
    script.bom = bytes.startsWith(kUtf8Bom);
    // The started tasks are forgotten only once the file is seen to hold them.
    if (QByteArray back; readAll(script.path, back) && back == bytes) {
        script.started = {};
        remember(script, bytes.size(), contentHash(bytes));
    }
    return true;
}

} // namespace tasks
