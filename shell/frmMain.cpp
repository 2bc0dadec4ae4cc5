#include "frmMain.h"
#include "frmMode.h"
#include "mdlOpen.h"
#include "mdlPubFields.h"

#include <EventLog.h>
#include <NumberText.h>
#include <Platform.h>
#include <RelatedAction.h>
#include <TaskScript.h>
#include <mdlPub.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

frmMain::frmMain(platform::Platform &platform, tasks::ScriptPreload *taskPreload)
    : platform_(platform)
    , hotKey_(platform)
    , taskPreload_(taskPreload)
{
    createControls();
}

void frmMain::recordToFile(const QString &line)
{
    eventlog::recordToFile(logFilePath_, line, logEncoding_);
}

void frmMain::logEvent(eventlog::Event event, const QString &detail)
{
    recordToFile(eventlog::logLine(platform_.dateTimeText(platform_.now()), event, detail));
}

QLineEdit *frmMain::timeField(int field) const
{
    const std::array<QLineEdit *, 3> fields = {txtHour, txtMinute, txtSecond};
    return fields.at(field);
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    // Esc presses the cancel button; the dialog's own Esc handling would close the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdExit->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmMain::changeEvent(QEvent *event)
{
    // The window's activation: when it is first shown, and when it takes over from another of
    // the program's forms (the mode dialog). Coming back from a message box or from another
    // program is no activation of the window, so the focus a message left stays where it is.
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            leftForOwnForm_ = qobject_cast<frmMode *>(QApplication::activeWindow()) != nullptr;
        } else if (!activatedBefore_ || leftForOwnForm_) {
            activatedBefore_ = true;
            leftForOwnForm_ = false;
            mdlPub::focusTextEnd(txtMinute);
        }
    }
    QDialog::changeEvent(event);
}

namespace {
// The last local file of a drop; file managers offer text beside their list of files, and a
// drop of text or of web links carries no local file ("").
QString droppedFile(const QMimeData *data)
{
    const QList<QUrl> urls = data->urls();
    for (auto url = urls.crbegin(); url != urls.crend(); ++url) {
        if (url->isLocalFile())
            return url->toLocalFile();
    }
    return {};
}

// A drop onto the related-file field takes a copy of the file's name, never the file: a source
// that honours a move would delete it.
bool acceptAsCopy(QDropEvent *drop)
{
    const Qt::DropActions offered = drop->possibleActions();
    if (droppedFile(drop->mimeData()).isEmpty() || !(offered & (Qt::CopyAction | Qt::LinkAction)))
        return false;
    drop->setDropAction(offered & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
    drop->accept();
    return true;
}

// The focus moving between controls, not the window losing or regaining the activation or a
// context menu opening and closing.
bool movesBetweenControls(QEvent *event)
{
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}
} // namespace

void frmMain::selectAfterClick(QLineEdit *box, QEvent *event)
{
    // A click that gives a field the focus places the caret after the focus selected the text:
    // the text is selected again once the left button is let go. (The middle button pastes.)
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
        clickedInto_ = box;
    else if (event->type() == QEvent::MouseButtonRelease &&
             std::exchange(clickedInto_, nullptr) == box &&
             static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        // After the field has handled the release, which would otherwise give the selection
        // to the X11 selection that the middle button pastes.
        QTimer::singleShot(0, box, [box] { mdlPub::selectAllText(box); });
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Qt's GNOME and GTK themes make Return and Enter press a group box as if it were a button,
    // which keeps them from the window's default button (a field's Return would start nothing):
    // they go on to the window.
    if (event->type() == QEvent::KeyPress && qobject_cast<QGroupBox *>(watched)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        keyPressEvent(key);
        return true;
    }
    if (watched == cboTask)
        return event->type() == QEvent::Wheel && !cboTask->hasFocus();
    if (watched == lblDatFile) {
        if (event->type() == QEvent::MouseButtonRelease && lblDatFile->isEnabled() &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
            lblDatFile->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
            lblDatFile_Click();
        return false;
    }
    if (watched == txtFile) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (movesBetweenControls(event))
                mdlPub::selectAllText(txtFile);
            selectAfterClick(txtFile, event);
            break;
        case QEvent::MouseButtonRelease:
            selectAfterClick(txtFile, event);
            break;
        case QEvent::FocusOut:
            if (movesBetweenControls(event))
                txtFile->setText(engine::trimSpaces(txtFile->text()));
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove:
            if (!acceptAsCopy(static_cast<QDropEvent *>(event)))
                event->ignore();
            return true;
        case QEvent::Drop:
            // Files only; a drop without a local file changes nothing.
            if (acceptAsCopy(static_cast<QDropEvent *>(event)))
                txtFile->setText(droppedFile(static_cast<QDropEvent *>(event)->mimeData()));
            return true;
        default:
            break;
        }
        return false;
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::FocusIn && movesBetweenControls(event))
        mdlPub::selectAllText(box);
    if (box)
        selectAfterClick(box, event);
    if (box && event->type() == QEvent::FocusOut && movesBetweenControls(event))
        mdlPub::addLeadingZero(box);
    return false;
}

void frmMain::chkRunRelaFile_Click()
{
    const bool on = chkRunRelaFile->isChecked();
    txtFile->setEnabled(on);
    cmdBrowse->setEnabled(on);
}

void frmMain::txtFile_Change()
{
    txtFile->setToolTip(txtFile->text());
}

void frmMain::chkCountDown_Click()
{
    if (chkCountDown->isChecked()) {
        Frame1->setTitle(QStringLiteral("限定时间(按倒计时方式)"));
        for (QLineEdit *box : {txtHour, txtMinute, txtSecond})
            box->setText(QStringLiteral("0"));
    } else {
        Frame1->setTitle(QStringLiteral("限定时间(按到点方式)"));
        const QTime now = platform_.now().time();
        txtHour->setText(QString::number(now.hour()));
        txtMinute->setText(QString::number(now.minute()));
        txtSecond->setText(QString::number(now.second()));
    }
}

void frmMain::cmdMode_Click()
{
    frmMode dialog(windowIcon(), chkCountDown->isChecked(), [this](bool countDown) {
        chkCountDown->setChecked(countDown);
        chkCountDown_Click();
    });
    // Centred by the frames (move() places the frame), the dialog's taken to be as this one's.
    const QRect outer = frameGeometry(), inner = geometry();
    const QSize framed =
        dialog.size().grownBy({inner.left() - outer.left(), inner.top() - outer.top(),
                               outer.right() - inner.right(), outer.bottom() - inner.bottom()});
    dialog.move(outer.center() - QRect(QPoint(), framed).center());
    platform_.makeTopmost(&dialog);
    dialog.exec();
}

void frmMain::cmdBrowse_Click()
{
    const QString path = mdlOpen::showOpenDialog(platform_, this, QStringLiteral("选择文件"),
                                                 mdlOpen::relatedFileFilter());
    if (!path.isEmpty())
        txtFile->setText(path);
}

void frmMain::cboTask_Click()
{
    cboTask->setToolTip(cboTask->currentText());
    applySelectedTask();
}

void frmMain::applySelectedTask()
{
    const qsizetype found = taskList_.indexOf(cboTask->currentText());
    if (found < 0)
        return;
    showRecord(taskList_.at(found), false);
}

void frmMain::lblDatFile_Click()
{
    if (mdlPub::relatedFileUsable(taskScript_.path)) {
        platform_.startCommandLine(QStringLiteral("Notepad ") + taskScript_.path);
        return;
    }
    platform_.messageBox(QStringLiteral("抱歉,未找到提醒事件脚本!该脚本可能已被删除"),
                         tasks::kAppTitle, platform::MsgButtons::Ok,
                         platform::MsgIcon::Information);
}

void frmMain::ctlTabs1_TabClick(int OldTab, int NewTab)
{
    if (OldTab == NewTab)
        return;
    // The about page, its text editor and the long guide cost start-up time and memory that
    // most runs never need: the page is made when it is first shown.
    if (NewTab == 3 && !txtAbout) {
        createAboutPage();
        QFile guide(QStringLiteral(":/guide.txt"));
        if (guide.open(QIODevice::ReadOnly))
            txtAbout->setPlainText(QString::fromUtf8(guide.readAll()).trimmed());
    }
    framer(OldTab)->setVisible(false);
    framer(NewTab)->setVisible(true);
}
