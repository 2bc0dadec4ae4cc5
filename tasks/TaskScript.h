#pragma once

#include "ScriptReader.h"

#include <QStringList>

namespace tasks {

// The task script beside the program: `directory`, the platform's separator, "task.dat".
QString taskScriptPath(const QString &directory);

// The six lines written the first time the program starts; the first is the prompt line,
// which alone also replaces a script that holds no text.
const QStringList &sampleTaskScript();

// The message for a script that is there but cannot be read.
inline const QString kCannotReadScript = QStringLiteral("不存在该文件或该文件不能访问!");

// Writes the sample script at `path` when the script is missing, and the prompt line before the
// lines of one that holds no reminder text. One that cannot be read is left alone: false, for
// the caller to tell the user. Write failures are silent.
bool ensureTaskScript(const QString &path);

// Puts the tasks started since the last save at the top of the script as it now is on disk (in
// the order they were started, the newest first), each replacing the first line with its
// reminder text; every other line stays byte for byte, whoever wrote it. A missing script is
// written from `taskList`; one that cannot be read is left alone. Entries without a reminder
// text are never written. Done under a lock that every copy takes. Returns whether the file was
// written.
bool saveTaskScript(ScriptFile &script, const TaskList &taskList);

} // namespace tasks
