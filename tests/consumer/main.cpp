// Shows the form's strip, its tabs coloured by name, and prints its captions, selected tab and
// the stored text and tab colours.
#include "ui_strip.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget form;
    Ui::StripForm ui;
    ui.setupUi(&form), ui.ctlTabs1->setTabColor(Qt::red), form.show();
    std::printf("%s %d %06x %06x\n", qPrintable(ui.ctlTabs1->Captions().join(u'|')),
                ui.ctlTabs1->SelectedTab(), ui.ctlTabs1->TextColor(), ui.ctlTabs1->TabColor());
}
