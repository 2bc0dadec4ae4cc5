// The main window of Tocklet (docs/ARCHITECTURE.md: the layers, the names, the flows).
#pragma once

#include "mdlHotKey.h"

#include <EventLog.h>
#include <Run.h>
#include <TaskScript.h>

#include <QDateTime>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class ctlTabs;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TaskListModel;

namespace platform {
class Platform;
}
namespace tasks {
class ScriptPreload;
}

// The main window: the task's fields on three tab pages, Start/Stop, and the engine that
// counts down and fires. A dialog, so that Enter presses the default button cmdOk and Esc the
// cancel button cmdExit. docs/ARCHITECTURE.md follows its flows and explains its names.
class frmMain : public QDialog {
    Q_OBJECT

public:
    // `taskPreload`, when given, has been reading the task script since before the window.
    explicit frmMain(platform::Platform &platform, tasks::ScriptPreload *taskPreload = nullptr);

    // Starts the program: the file paths, the start line, the notice when an earlier copy
    // runs, the window shown and kept on top, the recall hotkey, the task script loaded.
    void Form_Load();

    // Brings the window back from the background, in front of the others.
    void recall();

    // The page of tab `index`, 1 to 3.
    QFrame *framer(int index) const { return framer_.at(index - 1); }

    // Appends one line to the event log.
    void recordToFile(const QString &line);

    // Sets the time group's caption for the mode and resets the time fields for it.
    void chkCountDown_Click();

    const tasks::TaskList &taskList() const { return taskList_; }
    bool isRunning() const { return run_.isRunning(); }
    QDateTime endTime() const { return run_.endTime(); }
    bool isUnloaded() const { return unloaded_; }
    // Hides the window, releases the hotkey, saves the task script and logs the exit; once.
    void Form_Unload();

signals:
    // The window has unloaded: the program ends.
    void unloaded();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether a close request may go on: a minimised window is restored; while a task runs
    // the user is asked.
    bool Form_QueryUnload();

    void selectAfterClick(QLineEdit *box, QEvent *event);
    void createControls();
    void createGeneralPage();
    void createAdvancedPage();
    void nameByLabels();
    void createAboutPage();

    void cmdOk_Click();
    void cmdRunBack_Click();
    // Background, and Start with chkRunInBackground ticked, which takes the task-bar entry away
    // before hiding the window.
    void goToBackground(bool entryFirst);
    // Tries to take the recall key again (the first copy only), and says on lblNote whether it
    // is held.
    void retryHotKey();
    static QString keyNote();
    void startTask();
    void stopTask();
    void tmrMain_Timer();
    void fireTask();
    void armTimer();
    void applyRunState();
    void moveTaskToTop();
    void fillTaskList();
    // A stored task into the fields (its text excepted: the task box shows it); `modeCaption`
    // sets the time group's caption even when the mode stays. And the fields as a task.
    void showRecord(const tasks::TaskRecord &record, bool modeCaption);
    tasks::TaskRecord recordFromFields() const;
    void logEvent(eventlog::Event event, const QString &detail = {});
    void chkRunRelaFile_Click();
    void cmdMode_Click();
    void cmdBrowse_Click();
    void cboTask_Click();
    void applySelectedTask();
    void lblDatFile_Click();
    void txtFile_Change();
    void ctlTabs1_TabClick(int OldTab, int NewTab);
    QLineEdit *timeField(int field) const;

    platform::Platform &platform_;
    mdlHotKey hotKey_;

    engine::Run run_;
    bool unloaded_ = false;
    bool firstCopy_ = true;
    QDateTime keyTried_;                      // the last try to take the recall key
    std::optional<QPoint> backgroundAt_;      // where the window was when it went to the background
    std::function<void(bool)> sessionAnswer_; // for a logout while the question is open
    bool activatedBefore_ = false;
    bool leftForOwnForm_ = false;
    QLineEdit *clickedInto_ = nullptr; // a field given the focus by a click still going on
    tasks::TaskList taskList_;
    TaskListModel *taskModel_ = nullptr;
    tasks::ScriptFile taskScript_;
    tasks::ScriptPreload *taskPreload_;
    QString logFilePath_;
    tasks::Encoding logEncoding_ = tasks::Encoding::Utf8;

    ctlTabs *ctlTabs1 = nullptr;
    std::array<QFrame *, 3> framer_{};
    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtHour = nullptr;
    QLineEdit *txtMinute = nullptr;
    QLineEdit *txtSecond = nullptr;
    QPushButton *cmdMode = nullptr;
    QComboBox *cboTask = nullptr;
    QWidget *picNormalBottom = nullptr;
    QLabel *lblStartH = nullptr;
    QLabel *lblStart = nullptr;
    QLabel *lblNowH = nullptr;
    QLabel *lblNow = nullptr;
    QLabel *lblEndH = nullptr;
    QLabel *lblEnd = nullptr;
    QLabel *lblNote = nullptr;
    QCheckBox *chkRunRelaFile = nullptr;
    QLineEdit *txtFile = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QCheckBox *chkShowMsg = nullptr;
    QCheckBox *chkRunInBackground = nullptr;
    QCheckBox *chkCountDown = nullptr;
    QLabel *lblDatFile = nullptr;
    QPlainTextEdit *txtAbout = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdExit = nullptr;
    QPushButton *cmdRunBack = nullptr;
    QTimer *tmrMain = nullptr;
};
