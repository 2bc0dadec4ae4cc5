#include "MainWindowFixture.h"

#include <ctlTabs.h>
#include <frmMode.h>

#include <QRadioButton>

static const QString kPrompt = u"请在这里输入或者从下拉列表中选择你要提醒的事件"_s;
static const QString kPromptTask =
    kPrompt + u"|0|0|0|事件关联文件未指定|限定时间(按倒计时方式)|0111"_s;

// The names of the controls that Tab visits, from `first` round to it again (the combo box's
// own line edit has no name).
static QString tabOrder(QWidget *first)
{
    QStringList names;
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            names.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w != first);
    return names.join(u' ');
}

TEST_F(MainWindow, FirstStartShowsTheSampleInTabOrder)
{
    EXPECT_EQ(items().size(), 6);
    EXPECT_EQ(task() + combo()->toolTip(), kPromptTask + kPrompt);
    EXPECT_EQ(get("lblSoftName")->font().pointSizeF(), 14.25);
    get<ctlTabs>("ctlTabs1")->setSelectedTab(3);
    EXPECT_TRUE(get<QPlainTextEdit>("txtAbout")->toPlainText().startsWith(u"使用说明"_s));
    EXPECT_EQ(tabOrder(get("cmdOk")), u"cmdOk cmdExit cmdRunBack ctlTabs1 cboTask txtSecond "
                                      u"txtMinute txtHour cmdMode cmdBrowse txtFile chkRunRelaFile "
                                      u"chkRunInBackground chkShowMsg chkCountDown"_s);
}

// A script that holds no task is replaced by the prompt's; one that cannot be read is left, and
// so are the designed fields.
TEST_F(MainWindow, StartUpShowsTheFirstTaskOfTheScript)
{
    const QByteArray prompt =
        tasks::encodeText(u"[0,0,0,0,1,1,1,\"事件关联文件未指定\"]"_s + kPrompt) + "\r\n\r\n";
    const QByteArray odd =
        "[99999999999,1.5,0.25,2,-1,0,0,\"  spaced.txt\"]a]b \"quoted\", text\r\n";
    const struct {
        QByteArray bytes, after;
        QString task;
    } rows[] = {
        {"", prompt, kPromptTask},
        {"\r\n   \r\n[0,0,0,0,1,1,1,\"x\"]  \r\n", prompt, kPromptTask},
        {odd, odd,
         u"a]b \"quoted\", text|99999999999|1.5|0.25|  spaced.txt|限定时间(按到点方式)|1100"_s},
        {"hello", "hello", u"|0|0|0|10|限定时间|0000"_s},
    };
    for (const auto &[bytes, after, shown] : rows) {
        dir.write(u"task.dat"_s, bytes);
        open();
        EXPECT_EQ(dir.read(u"task.dat"_s), after);
        // The list holds the shown reminder alone.
        EXPECT_EQ(task() + u" ("_s + items().join(u' ') + u')',
                  shown + u" ("_s + shown.section(u'|', 0, 0) + u')');
    }
}

// Opens the mode dialog and lets `act` work on it while it is shown.
static void withModeDialog(QPushButton *cmdMode, const std::function<void(frmMode *)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<frmMode *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
    cmdMode->click();
}

TEST_F(MainWindow, ModeDialogStoresTheChoiceOnlyOnOk)
{
    auto *cmdMode = get<QPushButton>("cmdMode");
    auto radio = [](frmMode *d, const char *name) {
        return d->findChild<QRadioButton *>(QString::fromLatin1(name));
    };
    setFields(u"1"_s, u"2"_s, u"3"_s);
    withModeDialog(cmdMode, [&](frmMode *d) {
        EXPECT_TRUE(radio(d, "opt1")->isChecked());
        const QPoint off = d->geometry().center() - window->geometry().center();
        EXPECT_TRUE(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2) << "centred over the main window";
        EXPECT_EQ(tabOrder(radio(d, "opt2")), u"opt2 opt1 Command1 Command2"_s);
        d->findChild<QPushButton *>(u"Command1"_s)->click();
    });
    EXPECT_EQ(text({"txtHour", "txtMinute", "txtSecond"}), u"0|0|0"_s)
        << "OK without a change still resets";
    EXPECT_TRUE(platform.calls.contains(u"makeTopmost: frmMode"_s));

    setFields(u"1"_s, u"2"_s, u"3"_s);
    withModeDialog(cmdMode, [&](frmMode *d) {
        radio(d, "opt2")->setChecked(true);
        d->findChild<QPushButton *>(u"Command2"_s)->click();
    });
    EXPECT_EQ(task().section(u'|', 1), u"1|2|3|事件关联文件未指定|限定时间(按倒计时方式)|0111"_s)
        << "Cancel changes nothing";
    withModeDialog(cmdMode, [&](frmMode *d) {
        radio(d, "opt2")->setChecked(true);
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_EQ(task().section(u'|', 1), u"14|3|9|事件关联文件未指定|限定时间(按到点方式)|0110"_s);
}

TEST_F(MainWindow, BrowseOffersTheThreeFiltersAndReplacesTheText)
{
    check("chkRunRelaFile")->setChecked(true);
    field("txtFile")->setText(u"cmd:dir"_s);
    get<QPushButton>("cmdBrowse")->click();
    EXPECT_EQ(text("txtFile"), u"cmd:dir"_s) << "cancelled";
    platform.fileDialogAnswer = u"/music/闹钟.mp3"_s;
    get<QPushButton>("cmdBrowse")->click();
    EXPECT_EQ(text("txtFile") + field("txtFile")->toolTip(), u"/music/闹钟.mp3/music/闹钟.mp3"_s);
    const QString filter = // "~" for NUL
        u"音频文件(A)~A~可执行文件(P)~P~所有文件(*.*)~*.*~~"_s.replace(u'~', QChar(0))
            .replace(
                u"A"_s,
                u"*.mp3;*.mid;*.midi;*.rmi;*.ra;*.rm;*.rmvb;*.wma;*.wmv;*.wav;*.avi;*.vob;*.cda"_s)
            .replace(u"P"_s, u"*.exe;*.com;*.bat;*.cmd;*.vbs"_s);
    EXPECT_EQ(platform.calls, QStringList(2, u"openFileDialog: 选择文件|"_s + filter));
}

TEST_F(MainWindow, ScriptLinkOpensTheEditorOrSaysTheScriptIsGone)
{
    auto *link = get<QLabel>("lblDatFile");
    QTest::mouseClick(link, Qt::LeftButton);
    QFile::remove(dir.path(u"task.dat"_s));
    QTest::mouseClick(link, Qt::LeftButton);
    clickStart();
    QTest::mouseClick(link, Qt::LeftButton); // the link is off while a task runs
    EXPECT_EQ(platform.calls.join(u'\n'),
              u"startCommandLine: Notepad "_s + dir.path(u"task.dat"_s) +
                  u"\nmessageBox: Tocklet|抱歉,未找到提醒事件脚本!该脚本可能已被删除|Ok|"
                  u"Information\nsetTaskbarEntryVisible: false"_s);
}
