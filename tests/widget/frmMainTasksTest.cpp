#include "MainWindowFixture.h"

#include <ScriptPreload.h>
#include <frmMode.h>

#include <QAccessible>
#include <QRadioButton>

static const QString kPrompt = u"请在这里输入或者从下拉列表中选择你要提醒的事件"_s;
static const QString kPromptTask =
    kPrompt + u"|0|0|0|事件关联文件未指定|限定时间(按倒计时方式)|0|1|1|1"_s;

// A script with no task gives way to the prompt's; one that cannot be read stays, as do fields.
TEST_F(MainWindow, StartUpShowsTheFirstTaskOfTheScriptInTabOrder)
{
    EXPECT_EQ(task() + combo()->toolTip(), kPromptTask + kPrompt);
    get<ctlTabs>("ctlTabs1")->setSelectedTab(3);
    EXPECT_TRUE(get("txtAbout")->property("plainText").toString().startsWith(u"使用说明"_s) &&
                get("imgLogo")->property("pixmap").value<QPixmap>().size() == QSize(48, 48) &&
                get("lblSoftName")->font().pointSizeF() == 14.25);
    const QString size = u" %1x%2"_s.arg(window->maximumWidth()).arg(window->minimumHeight());
    EXPECT_EQ(tabOrder(get("cmdOk")) + misplaced(window.get()) + size,
              u"cmdOk cmdExit cmdRunBack ctlTabs1 cboTask txtSecond "
              u"txtMinute txtHour cmdMode cmdBrowse txtFile chkRunRelaFile "
              u"chkRunInBackground chkShowMsg chkCountDown Frame1/cmdMode 370x360"_s)
        << "the mode button on its frame's top line, the rest apart; the size fixed";

    const QByteArray prompt =
        tasks::encodeText(u"[0,0,0,0,1,1,1,\"事件关联文件未指定\"]"_s + kPrompt + u"\r\n\r\n"_s,
                          tasks::localeEncoding());
    const std::tuple<QByteArray, QByteArray, QString> rows[] = {
        {"", prompt, kPromptTask},
        {"\r\n   \r\n[0,0,0,0,1,1,1,\"x\"]\r\n", // kept after the prompt line
         prompt.chopped(2) + "\r\n   \r\n[0,0,0,0,1,1,1,\"x\"]\r\n", kPromptTask},
        {"[99999999999,1.5,0.25,2,-1,0,0,\"  spaced.txt\"]a]b \"quoted\", text\r\n", QByteArray(),
         u"a]b \"quoted\", text|99999999999|1.5|0.25|  spaced.txt|限定时间(按到点方式)|1|1|0|0"_s},
        {"hello", {}, u"|0|0|0|10|限定时间|0|0|0|0"_s},
    };
    for (const auto &[bytes, after, shown] : rows) {
        dir.write(u"task.dat"_s, bytes), open();
        EXPECT_EQ(dir.read(u"task.dat"_s), after.isEmpty() ? bytes : after);
        EXPECT_EQ(task() + u" ("_s + items().join(u' ') + u')', // the shown reminder alone
                  shown + u" ("_s + shown.section(u'|', 0, 0) + u')');
    }
}

TEST_F(MainWindow, LongScriptReadAlongsideIsListedWhenTheStartUpEnds)
{
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i) // about 2 MiB
        bytes += "[0,1,2,0,1,1,1,\"x\"]task " + QByteArray::number(i) + " of a long script\r\n";
    dir.write(u"task.dat"_s, bytes), window.reset();
    tasks::ScriptPreload preload(dir.path(u"task.dat"_s));
    window = std::make_unique<frmMain>(platform, &preload), window->Form_Load();
    EXPECT_EQ(combo()->count(), 40000);
    EXPECT_EQ(task(), u"task 0 of a long script|0|1|2|x|限定时间(按倒计时方式)|0|1|1|1"_s);
    window.reset();
}

TEST_F(MainWindow, ModeDialogStoresTheChoiceOnlyOnOk)
{
    // Over the hours 1: the clock-time option when `other`, out by `how` (null: Enter, "Esc",
    // "close" or a button); the fields.
    QStringList opened; // the dialog as it opened: "count-down option checked, centred, focus"
    auto mode = [&](bool other, const char *how) {
        field("txtHour")->setText(u"1"_s);
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<frmMode *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            auto *opt2 = d->findChild<QRadioButton *>(u"opt2"_s);
            const QPoint off = d->geometry().center() - window->geometry().center();
            QApplication::setActiveWindow(d);
            QStringList tabs = {d->focusWidget()->objectName()};
            for (int i = 0; i < 3; ++i) {
                QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
                tabs << d->focusWidget()->objectName();
            }
            opened << u"%1 %2 "_s.arg(!opt2->isChecked()).arg(off.manhattanLength() <= 4) +
                          tabs.join(u' ') + misplaced(d);
            opt2->setChecked(other);
            const QByteArrayView way(how);
            if (way.isNull() || way == "Esc")
                QTest::keyClick(d, how ? Qt::Key_Escape : Qt::Key_Return);
            else
                way == "close" ? void(d->close())
                               : d->findChild<QPushButton *>(QString::fromLatin1(how))->click();
        });
        get<QPushButton>("cmdMode")->click(), QApplication::setActiveWindow(window.get());
        return shown({"txtHour", "txtMinute", "txtSecond", "chkCountDown"});
    };
    field("txtHour")->setFocus(), window->move(5, 5); // off centre, where a dialog goes by itself
    EXPECT_EQ(mode(false, "Command1"), u"0|0|0|1"_s) << "OK without a change still resets";
    EXPECT_EQ(focus(), u"txtMinute 0 1 []"_s);
    EXPECT_EQ(mode(true, "Command2"), u"1|0|0|1"_s) << "Cancel changes nothing";
    EXPECT_EQ(mode(true, nullptr), u"14|3|9|0"_s);
    EXPECT_EQ(mode(false, "Command2"), u"1|3|9|0"_s);
    EXPECT_EQ(mode(false, "Esc") + mode(false, "close"), u"1|3|9|01|3|9|0"_s);
    check("chkCountDown")->click(); // the check box switches as the dialog does
    EXPECT_EQ(shown({"txtHour", "txtMinute", "txtSecond", "Frame1"}),
              u"0|0|0|限定时间(按倒计时方式)"_s);
    // The options are one Tab stop, the focus starting on the chosen one.
    EXPECT_EQ(opened, (QStringList(3, u"1 1 opt1 Command1 Command2 opt1"_s)
                       << QStringList(3, u"0 1 opt2 Command1 Command2 opt2"_s)));
    EXPECT_EQ(platform.calls, QStringList(6, u"makeTopmost: frmMode"_s));
}

TEST_F(MainWindow, BrowseOffersTheThreeFiltersAndTheLinkOpensTheScript)
{
    check("chkRunRelaFile")->setChecked(true), field("txtFile")->setText(u"cmd:dir"_s);
    get<QPushButton>("cmdBrowse")->click();
    EXPECT_EQ(shown({"txtFile"}), u"cmd:dir"_s) << "cancelled";
    platform.fileDialogAnswer = u"/music/闹钟.mp3"_s, get<QPushButton>("cmdBrowse")->click();
    EXPECT_EQ(shown({"txtFile"}) + u'|' + field("txtFile")->toolTip(),
              u"/music/闹钟.mp3|/music/闹钟.mp3"_s);
    const QString audio =
        u"*.mp3;*.mid;*.midi;*.rmi;*.ra;*.rm;*.rmvb;*.wma;*.wmv;*.wav;*.avi;*.vob;*.cda"_s;
    const QString filter = u"音频文件(%1)\0%1\0可执行文件(*.exe;*.com;*.bat;*.cmd;*.vbs)\0"
                           u"*.exe;*.com;*.bat;*.cmd;*.vbs\0所有文件(*.*)\0*.*\0\0"_s.arg(audio);
    EXPECT_EQ(platform.calls.mid(0, 2), QStringList(2, u"openFileDialog: 选择文件|"_s + filter));

    // A screen reader hears each field by its label, the times by their captions, and presses
    // the link as a click does.
    auto a11y = [&](const char *name) { return QAccessible::queryAccessibleInterface(get(name)); };
    QStringList heard;
    for (const char *field : {"txtHour", "txtMinute", "txtSecond", "txtFile", "lblDatFile"})
        heard << a11y(field)->text(QAccessible::Name);
    for (const char *field : {"cboTask", "lblEnd"}) // its group's title, the caption
        heard << a11y(field)->relations(QAccessible::Label).value(0).first->text(QAccessible::Name);
    EXPECT_EQ(heard.join(u' ') + QString::number(a11y("lblDatFile")->role()),
              u"小时 分钟 秒数 选择文件或设置DOS命令 task.dat 提醒事件 停止时间:"_s +
                  QString::number(QAccessible::Link));
    QWidget *link = get("lblDatFile");
    // Readable while the window is inactive, also where the theme's inactive highlight is the
    // window's background (Windows').
    const QPalette app = QApplication::palette();
    QPalette theme = app;
    theme.setColor(QPalette::Inactive, QPalette::Highlight,
                   app.color(QPalette::Inactive, QPalette::Window));
    QApplication::setPalette(theme);
    EXPECT_NE(link->palette().color(QPalette::Inactive, link->foregroundRole()),
              link->palette().color(QPalette::Inactive, QPalette::Window));
    QApplication::setPalette(app);
    a11y("lblDatFile")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QFile::remove(dir.path(u"task.dat"_s)), QTest::mouseClick(link, Qt::LeftButton), clickStart();
    QTest::mouseClick(link, Qt::LeftButton); // the link is off while a task runs
    EXPECT_EQ(platform.calls.mid(2).join(u'\n'),
              u"startCommandLine: Notepad "_s + dir.path(u"task.dat"_s) +
                  u"\nmessageBox: Tocklet|抱歉,未找到提醒事件脚本!该脚本可能已被删除|Ok|"
                  u"Information\nsetTaskbarEntryVisible: false"_s);
}
