#include "MainWindowFixture.h"

#include <QSignalSpy>

using platform::MsgResult;

namespace {

// The window before its load, so that the start-up itself can be watched; the orders that the
// outside cannot see (the end-to-end scripts look at the rest).
class Life : public MainWindow {
protected:
    void SetUp() override
    {
        platform.programDir = platform.windowsDir = dir.dir.path();
        window = std::make_unique<frmMain>(platform);
    }
    // What was true at each call: "call [visible, log lines, script bytes]".
    QStringList watched;
    void watch()
    {
        platform.onCall = [this](const QString &call) {
            watched.append(u"%1 [%2, %3, %4]"_s.arg(call)
                               .arg(window->isVisible())
                               .arg(logLines().size())
                               .arg(dir.read(u"task.dat"_s).size()));
        };
    }
    void startLongTask()
    {
        window->Form_Load();
        check("chkCountDown")->setChecked(true);
        check("chkRunInBackground")->setChecked(false);
        setFields(u"1"_s, u"0"_s, u"0"_s);
        clickStart();
    }
};

TEST_F(Life, StartUpInOrder)
{
    for (bool earlier : {false, true}) {
        SCOPED_TRACE(earlier);
        QFile::remove(dir.path(u"task.dat"_s));
        QFile::remove(dir.path(u"Klaxo.log"_s));
        platform.earlierCopy = earlier;
        window = std::make_unique<frmMain>(platform);
        watched.clear();
        watch();
        window->Form_Load();
        QStringList expected = {u"earlierCopyRunning [0, 0, 0]"_s};
        if (earlier)
            expected.append(u"messageBox: Tocklet [0, 1, 0]"_s);
        expected << u"makeTopmost: frmMain [1, 1, 0]"_s << u"registerHotkey [1, 1, 0]"_s
                 << u"installHotkeyHandler [1, 1, 0]"_s;
        EXPECT_EQ(watched, expected);
        EXPECT_EQ(logLines(), QStringList{u"[2026/12/6 14:03:09]\t%1\t程序开始运行"_s.arg(
                                  earlier ? u"<<"_s : u"<"_s)});
        EXPECT_FALSE(get("lblNowH")->isVisibleTo(window.get())) << "the idle state";
    }
    EXPECT_EQ(
        platform.messageBoxes[0].text,
        u"注意:\r\n\r\n在此之前您已经运行了至少一个实例,无论运行多少个实例最终只有第一个实例拥有热键呼出功能,其它功能都一样"_s);
    EXPECT_EQ(platform.messageBoxes[0].icon, platform::MsgIcon::Information);
}

TEST_F(Life, UnloadHidesReleasesTheKeySavesThenLogs)
{
    for (bool key : {true, false}) {
        const QByteArray script = "[0,06,0,0,1,1,1,\"x\"]a\r\n[1,2,3,0,1,1,1,\"y\"]a\r\n";
        dir.write(u"task.dat"_s, script);
        platform.hotkeyAvailable = key;
        window = std::make_unique<frmMain>(platform);
        window->Form_Load();
        watched.clear();
        watch();
        window->close();
        const QString unsaved = u" [0, 1, %1]"_s.arg(script.size());
        const QStringList released = {u"removeHotkeyHandler"_s + unsaved,
                                      u"unregisterHotkey"_s + unsaved};
        EXPECT_EQ(watched, key ? released : QStringList());
        EXPECT_EQ(dir.read(u"task.dat"_s), "[0,6,0,0,1,1,1,\"x\"]a\r\n");
        EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:09]\t>\t系统正常退出"_s);
    }
}

TEST_F(Life, TheCloseQuestionAndATaskFiringWhileItIsOpen)
{
    startLongTask();
    window->showMinimized();
    platform.onCall = [this](const QString &call) {
        if (call == u"messageBox: Tocklet"_s) {
            EXPECT_FALSE(window->isMinimized()) << "restored before the question";
            tickAfter(3600);
        }
    };
    platform.messageBoxAnswers << MsgResult::No << MsgResult::Ok;
    platform.calls.clear();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(platform.messageBoxes[0].text,
              u"注意:\r\n\r\n当前有任务正在执行,您是否确认退出程序?"_s);
    EXPECT_EQ(platform.messageBoxes[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(platform.messageBoxes[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(platform.calls.mid(3, 3),
              (QStringList{
                  u"startCommandLine: cmd /k echo isQueryUnload=true"_s,
                  u"closeTopLevelWindow: Tocklet"_s,
                  u"startCommandLine: cmd /k echo SendMessage(hWnd1, WM_CLOSE, 0, ByVal 0&)"_s}));
    EXPECT_FALSE(window->isRunning() || window->isUnloaded());
}

TEST_F(Life, SessionEndAsksWhereItCanAndSignalsNeverAsk)
{
    startLongTask();
    QSignalSpy unloaded(window.get(), &frmMain::unloaded);
    platform.messageBoxAnswers.enqueue(MsgResult::No);
    EXPECT_FALSE(platform.session.queryEnd(true)) << "No cancels the logout";
    EXPECT_TRUE(platform.session.queryEnd(false)) << "the unload comes when the program quits";
    EXPECT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_TRUE(unloaded.isEmpty());

    dir.write(u"task.dat"_s, "[0,0,0,0,1,1,1,\"x\"]a\r\njunk\r\n");
    window = std::make_unique<frmMain>(platform);
    QSignalSpy ended(window.get(), &frmMain::unloaded);
    startLongTask();
    platform.session.terminate();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_TRUE(logLines().last().endsWith(u"\t>\t系统正常退出"_s));
    EXPECT_FALSE(dir.read(u"task.dat"_s).contains("junk"));
}

} // namespace
