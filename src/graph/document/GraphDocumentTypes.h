#pragma once

#include "platform/types/Set.h"
#include "platform/types/Types.h"

#include <cstdint>

namespace zov {

enum TGraphCommandMode : uint8_t { cmViewOnly, cmPan, cmEdit, cmInsertNode, cmInsertLink };
enum THAlignOption : uint8_t { haNoChange, haLeft, haCenter, haRight, haSpaceEqually };
enum TVAlignOption : uint8_t { vaNoChange, vaTop, vaCenter, vaBottom, vaSpaceEqually };
enum TResizeOption : uint8_t { roNoChange, roSmallest, roLargest };
enum TGraphDrawOrder : uint8_t { doDefault, doNodesOnTop, doLinksOnTop };

// The cached rectangles of a graph document.
enum TGraphBoundsKind : uint8_t { bkGraph, bkSelection, bkDragging };
using TGraphBoundsKinds = TSet<TGraphBoundsKind, uint8_t>;

// Nothing marked: a rectangle that any other rectangle replaces when merged.
inline constexpr TRect EmptyMarkedArea{2147483647, 2147483647, -2147483647, -2147483647};

// The page starts this many graph units right of and below the origin, leaving room
// for the rulers.
inline constexpr int32_t PageMargin = 28;

} // namespace zov
