#include "MainWindowFixture.h"

// At each call of the start-up and the unload, "call [visible, log lines, script bytes]".
TEST_F(MainWindow, StartUpAndUnloadInOrder)
{
    QStringList watched;
    platform.onCall = [&](const QString &call) {
        watched.append(u"%1 [%2, %3, %4]"_s
                           .arg(call.section(u'|', 0, 0)) // a box by its title
                           .arg(window->isVisible())
                           .arg(logLines().size())
                           .arg(dir.read(u"task.dat"_s).size()));
    };
    for (bool earlier : {false, true}) {
        QFile::remove(dir.path(u"task.dat"_s)), QFile::remove(dir.path(u"Klaxo.log"_s));
        platform.earlierCopy = earlier, window = std::make_unique<frmMain>(platform);
        watched.clear(), window->Form_Load();
        EXPECT_FALSE(get("lblNowH")->isVisibleTo(window.get())) << "the idle state";
        // A line added by hand while the program runs, in a form the writer would not write: an
        // exit with nothing started leaves the script byte for byte.
        const QByteArray byHand = dir.read(u"task.dat"_s) + "[0,00,0,0,1,1,1,\"x\"]x\r\n";
        dir.write(u"task.dat"_s, byHand);
        earlier ? void(window->close()) : QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_EQ(watched.join(u'\n'),
                  u"earlierCopyRunning [0, 0, 0]\ndateTimeText [0, 0, 0]\n"_s +
                      (earlier ? u"messageBox: Tocklet [0, 1, 0]\n"_s : u""_s) +
                      u"makeTopmost: frmMain [1, 1, 0]\nregisterHotkey [1, 1, 0]\n"
                      u"installHotkeyHandler [1, 1, 0]\nofferRecall [1, 1, 0]\n"
                      u"removeHotkeyHandler [0, 1, %1]\nunregisterHotkey [0, 1, %1]\n"
                      u"dateTimeText [0, 1, %1]"_s.arg(byHand.size()))
            << "hidden, the key released, the script left as it is, then the exit line's time";
        EXPECT_EQ(logLines(), (QStringList{u"[2026/12/6 14:03:09]\t%1\t程序开始运行"_s.arg(
                                               earlier ? u"<<"_s : u"<"_s),
                                           u"[2026/12/6 14:03:09]\t>\t系统正常退出"_s}));
    }
    EXPECT_TRUE(platform.calls.join(u'\n').contains(
        u"messageBox: Tocklet|注意:\r\n\r\n在此之前您已经运行了至少一个实例,无论运行多少个实例最终只有第一个实例拥有热键呼出功能,其它功能都一样|"_s));
}

// Another program holds the recall key: the first copy says where its window is found instead,
// Background minimises it, and the key is tried again every minute out of sight, or when the
// desktop answers late. A later copy says nothing and hides, as it always does.
TEST_F(MainWindow, ATakenKeyIsSaidAndTriedAgain)
{
    const QString keyNote = u"提醒:后台运行时按 CTRL+ALT+A 可将其调出"_s;
    for (bool earlier : {false, true}) {
        platform.earlierCopy = earlier, platform.hotkeyFree = false, open();
        EXPECT_EQ(shown({"lblNote"}), earlier ? keyNote : u"taken"_s);
        field("txtHour")->setText(u"1"_s), clickStart(); // the first task, to the background
        EXPECT_EQ(u"%1 %2 "_s.arg(window->isVisible()).arg(window->isMinimized()) +
                      platform.calls.join(u' '),
                  earlier ? u"0 0 setTaskbarEntryVisible: false"_s : u"1 1 registerHotkey"_s);
        platform.hotkeyFree = true, platform.calls.clear(), tickAfter(59), tickAfter(1);
        EXPECT_EQ(platform.calls.join(u' ') + u' ' + shown({"lblNote"}),
                  earlier ? u" "_s + keyNote : u"registerHotkey installHotkeyHandler "_s + keyNote)
            << "taken a minute after the last try";
    }
    platform.earlierCopy = false, platform.hotkeyFree = false, open();
    platform.hotkeyFree = true, platform.keyChanged();
    EXPECT_EQ(shown({"lblNote"}), keyNote) << "the desktop's late answer";
    field("txtHour")->setText(u"1"_s), clickStart();
    EXPECT_FALSE(window->isVisible()) << "hidden, with the key to call it back";
}

// While a task runs, a logout and closing ask (the task firing meanwhile); a signal never. A
// logout while the close question is open takes its answer.
TEST_F(MainWindow, QuestionsWhileATaskRuns)
{
    EXPECT_FALSE(platform.session.wouldAsk()) << "a logout asks for attention only with a task";
    clickStart(); // the sample's first task, due at the next tick
    EXPECT_TRUE(platform.session.wouldAsk());
    platform.calls.clear(), platform.messageBoxAnswers << platform::MsgResult::No; // then Ok
    std::optional<bool> logout;
    const auto queryEnd = [&] { platform.session.queryEnd([&](bool mayEnd) { logout = mayEnd; }); };
    queryEnd();
    EXPECT_EQ(std::exchange(logout, std::nullopt), false) << "No cancels the logout";
    platform.onCall = [&](const QString &call) {
        if (!call.startsWith(u"messageBox: Tocklet"_s))
            return;
        queryEnd();
        EXPECT_FALSE(logout) << "no answer before the question's";
        tickAfter(3600);
    };
    EXPECT_FALSE(window->close());
    EXPECT_EQ(logout, false);
    const QString question =
        u"messageBox: Tocklet|注意:\r\n\r\n当前有任务正在执行,您是否确认退出程序?|YesNo|Question\n"_s;
    EXPECT_EQ(
        platform.calls.mid(0, 7).join(u'\n'),
        question + question +
            u"setTaskbarEntryVisible: true\nmakeTopmost: frmMain\n"
            u"startCommandLine: cmd /k echo isQueryUnload=true\ncloseTopLevelWindow: Tocklet\n"
            u"startCommandLine: cmd /k echo SendMessage(hWnd1, WM_CLOSE, 0, ByVal 0&)"_s);
    EXPECT_FALSE(window->isRunning() || window->isUnloaded());

    platform.onCall = nullptr, clickStart();
    dir.write(u"task.dat"_s, dir.read(u"task.dat"_s) + "[0,00,0,0,1,1,1,\"x\"]by hand\r\n");
    platform.session.terminate();
    EXPECT_EQ(u"%1 %2"_s.arg(window->isUnloaded()).arg(platform.calls.filter(u"Tocklet|"_s).size()),
              u"1 2"_s)
        << "unloaded, with no third question";
    EXPECT_EQ(logLines().last(), u"[2026/12/6 15:03:09]\t>\t系统正常退出"_s);
    EXPECT_EQ(QString::number(scriptLines().size()) + u' ' + scriptLines().last(),
              u"7 [0,00,0,0,1,1,1,\"x\"]by hand"_s)
        << "saved, the hand's line kept as it stands";
}

TEST_F(MainWindow, IconIsTheInstalledPicture)
{
    const auto pixels = [](const QImage &image) {
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    for (int size : {16, 24, 32, 48, 64})
        EXPECT_EQ(pixels(window->windowIcon().pixmap(QSize(size, size), 1.0).toImage()),
                  pixels(QImage(u":/installed/%1.png"_s.arg(size))))
            << size;
}
