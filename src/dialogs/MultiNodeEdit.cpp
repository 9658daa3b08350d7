#include "dialogs/MultiNodeEdit.h"

#include "graph/document/GraphDocument.h"
#include "graph/model/GraphNode.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/UpdateBracket.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zov {
namespace {

std::vector<TGraphNode*> NodesOf(const std::vector<TGraphObject*>& objects) {
    std::vector<TGraphNode*> nodes;
    for (TGraphObject* object : objects) {
        if (auto* node = dynamic_cast<TGraphNode*>(object)) {
            nodes.push_back(node);
        }
    }
    return nodes;
}

// Lines the nodes up by their distance from the origin, nearest first (equal distances
// keep list order), each the gap away from the one before it.
void Chain(std::vector<TGraphNode*> nodes, TChainChoice chain) {
    const auto distance = [](const TGraphNode* node) {
        return std::hypot(static_cast<double>(node->Left()), static_cast<double>(node->Top()));
    };
    std::stable_sort(nodes.begin(), nodes.end(), [&](const TGraphNode* a, const TGraphNode* b) {
        return distance(a) < distance(b);
    });
    for (size_t k = 1; k < nodes.size(); ++k) {
        const TGraphNode& first = *nodes.front();
        const TGraphNode& before = *nodes[k - 1];
        TGraphNode& node = *nodes[k];
        if (chain == TChainChoice::Horizontal) {
            node.SetBounds(before.Left() + before.Width() + TMultiNodeEdit::kChainGap, first.Top(),
                           node.Width(), node.Height());
        } else {
            node.SetBounds(first.Left(), before.Top() + before.Height() + TMultiNodeEdit::kChainGap,
                           node.Width(), node.Height());
        }
    }
}

struct TExtents {
    int32_t MinLeft = std::numeric_limits<int32_t>::max();
    int32_t MinTop = std::numeric_limits<int32_t>::max();
    int32_t MaxRight = std::numeric_limits<int32_t>::min();
    int32_t MaxBottom = std::numeric_limits<int32_t>::min();
    int32_t MinWidth = std::numeric_limits<int32_t>::max();
    int32_t MaxWidth = 0;
    int32_t MinHeight = std::numeric_limits<int32_t>::max();
    int32_t MaxHeight = 0;
};

TExtents ExtentsOf(const std::vector<TGraphNode*>& nodes) {
    TExtents e;
    for (const TGraphNode* node : nodes) {
        e.MinLeft = std::min(e.MinLeft, node->Left());
        e.MinTop = std::min(e.MinTop, node->Top());
        e.MaxRight = std::max(e.MaxRight, node->Left() + node->Width());
        e.MaxBottom = std::max(e.MaxBottom, node->Top() + node->Height());
        e.MinWidth = std::min(e.MinWidth, node->Width());
        e.MaxWidth = std::max(e.MaxWidth, node->Width());
        e.MinHeight = std::min(e.MinHeight, node->Height());
        e.MaxHeight = std::max(e.MaxHeight, node->Height());
    }
    return e;
}

int32_t Sized(TSizeChoice choice, int32_t own, int32_t smallest, int32_t largest) {
    switch (choice) {
    case TSizeChoice::Largest:
        return largest;
    case TSizeChoice::Smallest:
        return smallest;
    case TSizeChoice::NoChange:
        break;
    }
    return own;
}

// A node's new start on one axis: on the smallest start, on the largest end less its
// own size, or centred on start + largest / 2 with each half rounded on its own.
int32_t Placed(TPlacement placement, int32_t own, int32_t size, int32_t minStart, int32_t maxEnd,
               int32_t largest) {
    switch (placement) {
    case TPlacement::Start:
        return minStart;
    case TPlacement::End:
        return maxEnd - size;
    case TPlacement::Center:
        return Round(largest / 2.0) + minStart - Round(size / 2.0);
    case TPlacement::NoChange:
        break;
    }
    return own;
}

void Place(TGraphNode& node, const TMultiNodeEdit& edit, const TExtents& e) {
    const int32_t width = Sized(edit.Width, node.Width(), e.MinWidth, e.MaxWidth);
    const int32_t height = Sized(edit.Height, node.Height(), e.MinHeight, e.MaxHeight);
    node.SetBounds(Placed(edit.Horz, node.Left(), width, e.MinLeft, e.MaxRight, e.MaxWidth),
                   Placed(edit.Vert, node.Top(), height, e.MinTop, e.MaxBottom, e.MaxHeight), width,
                   height);
}

void Format(TGraphNode& node, const TMultiNodeEdit& edit) {
    if (edit.BodyColor != edit.ReferenceBodyColor) {
        node.Brush().SetColor(edit.BodyColor);
    }
    if (edit.BorderColor != edit.ReferenceBorderColor) {
        node.Pen().SetColor(edit.BorderColor);
    }
    node.SetFont(edit.Font);
    if (edit.PenStyle && *edit.PenStyle != edit.ReferencePenStyle) {
        node.Pen().SetStyle(*edit.PenStyle);
    }
}

} // namespace

void ApplyMultiNodeEdit(TGraphDocument& graph, const std::vector<TGraphObject*>& objects,
                        const TMultiNodeEdit& edit) {
    const std::vector<TGraphNode*> nodes = NodesOf(objects);
    WithUpdate(graph, [&] {
        if (edit.Chain != TChainChoice::None) {
            Chain(nodes, edit.Chain);
        }
        const TExtents extents = ExtentsOf(nodes);
        for (TGraphNode* node : nodes) {
            Place(*node, edit, extents);
            Format(*node, edit);
        }
    });
    graph.SetModified(true);
}

} // namespace zov
