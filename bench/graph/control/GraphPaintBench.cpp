// Repainting a 1000 x 800 view of a graph of 100 000 objects at zoom 100: the cost
// must stay close to drawing just the objects in view.
#include "GeneratedGraphs.h"
#include "graph/control/RaroviRovoz.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace zov {
namespace {

void RepaintView(benchmark::State& state, bool middle) {
    TRaroviRovoz graph;
    graph.setAttribute(Qt::WA_DontShowOnScreen);
    graph.resize(1000, 800);
    graph.show();
    GenerateChain(graph.Document(), state.range(0));
    if (middle) {
        graph.ScrollCenter(graph.GraphBounds());
    }
    QImage image(graph.viewport()->size(), QImage::Format_RGB32);
    int drawn = 0;
    graph.OnObjectBeforeDraw = [&drawn](TRaroviRovoz&, TGraphObject*, TCanvas&) {
        ++drawn;
    };
    for (auto _ : state) {
        drawn = 0;
        graph.viewport()->render(&image);
    }
    state.counters["drawn"] = drawn;
}

void BM_RepaintViewAtOrigin(benchmark::State& state) {
    RepaintView(state, false);
}
BENCHMARK(BM_RepaintViewAtOrigin)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RepaintViewInTheMiddle(benchmark::State& state) {
    RepaintView(state, true);
}
BENCHMARK(BM_RepaintViewInTheMiddle)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zov
