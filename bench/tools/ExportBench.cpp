// What "zovtool export" does for a diagram of captioned boxes joined by arrows:
// load the graph file, then write the picture.
#include "GeneratedGraphs.h"
#include "GraphExport.h"
#include "graph/control/RaroviRovoz.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace zov {
namespace {

void Export(benchmark::State& state, const char* extension) {
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("boxes.zov"));
    {
        TRaroviRovoz graph;
        GenerateBoxDiagram(graph, state.range(0));
        graph.SaveToFile(input);
    }
    const QString output = dir.filePath(QStringLiteral("boxes.") + QLatin1String(extension));
    for (auto _ : state) {
        TRaroviRovoz graph;
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

} // namespace
} // namespace zov
