#include "TaskScript.h"
#include "Spaces.h"
#include "TaskLine.h"
#include "TaskList.h"
#include "TextCodec.h"
#include "mdlPub.h"

#include <Platform.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tasks {

namespace {

const QString kCannotReadScript = QStringLiteral("不存在该文件或该文件不能访问!");
const QString kLineEnd = QStringLiteral("\r\n");

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
        if (readTaskTexts(platform, path).isEmpty())
            mdlPub::writeTextFile(path, sampleTaskScript().first() + kLineEnd);
    } else {
        mdlPub::writeTextFile(path, sampleTaskScript().join(kLineEnd));
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

// The reminder texts of a list, to tell in constant time whether a text is already there. A
// slot holds an entry's index and its text's hash, so that texts are compared only when their
// hashes are equal.
class TextIndex {
public:
    TextIndex(const TaskList &list, qsizetype expected)
        : list_(list)
    {
        resize(expected);
        for (qsizetype i = 0; i < list.size(); ++i)
            insert(list.taskText(i), i);
    }

    // Whether `text` was not there yet; it is then known as the entry at `index`.
    bool insert(QStringView text, qsizetype index)
    {
        if (2 * (count_ + 1) > qsizetype(slots_.size()))
            resize(2 * count_ + 2);
        return place(quint32(qHash(text)), text, index);
    }

private:
    static constexpr quint64 kEmpty = 0;

    bool place(quint32 hash, QStringView text, qsizetype index)
    {
        const size_t mask = slots_.size() - 1;
        for (size_t s = hash & mask;; s = (s + 1) & mask) {
            if (slots_[s] == kEmpty) {
                slots_[s] = quint64(hash) << 32 | quint64(index + 1);
                ++count_;
                return true;
            }
            if (quint32(slots_[s] >> 32) == hash &&
                list_.taskText(qsizetype(slots_[s] & 0xFFFFFFFF) - 1) == text)
                return false;
        }
    }

    void resize(qsizetype entries)
    {
        size_t size = 64;
        while (size < size_t(2 * entries))
            size *= 2;
        if (size <= slots_.size())
            return;
        std::vector<quint64> old(size, kEmpty);
        old.swap(slots_);
        count_ = 0;
        for (const quint64 slot : old) {
            if (slot != kEmpty) {
                const qsizetype index = qsizetype(slot & 0xFFFFFFFF) - 1;
                place(quint32(slot >> 32), list_.taskText(index), index);
            }
        }
    }

    const TaskList &list_;
    std::vector<quint64> slots_;
    qsizetype count_ = 0;
};

// The records of the script's bytes, in file order, the first of each reminder text; appended
// to `taskList`, whose own texts count as already there. Each line is decoded on its own, so
// that a large script is never held decoded whole.
qsizetype readRecords(QByteArrayView bytes, Encoding encoding, TaskList &taskList)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype lines = 1;
    for (const char *p = bytes.data(), *end = p + bytes.size();
         (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        ++lines;
    // A character takes at least a byte; the pages reserved beyond the text are never touched.
    taskList.reserve(taskList.size() + lines, taskList.size() * 32 + bytes.size());
    TextIndex texts(taskList, taskList.size() + lines);
    const qsizetype before = taskList.size();
    forEachLine(bytes, [&](QByteArrayView bytesOfLine) {
        const QString line = decodeLine(bytesOfLine, encoding);
        if (const std::optional<TaskFields> fields = parseTaskLine(line);
            fields && texts.insert(fields->taskText, taskList.size()))
            taskList.appendFields(*fields);
    });
    return taskList.size() - before;
}

void remember(ScriptFile &script, QByteArrayView bytes)
{
    script.known = true;
    script.size = bytes.size();
    script.modified = QFileInfo(script.path).lastModified();
    script.hash = qHash(bytes);
}

// Whether the file still holds what this copy last read or wrote; `bytes` gets what it holds.
bool unchangedOnDisk(const ScriptFile &script, QByteArray &bytes, bool &readable)
{
    if (!script.known) // never read (a copy ending before it loaded): written as it was
        return true;
    const QFileInfo info(script.path);
    readable = info.exists() && readAll(script.path, bytes);
    return readable && info.size() == script.size && info.lastModified() == script.modified &&
           qHash(bytes) == script.hash;
}

} // namespace

qsizetype loadTaskScript(ScriptFile &script, TaskList &taskList)
{
    QByteArray bytes;
    if (!readAll(script.path, bytes))
        return 0;
    script.encoding = fileEncoding(bytes);
    script.bom = bytes.startsWith("\xEF\xBB\xBF");
    remember(script, bytes);
    return readRecords(bytes, script.encoding, taskList);
}

bool saveTaskScript(ScriptFile &script, const TaskList &taskList)
{
    QByteArray onDisk;
    bool readable = false;
    TaskList merged;
    const TaskList *list = &taskList;
    if (!unchangedOnDisk(script, onDisk, readable) || script.merged) {
        // Someone else wrote the file: what it holds now, with this copy's started tasks moved
        // or added to the top, in the order they were started.
        if (readable) {
            script.encoding = fileEncoding(onDisk);
            script.bom = onDisk.startsWith("\xEF\xBB\xBF");
            readRecords(onDisk, script.encoding, merged);
        }
        if (readable || !QFileInfo::exists(script.path)) {
            for (const TaskRecord &record : script.started) {
                if (const qsizetype i = merged.indexOf(record.taskText); i >= 0)
                    merged.remove(i);
                merged.prepend(record);
            }
            list = &merged;
            script.merged = true;
        }
    }

    QString text;
    text.reserve(list->size() * 64);
    for (const TaskRecord &record : *list) {
        if (record.taskText.isEmpty())
            continue;
        appendTaskLine(text, record);
        text += kLineEnd;
    }
    if (text.isEmpty())
        return false;
    const QByteArray bytes = encodeFile(text, script.encoding, script.bom);
    if (!mdlPub::replaceFile(script.path, bytes))
        return false;
    // GB18030 that would read as other text went out as UTF-8 with its mark; so on from now.
    script.bom = bytes.startsWith("\xEF\xBB\xBF");
    if (script.bom)
        script.encoding = Encoding::Utf8;
    remember(script, bytes);
    script.started = {};
    return true;
}

} // namespace tasks
