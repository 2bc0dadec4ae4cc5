// One full repaint of the main window's tab strip (353 × 313, three tabs).
#include <ctlTabs.h>

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_DrawTabs(benchmark::State &state)
{
    ctlTabs tabs;
    tabs.resize(353, 313);
    tabs.setTabsWidth(60);
    tabs.setTabsHeight(18);
    tabs.setTabs(3);
    tabs.setCaption(1, QStringLiteral("常规"));
    tabs.setCaption(2, QStringLiteral("高级"));
    tabs.setCaption(3, QStringLiteral("简介"));
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
