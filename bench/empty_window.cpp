// The start-up baseline: an empty Qt Widgets window of Tocklet's size with a title.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tocklet"));
    window.setFixedSize(370, 360);
    window.show();
    return app.exec();
}
