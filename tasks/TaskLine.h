#pragma once

#include "TaskRecord.h"

#include <QStringView>

#include <optional>

namespace tasks {

// The parts of a task line, its texts still inside the line.
struct TaskFields {
    QStringView taskText;
    // From the related file's opening quote to the "]"; every quote in it is dropped.
    QStringView quotedFile;
    bool noRelatedFile = false; // the placeholder, written as the writer writes it
    double hour = 0, minute = 0, second = 0;
    qint16 runRelaFile = 0, showMsg = 0, runInBackground = 0, countDown = 0;
};

// One line of task.dat, without its line end:
//   [hour,minute,second,runRelaFile,showMsg,runInBackground,countDown,"relaFile"]taskText
// Returns nothing for a line that cannot be read; such lines are skipped without a word.
std::optional<TaskFields> parseTaskLine(QStringView line);
// The seven numbers of a line, as they stand between "[" and the comma before the quote.
bool parseTaskHead(QStringView head, TaskFields &fields);
std::optional<TaskRecord> readTaskLine(QStringView line);

// The line for `record`, without its line end. An empty related file is written as the
// placeholder.
QString writeTaskLine(const TaskRecord &record);
void appendTaskLine(QString &out, const TaskRecord &record);

} // namespace tasks
