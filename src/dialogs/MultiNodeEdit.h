#pragma once

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zov {

class TGraphDocument;
class TGraphObject;

// What the multi-node dialog asks for; every choice defaults to leaving things alone.
enum class TSizeChoice : uint8_t { NoChange, Largest, Smallest };
// Along either axis: Start is the left or top edge, End the right or bottom one.
enum class TPlacement : uint8_t { NoChange, Start, End, Center };
enum class TChainChoice : uint8_t { None, Horizontal, Vertical };

struct TMultiNodeEdit {
    // Gap between neighbours of a chain, in graph units.
    static constexpr int32_t kChainGap = 40;

    TChainChoice Chain = TChainChoice::None;
    TSizeChoice Width = TSizeChoice::NoChange;
    TSizeChoice Height = TSizeChoice::NoChange;
    TPlacement Horz = TPlacement::NoChange;
    TPlacement Vert = TPlacement::NoChange;
    TColor BodyColor = clWhite;
    TColor BorderColor = clBlack;
    std::optional<TPenStyle> PenStyle; // none chosen: unchanged
    TFont Font;
    // The first object's values: a colour or style equal to its own is not spread.
    TColor ReferenceBodyColor = clWhite;
    TColor ReferenceBorderColor = clBlack;
    TPenStyle ReferencePenStyle = psSolid;
};

// Applies edit to the nodes among objects (links take no part) inside one update of
// graph, then marks the graph modified, also when nothing changed. The extents that
// sizes and placements refer to are measured after chaining and before any node is
// resized.
void ApplyMultiNodeEdit(TGraphDocument& graph, const std::vector<TGraphObject*>& objects,
                        const TMultiNodeEdit& edit);

} // namespace zov
