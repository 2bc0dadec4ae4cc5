#include "frmMain.h"

#include <Platform.h>
#include <PropertyBag.h>
#include <TaskRecord.h>
#include <ctlTabs.h>

#include <QFrame>

frmMain::frmMain(platform::Platform &platform, QWidget *parent)
    : QWidget(parent)
    , platform_(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tasks::kAppTitle);
    setFixedSize(370, 360);

    // Sizes in twips at 15 a pixel: the strip at 120, 120, 5295 × 4695; pages 5025 × 3975.
    ctlTabs1 = new ctlTabs(this);
    ctlTabs1->setObjectName(QStringLiteral("ctlTabs1"));
    ctlTabs1->setGeometry(8, 8, 353, 313);
    ctlTabs1->ReadProperties(tabstrip::FilePropertyBag(QStringLiteral(":/ctlTabs1.properties")));
    for (int n = 1; n <= 3; ++n) {
        auto *page = new QFrame(ctlTabs1);
        page->setObjectName(QStringLiteral("framer%1").arg(n));
        page->setFrameShape(QFrame::NoFrame);
        page->setGeometry(9, 33, 335, 265);
        page->setVisible(n == 1);
        framer_[n - 1] = page;
    }
    connect(ctlTabs1, &ctlTabs::TabClick, this, &frmMain::ctlTabs1_TabClick);
}

void frmMain::ctlTabs1_TabClick(int OldTab, int NewTab)
{
    if (OldTab == NewTab)
        return;
    framer(OldTab)->setVisible(false);
    framer(NewTab)->setVisible(true);
}
