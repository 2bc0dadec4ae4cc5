#include "MainWindowFixture.h"

#include <TextCodec.h>
#include <ctlTabs.h>
#include <frmMode.h>

#include <QGroupBox>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

const QString kPrompt = u"请在这里输入或者从下拉列表中选择你要提醒的事件"_s;

QString fields(const MainWindow &w)
{
    return w.text("txtHour") + u","_s + w.text("txtMinute") + u","_s + w.text("txtSecond");
}

// The names of the controls that Tab visits, from `first` round to it again (the combo box's
// own line edit has no name).
QStringList tabOrder(QWidget *first)
{
    QStringList names;
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            names.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w != first);
    return names;
}

TEST_F(MainWindow, FirstStartShowsTheSampleInTabOrder)
{
    auto *combo = get<QComboBox>("cboTask");
    EXPECT_EQ(items(combo).size(), 6);
    EXPECT_EQ(combo->currentText() + combo->toolTip(), kPrompt + kPrompt);
    const char *boxes[] = {"chkRunRelaFile", "chkShowMsg", "chkRunInBackground", "chkCountDown"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(check(boxes[i])->isChecked(), i > 0) << boxes[i];
    EXPECT_EQ(fields(*this), u"0,0,0"_s);
    EXPECT_EQ(text("txtFile"), u"事件关联文件未指定"_s);
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间(按倒计时方式)"_s);
    EXPECT_EQ(get("lblSoftName")->font().pointSizeF(), 14.25);
    get<ctlTabs>("ctlTabs1")->setSelectedTab(3);
    EXPECT_TRUE(get<QPlainTextEdit>("txtAbout")->toPlainText().startsWith(u"使用说明"_s));
    EXPECT_EQ(tabOrder(get("cmdOk")),
              (QStringList{u"cmdOk"_s, u"cmdExit"_s, u"cmdRunBack"_s, u"ctlTabs1"_s, u"cboTask"_s,
                           u"txtSecond"_s, u"txtMinute"_s, u"txtHour"_s, u"cmdMode"_s,
                           u"cmdBrowse"_s, u"txtFile"_s, u"chkRunRelaFile"_s,
                           u"chkRunInBackground"_s, u"chkShowMsg"_s, u"chkCountDown"_s}));
}

struct ScriptCase {
    const char *name;
    QByteArray bytes;
    QByteArray after; // the file after start-up; empty: unchanged
    QStringList texts;
};

void PrintTo(const ScriptCase &c, std::ostream *os)
{
    *os << c.name;
}

class StartUpWithScript : public MainWindow, public ::testing::WithParamInterface<ScriptCase> {
    void prepare() override { dir.write(u"task.dat"_s, GetParam().bytes); }
};

TEST_P(StartUpWithScript, LoadsWhatIsThere)
{
    const ScriptCase &c = GetParam();
    EXPECT_EQ(dir.read(u"task.dat"_s), c.after.isEmpty() ? c.bytes : c.after);
    EXPECT_EQ(items(get<QComboBox>("cboTask")), c.texts);
}

const QByteArray kPromptFile =
    tasks::encodeText(u"[0,0,0,0,1,1,1,\"事件关联文件未指定\"]"_s + kPrompt) + "\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(Files, StartUpWithScript,
                         ::testing::Values(ScriptCase{"zero bytes", "", kPromptFile, {kPrompt}},
                                           ScriptCase{"blank lines",
                                                      "\r\n   \r\n[0,0,0,0,1,1,1,\"x\"]  \r\n",
                                                      kPromptFile,
                                                      {kPrompt}}),
                         [](const auto &info) { return std::to_string(info.index); });

class StartUpWithOddScript : public MainWindow {
    void prepare() override
    {
        dir.write(u"task.dat"_s,
                  "[99999999999,1.5,0.25,2,-1,0,0,\"  spaced.txt\"]a]b \"quoted\", text\r\n");
    }
};

TEST_F(StartUpWithOddScript, ShowsTheFirstEntryWithoutCuttingAField)
{
    EXPECT_EQ(items(get<QComboBox>("cboTask")), QStringList{u"a]b \"quoted\", text"_s});
    EXPECT_EQ(fields(*this), u"99999999999,1.5,0.25"_s);
    EXPECT_EQ(text("txtFile"), u"  spaced.txt"_s);
    EXPECT_TRUE(check("chkRunRelaFile")->isChecked());
    EXPECT_FALSE(check("chkCountDown")->isChecked());
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间(按到点方式)"_s);
}

class StartUpWithUnreadableScript : public MainWindow {
    void prepare() override { dir.write(u"task.dat"_s, "hello"); }
};

TEST_F(StartUpWithUnreadableScript, KeepsTheDesignedFields)
{
    EXPECT_TRUE(window->taskList().isEmpty());
    EXPECT_EQ(get<QComboBox>("cboTask")->currentText(), QString());
    EXPECT_EQ(text("txtFile"), u"10"_s);
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间"_s);
    for (const char *box : {"chkRunRelaFile", "chkShowMsg", "chkRunInBackground", "chkCountDown"})
        EXPECT_FALSE(check(box)->isChecked()) << box;
    EXPECT_EQ(dir.read(u"task.dat"_s), "hello");
}

TEST_F(MainWindow, PickingAClockTimeOrACommandTaskAndTheModeCheckBox)
{
    auto *combo = get<QComboBox>("cboTask");
    combo->setCurrentIndex(1); // clock time 13:20:00 at a present 14:03:09
    emit combo->activated(1);
    EXPECT_EQ(fields(*this), u"13,20,0"_s);
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间(按到点方式)"_s);
    combo->setCurrentIndex(4);
    emit combo->activated(4);
    EXPECT_EQ(text("txtFile"), u"cmd:shutdown /s /f /t 0"_s);
    EXPECT_TRUE(get("txtFile")->isEnabled() && get("cmdBrowse")->isEnabled());

    check("chkCountDown")->setChecked(true);
    EXPECT_EQ(fields(*this), u"0,0,0"_s);
    check("chkCountDown")->setChecked(false);
    EXPECT_EQ(fields(*this), u"14,3,9"_s);
}

// Opens the mode dialog and lets `act` work on it while it is shown.
void withModeDialog(QPushButton *cmdMode, const std::function<void(frmMode *)> &act)
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
        EXPECT_EQ(tabOrder(radio(d, "opt2")),
                  (QStringList{u"opt2"_s, u"opt1"_s, u"Command1"_s, u"Command2"_s}));
        d->findChild<QPushButton *>(u"Command1"_s)->click();
    });
    EXPECT_EQ(fields(*this), u"0,0,0"_s) << "OK without a change still resets";
    EXPECT_TRUE(platform.calls.contains(u"makeTopmost: frmMode"_s));

    setFields(u"1"_s, u"2"_s, u"3"_s);
    for (const auto &cancel : std::initializer_list<std::function<void(frmMode *)>>{
             [](frmMode *d) { d->findChild<QPushButton *>(u"Command2"_s)->click(); },
             [](frmMode *d) { QTest::keyClick(d, Qt::Key_Escape); },
             [](frmMode *d) { d->close(); }}) {
        withModeDialog(cmdMode, [&](frmMode *d) {
            radio(d, "opt2")->setChecked(true);
            cancel(d);
        });
        EXPECT_EQ(fields(*this), u"1,2,3"_s);
        EXPECT_TRUE(check("chkCountDown")->isChecked());
    }
    withModeDialog(cmdMode, [&](frmMode *d) {
        radio(d, "opt2")->setChecked(true);
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_FALSE(check("chkCountDown")->isChecked());
    EXPECT_EQ(fields(*this), u"14,3,9"_s);
}

TEST_F(MainWindow, BrowseOffersTheThreeFiltersAndReplacesTheText)
{
    check("chkRunRelaFile")->setChecked(true);
    field("txtFile")->setText(u"cmd:dir"_s);
    get<QPushButton>("cmdBrowse")->click();
    const QString nul(QChar(u'\0'));
    const QString audio =
        u"*.mp3;*.mid;*.midi;*.rmi;*.ra;*.rm;*.rmvb;*.wma;*.wmv;*.wav;*.avi;*.vob;*.cda"_s;
    const QString programs = u"*.exe;*.com;*.bat;*.cmd;*.vbs"_s;
    EXPECT_EQ(platform.calls.last(), u"openFileDialog: 选择文件|音频文件("_s + audio + u")"_s +
                                         nul + audio + nul + u"可执行文件("_s + programs + u")"_s +
                                         nul + programs + nul + u"所有文件(*.*)"_s + nul +
                                         u"*.*"_s + nul + nul);
    EXPECT_EQ(text("txtFile"), u"cmd:dir"_s) << "cancelled";

    platform.fileDialogAnswers = {u"/music/闹钟.mp3"_s};
    get<QPushButton>("cmdBrowse")->click();
    EXPECT_EQ(text("txtFile"), u"/music/闹钟.mp3"_s);
    EXPECT_EQ(field("txtFile")->toolTip(), u"/music/闹钟.mp3"_s);
}

TEST_F(MainWindow, ScriptLinkOpensTheEditorOrSaysTheScriptIsGone)
{
    auto *link = get<QLabel>("lblDatFile");
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(platform.calls.last(), u"startCommandLine: Notepad "_s + dir.path(u"task.dat"_s));

    QFile::remove(dir.path(u"task.dat"_s));
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(platform.messageBoxes.size(), 1);
    EXPECT_EQ(platform.messageBoxes[0].text, u"抱歉,未找到提醒事件脚本!该脚本可能已被删除"_s);
    EXPECT_EQ(platform.messageBoxes[0].title, u"Tocklet"_s);
    EXPECT_EQ(platform.messageBoxes[0].icon, platform::MsgIcon::Information);

    clickStart();
    const qsizetype calls = platform.calls.size();
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(platform.calls.size(), calls) << "the link is off while a task runs";
}

} // namespace
