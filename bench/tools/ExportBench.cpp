// What zovtool does for a diagram of captioned boxes joined by arrows: load the
// graph file, then write its picture or its JSON.
#include "GeneratedGraphs.h"
#include "GraphExport.h"
#include "GraphJson.h"
#include "graph/document/GraphDocument.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace zov {
namespace {

// A graph file of the given number of boxes, each but the first with an arrow from
// the one before.
QString SaveBoxDiagram(const QTemporaryDir& dir, int64_t boxes) {
    const QString input = dir.filePath(QStringLiteral("boxes.zov"));
    TGraphDocument graph;
    GenerateBoxDiagram(graph, boxes);
    graph.SaveToFile(input);
    return input;
}

void Export(benchmark::State& state, const char* extension) {
    QTemporaryDir dir;
    const QString input = SaveBoxDiagram(dir, state.range(0));
    const QString output = dir.filePath(QStringLiteral("boxes.") + QLatin1String(extension));
    for (auto _ : state) {
        TGraphDocument graph;
        graph.LoadFromFile(input);
        ExportGraph(graph, output);
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(output).size());
}

void BM_ExportSvg(benchmark::State& state) {
    Export(state, "svg");
}
BENCHMARK(BM_ExportSvg)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportPng(benchmark::State& state) {
    Export(state, "png");
}
BENCHMARK(BM_ExportPng)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ExportEmf(benchmark::State& state) {
    Export(state, "emf");
}
BENCHMARK(BM_ExportEmf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportPdf(benchmark::State& state) {
    Export(state, "pdf");
}
BENCHMARK(BM_ExportPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// What "zovtool dump" does: load the graph file, then write its JSON.
void BM_DumpJson(benchmark::State& state) {
    QTemporaryDir dir;
    const QString input = SaveBoxDiagram(dir, state.range(0));
    std::FILE* sink = std::fopen("/dev/null", "w");
    int32_t objects = 0;
    for (auto _ : state) {
        TGraphDocument graph;
        graph.LoadFromFile(input);
        objects = graph.Objects().Count();
        WriteGraphJson(graph, sink);
    }
    std::fclose(sink);
    state.counters["objects"] = objects;
}
BENCHMARK(BM_DumpJson)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
} // namespace zov
