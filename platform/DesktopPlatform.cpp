#include "DesktopPlatform.h"
#include "DateTimeText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include <unistd.h>

namespace platform {

DesktopPlatform::DesktopPlatform()
    : dateFormat_(QLocale::system().dateFormat(QLocale::ShortFormat))
    , timeFormat_(longTimeFormatWithoutZone(QLocale::system()))
{
}

DesktopPlatform::~DesktopPlatform()
{
    removeHotkeyHandler();
    recallKey_.ungrab();
    if (copyLock_ >= 0)
        ::close(copyLock_);
}

QDateTime DesktopPlatform::now() const
{
    QDateTime t = QDateTime::currentDateTime();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    return t;
}

QString DesktopPlatform::dateTimeText(const QDateTime &t) const
{
    return formatDateTimeText(t, dateFormat_, timeFormat_);
}

int DesktopPlatform::msecsToNextSecond() const
{
    return 1000 - QTime::currentTime().msec();
}

void DesktopPlatform::makeTopmost(QWidget *window)
{
    if (!window)
        return;
    // Changing the hint recreates the native window, so it is set once and the window shown
    // again when it was visible.
    if (!(window->windowFlags() & Qt::WindowStaysOnTopHint)) {
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (visible)
            window->show();
    }
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

void DesktopPlatform::setTaskbarEntryVisible(bool)
{
    // On X11 a hidden window has no task-bar entry and a shown one has, so the window's own
    // hide and show do all the work.
}

void DesktopPlatform::closeTopLevelWindow(const QString &title)
{
    // The modal box on top first: a question answered by its close box means No.
    if (QWidget *modal = QApplication::activeModalWidget();
        modal && modal->windowTitle() == title) {
        if (auto *box = qobject_cast<QMessageBox *>(modal); box && box->button(QMessageBox::No))
            box->button(QMessageBox::No)->click();
        else
            modal->close();
        return;
    }
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == title) {
            window->close();
            return;
        }
    }
}

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
