#include "FileFilter.h"

namespace platform {

QStringList nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QChar(u'\0'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        // Qt reads the patterns from the last parentheses and shows the rest, so the display
        // string stays exactly as given.
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

} // namespace platform
