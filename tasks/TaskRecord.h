#pragma once

#include <QList>
#include <QString>

namespace tasks {

// Stands in for an empty related file in task.dat and in the related-file field; never run.
inline const QString kNoRelatedFile = QStringLiteral("事件关联文件未指定");

// The application title, used by message boxes that carry no title of their own.
inline const QString kAppTitle = QStringLiteral("Tocklet");

// One stored task, keyed by its reminder text.
struct TaskRecord {
    QString taskText;
    QString relaFile;
    double hour = 0;
    double minute = 0;
    double second = 0;
    qint16 runRelaFile = 0;
    qint16 showMsg = 0;
    qint16 runInBackground = 0;
    qint16 countDown = 0;

    friend bool operator==(const TaskRecord &, const TaskRecord &) = default;
};

} // namespace tasks
