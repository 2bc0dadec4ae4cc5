#pragma once

#include <QString>

namespace engine {

extern const QString kTimeUpTitle;

// The reminder box's text: the reminder, the not-found lines when `notFound`, the time.
QString reminderText(const QString &taskText, bool notFound, const QString &rf,
                     const QString &nowText);

// The small warning shown instead of the reminder when only the related file was asked for.
QString notFoundWarning(const QString &rf);

// The console lines started when a task fires while the close question is open.
extern const QString kQueryUnloadCommand;
extern const QString kCloseRequestCommand;

} // namespace engine
