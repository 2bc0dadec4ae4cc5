// Draws the main window's tab strip in each of its eight styles into one PNG, for a look, and
// with a second file name the caption page as Designer shows it for that strip.
// Usage: tocklet_tabstrip_gallery OUTPUT.png [CAPTION-PAGE.png]
#include "MainStrip.h"

#include <propTabCaptions.h>

#include <QApplication>
#include <QFont>
#include <QPainter>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3)
        return 2;

    constexpr int kWidth = 353, kHeight = 313, kGap = 10;
    QImage sheet(4 * (kWidth + kGap) + kGap, 2 * (kHeight + kGap + 20) + kGap,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter sheetPainter(&sheet);
    for (int style = 0; style < 8; ++style) {
        ctlTabs tabs;
        makeMainStrip(tabs);
        tabs.setSelectedTab(2);
        tabs.setUseFocusRect(style == 0);
        tabs.setStyle(style);
        const int x = kGap + (style % 4) * (kWidth + kGap);
        const int y = kGap + (style / 4) * (kHeight + kGap + 20);
        sheetPainter.setPen(Qt::black);
        sheetPainter.drawText(x, y + 12, QStringLiteral("Style %1").arg(style));
        sheetPainter.drawImage(x, y + 20, tabs.hDC());
    }
    sheetPainter.end();
    if (argc == 3) {
        ctlTabs tabs;
        makeMainStrip(tabs);
        propTabCaptions page;
        page.SelectionChanged({&tabs});
        if (!page.grab().save(QString::fromLocal8Bit(argv[2])))
            return 1;
    }
    return sheet.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
