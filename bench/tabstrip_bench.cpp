// One full repaint of the main window's tab strip (353 × 313, three tabs).
#include "MainStrip.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_DrawTabs(benchmark::State &state)
{
    ctlTabs tabs;
    makeMainStrip(tabs);
    tabs.setStyle(int(state.range(0)));
    for (auto _ : state) {
        tabs.drawTabs();
        benchmark::DoNotOptimize(tabs.hDC().constBits());
    }
}
BENCHMARK(BM_DrawTabs)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
