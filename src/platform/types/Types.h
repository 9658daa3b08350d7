#pragma once

#include <cstdint>
#include <vector>

namespace zov {

// Integer point in graph or device units.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Integer rectangle; Right and Bottom lie just outside the rectangle.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }

    // A rectangle of the given size whose top-left corner is (aLeft, aTop).
    static TRect FromBounds(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight) {
        return {aLeft, aTop, aLeft + aWidth, aTop + aHeight};
    }

    friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;

    friend bool operator==(const TSize&, const TSize&) = default;
};

using TPoints = std::vector<TPoint>;

} // namespace zov
