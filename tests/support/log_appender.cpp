// Appends `count` numbered lines tagged `tag` to the log at `path`: a second process for the
// concurrent-append test.
#include <EventLog.h>

#include <QString>

#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString tag = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    const QString padding(200, u'填');
    for (int i = 0; i < count; ++i)
        eventlog::recordToFile(path, tag + QString::number(i) + u'|' + padding + u'|');
    return 0;
}
