#pragma once

#include "TaskRecord.h"

#include <QStringView>

#include <optional>

namespace tasks {

// One line of task.dat, without its line end:
//   [hour,minute,second,runRelaFile,showMsg,runInBackground,countDown,"relaFile"]taskText
// Returns nothing for a line that cannot be read; such lines are skipped without a word.
std::optional<TaskRecord> readTaskLine(QStringView line);

// The line for `record`, without its line end. An empty related file is written as the
// placeholder.
QString writeTaskLine(const TaskRecord &record);
void appendTaskLine(QString &out, const TaskRecord &record);

} // namespace tasks
