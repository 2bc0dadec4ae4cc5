// Loading and saving task.dat of 1,000 and 100,000 lines, through real files.
#include <TaskLine.h>
#include <TaskScript.h>

#include <Platform.h>

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Only the program directory is asked for while loading.
class BenchPlatform final : public platform::Platform {
public:
    QString dir;
    QDateTime now() const override { return {}; }
    int msecsToNextSecond() const override { return 1000; }
    QString dateTimeText(const QDateTime &) const override { return {}; }
    platform::MsgResult messageBox(const QString &, const QString &, platform::MsgButtons,
                                   platform::MsgIcon) override
    {
        return platform::MsgResult::Ok;
    }
    QString openFileDialog(QWidget *, const QString &, const QString &) override { return {}; }
    void startCommandLine(const QString &) override {}
    void shellOpen(const QString &) override {}
    QString programDirectory() const override { return dir; }
    QString windowsDirectory() const override { return dir; }
    bool earlierCopyRunning() override { return false; }
    void makeTopmost(QWidget *) override {}
    void setTaskbarEntryVisible(bool) override {}
    void closeTopLevelWindow(const QString &) override {}
    bool registerHotkey() override { return false; }
    void unregisterHotkey() override {}
    void installHotkeyHandler(QObject *, std::function<void()>) override {}
    void removeHotkeyHandler() override {}
    void watchSessionEnd(QObject *, SessionEnd) override {}
};

tasks::TaskList makeList(qsizetype lines)
{
    tasks::TaskList list;
    list.reserve(lines);
    for (qsizetype i = 0; i < lines; ++i)
        list.append({QStringLiteral("例%1:要上课了!(说明:按到点方式)").arg(i),
                     i % 2 ? QStringLiteral("cmd:shutdown /s /f /t 0") : QString(), 13, 20.5,
                     double(i % 60), 0, 1, 1, qint16(i % 2)});
    return list;
}

void BM_LoadTaskScript(benchmark::State &state)
{
    QTemporaryDir dir;
    BenchPlatform platform;
    platform.dir = dir.path();
    tasks::saveTaskScript(tasks::taskScriptPath(dir.path()), makeList(state.range(0)));
    for (auto _ : state) {
        tasks::TaskList list;
        tasks::loadTaskScript(platform, list);
        benchmark::DoNotOptimize(list);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadTaskScript)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveTaskScript(benchmark::State &state)
{
    QTemporaryDir dir;
    const tasks::TaskList list = makeList(state.range(0));
    const QString path = tasks::taskScriptPath(dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(tasks::saveTaskScript(path, list));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveTaskScript)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadTaskLine(benchmark::State &state)
{
    const QString line = tasks::writeTaskLine(makeList(2)[1]);
    for (auto _ : state)
        benchmark::DoNotOptimize(tasks::readTaskLine(line));
}
BENCHMARK(BM_ReadTaskLine);

} // namespace

BENCHMARK_MAIN();
