// A drag source for the drop test: its window offers the file argv[1] for a copy or a move, a
// move preferred, and honours a move by deleting the file, as some file managers do.
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

struct Source : QWidget {
    void mousePressEvent(QMouseEvent *) override
    {
        auto *drag = new QDrag(this);
        drag->setMimeData(new QMimeData);
        drag->mimeData()->setUrls({QUrl::fromLocalFile(qApp->arguments().at(1))});
        if (drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction) == Qt::MoveAction)
            QFile::remove(qApp->arguments().at(1));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Source source;
    source.setWindowTitle(QStringLiteral("drag source")), source.setFixedSize(100, 100);
    return source.show(), app.exec();
}
