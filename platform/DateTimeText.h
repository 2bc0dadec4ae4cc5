#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace platform {

// The general date-and-time text: `dateFormat`, a space, `timeFormat`; the date alone when the
// time is exactly midnight.
QString formatDateTimeText(const QDateTime &t, const QString &dateFormat,
                           const QString &timeFormat);

// The locale's long time format without its time-zone part ("t" outside quotes).
QString longTimeFormatWithoutZone(const QLocale &locale);

} // namespace platform
