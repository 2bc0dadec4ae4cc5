#include "MainWindowFixture.h"

#include <TaskScript.h>
#include <frmMode.h>

#include <QGroupBox>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

const QString kPrompt = u"请在这里输入或者从下拉列表中选择你要提醒的事件"_s;

QStringList items(QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}

QStringList sampleTexts()
{
    QStringList out;
    for (const QString &line : tasks::sampleTaskScript())
        out.append(line.mid(line.indexOf(u']') + 1));
    return out;
}

TEST_F(MainWindow, FirstStartWritesAndShowsTheSample)
{
    auto *combo = get<QComboBox>("cboTask");
    EXPECT_EQ(items(combo), sampleTexts());
    EXPECT_EQ(combo->currentText(), kPrompt);
    EXPECT_EQ(combo->toolTip(), kPrompt);
    EXPECT_EQ(combo->currentIndex(), -1);
    const bool expected[] = {false, true, true, true};
    const char *boxes[] = {"chkRunRelaFile", "chkShowMsg", "chkRunInBackground", "chkCountDown"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(check(boxes[i])->isChecked(), expected[i]) << boxes[i];
    EXPECT_EQ(text("txtHour") + text("txtMinute") + text("txtSecond"), u"000"_s);
    EXPECT_EQ(text("txtFile"), u"事件关联文件未指定"_s);
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间(按倒计时方式)"_s);
    EXPECT_EQ(scriptLines(), tasks::sampleTaskScript());
    EXPECT_EQ(get("lblSoftName")->font().pointSizeF(), 14.25);
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

const QByteArray kPromptFile = tasks::encodeText(tasks::sampleTaskScript().first()) + "\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(Files, StartUpWithScript,
                         ::testing::Values(ScriptCase{"zero bytes", "", kPromptFile, {kPrompt}},
                                           ScriptCase{"blank lines",
                                                      "\r\n   \r\n[0,0,0,0,1,1,1,\"x\"]  \r\n",
                                                      kPromptFile,
                                                      {kPrompt}},
                                           ScriptCase{"no acceptable line", "hello", {}, {}}),
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
    EXPECT_EQ(text("txtHour"), u"99999999999"_s);
    EXPECT_EQ(text("txtMinute"), u"1.5"_s);
    EXPECT_EQ(text("txtSecond"), u"0.25"_s);
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
}

TEST_F(MainWindow, PickingAnItemAppliesItsTask)
{
    auto *combo = get<QComboBox>("cboTask");
    setFields(u"7"_s, u"7"_s, u"7"_s);
    combo->setEditText(sampleTexts()[2]);
    EXPECT_EQ(text("txtHour"), u"7"_s) << "typing a stored text only changes the tooltip";
    EXPECT_EQ(combo->toolTip(), sampleTexts()[2]);

    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(text("txtHour") + u","_s + text("txtMinute") + u","_s + text("txtSecond"),
              u"0,6,0"_s);

    combo->setCurrentIndex(1); // clock time 13:20:00 at a present 14:03:09
    emit combo->activated(1);
    EXPECT_EQ(text("txtHour") + u","_s + text("txtMinute") + u","_s + text("txtSecond"),
              u"13,20,0"_s);
    EXPECT_FALSE(check("chkCountDown")->isChecked());
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间(按到点方式)"_s);

    combo->setCurrentIndex(4);
    emit combo->activated(4);
    EXPECT_EQ(text("txtFile"), u"cmd:shutdown /s /f /t 0"_s);
    EXPECT_TRUE(get("txtFile")->isEnabled());
}

TEST_F(MainWindow, ModeCheckBoxResetsTheFields)
{
    check("chkCountDown")->setChecked(false);
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间(按到点方式)"_s);
    EXPECT_EQ(text("txtHour") + u","_s + text("txtMinute") + u","_s + text("txtSecond"),
              u"14,3,9"_s);
    check("chkCountDown")->setChecked(true);
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), u"限定时间(按倒计时方式)"_s);
    EXPECT_EQ(text("txtHour") + u","_s + text("txtMinute") + u","_s + text("txtSecond"),
              u"0,0,0"_s);
}

// Opens the mode dialog and lets `act` work on it while it is shown.
void withModeDialog(MainWindow &, QPushButton *cmdMode, const std::function<void(frmMode *)> &act)
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
    auto fields = [&] {
        return text("txtHour") + u","_s + text("txtMinute") + u","_s + text("txtSecond");
    };
    auto radio = [](frmMode *d, const char *name) {
        return d->findChild<QRadioButton *>(QString::fromLatin1(name));
    };

    setFields(u"1"_s, u"2"_s, u"3"_s);
    withModeDialog(*this, cmdMode, [&](frmMode *d) {
        EXPECT_TRUE(radio(d, "opt1")->isChecked());
        EXPECT_EQ(d->windowTitle(), u"选择模式"_s);
        d->findChild<QPushButton *>(u"Command1"_s)->click();
    });
    EXPECT_EQ(fields(), u"0,0,0"_s) << "OK without a change still resets";
    EXPECT_TRUE(platform.calls.contains(u"makeTopmost: frmMode"_s));

    setFields(u"1"_s, u"2"_s, u"3"_s);
    withModeDialog(*this, cmdMode, [&](frmMode *d) {
        radio(d, "opt2")->setChecked(true);
        d->findChild<QPushButton *>(u"Command2"_s)->click();
    });
    EXPECT_EQ(fields(), u"1,2,3"_s);
    EXPECT_TRUE(check("chkCountDown")->isChecked());

    withModeDialog(*this, cmdMode, [&](frmMode *d) {
        radio(d, "opt2")->setChecked(true);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(fields(), u"1,2,3"_s);

    withModeDialog(*this, cmdMode, [&](frmMode *d) {
        radio(d, "opt2")->setChecked(true);
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_FALSE(check("chkCountDown")->isChecked());
    EXPECT_EQ(fields(), u"14,3,9"_s);

    withModeDialog(*this, cmdMode, [&](frmMode *d) {
        EXPECT_TRUE(radio(d, "opt2")->isChecked());
        d->close();
    });
    EXPECT_FALSE(check("chkCountDown")->isChecked());
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
