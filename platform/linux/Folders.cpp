// Where the task script and the event log live.
#include "DesktopPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <unistd.h>

namespace platform {

QString DesktopPlatform::programDirectory() const
{
    // Beside the executable for portable use; an installed program's folder is not the user's
    // to write, so its script goes to the user's data folder.
    const QString beside = QCoreApplication::applicationDirPath();
    // Root may write anywhere: a program under /usr is an installed one all the same.
    if (!beside.startsWith(QStringLiteral("/usr/")) &&
        ::access(QFile::encodeName(beside).constData(), W_OK) == 0)
        return QDir::toNativeSeparators(beside);
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    const QString dir = data + QStringLiteral("/tocklet");
    QDir().mkpath(dir);
    return QDir::toNativeSeparators(dir);
}

QString DesktopPlatform::windowsDirectory() const
{
    QString dir = qEnvironmentVariable("XDG_STATE_HOME");
    if (dir.isEmpty() || QDir::isRelativePath(dir))
        dir = QDir::homePath() + QStringLiteral("/.local/state");
    QDir().mkpath(dir);
    return QDir::toNativeSeparators(dir);
}

} // namespace platform
