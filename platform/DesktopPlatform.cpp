#include "DesktopPlatform.h"
#include "CommandLine.h"
#include "DateTimeText.h"
#include "FileFilter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

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

int DesktopPlatform::msecsToNextSecond() const
{
    return 1000 - QTime::currentTime().msec();
}

QString DesktopPlatform::openFileDialog(QWidget *owner, const QString &title, const QString &filter)
{
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The display strings already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

namespace {

QString firstExecutable(std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void startInTerminal(const QString &command)
{
    const QString terminal = firstExecutable({"x-terminal-emulator", "xterm"});
    // The shell after the command keeps the window open, as "cmd /k" does.
    const QString script = command + QStringLiteral("; exec /bin/sh");
    if (terminal.isEmpty())
        QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    else
        QProcess::startDetached(terminal, {QStringLiteral("-e"), QStringLiteral("/bin/sh"),
                                           QStringLiteral("-c"), script});
}

void openInTextEditor(const QString &path)
{
    const QString editor = firstExecutable({"gnome-text-editor", "gedit", "kate", "kwrite",
                                            "mousepad", "xed", "pluma", "featherpad", "leafpad"});
    if (!editor.isEmpty()) {
        QProcess::startDetached(editor, {path});
        return;
    }
    const QString terminal = firstExecutable({"x-terminal-emulator", "xterm"});
    const QString console = firstExecutable({"sensible-editor", "editor", "nano", "vi"});
    if (!terminal.isEmpty() && !console.isEmpty())
        QProcess::startDetached(terminal, {QStringLiteral("-e"), console, path});
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

void DesktopPlatform::startCommandLine(const QString &line)
{
    const Launch launch = launchFor(line);
    switch (launch.kind) {
    case Launch::Nothing:
        break;
    case Launch::Shell:
        QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), launch.argument});
        break;
    case Launch::Terminal:
        startInTerminal(launch.argument);
        break;
    case Launch::Editor:
        openInTextEditor(launch.argument);
        break;
    case Launch::Program:
        QProcess::startDetached(launch.arguments.first(), launch.arguments.mid(1));
        break;
    }
}

void DesktopPlatform::shellOpen(const QString &path)
{
    const QUrl url(path, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) {
        QDesktopServices::openUrl(url);
        return;
    }
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (info.isFile() && info.isExecutable())
        QProcess::startDetached(info.absoluteFilePath(), {});
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
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
