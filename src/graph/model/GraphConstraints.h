#pragma once

#include "GraphTypes.h"
#include "platform/types/Types.h"

#include <functional>
#include <span>

namespace zov {

class TGraphConstraints;

// What the constraints need of the graph that owns them: a new placement area
// changes the scrollable extent and the page drawn.
class TGraphConstraintsOwner {
public:
    // Called when the placement area changed: the views' scroll ranges follow the graph's
    // extent and the new area.
    virtual void UpdateScrollRanges() = 0;
    // Called when the placement area changed: every view repaints all of itself.
    virtual void Invalidate() = 0;

protected:
    ~TGraphConstraintsOwner() = default;
};

// The rectangle inside which graph objects may be placed, with the checks every
// move uses. Right and Bottom are outside for WithinBounds but inside for the
// Confine routines.
class TGraphConstraints {
public:
    // Edges written to a form only when they differ from these.
    static constexpr int32_t DefaultMinLeft = 0;
    static constexpr int32_t DefaultMinTop = 0;
    static constexpr int32_t DefaultMaxRight = 65535;
    static constexpr int32_t DefaultMaxBottom = 65535;

    explicit TGraphConstraints(TGraphConstraintsOwner* owner = nullptr);
    virtual ~TGraphConstraints() = default;

    TGraphConstraintsOwner* Owner() const { return fOwner; }

    // Copies the bounds; the source rectangle and the change handler stay.
    void Assign(const TGraphConstraints& source);

    const TRect& BoundsRect() const { return fBoundsRect; }
    void SetBoundsRect(const TRect& rect);
    void SetBounds(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight);

    int32_t MinLeft() const { return fBoundsRect.Left; }
    int32_t MinTop() const { return fBoundsRect.Top; }
    int32_t MaxRight() const { return fBoundsRect.Right; }
    int32_t MaxBottom() const { return fBoundsRect.Bottom; }
    void SetMinLeft(int32_t value);
    void SetMinTop(int32_t value);
    void SetMaxRight(int32_t value);
    void SetMaxBottom(int32_t value);

    // Bounds of whatever is about to move; read by ConfineOffset.
    const TRect& SourceRect() const { return fSourceRect; }
    void SetSourceRect(const TRect& rect) { fSourceRect = rect; }

    // True when every point lies inside; true for no points.
    bool WithinBounds(std::span<const TPoint> points) const;
    // Pulls the point inside; true when it already was.
    bool ConfinePt(TPoint& pt) const;
    // Clips each edge separately (the rectangle may become empty); true when nothing
    // had to change.
    bool ConfineRect(TRect& rect) const;
    // Shortens a movement so that the source rectangle's movable sides stay inside;
    // false when nothing is left to move.
    bool ConfineOffset(int32_t& dX, int32_t& dY, TObjectSides mobility) const;

    std::function<void(TGraphConstraints&)> OnChange;

protected:
    // The bounds changed: tells the owner (scroll ranges, repaint), then OnChange.
    virtual void DoChange();

private:
    TGraphConstraintsOwner* fOwner;
    TRect fBoundsRect{28, 28, 200, 200};
    TRect fSourceRect;
};

} // namespace zov
