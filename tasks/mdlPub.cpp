#include "mdlPub.h"
#include "TextCodec.h"

#include <Platform.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace mdlPub {

bool replaceFile(const QString &path, QByteArrayView bytes)
{
    // Root can write any file, so the owner's write bit stands for the read-only attribute.
    const QFileInfo info(path);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return false;

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (a full disk) is seen here: through the buffer, a write
    // that failed part way when the buffer was flushed would still be committed, cut short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeTextFile(const QString &path, const QString &text, tasks::Encoding encoding)
{
    return replaceFile(path, tasks::encodeFile(text + QStringLiteral("\r\n"), encoding));
}

bool relatedFileUsable(const QString &path)
{
    if (path.startsWith(QStringLiteral("cmd:"), Qt::CaseSensitive))
        return true;
    if (path.isEmpty())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QString getWindowsPath(const platform::Platform &platform)
{
    return platform.windowsDirectory();
}

} // namespace mdlPub
