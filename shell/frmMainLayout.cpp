// The main window's controls: names, captions, initial states and places. Sizes are pixels
// at 15 twips each.
#include "InputRules.h"
#include "TaskListModel.h"
#include "frmMain.h"

#include <FontText.h>
#include <PropertyBag.h>
#include <ctlTabs.h>

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QResource>
#include <QTimer>

#include <cstring>
#include <utility>

namespace {

template <typename T, typename... Args>
T *make(QWidget *parent, const char *name, QRect geometry, Args &&...args)
{
    auto *w = new T(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

// A font family by the name this desktop gives it. Where another font stands in for 宋体, asking
// for the stand-in by its own name spares Qt, for each size, weight and script, a search for a
// family it does not have and two fontconfig fallback lists; it draws the same font.
QString desktopFamily(const QString &family)
{
    return QFont::substitute(family);
}

// The tab strip's settings, its fonts asked for as the window's are.
tabstrip::FilePropertyBag tabStripSettings()
{
    tabstrip::FilePropertyBag bag(QStringLiteral(":/ctlTabs1.properties"));
    for (const QString &key : {QStringLiteral("TABFONT"), QStringLiteral("TABFONTACTIVE")}) {
        if (auto stored = tabstrip::fontFromText(bag.readProperty(key, {}).toString())) {
            stored->font.setFamily(desktopFamily(stored->font.family()));
            bag.writeProperty(key, tabstrip::fontText(stored->font, stored->charset));
        }
    }
    return bag;
}

QLineEdit *makeTimeField(QWidget *parent, const char *name, int top, QObject *keyFilter)
{
    // The text given once the field has the window's font: a line edit made with its text
    // shapes it, and loads its glyphs, in the application's default font first.
    auto *box = make<QLineEdit>(parent, name, {60, top, 120, 22});
    box->setText(QStringLiteral("0"));
    box->setValidator(new LengthLimit(box, 7, true));
    box->setAcceptDrops(false); // dragged text would pass around the character rule
    box->installEventFilter(keyFilter);
    // The context menu offers what works here: no Undo or Redo (the field's rules rewrite its
    // text behind them), no control characters to insert.
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QWidget::customContextMenuRequested, box, [box](const QPoint &at) {
        QMenu *menu = box->createStandardContextMenu();
        // Qt's own texts (translated as the menu is), each followed by a tab and its keys.
        const QString undo = QLineEdit::tr("&Undo"), redo = QLineEdit::tr("&Redo");
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions)
            if (action->text().startsWith(undo) || action->text().startsWith(redo) ||
                action->menu() || (action->isSeparator() && action == actions.value(2)))
                menu->removeAction(action);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(box->mapToGlobal(at));
    });
    return box;
}

} // namespace

namespace {

// The "task.dat" label as a screen reader should see it: a link whose press opens the script as
// a click does.
class AccessibleLink : public QAccessibleWidget {
public:
    explicit AccessibleLink(QWidget *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<QLabel *>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        const QPointF at = widget()->rect().center();
        QMouseEvent click(QEvent::MouseButtonRelease, at, widget()->mapToGlobal(at), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
        if (action == pressAction()) // the window's filter: only while the link is enabled
            QCoreApplication::sendEvent(widget(), &click);
    }
};

QAccessibleInterface *accessibleLink(const QString &, QObject *object)
{
    return object->objectName() == u"lblDatFile" && qobject_cast<QLabel *>(object)
               ? new AccessibleLink(static_cast<QWidget *>(object))
               : nullptr;
}

} // namespace

QString frmMain::keyNote()
{
    return QStringLiteral("提醒:后台运行时按 CTRL+ALT+A 可将其调出");
}

void frmMain::createControls()
{
    // Before the label exists: Qt makes a control's interface when the control first changes.
    static const bool linked = (QAccessible::installFactory(accessibleLink), true);
    (void)linked;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tocklet"));
    // Pictures drawn from the SVG source (installed as the scalable icon), kept as raw pixels:
    // nothing to decode at the start.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        const QByteArray pixels =
            QResource(QStringLiteral(":/icons/%1.rgba").arg(size)).uncompressedData();
        QImage image(size, size, QImage::Format_RGBA8888); // aligned, as the resource may not be
        if (pixels.size() != image.sizeInBytes())
            continue;
        std::memcpy(image.bits(), pixels.data(), size_t(pixels.size()));
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    setWindowIcon(icon);
    // Above the others from the first show (start-up makes it so right after showing): the
    // hint set later would make the window system create the window a second time.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setFont(QFont(desktopFamily(QStringLiteral("宋体")), 9));
    setFixedSize(370, 360);

    // Sizes in twips: the strip at 120, 120, 5295 × 4695; pages 5025 × 3975.
    ctlTabs1 = make<ctlTabs>(this, "ctlTabs1", {8, 8, 353, 313});
    ctlTabs1->ReadProperties(tabStripSettings());
    for (int n = 1; n <= 3; ++n) {
        auto *page = make<QFrame>(ctlTabs1, "", {9, 26, 335, 265});
        page->setObjectName(QStringLiteral("framer%1").arg(n));
        page->setVisible(n == 1);
        framer_[n - 1] = page;
    }
    connect(ctlTabs1, &ctlTabs::TabClick, this, &frmMain::ctlTabs1_TabClick);

    createGeneralPage();
    createAdvancedPage();

    cmdOk = make<QPushButton>(this, "cmdOk", {48, 328, 84, 25}, QStringLiteral("开始(&S)"));
    cmdExit = make<QPushButton>(this, "cmdExit", {143, 328, 84, 25}, QStringLiteral("退出(&E)"));
    cmdRunBack =
        make<QPushButton>(this, "cmdRunBack", {238, 328, 84, 25}, QStringLiteral("后台(&G)"));
    cmdRunBack->setEnabled(false);
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &frmMain::cmdOk_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdRunBack, &QPushButton::clicked, this, &frmMain::cmdRunBack_Click);

    tmrMain = new QTimer(this);
    tmrMain->setObjectName(QStringLiteral("tmrMain"));
    tmrMain->setSingleShot(true); // re-armed at every tick, just after each whole second
    tmrMain->setTimerType(Qt::PreciseTimer);
    connect(tmrMain, &QTimer::timeout, this, &frmMain::tmrMain_Timer);

    // Tab order: the buttons, the strip, then the pages (seconds before minutes before hours).
    QWidget::setTabOrder(cmdOk, cmdExit);
    QWidget::setTabOrder(cmdExit, cmdRunBack);
    QWidget::setTabOrder(cmdRunBack, ctlTabs1);
    QWidget::setTabOrder(ctlTabs1, cboTask);
    QWidget::setTabOrder(cboTask, txtSecond);
    QWidget::setTabOrder(txtSecond, txtMinute);
    QWidget::setTabOrder(txtMinute, txtHour);
    QWidget::setTabOrder(txtHour, cmdMode);
    QWidget::setTabOrder(cmdMode, cmdBrowse);
    QWidget::setTabOrder(cmdBrowse, txtFile);
    QWidget::setTabOrder(txtFile, chkRunRelaFile);
    QWidget::setTabOrder(chkRunRelaFile, chkRunInBackground);
    QWidget::setTabOrder(chkRunInBackground, chkShowMsg);
    QWidget::setTabOrder(chkShowMsg, chkCountDown);
    nameByLabels();
    for (QGroupBox *group : findChildren<QGroupBox *>())
        group->installEventFilter(this); // see eventFilter: Return under GNOME's theme
}

void frmMain::nameByLabels()
{
    // Each field is named by the label beside it (its buddy), without "&" and the colon; the time
    // captions label their values.
    const std::pair<const char *, QWidget *> labelled[] = {
        {"lblHour", txtHour},       {"lblMinute", txtMinute}, {"lblSecond", txtSecond},
        {"lblChooseFile", txtFile}, {"lblStartH", lblStart},  {"lblNowH", lblNow},
        {"lblEndH", lblEnd}};
    for (const auto &[name, field] : labelled) {
        auto *label = findChild<QLabel *>(QString::fromLatin1(name));
        label->setBuddy(field);
        // The label's text as shown: "&" marks the mnemonic ("&&" is one "&"), no colon after.
        static const QRegularExpression mnemonic(QStringLiteral("&(.)")),
            colon(QStringLiteral("[:：]$"));
        if (qobject_cast<QLineEdit *>(field))
            field->setAccessibleName(
                label->text().replace(mnemonic, QStringLiteral("\\1")).remove(colon));
    }
    cboTask->setAccessibleName(QStringLiteral("提醒事件"));
    // The link's interface, made as a label's when its text was set (before its name), is made
    // again, as a link's.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(lblDatFile)));
}

void frmMain::createGeneralPage()
{
    QFrame *page = framer(1);
    Frame1 = make<QGroupBox>(page, "Frame1", {8, 10, 319, 104}, QStringLiteral("限定时间"));
    auto *keyFilter = new TimeKeyFilter(this);
    make<QLabel>(Frame1, "lblHour", {14, 22, 44, 22}, QStringLiteral("小时:"));
    make<QLabel>(Frame1, "lblMinute", {14, 48, 44, 22}, QStringLiteral("分钟:"));
    make<QLabel>(Frame1, "lblSecond", {14, 74, 44, 22}, QStringLiteral("秒数:"));
    txtHour = makeTimeField(Frame1, "txtHour", 22, keyFilter);
    txtMinute = makeTimeField(Frame1, "txtMinute", 48, keyFilter);
    txtSecond = makeTimeField(Frame1, "txtSecond", 74, keyFilter);
    cmdMode = make<QPushButton>(page, "cmdMode", {226, 2, 96, 24}, QStringLiteral("模式(&M)..."));
    for (QLineEdit *box : {txtHour, txtMinute, txtSecond})
        box->installEventFilter(this);
    connect(cmdMode, &QPushButton::clicked, this, &frmMain::cmdMode_Click);

    auto *frame2 = make<QGroupBox>(page, "Frame2", {8, 120, 319, 58}, QStringLiteral("提醒事件"));
    cboTask = make<QComboBox>(frame2, "cboTask", {12, 22, 295, 24});
    // Editable through its own line edit: setEditable() would also build the list's popup, which
    // waits here until the list is first opened.
    cboTask->setLineEdit(new QLineEdit(cboTask));
    // The texts straight from the task list: a hundred thousand stored tasks load in one step.
    taskModel_ = new TaskListModel(taskList_, cboTask);
    cboTask->setModel(taskModel_);
    cboTask->setInsertPolicy(QComboBox::NoInsert);
    // Only a choice from the list applies a stored task: no completion of typed text, and no
    // activation when Enter is pressed or the field is left with a stored text in it.
    cboTask->setCompleter(nullptr);
    QObject::disconnect(cboTask->lineEdit(), SIGNAL(returnPressed()), cboTask, nullptr);
    QObject::disconnect(cboTask->lineEdit(), SIGNAL(editingFinished()), cboTask, nullptr);
    cboTask->installEventFilter(this); // nor the wheel over it, unless the user is in it
    connect(cboTask, &QComboBox::editTextChanged, cboTask, &QWidget::setToolTip);
    connect(cboTask, &QComboBox::activated, this, &frmMain::cboTask_Click);

    picNormalBottom = make<QWidget>(page, "picNormalBottom", {8, 184, 319, 78});
    auto row = [](int n) { return 2 + 19 * (n - 1); };
    lblStartH = make<QLabel>(picNormalBottom, "lblStartH", {4, row(1), 70, 17},
                             QStringLiteral("起始时间:"));
    lblStart =
        make<QLabel>(picNormalBottom, "lblStart", {78, row(1), 237, 17}, QStringLiteral("起始"));
    lblNowH =
        make<QLabel>(picNormalBottom, "lblNowH", {4, row(2), 70, 17}, QStringLiteral("当前时间:"));
    lblNow = make<QLabel>(picNormalBottom, "lblNow", {78, row(2), 237, 17});
    lblEndH =
        make<QLabel>(picNormalBottom, "lblEndH", {4, row(3), 70, 17}, QStringLiteral("停止时间:"));
    lblEnd = make<QLabel>(picNormalBottom, "lblEnd", {78, row(3), 237, 17}, QStringLiteral("停止"));
    lblNote = make<QLabel>(picNormalBottom, "lblNote", {4, row(4), 311, 17}, keyNote());
}

void frmMain::createAdvancedPage()
{
    QFrame *page = framer(2);
    auto *frame3 =
        make<QGroupBox>(page, "Frame3", {8, 10, 319, 108}, QStringLiteral("事件关联程序设置"));
    chkRunRelaFile = make<QCheckBox>(frame3, "chkRunRelaFile", {10, 22, 300, 20},
                                     QStringLiteral("限定的时间到了之后执行指定的文件或DOS命令"));
    make<QLabel>(frame3, "lblChooseFile", {10, 48, 300, 18},
                 QStringLiteral("选择文件或设置DOS命令:"));
    txtFile = make<QLineEdit>(frame3, "txtFile", {10, 72, 214, 24});
    txtFile->setText(QStringLiteral("10")); // given as the time fields' are
    txtFile->setEnabled(false);
    txtFile->installEventFilter(this);
    txtFile->setAcceptDrops(true); // the window's filter takes the drop, files only
    cmdBrowse =
        make<QPushButton>(frame3, "cmdBrowse", {230, 72, 79, 24}, QStringLiteral("浏览(&B)..."));
    cmdBrowse->setEnabled(false);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmMain::cmdBrowse_Click);
    connect(chkRunRelaFile, &QCheckBox::toggled, this, &frmMain::chkRunRelaFile_Click);
    connect(txtFile, &QLineEdit::textChanged, this, &frmMain::txtFile_Change);

    auto *frame5 = make<QGroupBox>(page, "Frame5", {8, 124, 319, 136}, QStringLiteral("其它"));
    chkShowMsg = make<QCheckBox>(frame5, "chkShowMsg", {10, 20, 300, 20},
                                 QStringLiteral("限定的时间到了之后弹出信息提示框(推荐)"));
    chkRunInBackground = make<QCheckBox>(frame5, "chkRunInBackground", {10, 42, 300, 20},
                                         QStringLiteral("\"开始\"按钮按下后自动转到后台(推荐)"));
    chkCountDown =
        make<QCheckBox>(frame5, "chkCountDown", {10, 64, 300, 20},
                        QStringLiteral("\"限定时间\"设为按倒计时方式(不勾选则为到点方式)"));
    connect(chkCountDown, &QCheckBox::toggled, this, &frmMain::chkCountDown_Click);
    make<QLabel>(frame5, "lblDatFileBJ", {12, 90, 110, 18}, QStringLiteral("编辑提醒事件脚本:"));
    lblDatFile = make<QLabel>(frame5, "lblDatFile", {122, 90, 60, 18}, QStringLiteral("task.dat"));
    QFont link(desktopFamily(QStringLiteral("宋体")), 9);
    link.setUnderline(true);
    lblDatFile->setFont(link);
    // The theme's link colour, the same whether the window is active or not: the window stays on
    // top, so it is inactive most of the time it is seen.
    lblDatFile->setForegroundRole(QPalette::Link);
    QPalette linkColours = lblDatFile->palette();
    linkColours.setColor(QPalette::Inactive, QPalette::Link,
                         linkColours.color(QPalette::Active, QPalette::Link));
    lblDatFile->setPalette(linkColours);
    lblDatFile->setCursor(Qt::PointingHandCursor);
    lblDatFile->setToolTip(QStringLiteral("即时生效,不过当前有任务正在执行时无效"));
    lblDatFile->installEventFilter(this);
    make<QLabel>(frame5, "Label13", {12, 110, 300, 18},
                 QStringLiteral("(保存脚本前建议退出本软件)"));
}

void frmMain::createAboutPage()
{
    QFrame *page = framer(3);
    auto *logo = make<QLabel>(page, "imgLogo", {12, 8, 48, 48});
    logo->setPixmap(windowIcon().pixmap(48, 48));
    auto *name = make<QLabel>(page, "lblSoftName", {72, 6, 250, 24},
                              QStringLiteral("Tocklet " TOCKLET_VERSION));
    QFont nameFont(desktopFamily(QStringLiteral("宋体")));
    nameFont.setPointSizeF(14.25);
    name->setFont(nameFont);
    make<QLabel>(page, "lblRights", {72, 30, 250, 16},
                 QStringLiteral("版权所有 (C) 2026 Tocklet 开发组"));
    make<QLabel>(page, "lblPublishDate", {72, 46, 250, 16}, QStringLiteral("发布日期: 2026年12月"));
    make<QLabel>(page, "lblAuthor", {72, 62, 250, 16}, QStringLiteral("作者: Tocklet 开发组"));

    auto *frame4 = make<QGroupBox>(page, "Frame4", {8, 82, 319, 178});
    txtAbout = make<QPlainTextEdit>(frame4, "txtAbout", {6, 8, 307, 164});
    txtAbout->setReadOnly(true); // the guide's text comes when the page is first shown
    txtAbout->setFocusPolicy(Qt::ClickFocus);
    txtAbout->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAbout->setBackgroundRole(QPalette::Button);
    QPalette face = txtAbout->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    txtAbout->setPalette(face);
}
