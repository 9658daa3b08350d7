#include "GraphConstraints.h"

namespace zov {

TGraphConstraints::TGraphConstraints(TGraphConstraintsOwner* owner) : fOwner(owner) {}

void TGraphConstraints::Assign(const TGraphConstraints& source) {
    SetBoundsRect(source.BoundsRect());
}

void TGraphConstraints::SetBoundsRect(const TRect& rect) {
    if (rect == fBoundsRect) {
        return;
    }
    fBoundsRect = rect;
    DoChange();
}

void TGraphConstraints::SetBounds(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight) {
    SetBoundsRect(TRect::FromBounds(aLeft, aTop, aWidth, aHeight));
}

void TGraphConstraints::SetMinLeft(int32_t value) {
    TRect r = fBoundsRect;
    r.Left = value;
    SetBoundsRect(r);
}

void TGraphConstraints::SetMinTop(int32_t value) {
    TRect r = fBoundsRect;
    r.Top = value;
    SetBoundsRect(r);
}

void TGraphConstraints::SetMaxRight(int32_t value) {
    TRect r = fBoundsRect;
    r.Right = value;
    SetBoundsRect(r);
}

void TGraphConstraints::SetMaxBottom(int32_t value) {
    TRect r = fBoundsRect;
    r.Bottom = value;
    SetBoundsRect(r);
}

bool TGraphConstraints::WithinBounds(std::span<const TPoint> points) const {
    for (const TPoint& p : points) {
        if (p.X < fBoundsRect.Left || p.X >= fBoundsRect.Right || p.Y < fBoundsRect.Top ||
            p.Y >= fBoundsRect.Bottom) {
            return false;
        }
    }
    return true;
}

bool TGraphConstraints::ConfinePt(TPoint& pt) const {
    const TPoint original = pt;
    if (pt.X < fBoundsRect.Left) {
        pt.X = fBoundsRect.Left;
    }
    if (pt.X > fBoundsRect.Right) {
        pt.X = fBoundsRect.Right;
    }
    if (pt.Y < fBoundsRect.Top) {
        pt.Y = fBoundsRect.Top;
    }
    if (pt.Y > fBoundsRect.Bottom) {
        pt.Y = fBoundsRect.Bottom;
    }
    return pt == original;
}

bool TGraphConstraints::ConfineRect(TRect& rect) const {
    const TRect original = rect;
    if (rect.Left < fBoundsRect.Left) {
        rect.Left = fBoundsRect.Left;
    }
    if (rect.Right > fBoundsRect.Right) {
        rect.Right = fBoundsRect.Right;
    }
    if (rect.Top < fBoundsRect.Top) {
        rect.Top = fBoundsRect.Top;
    }
    if (rect.Bottom > fBoundsRect.Bottom) {
        rect.Bottom = fBoundsRect.Bottom;
    }
    return rect == original;
}

bool TGraphConstraints::ConfineOffset(int32_t& dX, int32_t& dY, TObjectSides mobility) const {
    const TRect& s = fSourceRect;
    const TRect& b = fBoundsRect;
    // 64-bit sums: a far-off source rectangle must not overflow the comparison.
    if (mobility.Contains(osLeft) && int64_t{s.Left} + dX < b.Left) {
        dX = b.Left - s.Left;
    }
    if (mobility.Contains(osTop) && int64_t{s.Top} + dY < b.Top) {
        dY = b.Top - s.Top;
    }
    if (mobility.Contains(osRight) && int64_t{s.Right} + dX > b.Right) {
        dX = b.Right - s.Right;
    }
    if (mobility.Contains(osBottom) && int64_t{s.Bottom} + dY > b.Bottom) {
        dY = b.Bottom - s.Bottom;
    }
    return dX != 0 || dY != 0;
}

void TGraphConstraints::DoChange() {
    if (fOwner != nullptr) {
        fOwner->UpdateScrollRanges();
        fOwner->Invalidate();
    }
    if (OnChange) {
        OnChange(*this);
    }
}

} // namespace zov
