#pragma once

#include "TaskRecord.h"

#include <QStringList>

namespace platform {
class Platform;
}

namespace tasks {

// The task script beside the program: `directory`, the platform's separator, "task.dat".
QString taskScriptPath(const QString &directory);

// The six lines written the first time the program starts; the first is the prompt line,
// which alone also replaces a script that holds no text.
const QStringList &sampleTaskScript();

// Writes the sample script when the script is missing, and the prompt line when it holds
// no reminder text. Write failures are silent.
void ensureTaskScript(platform::Platform &platform);

// The reminder texts of the script joined together, to tell whether it holds any text. When
// the file cannot be read, says so in a message box and returns what was gathered.
QString readTaskTexts(platform::Platform &platform, const QString &path);

// Appends every readable line of the script to `taskList`, in file order, skipping lines whose
// reminder text is already there. Returns the number of entries read; an unreadable script
// reads none.
qsizetype loadTaskScript(const platform::Platform &platform, TaskList &taskList);

// Rewrites the script from `taskList`, leaving out entries without a reminder text. With no
// line to write the file is left as it is. Returns whether the file was written.
bool saveTaskScript(const QString &taskFilePath, const TaskList &taskList);

} // namespace tasks
