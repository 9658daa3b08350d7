#include "GraphNode.h"

#include "Geometry.h"
#include "GraphConstraints.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontMeasure.h"
#include "platform/graphics/TextLayout.h"
#include "platform/stream/Filer.h"
#include "platform/types/Arithmetic.h"

#include <algorithm>

namespace zov {
namespace {

// Hit-test codes that belong to nodes.
constexpr uint32_t kNodeCodes = 0x07FE;
constexpr uint32_t kLeftCodes = 0x06A2;
constexpr uint32_t kTopCodes = 0x0664;
constexpr uint32_t kRightCodes = 0x0748;
constexpr uint32_t kBottomCodes = 0x0790;
constexpr uint32_t kRightHandles = 0x0148;
constexpr uint32_t kBottomHandles = 0x0190;

// A code concerns nodes only when all its bits are node flags: a link's segment code
// carries hcBody too, next to hcSegment and the segment index.
bool IsNodeCode(uint32_t hitTest) {
    return hitTest != 0 && (hitTest & ~kNodeCodes) == 0;
}

} // namespace

TGraphNode::TGraphNode(TGraphOwner* owner)
    : TGraphObject(owner), fBackground(std::make_unique<TPicture>()) {
    fBackground->OnChange = [this] {
        Changed({gcView, gcData});
    };
}

const TGraphObjectClass& TGraphNode::AbstractClass() {
    static const TGraphObjectClass cls{QStringLiteral("TGraphNode"), false, {}, nullptr};
    return cls;
}

TGraphNode* TGraphNode::CreateNew(const TGraphObjectClass& cls, TGraphOwner* owner,
                                  const TRect& bounds) {
    return static_cast<TGraphNode*>(Create(cls, owner, [&bounds](TGraphObject& object) {
        static_cast<TGraphNode&>(object).SetBoundsRect(bounds);
    }));
}

// ---- Bounds ---------------------------------------------------------------------------

void TGraphNode::SetLeft(int32_t value) {
    if (fStates.Contains(osReading)) {
        fLeft = ClampCoordinate(value);
    } else if (value != fLeft) {
        SetBounds(value, fTop, fWidth, fHeight);
    }
}

void TGraphNode::SetTop(int32_t value) {
    if (fStates.Contains(osReading)) {
        fTop = ClampCoordinate(value);
    } else if (value != fTop) {
        SetBounds(fLeft, value, fWidth, fHeight);
    }
}

void TGraphNode::SetWidth(int32_t value) {
    if (fStates.Contains(osReading)) {
        fWidth = ClampCoordinate(value);
    } else if (value != fWidth) {
        SetBounds(fLeft, fTop, value, fHeight);
    }
}

void TGraphNode::SetHeight(int32_t value) {
    if (fStates.Contains(osReading)) {
        fHeight = ClampCoordinate(value);
    } else if (value != fHeight) {
        SetBounds(fLeft, fTop, fWidth, value);
    }
}

void TGraphNode::SetBoundsRect(const TRect& rect) {
    SetBounds(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

void TGraphNode::OffsetBy(int32_t dX, int32_t dY) {
    SetBounds(fLeft + dX, fTop + dY, fWidth, fHeight);
}

void TGraphNode::CanMoveResize(int32_t& newLeft, int32_t& newTop, int32_t& newWidth,
                               int32_t& newHeight, bool& canMove, bool& canResize) {
    canMove = fNodeOptions.Contains(gnoMovable);
    canResize = fNodeOptions.Contains(gnoResizable);
    TGraphOwner* owner = Owner();
    if (owner == nullptr) {
        return;
    }
    newWidth = std::max(newWidth, owner->MinNodeSize());
    newHeight = std::max(newHeight, owner->MinNodeSize());
    const TRect& b = owner->GraphConstraints().BoundsRect();
    newLeft = std::max(newLeft, b.Left);
    newTop = std::max(newTop, b.Top);
    if (int64_t{newLeft} + newWidth > b.Right) {
        if (newWidth == fWidth) {
            newLeft = b.Right - newWidth;
        } else {
            newWidth = b.Right - newLeft;
        }
    }
    if (int64_t{newTop} + newHeight > b.Bottom) {
        if (newHeight == fHeight) {
            newTop = b.Bottom - newHeight;
        } else {
            newHeight = b.Bottom - newTop;
        }
    }
    owner->DoCanMoveResizeNode(this, newLeft, newTop, newWidth, newHeight, canMove, canResize);
}

void TGraphNode::SetBounds(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight) {
    bool canMove = false;
    bool canResize = false;
    CanMoveResize(aLeft, aTop, aWidth, aHeight, canMove, canResize);
    if (!canMove && !canResize) {
        return;
    }
    int32_t dX = 0;
    int32_t dY = 0;
    int32_t dCX = 0;
    int32_t dCY = 0;
    if (canMove) {
        dX = aLeft - fLeft;
        dY = aTop - fTop;
        fLeft = aLeft;
        fTop = aTop;
    }
    if (canResize) {
        dCX = aWidth - fWidth;
        dCY = aHeight - fHeight;
        fWidth = aWidth;
        fHeight = aHeight;
    }
    if (dX == 0 && dY == 0 && dCX == 0 && dCY == 0) {
        return;
    }
    if (ChangesDeferred()) {
        // The notice waits, the shape does not: what is drawn or hit until the update
        // ends must already be the new shape.
        ReshapeTo(dX, dY, dCX, dCY);
        Changed({gcView, gcData, gcText, gcPlacement});
    } else {
        AfterMoveResize(dX, dY, dCX, dCY);
    }
    if (Owner() != nullptr) {
        Owner()->DoNodeMoveResize(this);
    }
}

void TGraphNode::ReshapeTo(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY) {
    if (dCX != 0 || dCY != 0) {
        fRegion = BuildRegion();
    } else {
        fRegion.Offset(dX, dY);
    }
}

void TGraphNode::AfterMoveResize(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY) {
    ReshapeTo(dX, dY, dCX, dCY);
    TGraphObject::AfterMoveResize(dX, dY, dCX, dCY);
}

void TGraphNode::Initialize() {
    fRegion = BuildRegion();
    TGraphObject::Initialize();
}

// ---- Properties -----------------------------------------------------------------------

void TGraphNode::SetAlignment(TAlignment value) {
    if (value != fAlignment) {
        fAlignment = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphNode::SetLayout(TTextLayout value) {
    if (value != fLayout) {
        fLayout = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphNode::SetMargin(int32_t value) {
    value = ClampCoordinate(value);
    if (value != fMargin) {
        fMargin = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphNode::SetBackgroundMargins(const TRect& value) {
    if (value != fBackgroundMargins) {
        fBackgroundMargins = value;
        Changed({gcView, gcData});
    }
}

void TGraphNode::SetNodeOptions(TGraphNodeOptions value) {
    if (value != fNodeOptions) {
        fNodeOptions = value;
        Changed({gcView, gcData});
    }
}

TPoint TGraphNode::Center() const {
    return {fLeft + fWidth / 2, fTop + fHeight / 2};
}

const TPropertyList& TGraphNode::ClassProperties() {
    using C = TGraphNode;
    static const TPropertyList list =
        TPropertyListBuilder<C>(TGraphObject::ClassProperties())
            .Integer("Left", &C::Left, &C::SetLeft)
            .Integer("Top", &C::Top, &C::SetTop)
            .Integer("Width", &C::Width, &C::SetWidth)
            .Integer("Height", &C::Height, &C::SetHeight)
            .Enumeration<TAlignment>("Alignment", &C::Alignment, &C::SetAlignment, kAlignmentNames,
                                     taCenter)
            .Enumeration<TTextLayout>("Layout", &C::Layout, &C::SetLayout, kTextLayoutNames,
                                      tlCenter)
            .Integer("Margin", &C::Margin, &C::SetMargin, 8)
            .Object("Background", static_cast<TPicture& (C::*)()>(&C::Background))
            .OnNil([](C& node) { node.Background().Clear(); })
            .Set<TGraphNodeOptions>("NodeOptions", &C::NodeOptions, &C::SetNodeOptions,
                                    kGraphNodeOptionNames, DefaultGraphNodeOptions)
            .Build();
    return list;
}

const TPropertyList& TGraphNode::Properties() const {
    return ClassProperties();
}

void TGraphNode::DefineProperties(TFiler& filer) {
    TGraphObject::DefineProperties(filer);
    filer.DefineProperty(
        QStringLiteral("BackgroundMargins"),
        [this](TReader& reader) {
            TRect margins;
            margins.Left = reader.ReadInteger();
            margins.Top = reader.ReadInteger();
            margins.Right = reader.ReadInteger();
            margins.Bottom = reader.ReadInteger();
            SetBackgroundMargins(margins);
        },
        [this](TWriter& writer) {
            writer.WriteInteger(fBackgroundMargins.Left);
            writer.WriteInteger(fBackgroundMargins.Top);
            writer.WriteInteger(fBackgroundMargins.Right);
            writer.WriteInteger(fBackgroundMargins.Bottom);
        },
        fBackgroundMargins != TRect{});
}

void TGraphNode::Assign(const TGraphObject& source) {
    const auto* node = dynamic_cast<const TGraphNode*>(&source);
    if (node == nullptr || node == this) {
        TGraphObject::Assign(source);
        return;
    }
    Updating([&] {
        TGraphObject::Assign(source);
        SetBackground(node->Background());
        SetAlignment(node->Alignment());
        SetLayout(node->Layout());
        SetMargin(node->Margin());
        SetNodeOptions(node->NodeOptions());
        SetBackgroundMargins(node->BackgroundMargins());
        SetBounds(node->Left(), node->Top(), node->Width(), node->Height());
    });
}

// ---- Caption ------------------------------------------------------------------------------

void TGraphNode::CaptionBox(TRect& rect) const {
    const int32_t p = Pen().Style() == psInsideFrame ? Pen().Width() : Pen().Width() / 2;
    const int32_t inset = p + fMargin;
    rect = {fLeft + inset, fTop + inset, fLeft + fWidth - inset, fTop + fHeight - inset};
}

void TGraphNode::CaptionBoxFor(TRect& rect) {
    fTextToShow.clear();
    if (Text().isEmpty()) {
        rect = {};
        return;
    }
    TRect box;
    CaptionBox(box);
    const TRect area{box.Left - fLeft, box.Top - fTop, box.Right - fLeft, box.Bottom - fTop};
    const TFontMeasure& measure = TFontMeasure::Shared(Font());
    fTextToShow = FitTextToBox(measure, Text(), area);
    rect = area;
    unsigned flags = DrawTextFlag::CalcRect | DrawTextFlag::NoPrefix | DrawTextFlag::EditControl;
    if (Owner() != nullptr && Owner()->UseRightToLeftReading()) {
        flags |= DrawTextFlag::RtlReading;
    }
    QString shown = fTextToShow;
    CalcTextRect(measure, shown, rect, flags);
    rect.Right = std::min(rect.Right, area.Right);
    rect.Bottom = std::min(rect.Bottom, area.Bottom);
    int32_t dx = 0;
    if (fAlignment == taRightJustify) {
        dx = area.Right - rect.Right;
    } else if (fAlignment == taCenter) {
        dx = (area.Right - rect.Right) / 2;
    }
    int32_t dy = 0;
    if (fLayout == tlBottom) {
        dy = area.Bottom - rect.Bottom;
    } else if (fLayout == tlCenter) {
        dy = (area.Bottom - rect.Bottom) / 2;
    }
    const int32_t ox = fLeft + dx;
    const int32_t oy = fTop + dy;
    rect = {rect.Left + ox, rect.Top + oy, rect.Right + ox, rect.Bottom + oy};
}

bool TGraphNode::LayoutCaption(bool recalc, int32_t dX, int32_t dY) {
    if (recalc) {
        CaptionBoxFor(fTextRect);
    } else {
        fTextRect = {fTextRect.Left + dX, fTextRect.Top + dY, fTextRect.Right + dX,
                     fTextRect.Bottom + dY};
    }
    return true;
}

// ---- Drawing ------------------------------------------------------------------------------

void TGraphNode::DrawCaption(TCanvas& canvas) {
    if (fTextToShow.isEmpty()) {
        return;
    }
    namespace dt = DrawTextFlag;
    static constexpr unsigned alignFlags[] = {dt::Left, dt::Right, dt::Center};
    static constexpr unsigned layoutFlags[] = {0, dt::VCenter, dt::Bottom};
    unsigned flags =
        alignFlags[fAlignment] | dt::EditControl | dt::NoPrefix | dt::NoClip | layoutFlags[fLayout];
    if (Owner() != nullptr && Owner()->UseRightToLeftReading()) {
        flags |= dt::RtlReading;
    }
    const TBkMode bkMode = canvas.BkMode();
    const unsigned textAlign = canvas.TextAlignFlags();
    canvas.SetBkMode(TBkMode::Transparent);
    canvas.SetTextAlign(TextAlign::Left | TextAlign::Top);
    TRect r = fTextRect;
    canvas.DrawText(fTextToShow, r, flags);
    canvas.SetBkMode(bkMode);
    canvas.SetTextAlign(textAlign);
}

void TGraphNode::SmearCaption(TCanvas& canvas) {
    canvas.SmearText(fTextRect);
}

void TGraphNode::DrawShape(TCanvas& canvas) {
    DrawOutline(canvas);
    if (fNodeOptions.Contains(gnoShowBackground)) {
        DrawBackdrop(canvas);
    }
}

TNodeLook TGraphNode::Look() const {
    return fNodeOptions.Contains(gnoShowBackground) && !fBackground->IsEmpty() ? nlPicture
                                                                               : nlShape;
}

TRect TGraphNode::BackgroundRect() const {
    const TRect& m = fBackgroundMargins;
    return {fLeft + MulDiv(fWidth, m.Left, 100), fTop + MulDiv(fHeight, m.Top, 100),
            fLeft + fWidth - MulDiv(fWidth, m.Right, 100),
            fTop + fHeight - MulDiv(fHeight, m.Bottom, 100)};
}

void TGraphNode::DrawBackdrop(TCanvas& canvas) {
    if (fBackground->IsEmpty()) {
        return;
    }
    // The region is in graph units like everything drawn; the canvas maps it.
    canvas.SaveDC();
    canvas.SelectClipRegion(fRegion, TClipOperation::Intersect);
    fBackground->Draw(canvas, BackgroundRect());
    canvas.RestoreDC();
    canvas.Brush().SetStyle(bsClear);
    DrawOutline(canvas);
}

void TGraphNode::DrawHandles(TCanvas& canvas) {
    const bool enabled =
        (Owner() == nullptr || !Owner()->LockNodes()) && fNodeOptions.Contains(gnoResizable);
    const int32_t right = fLeft + fWidth;
    const int32_t bottom = fTop + fHeight;
    const TPoint handles[] = {{fLeft, fTop},
                              {right, fTop},
                              {fLeft, bottom},
                              {right, bottom},
                              {fLeft + fWidth / 2, bottom},
                              {right, fTop + fHeight / 2},
                              {fLeft, fTop + fHeight / 2},
                              {fLeft + fWidth / 2, fTop}};
    for (const TPoint& pt : handles) {
        DrawHandle(canvas, pt, enabled);
    }
}

// ---- Hit testing --------------------------------------------------------------------------

void TGraphNode::ComputeVisualRect(TRect& rect) const {
    rect = BoundsRect();
    if (Pen().Style() != psInsideFrame) {
        const int32_t grow = Pen().Width() / 2;
        rect = {rect.Left - grow, rect.Top - grow, rect.Right + grow, rect.Bottom + grow};
    }
}

uint32_t TGraphNode::LocalHitTest(const TPoint& pt) const {
    if (Selected()) {
        const int32_t size = HandleSize();
        const int32_t right = fLeft + fWidth;
        const int32_t bottom = fTop + fHeight;
        const struct {
            TPoint at;
            uint32_t code;
        } handles[] = {{{right, bottom}, hcBottomRight},
                       {{fLeft, bottom}, hcBottomLeft},
                       {{right, fTop}, hcTopRight},
                       {{fLeft, fTop}, hcTopLeft},
                       {{fLeft + fWidth / 2, bottom}, hcBottom},
                       {{right, fTop + fHeight / 2}, hcRight},
                       {{fLeft, fTop + fHeight / 2}, hcLeft},
                       {{fLeft + fWidth / 2, fTop}, hcTop}};
        for (const auto& h : handles) {
            if (PtInRect(SquareAround(h.at, size), pt)) {
                return h.code;
            }
        }
    }
    uint32_t code = hcNone;
    if (fRegion.Contains(pt)) {
        code |= hcBody;
    }
    if (Options().Contains(goShowCaption) && PtInRect(fTextRect, pt)) {
        code |= hcCaption;
    }
    return code;
}

bool TGraphNode::ContainsRect(const TRect& rect) const {
    if (Selected()) {
        return TGraphObject::ContainsRect(rect);
    }
    return Showing() && fRegion.Intersects(rect);
}

void TGraphNode::AttachPoint(const TPoint& reference, TPoint& pt) const {
    pt = Center();
    if (fRegion.Contains(reference)) {
        return;
    }
    const TPoints crossings = OutlineCrossings(reference, DirectionAngle(reference, pt));
    double nearest = 0;
    const int index = ClosestPointIndex(crossings, reference, nearest);
    if (index >= 0) {
        pt = crossings[static_cast<size_t>(index)];
    }
}

TCursor TGraphNode::CursorFor(uint32_t hitTest) const {
    const bool locked = IsLocked();
    const bool resizable = fNodeOptions.Contains(gnoResizable) && !locked;
    switch (hitTest) {
    case hcLeft:
    case hcRight:
        return resizable ? crSizeWE : crHandPoint;
    case hcTop:
    case hcBottom:
        return resizable ? crSizeNS : crHandPoint;
    case hcTopLeft:
    case hcBottomRight:
        return resizable ? crSizeNWSE : crHandPoint;
    case hcTopRight:
    case hcBottomLeft:
        return resizable ? crSizeNESW : crHandPoint;
    case hcBody:
    case hcCaption:
    case hcBody | hcCaption:
        return fNodeOptions.Contains(gnoMovable) && !locked ? crSizeAll : crHandPoint;
    default:
        return TGraphObject::CursorFor(hitTest);
    }
}

// ---- Dragging -----------------------------------------------------------------------------

bool TGraphNode::JoinDrag(uint32_t hitTest) {
    return IsNodeCode(hitTest) && TGraphObject::JoinDrag(hitTest);
}

TObjectSides TGraphNode::MovableSides(uint32_t hitTest) const {
    TObjectSides sides;
    if (!IsNodeCode(hitTest)) {
        return sides;
    }
    if (hitTest & kLeftCodes) {
        sides.Include(osLeft);
    }
    if (hitTest & kTopCodes) {
        sides.Include(osTop);
    }
    if (hitTest & kRightCodes) {
        sides.Include(osRight);
    }
    if (hitTest & kBottomCodes) {
        sides.Include(osBottom);
    }
    return sides;
}

void TGraphNode::SnapDragOffset(uint32_t hitTest, int32_t& dX, int32_t& dY) {
    if (!IsNodeCode(hitTest) || Owner() == nullptr) {
        return;
    }
    TPoint reference{fLeft, fTop};
    if (hitTest & kRightHandles) {
        reference.X = fLeft + fWidth;
    }
    if (hitTest & kBottomHandles) {
        reference.Y = fTop + fHeight;
    }
    Owner()->SnapOffset(reference, dX, dY);
}

bool TGraphNode::ApplyDragOffset(uint32_t hitTest, int32_t dX, int32_t dY) {
    const bool resizable = fNodeOptions.Contains(gnoResizable);
    // Resizes, then moves the node so that the given edges stay where they were.
    auto resize = [this](int32_t width, int32_t height, bool keepRight, bool keepBottom) {
        const int32_t oldWidth = fWidth;
        const int32_t oldHeight = fHeight;
        SetBounds(fLeft, fTop, width, height);
        SetBounds(keepRight ? fLeft + oldWidth - fWidth : fLeft,
                  keepBottom ? fTop + oldHeight - fHeight : fTop, fWidth, fHeight);
    };
    switch (hitTest) {
    case hcLeft:
        if (resizable) {
            resize(fWidth - dX, fHeight, true, false);
        }
        return resizable;
    case hcTop:
        if (resizable) {
            resize(fWidth, fHeight - dY, false, true);
        }
        return resizable;
    case hcRight:
        if (resizable) {
            SetBounds(fLeft, fTop, fWidth + dX, fHeight);
        }
        return resizable;
    case hcBottom:
        if (resizable) {
            SetBounds(fLeft, fTop, fWidth, fHeight + dY);
        }
        return resizable;
    case hcTopLeft:
        if (resizable) {
            resize(fWidth - dX, fHeight - dY, true, true);
        }
        return resizable;
    case hcTopRight:
        if (resizable) {
            resize(fWidth + dX, fHeight - dY, false, true);
        }
        return resizable;
    case hcBottomLeft:
        if (resizable) {
            resize(fWidth - dX, fHeight + dY, true, false);
        }
        return resizable;
    case hcBottomRight:
        if (resizable) {
            SetBounds(fLeft, fTop, fWidth + dX, fHeight + dY);
        }
        return resizable;
    case hcBody:
    case hcCaption:
    case hcBody | hcCaption:
        if (fNodeOptions.Contains(gnoMovable)) {
            SetBounds(fLeft + dX, fTop + dY, fWidth, fHeight);
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace zov
