#include "MainWindowFixture.h"

#include <RelatedAction.h>

#include <QTimeZone>

static const QString kPlaceholder = u"事件关联文件未指定"_s;
static QString disabled(const MainWindow &w)
{
    QStringList off;
    for (const QWidget *c : w.window->findChildren<QWidget *>())
        if (!c->isEnabled() && !c->objectName().isEmpty() && !c->objectName().startsWith(u"qt_"))
            off.append(c->objectName());
    return off.join(u' ');
}

// The sample's first task (counted down, in the background, with a message) with other minutes.
TEST_F(MainWindow, TaskRunsFromStartToFiring)
{
    combo()->setEditText(u"喝水"_s), field("txtMinute")->setText(u"0.05"_s), clickStart();
    EXPECT_EQ(shown({"cmdOk", "txtSecond", "lblStart", "lblEnd"}),
              u"停止(&S)|3|2026/12/6 14:03:09|2026/12/6 14:03:12"_s);
    EXPECT_EQ(QString::number(window->isVisible()) + u' ' + disabled(*this),
              u"0 txtHour txtMinute txtSecond cmdMode cboTask chkRunRelaFile txtFile "
              u"cmdBrowse chkShowMsg chkRunInBackground chkCountDown lblDatFile"_s);
    tickAfter(2);
    EXPECT_EQ(shown({"lblNow"}), u"2026/12/6 14:03:11"_s);
    tickAfter(1);
    EXPECT_EQ(platform.calls.join(u'\n'),
              u"setTaskbarEntryVisible: false\nsetTaskbarEntryVisible: true\nmakeTopmost: frmMain\n"
              u"messageBox: 时间到|提醒事件:\r\n\r\n喝水\r\n2026/12/6 14:03:12|Ok|Information"_s);
    EXPECT_TRUE(window->isVisible() && get("lblNote")->isVisibleTo(window.get()) &&
                !window->isRunning() && !timerActive());
    EXPECT_EQ(shown({"cmdOk", "lblNow"}) + u' ' + disabled(*this),
              u"开始(&S)| txtFile cmdBrowse cmdRunBack"_s);
}

TEST_F(MainWindow, InvalidInputCountdownsAcrossTheClockChangeStopAndClockJumps)
{
    field("txtHour")->setText(u"2"_s), field("txtMinute")->setText(u"-5"_s), clickStart();
    EXPECT_EQ(platform.calls.join(u'\n'), u"messageBox: 提示|您输入的数据不合法!|Ok|Exclamation"_s);
    EXPECT_EQ(focus(), u"txtMinute -5 2 []"_s) << "the caret after the field to fix";
    EXPECT_FALSE(window->isRunning() || !logLines().isEmpty());

    // 01:30 on the night Berlin moves its clocks from 02:00 to 03:00: two hours counted down.
    platform.clock = QDateTime(QDate(2027, 3, 28), QTime(1, 30), QTimeZone("Europe/Berlin"));
    field("txtMinute")->setText(u"0"_s), clickStart();
    const QByteArray script = dir.read(u"task.dat"_s);
    EXPECT_EQ(shown({"lblEnd"}), u"2027/3/28 4:30:00"_s);
    tickAfter(7199), clickStart();
    EXPECT_EQ(logLines().last(), u"[2027/3/28 4:29:59]\t\t任务被用户中断"_s);
    EXPECT_EQ(u"%1 %2 "_s.arg(timerActive()).arg(shown({"cmdOk"})) + disabled(*this),
              u"0 开始(&S) txtFile cmdBrowse cmdRunBack"_s);
    EXPECT_EQ(dir.read(u"task.dat"_s), script) << "Stop leaves the script";

    clickStart(), tickAfter(3 * 3600); // the clock jumped, or the machine slept
    EXPECT_FALSE(window->isRunning());

    clickStart(); // two hours again, and the clock is set back an hour: nothing fires early
    tickAfter(-3600), tickAfter(3 * 3600 - 1);
    // The next tick just after the next whole second, on a clock that stands still during a sleep.
    EXPECT_TRUE(window->isRunning() && get<QTimer>("tmrMain")->remainingTime() < 1100);
    tickAfter(1);
    EXPECT_FALSE(window->isRunning());
}

TEST_F(MainWindow, StartingMovesTheTaskToTheTopOfBothListsAndTheScript)
{
    const QStringList before = items(), lines = scriptLines();
    combo()->setEditText(before[3]), field("txtMinute")->setText(u"7"_s), clickStart();
    EXPECT_EQ(focus() + u' ' + combo()->currentText(), u"cmdRunBack "_s + before[3]);
    EXPECT_EQ(items(),
              (QStringList{before[3], before[0], before[1], before[2], before[4], before[5]}));
    EXPECT_EQ(scriptLines(), (QStringList{u"[0,7,0,0,1,1,1,\"%1\"]"_s.arg(kPlaceholder) + before[3],
                                          lines[0], lines[1], lines[2], lines[4], lines[5]}))
        << "the window's settings, not the stored ones";

    combo()->setEditText(QString()), clickStart(), clickStart(); // started, never stored
    EXPECT_EQ((QList<qsizetype>{items().size(), scriptLines().size(), items().indexOf(u""_s)}),
              (QList<qsizetype>{7, 6, 0}));
}

// Firing with a related file, with and without the message ("NF" stands for the not-found text).
TEST_F(MainWindow, FiringRunsTheRelatedFileAndWarnsAsChosen)
{
    const QString reminder = u"时间到|提醒事件:\r\n\r\n事\r\n2026/12/6 14:03:09|Ok|Information"_s;
    const std::tuple<bool, QString, QString, QString> rows[] = {
        {true, u"/none/x.exe"_s, u"shellOpen: /none/x.exe"_s,
         u"时间到|提醒事件:\r\n\r\n事\r\n注意:NF\r\n/none/x.exe\r\n2026/12/6 14:03:09|Ok|Information"_s},
        {false, u" /none/x.exe "_s, u"shellOpen:  /none/x.exe "_s,
         u"Tocklet|注意:\r\n\r\nNF\r\n/none/x.exe|Ok|"_s},
        {true, kPlaceholder, u"shellOpen: "_s + kPlaceholder, reminder},
        {true, u"  CMD:echo 好 & dir  "_s, u"startCommandLine: cmd /c echo 好 & dir"_s, reminder},
    };
    check("chkRunRelaFile")->setChecked(true), combo()->setEditText(u"事"_s);
    for (const auto &[showMsg, file, call, box] : rows) {
        check("chkShowMsg")->setChecked(showMsg), field("txtFile")->setText(file), clickStart();
        EXPECT_TRUE(disabled(*this).contains(u"txtFile cmdBrowse"_s));
        platform.calls.clear(), tickAfter(0);
        EXPECT_EQ(platform.calls.join(u'\n'),
                  u"setTaskbarEntryVisible: true\nmakeTopmost: frmMain\n"_s + call +
                      u"\nmessageBox: "_s + QString(box).replace(u"NF"_s, engine::kNotFoundText));
        EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:09]\t\t任务时间到 "_s + file.trimmed());
        EXPECT_EQ(disabled(*this), u"cmdRunBack"_s) << "the related file editable again";
    }
}
