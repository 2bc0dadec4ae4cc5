#pragma once

#include <frmMain.h>

#include "FakePlatform.h"
#include "TempDir.h"

#include <ctlTabs.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The named controls that Tab visits, from `first` round to it again.
inline QString tabOrder(QWidget *first)
{
    QStringList names = {first->objectName()};
    for (QWidget *w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            names.append(w->objectName());
    return names.join(u' ');
}

// The named controls of a form, on every page, that overlap a sibling: " sibling/name" each.
inline QString misplaced(const QWidget *form)
{
    QString out;
    const QList<QWidget *> all = form->findChildren<QWidget *>(QRegularExpression(u"^(?!qt_)."_s));
    for (const QWidget *w : all)
        for (const QWidget *v : all.first(all.indexOf(w)))
            if (v->parent() == w->parent() && !v->isHidden() && !w->isHidden() &&
                v->geometry().intersects(w->geometry()))
                out += u' ' + v->objectName() + u'/' + w->objectName();
    return out;
}

class MainWindow : public ::testing::Test {
public:
    TempDir dir;
    FakePlatform platform;
    std::unique_ptr<frmMain> window;

    void SetUp() override { open(); }

    // A new window over the task.dat there is, active for focus events; its start-up forgotten.
    void open()
    {
        platform.programDir = QDir::toNativeSeparators(dir.dir.path());
        window = std::make_unique<frmMain>(platform), window->Form_Load();
        QApplication::setActiveWindow(window.get());
        platform.calls.clear(), QFile::remove(dir.path(u"Klaxo.log"_s));
    }

    template <typename T = QWidget> T *get(const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit *field(const char *name) const { return get<QLineEdit>(name); }
    QCheckBox *check(const char *name) const { return get<QCheckBox>(name); }
    QComboBox *combo() const { return get<QComboBox>("cboTask"); }
    QStringList items() const
    {
        QStringList out;
        for (int i = 0; i < combo()->count(); ++i)
            out.append(combo()->itemText(i));
        return out;
    }
    // What the named controls show, joined by "|": a check box 1 or 0, a group its title, or text.
    QString shown(std::initializer_list<const char *> names) const
    {
        QStringList out;
        for (const char *name : names) {
            const QObject *o = get<QObject>(name);
            const QVariant v = o->property(o->inherits("QCheckBox")   ? "checked"
                                           : o->inherits("QGroupBox") ? "title"
                                           : o->inherits("QComboBox") ? "currentText"
                                                                      : "text");
            out.append(v.typeId() == QMetaType::Bool ? QString::number(v.toBool()) : v.toString());
        }
        return out.join(u'|');
    }
    QString task() const
    {
        return shown({"cboTask", "txtHour", "txtMinute", "txtSecond", "txtFile", "Frame1",
                      "chkRunRelaFile", "chkShowMsg", "chkRunInBackground", "chkCountDown"});
    }

    // The window's focus: "name" or, for a line edit, "name text caret [selection]".
    QString focus() const
    {
        const QWidget *w = window->focusWidget();
        if (const auto *box = qobject_cast<const QLineEdit *>(w))
            return u"%1 %2 %3 [%4]"_s.arg(box->objectName(), box->text())
                .arg(box->cursorPosition())
                .arg(box->selectedText());
        return w ? w->objectName() : u"none"_s;
    }

    void clickStart() { get<QPushButton>("cmdOk")->click(); }
    // One tick of the main timer after the fake clock moved on by `seconds`.
    void tickAfter(int seconds)
    {
        platform.clock = platform.clock.addSecs(seconds);
        ASSERT_TRUE(timerActive()) << "no tick is due";
        QMetaObject::invokeMethod(get<QTimer>("tmrMain"), "timeout");
    }
    bool timerActive() const { return get<QTimer>("tmrMain")->isActive(); }

    QStringList logLines() const { return tasks::decodeLines(dir.read(u"Klaxo.log"_s)); }
    QStringList scriptLines() const { return tasks::decodeLines(dir.read(u"task.dat"_s)); }
};
