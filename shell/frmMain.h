#pragma once

#include <QWidget>

#include <array>

class ctlTabs;
class QFrame;

namespace platform {
class Platform;
}

// The main window.
class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(platform::Platform &platform, QWidget *parent = nullptr);

    // The page of tab `index`, 1 to 3.
    QFrame *framer(int index) const { return framer_.at(index - 1); }

private:
    void ctlTabs1_TabClick(int OldTab, int NewTab);

    platform::Platform &platform_;
    ctlTabs *ctlTabs1 = nullptr;
    std::array<QFrame *, 3> framer_{};
};
