#include "TaskScript.h"
#include "Spaces.h"
#include "TaskLine.h"
#include "TaskList.h"
#include "TextCodec.h"
#include "mdlPub.h"

#include <FileLock.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <chrono>
#include <vector>

namespace tasks {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

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

// The reminder texts of a script joined together, to tell whether it holds any text.
QString readTaskTexts(const QByteArray &bytes)
{
    QString texts;
    const QString text = decodeText(bytes);
    forEachLine(QStringView(text), [&](QStringView line) {
        line = trimSpaces(line);
        const qsizetype close = line.indexOf(u']');
        if (close >= 0)
            line = trimSpaces(line.sliced(close + 1));
        texts += line;
    });
    return texts;
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

bool ensureTaskScript(const QString &path)
{
    if (mdlPub::relatedFileUsable(path)) {
        // A look at the beginning settles the common case, then one at the whole file; the
        // exact reading decides a rewrite.
        QByteArray bytes;
        bool whole = false;
        if (!readStart(path, bytes, whole))
            return false;
        if (anyLineHasText(bytes, whole))
            return true;
        if (!whole && !readAll(path, bytes))
            return false;
        if ((!whole && anyLineHasText(bytes, true)) || !readTaskTexts(bytes).isEmpty())
            return true;
        if (bytes.isEmpty()) {
            writeLocked(path, sampleTaskScript().first() + kLineEnd,
                        [&] { return QFileInfo(path).size() == 0; });
        } else { // the lines it holds (notes, blank lines) stay, after the prompt line
            ScriptFile script(path);
            script.started.append(*readTaskLine(sampleTaskScript().first()));
            saveTaskScript(script, {});
        }
        return true;
    }
    if (QFileInfo(path).isFile()) { // it is never replaced
        QByteArray bytes;
        return readAll(path, bytes);
    }
    writeLocked(path, sampleTaskScript().join(kLineEnd), [&] { return !QFileInfo::exists(path); });
    return true;
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
