#include "MainWindowFixture.h"

#include <QSignalSpy>

using platform::MsgResult;

// The orders that the outside cannot see (the end-to-end scripts look at the rest).
class Life : public MainWindow {
protected:
    // What was true at each call from now on: "call [visible, log lines, script bytes]".
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
        check("chkRunInBackground")->setChecked(false);
        setFields(u"1"_s, u"0"_s, u"0"_s);
        clickStart();
    }
};

TEST_F(Life, StartUpInOrder)
{
    const QString notice =
        u"messageBox: Tocklet|注意:\r\n\r\n在此之前您已经运行了至少一个实例,无论运行多少个实例"
        u"最终只有第一个实例拥有热键呼出功能,其它功能都一样|Ok|Information [0, 1, 0]\n"_s;
    for (bool earlier : {false, true}) {
        QFile::remove(dir.path(u"task.dat"_s));
        QFile::remove(dir.path(u"Klaxo.log"_s));
        platform.earlierCopy = earlier;
        window = std::make_unique<frmMain>(platform);
        watched.clear();
        watch();
        window->Form_Load();
        EXPECT_EQ(watched.join(u'\n'),
                  u"earlierCopyRunning [0, 0, 0]\ndateTimeText [0, 0, 0]\n"_s +
                      (earlier ? notice : u""_s) +
                      u"makeTopmost: frmMain [1, 1, 0]\nregisterHotkey [1, 1, 0]\n"
                      u"installHotkeyHandler [1, 1, 0]"_s);
        EXPECT_EQ(logLines(), QStringList{u"[2026/12/6 14:03:09]\t%1\t程序开始运行"_s.arg(
                                  earlier ? u"<<"_s : u"<"_s)});
        EXPECT_FALSE(get("lblNowH")->isVisibleTo(window.get())) << "the idle state";
    }
}

TEST_F(Life, UnloadHidesReleasesTheKeySavesThenLogs)
{
    dir.write(u"task.dat"_s, "[0,06,0,0,1,1,1,\"x\"]a\r\n[1,2,3,0,1,1,1,\"y\"]a\r\n");
    open();
    watch();
    window->close();
    EXPECT_EQ(watched,
              (QStringList{u"removeHotkeyHandler [0, 0, 45]"_s, u"unregisterHotkey [0, 0, 45]"_s,
                           u"dateTimeText [0, 0, 22]"_s}))
        << "hidden, the key released, the script saved, then the exit line's time taken";
    EXPECT_EQ(dir.read(u"task.dat"_s), "[0,6,0,0,1,1,1,\"x\"]a\r\n");
    EXPECT_EQ(logLines(), QStringList{u"[2026/12/6 14:03:09]\t>\t系统正常退出"_s});
}

TEST_F(Life, TheCloseQuestionAndATaskFiringWhileItIsOpen)
{
    startLongTask();
    window->showMinimized();
    platform.onCall = [this](const QString &call) {
        if (call.startsWith(u"messageBox: Tocklet"_s)) {
            EXPECT_FALSE(window->isMinimized()) << "restored before the question";
            tickAfter(3600);
        }
    };
    platform.messageBoxAnswers << MsgResult::No << MsgResult::Ok;
    platform.calls.clear();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(
        platform.calls.first(),
        u"messageBox: Tocklet|注意:\r\n\r\n当前有任务正在执行,您是否确认退出程序?|YesNo|Question"_s);
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
    platform.calls.clear();
    EXPECT_FALSE(platform.session.queryEnd(true)) << "No cancels the logout";
    EXPECT_TRUE(platform.session.queryEnd(false)) << "the unload comes when the program quits";
    EXPECT_TRUE(unloaded.isEmpty());
    dir.write(u"task.dat"_s, "junk");
    platform.session.terminate();
    EXPECT_EQ(unloaded.size(), 1);
    EXPECT_EQ(platform.calls.filter(u"messageBox"_s).size(), 1) << "one question in all";
    EXPECT_EQ(logLines().last(), u"[2026/12/6 14:03:09]\t>\t系统正常退出"_s);
    EXPECT_EQ(scriptLines().size(), 6) << "saved over the junk";
}
