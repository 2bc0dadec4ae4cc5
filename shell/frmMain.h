#pragma once

#include <QWidget>

namespace platform {
class Platform;
}

// The main window.
class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(platform::Platform &platform, QWidget *parent = nullptr);

private:
    platform::Platform &platform_;
};
