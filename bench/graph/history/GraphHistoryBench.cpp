// Moving 100 boxes of a diagram as one undo step, and undoing it, in graphs of 1 000
// and 100 000 objects: both should cost what the 100 boxes and their links cost, not
// what the graph holds.
#include "GeneratedGraphs.h"
#include "graph/document/GraphDocument.h"
#include "graph/history/GraphHistory.h"
#include "graph/model/GraphNode.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace zov {
namespace {

constexpr int kMoved = 100;

// The box diagram of about `objects` objects with 100 of its boxes, spread over it,
// selected.
void Prepare(TGraphDocument& graph, TGraphHistory& history, int64_t objects) {
    GenerateBoxDiagram(graph, objects / 2);
    std::vector<TGraphNode*> nodes;
    for (int32_t i = 0; i < graph.Objects().Count(); ++i) {
        if (auto* node = dynamic_cast<TGraphNode*>(graph.Objects().Items(i))) {
            nodes.push_back(node);
        }
    }
    const size_t stride = nodes.size() / kMoved;
    for (int i = 0; i < kMoved; ++i) {
        nodes[static_cast<size_t>(i) * stride]->SetSelected(true);
    }
    history.Clear();
}

void MoveSelection(TGraphDocument& graph, TGraphHistory& history) {
    history.Record(QStringLiteral("Move"), [&] {
        history.Capture(graph.SelectedObjects());
        for (int32_t i = 0; i < graph.SelectedObjects().Count(); ++i) {
            graph.SelectedObjects().Items(i)->OffsetBy(8, 0);
        }
    });
}

void BM_RecordMoveOf100Boxes(benchmark::State& state) {
    TGraphDocument graph;
    TGraphHistory history(graph);
    Prepare(graph, history, state.range(0));
    for (auto _ : state) {
        MoveSelection(graph, history);
        state.PauseTiming();
        history.Undo();
        state.ResumeTiming();
    }
    state.counters["objects"] = static_cast<double>(graph.Objects().Count());
}
BENCHMARK(BM_RecordMoveOf100Boxes)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_UndoMoveOf100Boxes(benchmark::State& state) {
    TGraphDocument graph;
    TGraphHistory history(graph);
    Prepare(graph, history, state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        MoveSelection(graph, history);
        state.ResumeTiming();
        history.Undo();
    }
    state.counters["objects"] = static_cast<double>(graph.Objects().Count());
}
BENCHMARK(BM_UndoMoveOf100Boxes)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zov
