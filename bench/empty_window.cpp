// The start-up baselines: an empty Qt Widgets window of Tocklet's size with a title, and with
// --label the same window showing one line of Chinese text (it pays for the fonts as Tocklet does).
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tocklet"));
    window.setFixedSize(370, 360);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0)
        (new QLabel(QStringLiteral("提醒:后台运行时按 CTRL+ALT+A 可将其调出"), &window))
            ->move(10, 10);
    window.show();
    return app.exec();
}
