#include "DesktopPlatform.h"
#include "DateTimeText.h"
#include "System.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace platform {

namespace {

// Stands in for the window procedure that receives the recall key's presses.
class HotkeyFilter final : public QAbstractNativeEventFilter {
public:
    HotkeyFilter(std::function<bool(const QByteArray &, void *)> isPress, QObject *receiver,
                 std::function<void()> onPressed)
        : isPress_(std::move(isPress))
        , receiver_(receiver)
        , onPressed_(std::move(onPressed))
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        // The press goes on to Qt, which finds no window of its own for it but takes its time
        // as the user's last action: the window it brings back asks to be activated with the
        // key's time, which a window manager that weighs times (mutter) honours.
        if (isPress_(eventType, message) && receiver_ && onPressed_)
            QMetaObject::invokeMethod(receiver_.data(), onPressed_, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<bool(const QByteArray &, void *)> isPress_;
    QPointer<QObject> receiver_;
    std::function<void()> onPressed_;
};

} // namespace

DesktopPlatform::DesktopPlatform()
    : system_(std::make_unique<System>())
    , dateFormat_(QLocale::system().dateFormat(QLocale::ShortFormat))
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

void DesktopPlatform::installHotkeyHandler(QObject *receiver, std::function<void()> onPressed)
{
    removeHotkeyHandler();
    hotkeyFilter_ = std::make_unique<HotkeyFilter>(
        [this](const QByteArray &type, void *message) { return isHotkeyPress(type, message); },
        receiver, std::move(onPressed));
    QCoreApplication::instance()->installNativeEventFilter(hotkeyFilter_.get());
}

void DesktopPlatform::removeHotkeyHandler()
{
    if (!hotkeyFilter_)
        return;
    if (auto *app = QCoreApplication::instance())
        app->removeNativeEventFilter(hotkeyFilter_.get());
    hotkeyFilter_.reset();
}

int DesktopPlatform::hotkeyRetrySeconds() const
{
    // Shorter for tests of a key let go meanwhile.
    const int seconds = qEnvironmentVariableIntValue("TOCKLET_KEY_RETRY_SECONDS");
    return seconds > 0 ? seconds : Platform::hotkeyRetrySeconds();
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
