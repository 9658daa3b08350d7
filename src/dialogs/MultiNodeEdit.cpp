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

// The centre placement puts each node's centre on start + largest / 2, each half
// rounded on its own.
int32_t Centered(int32_t start, int32_t largest, int32_t own) {
    return Round(largest / 2.0) + start - Round(own / 2.0);
}

void Place(TGraphNode& node, const TMultiNodeEdit& edit, const TExtents& e) {
    const int32_t width = Sized(edit.Width, node.Width(), e.MinWidth, e.MaxWidth);
    const int32_t height = Sized(edit.Height, node.Height(), e.MinHeight, e.MaxHeight);
    int32_t left = node.Left();
    switch (edit.Horz) {
    case THorzPlacement::Left:
        left = e.MinLeft;
        break;
    case THorzPlacement::Right:
        left = e.MaxRight - width;
        break;
    case THorzPlacement::Center:
        left = Centered(e.MinLeft, e.MaxWidth, width);
        break;
    case THorzPlacement::NoChange:
        break;
    }
    int32_t top = node.Top();
    switch (edit.Vert) {
    case TVertPlacement::Top:
        top = e.MinTop;
        break;
    case TVertPlacement::Bottom:
        top = e.MaxBottom - height;
        break;
    case TVertPlacement::Center:
        top = Centered(e.MinTop, e.MaxHeight, height);
        break;
    case TVertPlacement::NoChange:
        break;
    }
    node.SetBounds(left, top, width, height);
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
