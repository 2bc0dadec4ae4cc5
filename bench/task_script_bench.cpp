// Loading and saving task.dat of 1,000 and 100,000 lines, through real files.
#include <TaskLine.h>
#include <TaskScript.h>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Argument `index`: 0 for a GB18030 script, 1 for UTF-8.
tasks::Encoding encoding(const benchmark::State &state, int index)
{
    return state.range(index) ? tasks::Encoding::Utf8 : tasks::Encoding::Gb18030;
}

tasks::TaskList makeList(qsizetype lines)
{
    tasks::TaskList list;
    list.reserve(lines, lines * 32);
    for (qsizetype i = 0; i < lines; ++i)
        list.append({QStringLiteral("例%1:要上课了!(说明:按到点方式)").arg(i),
                     i % 2 ? QStringLiteral("cmd:shutdown /s /f /t 0") : QString(), 13, 20.5,
                     double(i % 60), 0, 1, 1, qint16(i % 2)});
    return list;
}

void BM_LoadTaskScript(benchmark::State &state)
{
    QTemporaryDir dir;
    tasks::ScriptFile script(tasks::taskScriptPath(dir.path()), encoding(state, 1));
    tasks::saveTaskScript(script, makeList(state.range(0)));
    for (auto _ : state) {
        tasks::TaskList list;
        tasks::loadTaskScript(script, list);
        benchmark::DoNotOptimize(list);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadTaskScript)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// Start's save: one task to the top. The second argument 1 has another hand change the file
// before every save, so that the save reads it again and applies the started task to it.
void BM_SaveTaskScript(benchmark::State &state)
{
    QTemporaryDir dir;
    tasks::TaskList list = makeList(state.range(0));
    tasks::ScriptFile script(tasks::taskScriptPath(dir.path()), encoding(state, 2));
    tasks::saveTaskScript(script, list);
    const bool changed = state.range(1);
    const QByteArray added =
        tasks::encodeText(u"[0,5,0,0,1,1,1,\"x\"]另一个副本的任务\r\n", script.encoding);
    for (auto _ : state) {
        if (changed) {
            state.PauseTiming();
            QFile file(script.path);
            file.open(QIODevice::Append);
            file.write(added);
            file.close();
            state.ResumeTiming();
        }
        list.move(list.size() / 2, 0);
        script.started.append(list.first());
        benchmark::DoNotOptimize(tasks::saveTaskScript(script, list));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveTaskScript)
    ->Args({1000, 0, 0})
    ->Args({100000, 0, 0})
    ->Args({100000, 1, 0})
    ->Args({100000, 0, 1})
    ->Args({100000, 1, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ReadTaskLine(benchmark::State &state)
{
    const QString line = tasks::writeTaskLine(makeList(2).at(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(tasks::readTaskLine(line));
}
BENCHMARK(BM_ReadTaskLine);

} // namespace

BENCHMARK_MAIN();
