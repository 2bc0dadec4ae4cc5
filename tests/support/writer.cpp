// A second process for the tests of concurrent and interrupted writes:
//   writer log PATH TAG COUNT     appends COUNT numbered lines tagged TAG to the log at PATH
//   writer start FOLDER TAG COUNT starts COUNT numbered tasks tagged TAG, each saved as a copy of
//                                 the program saves Start's task into the script it has read
//   writer script FOLDER V        saves version V (0 or 1) of a 100,000-line task script
//   writer script FOLDER loop     saves the two versions in turn until it is killed
#include <EventLog.h>
#include <TaskScript.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]), tag = QString::fromLocal8Bit(argv[3]);
    if (std::strcmp(argv[1], "log") == 0 && argc == 5) {
        for (int i = 0, count = std::atoi(argv[4]); i < count; ++i)
            eventlog::recordToFile(path,
                                   tag + QString::number(i) + u'|' + QString(200, u'填') + u'|',
                                   tasks::Encoding::Gb18030);
        return 0;
    }
    // Each save as a copy that has read the script and started `tasks`, the last one first.
    const auto save = [&](const tasks::TaskList &tasks) {
        tasks::ScriptFile script(tasks::taskScriptPath(path), tasks::Encoding::Gb18030);
        tasks::TaskList read;
        tasks::loadTaskScript(script, read), script.started = tasks;
        return tasks::saveTaskScript(script, read) && script.started.isEmpty();
    };
    if (std::strcmp(argv[1], "start") == 0 && argc == 5) {
        for (int i = 0, count = std::atoi(argv[4]); i < count; ++i)
            if (!save({{tag + QString::number(i), QStringLiteral("cmd:true"), 0, 1}}))
                return 1;
        return 0;
    }
    // The same texts in both versions, so that each save replaces every line.
    tasks::TaskList versions[2];
    for (int v : {0, 1})
        for (int i = 100'000; i-- > 0;)
            versions[v].append({QString::number(i) + QString::fromUtf16(u" 第一版"),
                                QStringLiteral("cmd:notify-send 时间到"), double(v),
                                double(i % 60)});
    if (std::strcmp(argv[3], "loop") != 0)
        return save(versions[std::atoi(argv[3]) & 1]) ? 0 : 1;
    std::puts("saving"), std::fflush(stdout);
    for (int v = 0;; v ^= 1)
        save(versions[v]);
}
