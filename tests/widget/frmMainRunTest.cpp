#include "MainWindowFixture.h"

#include <RelatedAction.h>

#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace {

const QString kPlaceholder = u"事件关联文件未指定"_s;

TEST_F(MainWindow, TaskRunsFromStartToFiring)
{
    get<QComboBox>("cboTask")->setEditText(u"喝水"_s);
    check("chkCountDown")->setChecked(true);
    check("chkShowMsg")->setChecked(true);
    setFields(u"0"_s, u"0.05"_s, u"0"_s);
    clickStart();
    EXPECT_EQ(text("cmdOk"), u"停止(&S)"_s);
    EXPECT_EQ(text("txtSecond"), u"3"_s) << "fields normalised";
    EXPECT_EQ(text("lblStart") + u"|"_s + text("lblEnd"),
              u"2026/12/6 14:03:09|2026/12/6 14:03:12"_s);
    EXPECT_FALSE(field("txtHour")->isEnabled());
    EXPECT_TRUE(get("cmdRunBack")->isEnabled());
    EXPECT_EQ(logLines(), QStringList{u"[2026/12/6 14:03:09]\t*\t开始执行任务 喝水"_s});
    EXPECT_EQ(scriptLines().first(), u"[0,0,3,0,1,1,1,\"%1\"]喝水"_s.arg(kPlaceholder));

    tickAfter(2);
    EXPECT_EQ(text("lblNow"), u"2026/12/6 14:03:11"_s);
    EXPECT_EQ(logLines().size(), 1);
    tickAfter(1);
    EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:12]\t\t任务时间到 "_s + kPlaceholder);
    ASSERT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_EQ(platform.messageBoxes[0].title + platform.messageBoxes[0].text,
              u"时间到提醒事件:\r\n\r\n喝水\r\n2026/12/6 14:03:12"_s);
    EXPECT_FALSE(window->isRunning() || timerActive());
    EXPECT_EQ(text("cmdOk") + text("lblNow"), u"开始(&S)"_s);
    EXPECT_TRUE(get("lblNote")->isVisibleTo(window.get()));
    EXPECT_TRUE(field("txtHour")->isEnabled());
    EXPECT_FALSE(get("cmdRunBack")->isEnabled());
}

TEST_F(MainWindow, CountdownsAreElapsedTimeAndALateTickStillFires)
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
    tickAfter(3600); // the clock jumped, or the machine slept
    EXPECT_FALSE(window->isRunning());
}

TEST_F(MainWindow, StopReturnsToIdleAndLeavesTheScript)
{
    check("chkRunRelaFile")->setChecked(false);
    setFields(u"1"_s, u"0"_s, u"0"_s);
    clickStart();
    const QByteArray script = dir.read(u"task.dat"_s);
    platform.advance(5);
    clickStart();
    EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:14]\t\t任务被用户中断"_s);
    EXPECT_FALSE(timerActive());
    for (const char *name : {"txtHour", "txtMinute", "txtSecond", "cboTask", "chkShowMsg",
                             "chkCountDown", "lblDatFile", "cmdMode"})
        EXPECT_TRUE(get(name)->isEnabled()) << name;
    for (const char *name : {"cmdRunBack", "txtFile", "cmdBrowse"})
        EXPECT_FALSE(get(name)->isEnabled()) << name;
    EXPECT_EQ(dir.read(u"task.dat"_s), script);
}

TEST_F(MainWindow, BackgroundStartHidesAndFiringBringsBack)
{
    check("chkRunInBackground")->setChecked(true);
    check("chkShowMsg")->setChecked(false);
    setFields(u"0"_s, u"0"_s, u"1"_s);
    clickStart();
    EXPECT_FALSE(window->isVisible());
    tickAfter(1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(platform.calls,
              (QStringList{u"setTaskbarEntryVisible: false"_s, u"setTaskbarEntryVisible: true"_s,
                           u"makeTopmost: frmMain"_s}));
}

TEST_F(MainWindow, InvalidInputAbandonsStartWithTheCaretAfterTheField)
{
    setFields(u"1"_s, u"-5"_s, u"0"_s);
    clickStart();
    ASSERT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_EQ(platform.messageBoxes[0].title + platform.messageBoxes[0].text,
              u"提示您输入的数据不合法!"_s);
    EXPECT_EQ(platform.messageBoxes[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(window->focusWidget(), field("txtMinute"));
    EXPECT_EQ(field("txtMinute")->cursorPosition(), 2);
    EXPECT_FALSE(field("txtMinute")->hasSelectedText());
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_FALSE(window->isRunning());
}

TEST_F(MainWindow, StartingMovesTheTaskToTheTopOfBothListsAndTheScript)
{
    auto *combo = get<QComboBox>("cboTask");
    const QStringList before = items(combo);
    const QStringList lines = scriptLines();
    combo->setEditText(before[3]);
    check("chkCountDown")->setChecked(true);
    setFields(u"0"_s, u"7"_s, u"0"_s);
    clickStart();
    const QStringList expected = {before[3], before[0], before[1], before[2], before[4], before[5]};
    EXPECT_EQ(items(combo), expected);
    EXPECT_EQ(combo->currentText(), before[3]);
    EXPECT_EQ(scriptLines(), (QStringList{u"[0,7,0,0,1,1,1,\"%1\"]"_s.arg(kPlaceholder) + before[3],
                                          lines[0], lines[1], lines[2], lines[4], lines[5]}))
        << "the window's settings, not the stored ones";

    combo->setEditText(QString()); // an empty text starts but is never stored
    clickStart();
    clickStart();
    EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:09]\t*\t开始执行任务 "_s);
    EXPECT_EQ(items(combo).size(), 7);
    EXPECT_EQ(scriptLines().size(), 6);
}

// What firing does for each choice of the two check boxes and the kind of related file.
struct FiringCase {
    const char *name;
    bool showMsg;
    bool runRelated;
    QString file; // "MISSING" stands for a path that does not exist
    QString call;
    QString box; // title: text
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
    auto expand = [&](QString s) {
        return s.replace(u"MISSING"_s, missing).replace(u"NF"_s, engine::kNotFoundText);
    };
    check("chkShowMsg")->setChecked(c.showMsg);
    check("chkRunRelaFile")->setChecked(c.runRelated);
    check("chkRunInBackground")->setChecked(false);
    field("txtFile")->setText(expand(c.file));
    get<QComboBox>("cboTask")->setEditText(u"事"_s);
    setFields(u"0"_s, u"0"_s, u"0"_s);
    clickStart();
    platform.calls.clear();
    tickAfter(0);

    QStringList expected = {u"setTaskbarEntryVisible: true"_s, u"makeTopmost: frmMain"_s};
    if (!c.call.isEmpty())
        expected.append(expand(c.call));
    if (!c.box.isEmpty())
        expected.append(u"messageBox: "_s + c.box.section(u':', 0, 0));
    EXPECT_EQ(platform.calls, expected);
    if (!c.box.isEmpty()) {
        EXPECT_EQ(platform.messageBoxes.last().text, expand(c.box.section(u": "_s, 1)));
    }
    EXPECT_EQ(logLines().last(),
              u"[2026/12/6 14:03:09]\t\t任务时间到 "_s + expand(c.file).trimmed());
}

const QString kReminder = u"时间到: 提醒事件:\r\n\r\n事\r\n2026/12/6 14:03:09"_s;

INSTANTIATE_TEST_SUITE_P(
    Matrix, Firing,
    ::testing::Values(
        FiringCase{"nothing", false, false, u"MISSING"_s, {}, {}},
        FiringCase{"message only", true, false, u"MISSING"_s, {}, kReminder},
        FiringCase{"missing file, message", true, true, u"MISSING"_s, u"shellOpen: MISSING"_s,
                   u"时间到: 提醒事件:\r\n\r\n事\r\n注意:NF\r\nMISSING\r\n2026/12/6 14:03:09"_s},
        FiringCase{"missing file, no message", false, true, u" MISSING "_s,
                   u"shellOpen:  MISSING "_s, u"Tocklet: 注意:\r\n\r\nNF\r\nMISSING"_s},
        FiringCase{"placeholder", true, true, kPlaceholder, u"shellOpen: "_s + kPlaceholder,
                   kReminder},
        FiringCase{"placeholder, no message",
                   false,
                   true,
                   kPlaceholder,
                   u"shellOpen: "_s + kPlaceholder,
                   {}},
        FiringCase{"empty", false, true, u""_s, u"shellOpen: "_s, {}},
        FiringCase{"command", true, true, u"  CMD:echo 好 & dir  "_s,
                   u"startCommandLine: cmd /c echo 好 & dir"_s, kReminder},
        FiringCase{"command, no message",
                   false,
                   true,
                   u"cmd:shutdown /s /f /t 0"_s,
                   u"startCommandLine: cmd /c shutdown /s /f /t 0"_s,
                   {}}),
    [](const auto &info) { return std::to_string(info.index); });

} // namespace
