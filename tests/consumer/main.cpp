// Shows the form's strip and prints its captions and selected tab.
#include "ui_strip.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget form;
    Ui::StripForm ui;
    ui.setupUi(&form);
    form.show();
    std::printf("%s %d\n", qPrintable(ui.ctlTabs1->Captions().join(u'|')),
                ui.ctlTabs1->SelectedTab());
}
