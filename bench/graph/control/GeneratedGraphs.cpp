#include "GeneratedGraphs.h"

#include "graph/document/GraphDocument.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"

#include <vector>

namespace zov {

namespace {

struct GridLayout {
    int32_t columns;
    int32_t pitchX;
    int32_t pitchY;
    bool snake; // odd rows run right to left
};

std::vector<TGraphNode*> PlaceBoxes(TGraphDocument& graph, int64_t count, const GridLayout& grid) {
    std::vector<TGraphNode*> made;
    made.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const int32_t row = static_cast<int32_t>(i / grid.columns);
        int32_t column = static_cast<int32_t>(i % grid.columns);
        if (grid.snake && row % 2 == 1) {
            column = grid.columns - 1 - column;
        }
        const int32_t x = 40 + column * grid.pitchX;
        const int32_t y = 40 + row * grid.pitchY;
        TGraphNode* node = graph.InsertNode({x, y, x + 80, y + 40});
        node->SetText(QStringLiteral("Step %1").arg(i));
        made.push_back(node);
    }
    return made;
}

} // namespace

void GenerateChain(TGraphDocument& graph, int64_t count) {
    graph.GraphConstraints().SetBoundsRect({0, 0, 1 << 22, 1 << 22});
    graph.BeginUpdate();
    const int64_t nodes = count / 2;
    const std::vector<TGraphNode*> made = PlaceBoxes(graph, nodes, {300, 120, 80, false});
    for (int64_t i = 0; i < count - nodes; ++i) {
        graph.InsertLink(made[static_cast<size_t>(i)], made[static_cast<size_t>((i + 1) % nodes)]);
    }
    graph.EndUpdate();
}

void GenerateBoxDiagram(TGraphDocument& graph, int64_t boxes) {
    graph.GraphConstraints().SetBoundsRect({0, 0, 1 << 22, 1 << 22});
    graph.BeginUpdate();
    const std::vector<TGraphNode*> made = PlaceBoxes(graph, boxes, {100, 120, 70, true});
    for (size_t i = 1; i < made.size(); ++i) {
        graph.InsertLink(made[i - 1], made[i])->SetEndStyle(lsArrow);
    }
    graph.EndUpdate();
}

} // namespace zov
