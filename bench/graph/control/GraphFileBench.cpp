// Saving and loading whole graph files: half captioned nodes, half links hooked
// between them, at 1 000, 10 000 and 100 000 objects.
#include "GeneratedGraphs.h"
#include "graph/control/RaroviRovoz.h"

#include <benchmark/benchmark.h>

namespace zov {
namespace {

QByteArray GraphFile(int64_t count) {
    TRaroviRovoz graph;
    GenerateChain(graph.Document(), count);
    TMemoryStream stream;
    graph.SaveToStream(stream);
    return stream.Bytes();
}

void BM_SaveGraph(benchmark::State& state) {
    TRaroviRovoz graph;
    GenerateChain(graph.Document(), state.range(0));
    int64_t bytes = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        graph.SaveToStream(stream);
        bytes = stream.Size();
    }
    state.counters["objects"] = static_cast<double>(graph.Objects().Count());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveGraph)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadGraph(benchmark::State& state) {
    const QByteArray file = GraphFile(state.range(0));
    TRaroviRovoz graph;
    for (auto _ : state) {
        TMemoryStream stream(file);
        graph.LoadFromStream(stream);
    }
    state.counters["objects"] = static_cast<double>(graph.Objects().Count());
}
BENCHMARK(BM_LoadGraph)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Pasting a copy of the whole graph into itself: every ID is taken and renumbered.
void BM_PasteIntoSameGraph(benchmark::State& state) {
    TRaroviRovoz graph;
    GenerateChain(graph.Document(), state.range(0));
    TMemoryStream clip;
    graph.WriteObjectList(clip, graph.Objects());
    const int32_t count = graph.Objects().Count();
    for (auto _ : state) {
        clip.SetPosition(0);
        graph.ReadObjectList(clip);
        state.PauseTiming();
        graph.BeginUpdate();
        while (graph.Objects().Count() > count) {
            graph.Objects().Delete(graph.Objects().Count() - 1);
        }
        graph.EndUpdate();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteIntoSameGraph)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zov
