#pragma once

#include <frmMain.h>

#include "FakePlatform.h"
#include "TempDir.h"

#include <TextCodec.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The main window over a fake platform whose program and log folders are temporary, loaded as
// at start-up (the sample script is written on first use).
class MainWindow : public ::testing::Test {
public:
    TempDir dir;
    FakePlatform platform;
    std::unique_ptr<frmMain> window;

    void SetUp() override
    {
        platform.programDir = dir.dir.path();
        platform.windowsDir = dir.dir.path();
        prepare();
        window = std::make_unique<frmMain>(platform);
        window->Form_Load();
        QApplication::setActiveWindow(window.get()); // focus events need an active window
        // Tests of a started window look at what follows the start-up.
        platform.calls.clear();
        QFile::remove(dir.path(QStringLiteral("Klaxo.log")));
    }

    // Runs before the window exists, for tests that lay out files first.
    virtual void prepare() {}

    template <typename T = QWidget> T *get(const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit *field(const char *name) const { return get<QLineEdit>(name); }
    static QStringList items(QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out.append(combo->itemText(i));
        return out;
    }
    QCheckBox *check(const char *name) const { return get<QCheckBox>(name); }
    // The text of a label, button or field.
    QString text(const char *name) const { return get<QObject>(name)->property("text").toString(); }

    void setFields(const QString &h, const QString &m, const QString &s)
    {
        field("txtHour")->setText(h);
        field("txtMinute")->setText(m);
        field("txtSecond")->setText(s);
    }

    void clickStart() { get<QPushButton>("cmdOk")->click(); }

    // One tick of the main timer after the fake clock moved on by `seconds`.
    void tickAfter(int seconds)
    {
        platform.advance(seconds);
        ASSERT_TRUE(timerActive()) << "no tick is due";
        QMetaObject::invokeMethod(get<QTimer>("tmrMain"), "timeout");
    }
    bool timerActive() const { return get<QTimer>("tmrMain")->isActive(); }

    QStringList lines(const QString &file) const
    {
        return tasks::decodeLines(dir.read(file), tasks::BadLines::Skip);
    }
    QStringList logLines() const { return lines(QStringLiteral("Klaxo.log")); }
    QStringList scriptLines() const { return lines(QStringLiteral("task.dat")); }
};
