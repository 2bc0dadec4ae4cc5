#include "DateTimeText.h"

namespace platform {

QString formatDateTimeText(const QDateTime &t, const QString &dateFormat, const QString &timeFormat)
{
    const QString date = t.date().toString(dateFormat);
    if (t.time() == QTime(0, 0))
        return date;
    return date + u' ' + t.time().toString(timeFormat);
}

QString longTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            out += c;
    }
    return out.simplified();
}

} // namespace platform
