// libFuzzer targets, one per build of this file (TARGET names it). Each never crashes on any
// input and checks a property that must hold for every input.
#include <PropertyBag.h>
#include <TaskLine.h>
#include <TaskScript.h>
#include <TextCodec.h>
#include <TimeInput.h>

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto check = [](bool ok) { ok ? void() : std::abort(); };
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
#if TARGET == 2 || TARGET == 3 // the input as a file, in a folder kept for the run
    static QTemporaryDir dir;
    QFile file(dir.filePath(QString::fromLatin1(TARGET == 2 ? "task.dat" : "settings")));
    check(file.open(QFile::WriteOnly | QFile::Truncate) && file.write(bytes) == bytes.size());
    file.close();
#endif
#if TARGET == 1 // one task line: once read and written, it reads and writes back the same
    const QString line = QString::fromUtf8(bytes);
    if (line.contains(u'\r') || line.contains(u'\n')) // a line never holds its line end
        return 0;
    if (const auto record = tasks::readTaskLine(line)) {
        const QString written = tasks::writeTaskLine(*record);
        const auto again = tasks::readTaskLine(written);
        check(again.has_value() && tasks::writeTaskLine(*again) == written);
    }
#elif TARGET == 2 // a whole script: read as the plain reading does, saved without loss
    // The loader (its fast line reader too) reads what the plain reading does; a save with nothing
    // started writes nothing, one with a task started moves only that task's line, to the top.
    tasks::ScriptFile script(file.fileName()), reread(file.fileName());
    tasks::TaskList loaded, plain, again;
    tasks::loadTaskScript(script, loaded);
    for (const QString &line : tasks::decodeLines(bytes))
        if (const auto record = tasks::readTaskLine(line);
            record && plain.indexOf(record->taskText) < 0)
            plain.append(*record);
    check(loaded == plain && !tasks::saveTaskScript(script, loaded));
    tasks::TaskRecord started = loaded.isEmpty() ? tasks::TaskRecord{QStringLiteral("新"), {}}
                                                 : loaded.at(loaded.size() - 1);
    started.hour += 1;
    started.relaFile = started.relaFile.isEmpty() ? tasks::kNoRelatedFile : started.relaFile;
    script.started.append(started);
    tasks::saveTaskScript(script, loaded), tasks::loadTaskScript(reread, again);
    if (const qsizetype i = plain.indexOf(started.taskText); i >= 0)
        plain.remove(i);
    plain.prepend(started), check(again == plain);
    // The old bytes after the new line, with one piece taken out (unless a lone CR met an LF or
    // the whole file had to become UTF-8 with its mark).
    check(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    const qsizetype mark = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (after.startsWith("\xEF\xBB\xBF") == (mark == 3) &&
        !QByteArray(bytes).replace("\r\n", "").contains('\r')) {
        const QByteArrayView rest = QByteArrayView(after).sliced(after.indexOf('\n') + 1);
        const auto same = std::ranges::mismatch(rest, QByteArrayView(bytes).sliced(mark)).in1;
        check(bytes.endsWith(rest.sliced(same - rest.begin())));
    }
    // Written whole into a new script, in either encoding (chosen by the input's length), and read
    // back: once saved (an empty related file becomes the placeholder), records round-trip.
    const auto roundTrip = [&](const tasks::TaskList &list) {
        QFile::remove(dir.filePath(QStringLiteral("new.dat")));
        tasks::ScriptFile written(dir.filePath(QStringLiteral("new.dat")),
                                  size % 2 ? tasks::Encoding::Utf8 : tasks::Encoding::Gb18030);
        tasks::TaskList back;
        return tasks::saveTaskScript(written, list), tasks::loadTaskScript(written, back), back;
    };
    const tasks::TaskList once = roundTrip(plain);
    check(roundTrip(once) == once);
#elif TARGET == 3 // the tab strip's settings file: parsed, saved and parsed again the same
    const tabstrip::FilePropertyBag bag(file.fileName());
    check(bag.save());
    const tabstrip::FilePropertyBag again(file.fileName());
    for (const QString &key : bag.keys())
        check(again.readProperty(key, {}) == bag.readProperty(key, {}));
#elif TARGET == 4 // the codec against Qt's own GB18030
    QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    const QString qt = decoder.decode(bytes);
    if (!decoder.hasError() && !bytes.contains('\r') && !bytes.contains('\n') &&
        !QByteArrayView(bytes).isValidUtf8())
        check(tasks::decodeLine(bytes, tasks::Encoding::Gb18030) == qt);
    const QString text = QString::fromUtf8(bytes);
    check(tasks::encodeText(text) == QByteArray(QStringEncoder("GB18030").encode(text)));
#elif TARGET == 5 // the time fields: a message, or an end time at or after now
    if (size < 11)
        return 0;
    const bool countDown = data[0] & 1;
    const QDateTime now = QDateTime::fromSecsSinceEpoch(
        qint64(qFromUnaligned<quint32>(data + 1)) * 8 - 4'000'000'000LL);
    const QString rest = QString::fromUtf8(bytes.sliced(5));
    const engine::FieldTexts texts = {rest.mid(0, 7), rest.mid(7, 7), rest.mid(14, 7)};
    const engine::StartCheck result = engine::checkStart(texts, countDown, now);
    check(result.accepted ? result.endTime >= now && result.message.isEmpty()
                          : !result.message.isEmpty());
#endif
    return 0;
}
