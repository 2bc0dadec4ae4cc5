// The program's life: start-up, the close request, the unload, the background and the recall,
// and the end of the desktop session.
#include "TaskListModel.h"
#include "frmMain.h"

#include <EventLog.h>
#include <Platform.h>
#include <ScriptPreload.h>
#include <TaskScript.h>
#include <mdlPub.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QWindow>

#include <utility>

using eventlog::Event;

namespace {
const QString kSecondCopyNotice =
    QStringLiteral("注意:\r\n\r\n在此之前您已经运行了至少一个实例,无论运行多少个实例最终只有第一个"
                   "实例拥有热键呼出功能,其它功能都一样");
const QString kExitQuestion = QStringLiteral("注意:\r\n\r\n当前有任务正在执行,您是否确认退出程序?");
} // namespace

void frmMain::Form_Load()
{
    logFilePath_ = eventlog::logFilePath(mdlPub::getWindowsPath(platform_));
    logEncoding_ = eventlog::logEncoding(logFilePath_);
    taskScript_.path =
        taskPreload_ ? taskPreload_->path() : tasks::taskScriptPath(platform_.programDirectory());
    // At a logout the question comes first, once; the unload follows when the session ends. A
    // signal unloads at once, since nobody can answer.
    platform_.watchSessionEnd(this,
                              {[this](std::function<void(bool)> answer) {
                                   if (run_.isQueryUnload) // the open question answers for it
                                       sessionAnswer_ = std::move(answer);
                                   else
                                       answer(Form_QueryUnload());
                               },
                               [this] { Form_Unload(); }, [this] { return run_.isRunning(); }});
    firstCopy_ = !platform_.earlierCopyRunning();
    if (!firstCopy_) {
        logEvent(Event::ProgramStartAgain);
        platform_.messageBox(kSecondCopyNotice, tasks::kAppTitle, platform::MsgButtons::Ok,
                             platform::MsgIcon::Information);
        if (unloaded_) // told to end while the notice was open
            return;
    } else {
        logEvent(Event::ProgramStart);
    }
    show();
    // Showing posts a request to draw each control later; take them now, so that the first
    // exposure of the window draws it once, rather than the rest of the start-up having passed
    // when they are taken and everything is drawn twice.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    run_.stop();
    applyRunState();
    platform_.makeTopmost(this);
    if (!firstCopy_) // tried once and silently: an earlier copy holds the key
        hotKey_.installHotKey(this, [this] { recall(); });
    retryHotKey();
    platform_.offerRecall(
        this, [this] { recall(); }, [this] { retryHotKey(); });
    if (taskPreload_) {
        // A long script still being read: until the window is first exposed (and drawn) or
        // the reading ends, events other than the user's input are taken; the input waits for
        // the list. Done reading before the start-up may write the script (its sample).
        const QWindow *const shown = windowHandle();
        while (taskPreload_->reading() && !unloaded_ && !(shown && shown->isExposed()))
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::WaitForMoreEvents);
        if (unloaded_) // told to end meanwhile
            return;
        taskPreload_->wait();
    }
    if (!tasks::ensureTaskScript(taskScript_.path))
        platform_.messageBox(tasks::kCannotReadScript, tasks::kAppTitle, platform::MsgButtons::Ok,
                             platform::MsgIcon::Exclamation);
    taskModel_->beginChange(); // the list is filled under the task box's model
    const qsizetype read = taskPreload_ ? taskPreload_->load(taskScript_, taskList_)
                                        : tasks::loadTaskScript(taskScript_, taskList_);
    // A long script's rows all of one height: its list opens without measuring every text. (A
    // short list measures its few rows, and needs no popup before it is opened.)
    constexpr qsizetype kLongList = 500;
    if (taskList_.size() >= kLongList)
        if (auto *view = qobject_cast<QListView *>(cboTask->view()))
            view->setUniformItemSizes(true);
    taskModel_->endChange();
    if (read > 0)
        fillTaskList();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

bool frmMain::Form_QueryUnload()
{
    if (unloaded_)
        return true;
    // A second request while the question is open (the firing task closes the question itself).
    if (run_.isQueryUnload)
        return false;
    if (isMinimized())
        showNormal();
    if (!run_.isRunning())
        return true;
    run_.isQueryUnload = true;
    const platform::MsgResult answer = platform_.messageBox(
        kExitQuestion, tasks::kAppTitle, platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    run_.isQueryUnload = false;
    if (sessionAnswer_) // a logout came while the question was open; a signal ended it all
        std::exchange(sessionAnswer_, {})(answer == platform::MsgResult::Yes || unloaded_);
    return answer == platform::MsgResult::Yes && !unloaded_;
}

void frmMain::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    hide();
    hotKey_.releaseHotKey();
    tasks::saveTaskScript(taskScript_, taskList_);
    logEvent(Event::ProgramExit);
    emit unloaded();
}

void frmMain::reject()
{
    // Every other way a dialog would cancel is a close request of the main window.
    close();
}

void frmMain::cmdRunBack_Click()
{
    goToBackground(false);
}

void frmMain::goToBackground(bool entryFirst)
{
    retryHotKey();
    if (firstCopy_ && !hotKey_.held()) {
        // Nothing would call a hidden window back but the task's end: it stays in the task bar.
        showMinimized();
        return;
    }
    // Put back there: a window manager may place a window shown again elsewhere. Its client
    // area's place, which Qt knows exactly; the frame's depends on extents a window manager
    // may not have told yet.
    backgroundAt_ = geometry().topLeft();
    if (entryFirst)
        platform_.setTaskbarEntryVisible(false);
    hide();
    if (!entryFirst)
        platform_.setTaskbarEntryVisible(false);
}

void frmMain::retryHotKey()
{
    // Another program may have let go of the key since; the key is the first copy's, and a later
    // copy's notice has said so. Once unloaded, the key is let go for good.
    if (unloaded_)
        return;
    keyTried_ = platform_.now();
    const bool taken = firstCopy_ && !hotKey_.installHotKey(this, [this] { recall(); });
    lblNote->setText(taken ? platform_.hotkeyTakenNote() : keyNote());
}

void frmMain::recall()
{
    if (unloaded_)
        return;
    platform_.setTaskbarEntryVisible(true);
    // Where it was, unless that place has gone with its screen.
    if (const std::optional<QPoint> at = std::exchange(backgroundAt_, {});
        at && !isVisible() && QGuiApplication::screenAt(QRect(*at, size()).center()))
        setGeometry(QRect(*at, size()));
    showNormal();
    platform_.makeTopmost(this);
}
