#include "frmMain.h"

#include <Platform.h>

#include <TaskRecord.h>

frmMain::frmMain(platform::Platform &platform, QWidget *parent)
    : QWidget(parent)
    , platform_(platform) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tasks::kAppTitle);
    setFixedSize(370, 360);
}
