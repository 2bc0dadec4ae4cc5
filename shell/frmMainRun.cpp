// Start and Stop, the tick and the firing of a task, and the task lists they reorder.
#include "TaskListModel.h"
#include "frmMain.h"
#include "mdlPubFields.h"

#include <EventLog.h>
#include <Firing.h>
#include <NumberText.h>
#include <Platform.h>
#include <RelatedAction.h>
#include <TaskScript.h>
#include <TimeInput.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using eventlog::Event;

namespace {
const QString kStartCaption = QStringLiteral("开始(&S)");
const QString kStopCaption = QStringLiteral("停止(&S)");
} // namespace

void frmMain::cmdOk_Click()
{
    if (run_.isRunning())
        stopTask();
    else
        startTask();
}

void frmMain::startTask()
{
    const QDateTime now = platform_.now();
    const engine::StartCheck check = engine::checkStart(
        {txtHour->text(), txtMinute->text(), txtSecond->text()}, chkCountDown->isChecked(), now);
    QLineEdit *focus =
        check.focus == engine::TimeField::None ? nullptr : timeField(int(check.focus) - 1);
    if (!check.accepted) {
        if (!check.endTime.isNull())
            run_.setEndTime(check.endTime);
        if (focus && check.focusBeforeMessage)
            mdlPub::focusTextEnd(focus);
        platform_.messageBox(check.message, check.title, platform::MsgButtons::Ok,
                             platform::MsgIcon::Exclamation);
        if (focus && !check.focusBeforeMessage && mdlPub::canTakeFocus(focus))
            focus->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (check.rewrite) {
        for (int i = 0; i < 3; ++i)
            timeField(i)->setText(check.rewritten[i]);
    }
    run_.start(check.endTime);
    lblStart->setText(platform_.dateTimeText(now));
    lblEnd->setText(platform_.dateTimeText(run_.endTime()));
    armTimer();
    logEvent(Event::TaskStarted, cboTask->currentText());
    cmdRunBack->setEnabled(true);
    cmdRunBack->setFocus();
    if (chkRunInBackground->isChecked())
        goToBackground(true);
    cmdOk->setText(kStopCaption);
    moveTaskToTop();
    applyRunState();
    taskScript_.started.append(taskList_.first());
    tasks::saveTaskScript(taskScript_, taskList_);
}

void frmMain::stopTask()
{
    logEvent(Event::TaskStopped);
    run_.stop();
    tmrMain->stop();
    cmdOk->setText(kStartCaption);
    applyRunState();
}

void frmMain::armTimer()
{
    // Just after the next whole second of the wall clock, so that the present-time label turns
    // with the system clock and a task fires within milliseconds of its second.
    tmrMain->start(platform_.msecsToNextSecond() + 2);
}

void frmMain::tmrMain_Timer()
{
    const QDateTime now = platform_.now();
    lblNow->setText(platform_.dateTimeText(now));
    // Out of sight without the recall key: try for it again now and then.
    if ((!isVisible() || isMinimized()) && firstCopy_ && !hotKey_.held() &&
        qAbs(keyTried_.secsTo(now)) >= platform_.hotkeyRetrySeconds())
        retryHotKey();
    if (run_.tick(now) == engine::Run::Tick::Wait) {
        armTimer();
        return;
    }
    fireTask();
}

void frmMain::fireTask()
{
    const QString text = txtFile->text();
    const QString rf = engine::trimSpaces(text);

    cmdOk->setText(kStartCaption);
    cmdRunBack->setEnabled(false);
    tmrMain->stop();

    recall();

    logEvent(Event::TaskFired, rf);
    const bool runRelated = chkRunRelaFile->isChecked();
    if (runRelated)
        engine::runRelatedAction(platform_, text);

    if (chkShowMsg->isChecked()) {
        const bool notFound = runRelated && engine::relatedFileNotFound(rf, rf);
        const QString reminder = engine::reminderText(cboTask->currentText(), notFound, rf,
                                                      platform_.dateTimeText(platform_.now()));
        if (run_.isQueryUnload) {
            platform_.startCommandLine(engine::kQueryUnloadCommand);
            platform_.closeTopLevelWindow(tasks::kAppTitle);
            platform_.startCommandLine(engine::kCloseRequestCommand);
        }
        platform_.messageBox(reminder, engine::kTimeUpTitle, platform::MsgButtons::Ok,
                             platform::MsgIcon::Information);
    } else if (runRelated && engine::relatedFileNotFound(text, rf)) {
        platform_.messageBox(engine::notFoundWarning(rf), tasks::kAppTitle,
                             platform::MsgButtons::Ok, platform::MsgIcon::None);
    }

    run_.stop();
    applyRunState();
}

void frmMain::applyRunState()
{
    const bool R = run_.isRunning();
    for (QLabel *label : {lblStartH, lblNowH, lblEndH, lblStart, lblNow, lblEnd})
        label->setVisible(R);
    lblNote->setVisible(!R);
    lblNote->move(lblNote->x(), lblNowH->y());
    for (QWidget *w : std::initializer_list<QWidget *>{
             txtHour, txtMinute, txtSecond, cboTask, chkRunRelaFile, chkShowMsg, chkRunInBackground,
             chkCountDown, lblDatFile, cmdMode})
        w->setEnabled(!R);
    cmdRunBack->setEnabled(R);
    cmdBrowse->setEnabled(!R && chkRunRelaFile->isChecked());
    txtFile->setEnabled(!R && chkRunRelaFile->isChecked());
    lblNow->setText(R ? platform_.dateTimeText(platform_.now()) : QString());
}

void frmMain::moveTaskToTop()
{
    const QString text = cboTask->currentText();
    const tasks::TaskRecord record = recordFromFields();
    taskModel_->beginChange();
    if (const qsizetype i = taskList_.indexOf(text); i >= 0)
        taskList_.remove(i);
    taskList_.prepend(record);
    taskModel_->endChange();
    // The list changed under the box; the text part keeps the started text.
    cboTask->setCurrentIndex(-1);
    cboTask->setEditText(text);
    cboTask->lineEdit()->setCursorPosition(0);
}

void frmMain::fillTaskList()
{
    const tasks::TaskRecord first = taskList_.first();
    cboTask->setCurrentIndex(-1);
    cboTask->setEditText(first.taskText);
    cboTask->lineEdit()->setCursorPosition(0); // show the text's beginning
    showRecord(first, true);
}

void frmMain::showRecord(const tasks::TaskRecord &record, bool modeCaption)
{
    chkRunRelaFile->setChecked(record.runRelaFile != 0);
    chkShowMsg->setChecked(record.showMsg != 0);
    chkRunInBackground->setChecked(record.runInBackground != 0);
    chkCountDown->setChecked(record.countDown != 0);
    if (modeCaption)
        chkCountDown_Click();
    txtHour->setText(tasks::numberText(record.hour));
    txtMinute->setText(tasks::numberText(record.minute));
    txtSecond->setText(tasks::numberText(record.second));
    txtFile->setText(record.relaFile);
}

tasks::TaskRecord frmMain::recordFromFields() const
{
    return {cboTask->currentText(),
            txtFile->text(),
            engine::leadingNumber(txtHour->text()),
            engine::leadingNumber(txtMinute->text()),
            engine::leadingNumber(txtSecond->text()),
            qint16(chkRunRelaFile->isChecked()),
            qint16(chkShowMsg->isChecked()),
            qint16(chkRunInBackground->isChecked()),
            qint16(chkCountDown->isChecked())};
}
