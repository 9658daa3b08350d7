// Per-object costs that loading and editing large graphs multiply: reading a node
// from its stream body (with caption layout), laying out a caption, and following a
// moved node with its links.
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "graph/document/GraphDocument.h"

#include <benchmark/benchmark.h>

namespace zov {
namespace {

void BM_ReadNodeBody(benchmark::State& state) {
    TGraphDocument graph;
    auto* node = TGraphNode::CreateNew(TRectangularNode::Class(), &graph, {100, 60, 220, 110});
    node->SetText(QStringLiteral("Check the order against stock"));
    node->Brush().SetColor(clCream);
    TMemoryStream body;
    node->SaveToStream(body);
    node->Free();
    for (auto _ : state) {
        body.SetPosition(0);
        TGraphObject* copy = TGraphObject::CreateByReading(TRectangularNode::Class(), &graph, body);
        benchmark::DoNotOptimize(copy);
        copy->Free();
    }
}
BENCHMARK(BM_ReadNodeBody);

void BM_NodeCaptionLayout(benchmark::State& state) {
    TGraphDocument graph;
    auto* node = TGraphNode::CreateNew(TEllipticNode::Class(), &graph, {0, 0, 140, 70});
    const QString captions[] = {QStringLiteral("Ship the goods to the customer"),
                                QStringLiteral("Ship the goods to the customer!")};
    int i = 0;
    for (auto _ : state) {
        node->SetText(captions[i++ & 1]);
    }
}
BENCHMARK(BM_NodeCaptionLayout);

void BM_MoveNodeWithLinks(benchmark::State& state) {
    TGraphDocument graph;
    graph.GraphConstraints().SetBoundsRect({0, 0, 100000, 100000});
    auto* hub = TGraphNode::CreateNew(TRectangularNode::Class(), &graph, {500, 500, 600, 560});
    for (int i = 0; i < state.range(0); ++i) {
        auto* other = TGraphNode::CreateNew(TRectangularNode::Class(), &graph,
                                            {i * 150, 0, i * 150 + 100, 60});
        TGraphLink::CreateNew(&graph, hub, {}, other)->SetText(QStringLiteral("link"));
    }
    int step = 1;
    for (auto _ : state) {
        hub->OffsetBy(step, 0);
        step = -step;
    }
}
BENCHMARK(BM_MoveNodeWithLinks)->Arg(10);

} // namespace
} // namespace zov
