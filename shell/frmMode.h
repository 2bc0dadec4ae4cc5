#pragma once

#include <QDialog>

class QRadioButton;

// The mode dialog: countdown or clock time. OK stores the choice in the main window's
// chkCountDown and resets the time fields for it; Cancel, Esc and the close box change nothing.
class frmMode : public QDialog {
    Q_OBJECT

public:
    // `countDown`: the main window's present mode. `apply` is called with the chosen mode on OK.
    frmMode(const QIcon &icon, bool countDown, std::function<void(bool)> apply);

private:
    QRadioButton *opt1 = nullptr;
    QRadioButton *opt2 = nullptr;
};
