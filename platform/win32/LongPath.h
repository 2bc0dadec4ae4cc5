#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <string>

namespace platform {

// A path as the raw file calls take it: absolute, with the system's separators, and from 248
// characters on (the limit of a folder's name) with the prefix that lifts MAX_PATH.
inline std::wstring win32Path(const QString &path)
{
    QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (native.size() >= 248 && !native.startsWith(QStringLiteral("\\\\?\\")))
        native = native.startsWith(QStringLiteral("\\\\"))
                     ? QStringLiteral("\\\\?\\UNC\\") + native.mid(2)
                     : QStringLiteral("\\\\?\\") + native;
    return native.toStdWString();
}

} // namespace platform
