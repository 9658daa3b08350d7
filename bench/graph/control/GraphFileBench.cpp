// Saving and loading whole graph files: half captioned nodes, half links hooked
// between them, at 1 000, 10 000 and 100 000 objects.
#include "graph/control/RaroviRovoz.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace zov {
namespace {

// A graph of count objects: count / 2 nodes on a grid, each linked to the next.
void Generate(TRaroviRovoz& graph, int64_t count) {
    graph.GraphConstraints().SetBoundsRect({0, 0, 1 << 22, 1 << 22});
    graph.BeginUpdate();
    const int64_t nodes = count / 2;
    const int columns = 300;
    std::vector<TGraphNode*> made;
    made.reserve(static_cast<size_t>(nodes));
    for (int64_t i = 0; i < nodes; ++i) {
        const int32_t x = static_cast<int32_t>(i % columns) * 120;
        const int32_t y = static_cast<int32_t>(i / columns) * 80;
        TGraphNode* node = graph.InsertNode({x, y, x + 80, y + 40});
        node->SetText(QStringLiteral("Step %1").arg(i));
        made.push_back(node);
    }
    for (int64_t i = 0; i < count - nodes; ++i) {
        graph.InsertLink(made[static_cast<size_t>(i)], made[static_cast<size_t>((i + 1) % nodes)]);
    }
    graph.EndUpdate();
}

QByteArray GraphFile(int64_t count) {
    TRaroviRovoz graph;
    Generate(graph, count);
    TMemoryStream stream;
    graph.SaveToStream(stream);
    return stream.Bytes();
}

void BM_SaveGraph(benchmark::State& state) {
    TRaroviRovoz graph;
    Generate(graph, state.range(0));
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
    Generate(graph, state.range(0));
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
