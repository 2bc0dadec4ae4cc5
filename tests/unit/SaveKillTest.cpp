#include "TempDir.h"

#include <FileLock.h>
#include <TaskScript.h>

#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>

#include <csignal>
#include <random>
#include <sys/resource.h>

// A kill leaves the old script or the new one, and no stray file (a full disk: e2e/life.sh).
TEST(TaskScriptSave, KilledLeavesTheOldScriptOrTheNewOne)
{
    TempDir dir;
    QByteArray versions[2];
    for (int v : {0, 1}) {
        QProcess saver;
        saver.start(QStringLiteral(WRITER), {u"script"_s, dir.dir.path(), QString::number(v)});
        ASSERT_TRUE(saver.waitForFinished(60000) && saver.exitCode() == 0);
        versions[v] = dir.read(u"task.dat"_s);
    }
    std::mt19937 random(13);
    const int kills = qEnvironmentVariableIntValue("TOCKLET_KILLS");
    for (int i = 0; i < (kills > 0 ? kills : 20); ++i) {
        QProcess saver;
        saver.start(QStringLiteral(WRITER), {u"script"_s, dir.dir.path(), u"loop"_s});
        ASSERT_TRUE(saver.waitForReadyRead(60000)); // saving from now on
        QThread::usleep(std::uniform_int_distribution(0, 300'000)(random));
        ::kill(pid_t(saver.processId()), SIGKILL), saver.waitForFinished();
        const QByteArray bytes = dir.read(u"task.dat"_s);
        ASSERT_TRUE(bytes == versions[0] || bytes == versions[1]) << i << ": " << bytes.size();
        ASSERT_EQ(QDir(dir.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << i;
    }
}

// Two copies saving Start's task into one script at the same moment: all 1,400 tasks, once each.
TEST(TaskScriptSave, CopiesSavingAtOnceLoseNoTask)
{
    TempDir dir;
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += "[0,1,0,0,1,1,1,\"x\"]line " + QByteArray::number(i) + "\r\n";
    dir.write(u"task.dat"_s, bytes);
    QProcess copies[2];
    for (const char *tag : {"A", "B"})
        copies[*tag - 'A'].start(QStringLiteral(WRITER),
                                 {u"start"_s, dir.dir.path(), QString::fromLatin1(tag), u"200"_s});
    for (QProcess &copy : copies)
        ASSERT_TRUE(copy.waitForFinished(120000) && copy.exitCode() == 0);
    tasks::ScriptFile file(dir.path(u"task.dat"_s));
    tasks::TaskList list;
    EXPECT_EQ(tasks::loadTaskScript(file, list), 1400);
    EXPECT_EQ(dir.read(u"task.dat"_s).count('\n'), 1400) << "no line twice";
}

// A hung copy's lock delays a save by 2 s; a save refused: its folder gone, the disk full part way.
TEST(TaskScriptSave, ALockOnlyDelaysASaveAndARefusedOneKeepsItsTask)
{
    TempDir dir;
    const platform::FileLock held(dir.path(u".task.dat.lock"_s), std::chrono::milliseconds(0));
    tasks::ScriptFile file(dir.path(u"task.dat"_s)), gone(dir.path(u"gone/task.dat"_s));
    file.started = gone.started = {tasks::TaskRecord{u"a"_s, {}}};
    EXPECT_TRUE(held.isLocked() && tasks::saveTaskScript(file, file.started));
    const auto xfsz = std::signal(SIGXFSZ, SIG_IGN); // past the limit a write fails, no more
    rlimit was{}, limit{};
    getrlimit(RLIMIT_FSIZE, &was), limit = {1, was.rlim_max}, setrlimit(RLIMIT_FSIZE, &limit);
    file.started = {tasks::TaskRecord{u"b"_s, {}}};
    const bool saved = tasks::saveTaskScript(file, {}) || tasks::saveTaskScript(gone, {});
    setrlimit(RLIMIT_FSIZE, &was), std::signal(SIGXFSZ, xfsz);
    EXPECT_FALSE(saved || file.started.isEmpty() || gone.started.isEmpty());
}
