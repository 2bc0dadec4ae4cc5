#include "DesktopPlatform.h"
#include "DateTimeText.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

namespace platform {

DesktopPlatform::DesktopPlatform()
    : dateFormat_(QLocale::system().dateFormat(QLocale::ShortFormat))
    , timeFormat_(longTimeFormatWithoutZone(QLocale::system()))
{
}

DesktopPlatform::~DesktopPlatform() = default;

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

MsgResult DesktopPlatform::messageBox(const QString &text, const QString &title, MsgButtons buttons,
                                      MsgIcon icon)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
}

// The dialog, the command line, the shell's "open", stacking and the hotkey are wired up
// together with the window that uses them; until then they do nothing.
QString DesktopPlatform::openFileDialog(QWidget *, const QString &, const QString &)
{
    return {};
}
void DesktopPlatform::startCommandLine(const QString &) {}
void DesktopPlatform::shellOpen(const QString &) {}
bool DesktopPlatform::registerHotkey(std::function<void()>)
{
    return false;
}
void DesktopPlatform::unregisterHotkey() {}
void DesktopPlatform::closeTopLevelWindow(const QString &) {}
bool DesktopPlatform::earlierCopyRunning()
{
    return false;
}
void DesktopPlatform::makeTopmost(QWidget *) {}
void DesktopPlatform::setTaskbarEntryVisible(bool) {}

QString DesktopPlatform::programDirectory() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
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
