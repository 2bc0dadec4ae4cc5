#include "TaskScript.h"
#include "Spaces.h"
#include "TaskLine.h"
#include "TextCodec.h"
#include "mdlPub.h"

#include <Platform.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cstring>

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

// True as soon as one line holds reminder text. Only lines are decoded until then, so a large
// script is not decoded whole just to learn that its first line has text (the encoding is
// weighed on the whole only when the bytes read both as UTF-8 and as GB18030).
bool anyLineHasText(const QByteArray &bytes)
{
    const Encoding encoding = fileEncoding(bytes);
    bool found = false;
    forEachLine(QByteArrayView(bytes), [&](QByteArrayView line) {
        if (found)
            return;
        const QString text = decodeLine(line, encoding);
        QStringView rest = trimSpaces(text);
        if (const qsizetype close = rest.indexOf(u']'); close >= 0)
            rest = trimSpaces(rest.sliced(close + 1));
        found = !rest.isEmpty();
    });
    return found;
}

} // namespace

void ensureTaskScript(platform::Platform &platform)
{
    const QString path = taskScriptPath(platform.programDirectory());
    if (mdlPub::relatedFileUsable(path)) {
        // The quick look settles the common case; the exact reading decides a rewrite.
        QByteArray bytes;
        if (readAll(path, bytes) && anyLineHasText(bytes))
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

// The records of the script's text, in file order, the first of each reminder text; appended
// to `taskList`, whose own texts count as already there.
qsizetype readRecords(QByteArrayView bytes, Encoding encoding, TaskList &taskList)
{
    const QString text = decodeText(bytes, encoding);
    qsizetype lines = 1;
    for (const char *p = bytes.data(), *end = p + bytes.size();
         (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        ++lines;
    QSet<QString> texts;
    texts.reserve(taskList.size() + lines);
    taskList.reserve(taskList.size() + lines);
    for (const TaskRecord &record : taskList)
        texts.insert(record.taskText);

    const qsizetype before = taskList.size();
    forEachLine(QStringView(text), [&](QStringView line) {
        std::optional<TaskRecord> record = readTaskLine(line);
        if (!record)
            return;
        const qsizetype known = texts.size();
        texts.insert(record->taskText);
        if (texts.size() != known)
            taskList.append(std::move(*record));
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
                merged.removeIf([&](const TaskRecord &r) { return r.taskText == record.taskText; });
                merged.prepend(record);
            }
            list = &merged;
            script.merged = true;
        }
    }

    qsizetype size = 0;
    for (const TaskRecord &record : *list)
        size += record.taskText.size() + record.relaFile.size() + 48;
    QString text;
    text.reserve(size);
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
    script.started.clear();
    return true;
}

} // namespace tasks
