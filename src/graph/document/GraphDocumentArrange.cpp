// Aligning, spacing and sizing the selected objects relative to each other. Every
// move goes through the page bounds and the objects' own drag offsets, so nodes
// that may not move or resize stay as they are.
#include "GraphDocument.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/UpdateBracket.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace zov {

namespace {

int32_t CentreOf(int32_t low, int32_t high) {
    return static_cast<int32_t>((static_cast<int64_t>(low) + high) / 2);
}

// Both directions number their choices alike: low edge, centre, high edge.
static_assert(haLeft == 1 && haCenter == 2 && haRight == 3 && vaTop == 1 && vaCenter == 2 &&
              vaBottom == 3);

// The offset that lines an extent (low, high) up with the reference one along one
// direction; 0 for no change and for spacing.
int32_t AlignOffset(int option, int32_t refLow, int32_t refHigh, int32_t low, int32_t high) {
    switch (option) {
    case haLeft:
        return refLow - low;
    case haCenter:
        return CentreOf(refLow, refHigh) - CentreOf(low, high);
    case haRight:
        return refHigh - high;
    default:
        return 0;
    }
}

} // namespace

bool TGraphDocument::AlignSelection(THAlignOption horz, TVAlignOption vert) {
    if (fSelectedObjects.Count() < 2) {
        return false;
    }
    bool moved = false;
    WithUpdate(*this, [&] {
        const bool spacing = fSelectedObjects.Count() > 2;
        if (horz == haSpaceEqually && spacing) {
            moved = SpaceSelection(true) || moved;
        }
        if (vert == vaSpaceEqually && spacing) {
            moved = SpaceSelection(false) || moved;
        }
        if (horz == haSpaceEqually && vert == vaSpaceEqually) {
            return;
        }
        const TRect r0 = fSelectedObjects.Items(0)->BoundsRect();
        for (int32_t i = 1; i < fSelectedObjects.Count(); ++i) {
            TGraphObject* object = fSelectedObjects.Items(i);
            const TRect ri = object->BoundsRect();
            int32_t dX = AlignOffset(horz, r0.Left, r0.Right, ri.Left, ri.Right);
            int32_t dY = AlignOffset(vert, r0.Top, r0.Bottom, ri.Top, ri.Bottom);
            fGraphConstraints.SetSourceRect(ri);
            if (fGraphConstraints.ConfineOffset(dX, dY, AllObjectSides) &&
                object->ApplyDragOffset(hcBody, dX, dY)) {
                moved = true;
            }
        }
    });
    return moved;
}

// The objects in the order of their left (top) edges, ties in selection order; the
// outermost stay, each other one starts a gap after the previous one's far edge, so
// the remainder of the division ends up before the last object.
bool TGraphDocument::SpaceSelection(bool horizontal) {
    auto low = [horizontal](const TRect& r) {
        return horizontal ? r.Left : r.Top;
    };
    auto high = [horizontal](const TRect& r) {
        return horizontal ? r.Right : r.Bottom;
    };
    std::vector<TGraphObject*> order;
    order.reserve(static_cast<size_t>(fSelectedObjects.Count()));
    for (int32_t i = 0; i < fSelectedObjects.Count(); ++i) {
        order.push_back(fSelectedObjects.Items(i));
    }
    std::stable_sort(order.begin(), order.end(), [&](TGraphObject* a, TGraphObject* b) {
        return low(a->BoundsRect()) < low(b->BoundsRect());
    });
    int64_t extents = 0;
    for (TGraphObject* object : order) {
        extents += high(object->BoundsRect()) - low(object->BoundsRect());
    }
    const int64_t span =
        static_cast<int64_t>(high(order.back()->BoundsRect())) - low(order.front()->BoundsRect());
    const int64_t gap = (span - extents) / static_cast<int64_t>(order.size() - 1);
    const TObjectSides sides =
        horizontal ? TObjectSides{osLeft, osRight} : TObjectSides{osTop, osBottom};
    bool moved = false;
    int64_t next = high(order.front()->BoundsRect()) + gap;
    for (size_t i = 1; i + 1 < order.size(); ++i) {
        TGraphObject* object = order[i];
        const TRect r = object->BoundsRect();
        const int32_t offset = ClampCoordinate(next - low(r));
        int32_t dX = horizontal ? offset : 0;
        int32_t dY = horizontal ? 0 : offset;
        fGraphConstraints.SetSourceRect(r);
        if (fGraphConstraints.ConfineOffset(dX, dY, sides) &&
            object->ApplyDragOffset(hcBody, dX, dY)) {
            moved = true;
        }
        next = high(object->BoundsRect()) + gap;
    }
    return moved;
}

bool TGraphDocument::ResizeSelection(TResizeOption horz, TResizeOption vert) {
    if (fSelectedObjects.Count() < 2) {
        return false;
    }
    int32_t minWidth = std::numeric_limits<int32_t>::max();
    int32_t maxWidth = 0;
    int32_t minHeight = std::numeric_limits<int32_t>::max();
    int32_t maxHeight = 0;
    for (int32_t i = 0; i < fSelectedObjects.Count(); ++i) {
        const TRect r = fSelectedObjects.Items(i)->BoundsRect();
        minWidth = std::min(minWidth, r.Width());
        maxWidth = std::max(maxWidth, r.Width());
        minHeight = std::min(minHeight, r.Height());
        maxHeight = std::max(maxHeight, r.Height());
    }
    auto change = [](TResizeOption option, int32_t smallest, int32_t largest, int32_t current) {
        return option == roSmallest  ? smallest - current
               : option == roLargest ? largest - current
                                     : 0;
    };
    bool resized = false;
    WithUpdate(*this, [&] {
        for (int32_t i = 0; i < fSelectedObjects.Count(); ++i) {
            TGraphObject* object = fSelectedObjects.Items(i);
            const TRect r = object->BoundsRect();
            int32_t dX = change(horz, minWidth, maxWidth, r.Width());
            int32_t dY = change(vert, minHeight, maxHeight, r.Height());
            fGraphConstraints.SetSourceRect(r);
            if (fGraphConstraints.ConfineOffset(dX, dY, {osRight, osBottom}) &&
                object->ApplyDragOffset(hcBottomRight, dX, dY)) {
                resized = true;
            }
        }
    });
    return resized;
}

} // namespace zov
