#include "MainWindowFixture.h"

#include <Firing.h>
#include <RelatedAction.h>
#include <TaskScript.h>

#include <QTimeZone>

using namespace Qt::StringLiterals;
using platform::MsgIcon;

namespace {

const QString kPlaceholder = u"事件关联文件未指定"_s;

TEST_F(MainWindow, TaskRunsFromStartToFiring)
{
    get<QComboBox>("cboTask")->setEditText(u"喝水"_s);
    check("chkCountDown")->setChecked(true);
    check("chkShowMsg")->setChecked(true);
    setFields(u"0"_s, u"0.05"_s, u"0"_s);
    const QString started = stamp();

    clickStart();
    EXPECT_EQ(text("cmdOk"), u"停止(&S)"_s);
    EXPECT_EQ(text("txtSecond"), u"3"_s) << "fields normalised";
    EXPECT_EQ(text("lblStart"), started);
    EXPECT_EQ(text("lblEnd"), u"2026/12/6 14:03:12"_s);
    EXPECT_TRUE(timerActive());
    EXPECT_FALSE(field("txtHour")->isEnabled());
    EXPECT_TRUE(get("cmdRunBack")->isEnabled());
    EXPECT_EQ(logLines(), QStringList{u"[%1]\t*\t开始执行任务 喝水"_s.arg(started)});
    EXPECT_EQ(window->taskList().first().taskText, u"喝水"_s);
    EXPECT_EQ(scriptLines().first(), u"[0,0,3,0,1,1,1,\"%1\"]喝水"_s.arg(kPlaceholder));

    tickAfter(2);
    EXPECT_EQ(text("lblNow"), u"2026/12/6 14:03:11"_s);
    EXPECT_TRUE(platform.messageBoxes.isEmpty());
    EXPECT_EQ(logLines().size(), 1);

    tickAfter(1);
    EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:12]\t\t任务时间到 "_s + kPlaceholder);
    ASSERT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_EQ(platform.messageBoxes[0].text, u"提醒事件:\r\n\r\n喝水\r\n2026/12/6 14:03:12"_s);
    EXPECT_EQ(platform.messageBoxes[0].title, u"时间到"_s);
    EXPECT_EQ(platform.messageBoxes[0].icon, MsgIcon::Information);

    EXPECT_FALSE(window->isRunning());
    EXPECT_FALSE(timerActive());
    EXPECT_EQ(text("cmdOk"), u"开始(&S)"_s);
    EXPECT_EQ(text("lblNow"), QString());
    EXPECT_FALSE(get("lblNow")->isVisibleTo(window.get()));
    EXPECT_TRUE(get("lblNote")->isVisibleTo(window.get()));
    EXPECT_TRUE(field("txtHour")->isEnabled());
    EXPECT_FALSE(get("cmdRunBack")->isEnabled());
}

TEST_F(MainWindow, LaterTickStillFires)
{
    check("chkShowMsg")->setChecked(false);
    setFields(u"0"_s, u"0"_s, u"5"_s);
    clickStart();
    tickAfter(3600); // the clock jumped, or the machine slept
    EXPECT_FALSE(window->isRunning());
    EXPECT_TRUE(platform.messageBoxes.isEmpty());
}

TEST_F(MainWindow, CountdownsAreElapsedTimeAcrossADaylightSavingChange)
{
    // 01:30 on the night Berlin moves its clocks from 02:00 to 03:00.
    platform.clock = QDateTime(QDate(2027, 3, 28), QTime(1, 30), QTimeZone("Europe/Berlin"));
    check("chkCountDown")->setChecked(true);
    check("chkRunInBackground")->setChecked(false);
    setFields(u"2"_s, u"0"_s, u"0"_s);
    clickStart();
    EXPECT_EQ(text("lblEnd"), u"2027/3/28 4:30:00"_s);
    tickAfter(7199);
    EXPECT_TRUE(window->isRunning());
    tickAfter(1);
    EXPECT_FALSE(window->isRunning()) << "fires after two hours";
}

TEST_F(MainWindow, StopReturnsToIdleAndLeavesTheScript)
{
    get<QComboBox>("cboTask")->setEditText(u"t"_s);
    check("chkRunRelaFile")->setChecked(false);
    setFields(u"1"_s, u"0"_s, u"0"_s);
    clickStart();
    const QByteArray script = dir.read(u"task.dat"_s);
    platform.advance(5);
    clickStart();
    EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:14]\t\t任务被用户中断"_s);
    EXPECT_EQ(logLines().size(), 2);
    EXPECT_FALSE(timerActive());
    EXPECT_EQ(text("cmdOk"), u"开始(&S)"_s);
    for (const char *name : {"txtHour", "txtMinute", "txtSecond", "cboTask", "chkShowMsg",
                             "chkCountDown", "lblDatFile", "cmdMode"})
        EXPECT_TRUE(get(name)->isEnabled()) << name;
    for (const char *name : {"cmdRunBack", "txtFile", "cmdBrowse"})
        EXPECT_FALSE(get(name)->isEnabled()) << name;
    EXPECT_EQ(text("lblNow"), QString());
    EXPECT_EQ(dir.read(u"task.dat"_s), script);
}

TEST_F(MainWindow, BackgroundStartHidesAndFiringBringsBack)
{
    check("chkRunInBackground")->setChecked(true);
    check("chkShowMsg")->setChecked(false);
    setFields(u"0"_s, u"0"_s, u"1"_s);
    clickStart();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(platform.calls, QStringList{u"setTaskbarEntryVisible: false"_s});
    tickAfter(1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(platform.calls.mid(1),
              (QStringList{u"setTaskbarEntryVisible: true"_s, u"makeTopmost: frmMain"_s}));
}

TEST_F(MainWindow, InvalidInputAbandonsStart)
{
    setFields(u"1"_s, u"-5"_s, u"0"_s);
    clickStart();
    ASSERT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_EQ(platform.messageBoxes[0].text, u"您输入的数据不合法!"_s);
    EXPECT_EQ(platform.messageBoxes[0].title, u"提示"_s);
    EXPECT_EQ(platform.messageBoxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(window->focusWidget(), field("txtMinute"));
    EXPECT_EQ(field("txtMinute")->cursorPosition(), 2);
    EXPECT_FALSE(field("txtMinute")->hasSelectedText());
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_FALSE(timerActive());
    EXPECT_EQ(text("cmdOk"), u"开始(&S)"_s);
}

TEST_F(MainWindow, StartingAStoredTaskMovesItToTheTopOfBothLists)
{
    const QStringList before = tasks::sampleTaskScript();
    auto *combo = get<QComboBox>("cboTask");
    const QString third = combo->itemText(3);
    combo->setEditText(third);
    check("chkShowMsg")->setChecked(true);
    check("chkCountDown")->setChecked(true);
    setFields(u"0"_s, u"7"_s, u"0"_s);
    clickStart();

    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    QStringList texts;
    for (const auto &record : window->taskList())
        texts.append(record.taskText);
    QStringList expected;
    for (int i : {3, 0, 1, 2, 4, 5})
        expected.append(before[i].mid(before[i].indexOf(u']') + 1));
    EXPECT_EQ(items, expected);
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(combo->currentText(), third);
    const QStringList lines = scriptLines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], u"[0,7,0,0,1,1,1,\"%1\"]"_s.arg(kPlaceholder) + third)
        << "the window's settings, not the stored ones";
    EXPECT_EQ(lines.mid(1), (QStringList{before[0], before[1], before[2], before[4], before[5]}));
}

TEST_F(MainWindow, EmptyReminderTextStartsButIsNotStored)
{
    auto *combo = get<QComboBox>("cboTask");
    combo->setEditText(QString());
    const QByteArray script = dir.read(u"task.dat"_s);
    clickStart();
    EXPECT_EQ(logLines().last(), u"[%1]\t*\t开始执行任务 "_s.arg(stamp()));
    EXPECT_EQ(combo->itemText(0), QString());
    EXPECT_EQ(combo->count(), 7);
    EXPECT_EQ(window->taskList().size(), 7);
    EXPECT_EQ(dir.read(u"task.dat"_s), script) << "rewritten with the same lines";
}

// What firing does for each choice of the two check boxes and the kind of related file.
struct FiringCase {
    const char *name;
    bool showMsg;
    bool runRelated;
    QString file; // "MISSING" stands for a path that does not exist
    QStringList calls;
    QStringList boxes; // title: text
};

void PrintTo(const FiringCase &c, std::ostream *os)
{
    *os << c.name;
}

class Firing : public MainWindow, public ::testing::WithParamInterface<FiringCase> {};

TEST_P(Firing, RunsAndWarnsAsChosen)
{
    const FiringCase &c = GetParam();
    const QString missing = dir.path(u"missing.exe"_s);
    auto expand = [&](QString s) { return s.replace(u"MISSING"_s, missing); };
    check("chkShowMsg")->setChecked(c.showMsg);
    check("chkRunRelaFile")->setChecked(c.runRelated);
    check("chkRunInBackground")->setChecked(false);
    field("txtFile")->setText(expand(c.file));
    get<QComboBox>("cboTask")->setEditText(u"事"_s);
    setFields(u"0"_s, u"0"_s, u"0"_s);
    clickStart();
    tickAfter(0);

    QStringList calls = platform.calls;
    calls.removeAll(u"setTaskbarEntryVisible: true"_s);
    calls.removeAll(u"makeTopmost: frmMain"_s);
    calls.removeIf([](const QString &call) { return call.startsWith(u"messageBox"_s); });
    QStringList expectedCalls;
    for (const QString &call : c.calls)
        expectedCalls.append(expand(call));
    EXPECT_EQ(calls, expectedCalls);
    QStringList boxes;
    for (const auto &box : platform.messageBoxes)
        boxes.append(box.title + u": "_s + box.text);
    QStringList expectedBoxes;
    for (const QString &box : c.boxes)
        expectedBoxes.append(expand(box).replace(u"NF"_s, engine::kNotFoundText));
    EXPECT_EQ(boxes, expectedBoxes);
    EXPECT_EQ(logLines().last(),
              u"[2026/12/6 14:03:09]\t\t任务时间到 "_s + expand(c.file).trimmed());
    EXPECT_FALSE(window->isRunning());
}

const QString kReminder = u"时间到: 提醒事件:\r\n\r\n事\r\n2026/12/6 14:03:09"_s;
const QString kWarned =
    u"时间到: 提醒事件:\r\n\r\n事\r\n注意:NF\r\nMISSING\r\n2026/12/6 14:03:09"_s;
const QString kSmallWarning = u"Tocklet: 注意:\r\n\r\nNF\r\nMISSING"_s;

INSTANTIATE_TEST_SUITE_P(
    Matrix, Firing,
    ::testing::Values(FiringCase{"nothing", false, false, u"MISSING"_s, {}, {}},
                      FiringCase{"message only", true, false, u"MISSING"_s, {}, {kReminder}},
                      FiringCase{"missing file, message",
                                 true,
                                 true,
                                 u"MISSING"_s,
                                 {u"shellOpen: MISSING"_s},
                                 {kWarned}},
                      FiringCase{"missing file, no message",
                                 false,
                                 true,
                                 u" MISSING "_s,
                                 {u"shellOpen:  MISSING "_s},
                                 {kSmallWarning}},
                      FiringCase{"placeholder",
                                 true,
                                 true,
                                 kPlaceholder,
                                 {u"shellOpen: "_s + kPlaceholder},
                                 {kReminder}},
                      FiringCase{"placeholder, no message",
                                 false,
                                 true,
                                 kPlaceholder,
                                 {u"shellOpen: "_s + kPlaceholder},
                                 {}},
                      FiringCase{"empty", false, true, u""_s, {u"shellOpen: "_s}, {}},
                      FiringCase{"command",
                                 true,
                                 true,
                                 u"  CMD:echo 好 & dir  "_s,
                                 {u"startCommandLine: cmd /c echo 好 & dir"_s},
                                 {kReminder}},
                      FiringCase{"command, no message",
                                 false,
                                 true,
                                 u"cmd:shutdown /s /f /t 0"_s,
                                 {u"startCommandLine: cmd /c shutdown /s /f /t 0"_s},
                                 {}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST_F(MainWindow, FiringDuringTheCloseQuestionAsksItToClose)
{
    check("chkRunInBackground")->setChecked(false);
    check("chkShowMsg")->setChecked(true);
    check("chkRunRelaFile")->setChecked(false);
    setFields(u"0"_s, u"0"_s, u"0"_s);
    clickStart();
    window->setQueryUnload(true);
    tickAfter(0);
    platform.calls.removeAll(u"setTaskbarEntryVisible: true"_s);
    platform.calls.removeAll(u"makeTopmost: frmMain"_s);
    platform.calls.removeAll(u"messageBox: 时间到"_s);
    EXPECT_EQ(platform.calls,
              (QStringList{
                  u"startCommandLine: cmd /k echo isQueryUnload=true"_s,
                  u"closeTopLevelWindow: Tocklet"_s,
                  u"startCommandLine: cmd /k echo SendMessage(hWnd1, WM_CLOSE, 0, ByVal 0&)"_s}));
    EXPECT_EQ(platform.messageBoxes.size(), 1);
}

} // namespace
