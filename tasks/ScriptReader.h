#pragma once

#include "TaskList.h"
#include "TextCodec.h"

#include <functional>

namespace tasks {

// task.dat as this copy of the program last read or wrote it.
struct ScriptFile {
    explicit ScriptFile(QString path = {}, Encoding encoding = localeEncoding())
        : path(std::move(path))
        , encoding(encoding)
    {
    }

    QString path;
    // How the file is written: as it was read (a GBK script from Windows stays GBK), and a new
    // one in the locale's encoding.
    Encoding encoding;
    bool bom = false;
    // The bytes last read or written, to tell whether the file changed since (the hash is this
    // run's own, never saved).
    bool known = false;
    qint64 size = 0;
    size_t hash = 0;
    // The tasks started and not yet seen saved, oldest first.
    TaskList started;
};

// Appends every line of the script at `script.path` that reads as a task to `taskList`, in
// file order, skipping lines whose reminder text is already there, and remembers how the file
// is encoded and what it held. Returns the number of entries read; an unreadable script reads
// none.
qsizetype loadTaskScript(ScriptFile &script, TaskList &taskList);

// The bytes a script is read from, for the reader, the early reading and the save.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
inline constexpr qsizetype kBlock = 256 * 1024;
// The whole file; false when it cannot be read.
bool readAll(const QString &path, QByteArray &bytes);
// A hash of a file's bytes chained block by block, so that a file read in blocks hashes as the
// same bytes held whole. It differs from one run to the next: never stored.
size_t contentHash(QByteArrayView bytes);
// Reads the file at `path` block by block and calls `fn` with pieces that end at a line end (the
// last one as the file ends), so that a large script is never held whole; `size` and `hash` get
// the file's size and contentHash(). False when the file cannot be read.
bool readInPieces(const QString &path, qint64 &size, size_t &hash,
                  const std::function<void(QByteArrayView)> &fn);
// What `script` now holds on disk, for the next save to compare with.
void remember(ScriptFile &script, qint64 size, size_t hash);

} // namespace tasks
