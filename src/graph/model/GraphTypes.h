#pragma once

#include "platform/types/Set.h"

#include <cstdint>

namespace zov {

// A side of an object's bounds, as moved by a drag or confined by the constraints.
enum TObjectSide : uint8_t { osLeft, osTop, osRight, osBottom };
using TObjectSides = TSet<TObjectSide, uint8_t>;

inline constexpr TObjectSides AllObjectSides{osLeft, osTop, osRight, osBottom};

enum TGraphObjectState : uint8_t {
    osCreating,
    osDestroying,
    osLoading,
    osReading,
    osWriting,
    osUpdating,
    osDragging,
    osDragDisabled,
    osConverting,
};
using TGraphObjectStates = TSet<TGraphObjectState, uint16_t>;

// What a change affects: the look, the stored data, the caption, the placement, or
// the placement of something the object depends on.
enum TGraphChangeFlag : uint8_t { gcView, gcData, gcText, gcPlacement, gcDependency };
using TGraphChangeFlags = TSet<TGraphChangeFlag, uint8_t>;

enum TGraphObjectOption : uint8_t { goLinkable, goSelectable, goShowCaption };
inline constexpr const char* kGraphObjectOptionNames[] = {"goLinkable", "goSelectable",
                                                          "goShowCaption"};
using TGraphObjectOptions = TSet<TGraphObjectOption, uint8_t>;

inline constexpr TGraphObjectOptions DefaultGraphObjectOptions{goLinkable, goSelectable,
                                                               goShowCaption};

// Hit-test codes: flags in the low word, a point or segment index in the high word.
inline constexpr uint32_t hcNone = 0x0000;
inline constexpr uint32_t hcOnObject = 0x0001;
inline constexpr uint32_t hcLeft = 0x0002;
inline constexpr uint32_t hcTop = 0x0004;
inline constexpr uint32_t hcRight = 0x0008;
inline constexpr uint32_t hcBottom = 0x0010;
inline constexpr uint32_t hcTopLeft = 0x0020;
inline constexpr uint32_t hcTopRight = 0x0040;
inline constexpr uint32_t hcBottomLeft = 0x0080;
inline constexpr uint32_t hcBottomRight = 0x0100;
inline constexpr uint32_t hcBody = 0x0200;
inline constexpr uint32_t hcCaption = 0x0400;
inline constexpr uint32_t hcPoint = 0x0800;
inline constexpr uint32_t hcSegment = 0x1000;

// The hit-test codes of a link's points and segments carry the point's index in their
// high 16 bits.
constexpr uint32_t PointHitTest(int32_t index, uint32_t code) {
    return (static_cast<uint32_t>(index) << 16) | code;
}
constexpr int32_t HitPointIndex(uint32_t hitTest) {
    return static_cast<int32_t>(hitTest >> 16);
}

// What an object tells the objects depending on it.
enum TDependentNotice : uint8_t { dnChanged, dnGoingAway };
// Asks BeginDrag to hit-test the point itself.
inline constexpr uint32_t hcComputeFromPoint = 0xFFFFFFFF;

} // namespace zov
