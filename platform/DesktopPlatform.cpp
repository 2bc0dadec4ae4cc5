#include "DesktopPlatform.h"
#include "DateTimeText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

DesktopPlatform::DesktopPlatform()
    : dateFormat_(QLocale::system().dateFormat(QLocale::ShortFormat))
    , timeFormat_(longTimeFormatWithoutZone(QLocale::system()))
{
}

DesktopPlatform::~DesktopPlatform()
{
    removeHotkeyHandler();
    unregisterHotkey();
    releaseCopyTest();
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

} // namespace platform
