#pragma once

#include "GraphObject.h"
#include "platform/graphics/GraphRegion.h"

#include <span>

namespace zov {

enum TLinkBeginEndStyle : uint8_t { lsNone, lsArrow, lsArrowSimple, lsCircle, lsDiamond };
inline constexpr const char* kLinkBeginEndStyleNames[] = {"lsNone", "lsArrow", "lsArrowSimple",
                                                          "lsCircle", "lsDiamond"};

enum TGraphLinkOption : uint8_t { gloFixedStartPoint, gloFixedEndPoint, gloFixedBreakPoints };
inline constexpr const char* kGraphLinkOptionNames[] = {"gloFixedStartPoint", "gloFixedEndPoint",
                                                        "gloFixedBreakPoints"};
using TGraphLinkOptions = TSet<TGraphLinkOption, uint8_t>;

enum TLinkNormalizeOption : uint8_t { lnoDeleteSamePoint, lnoDeleteSameAngle };
using TLinkNormalizeOptions = TSet<TLinkNormalizeOption, uint8_t>;

enum TLinkChangeMode : uint8_t {
    lcmNone,
    lcmInsertPoint,
    lcmRemovePoint,
    lcmMovePoint,
    lcmMovePolyline,
};

// A polyline between two objects: its first point may be hooked to a source and its
// last to a target (a node or another link), and hooked ends follow their objects.
// It carries end decorations and a caption along one segment, and is edited point
// by point with the mouse.
class TGraphLink : public TGraphObject {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TGraphLink(TGraphOwner* owner);

    // A link from source (its anchor first) through pts to target (its anchor last),
    // hooked at both given ends; throws EGraphInvalidOperation when an end cannot be
    // hooked.
    static TGraphLink* CreateNew(TGraphOwner* owner, TGraphObject* source,
                                 std::span<const TPoint> pts, TGraphObject* target) {
        return CreateNew(Class(), owner, source, pts, target);
    }
    // The same for a link class derived from this one.
    static TGraphLink* CreateNew(const TGraphObjectClass& cls, TGraphOwner* owner,
                                 TGraphObject* source, std::span<const TPoint> pts,
                                 TGraphObject* target);

    // ---- Points -------------------------------------------------------------------------
    int32_t PointCount() const { return static_cast<int32_t>(fPoints.size()); }
    // Throws EPointListError for an index outside the points.
    TPoint Points(int32_t index) const;
    void SetPoints(int32_t index, const TPoint& pt);
    const TPoints& Polyline() const { return fPoints; }
    void SetPolyline(const TPoints& points);
    int32_t AddPoint(const TPoint& pt);
    void InsertPoint(int32_t index, const TPoint& pt);
    void RemovePoint(int32_t index);
    int32_t IndexOfPoint(const TPoint& pt, int32_t neighborhood) const;
    // Inserts a point on the segment near pt; the new index, or 0 when none is near.
    int32_t AddBreakPoint(const TPoint& pt);
    bool NormalizeBreakPoints(TLinkNormalizeOptions options);
    int32_t LongestSegmentIndex() const;
    int32_t ClosestSegmentIndex(const TPoint& pt, int32_t neighborhood) const;

    // ---- Hooks ------------------------------------------------------------------------
    TGraphObject* Source() const { return fSource; }
    TGraphObject* Target() const { return fTarget; }
    void SetSource(TGraphObject* value);
    void SetTarget(TGraphObject* value);
    uint32_t SourceID() const { return fSourceID; }
    uint32_t TargetID() const { return fTargetID; }
    bool IsFixedPoint(int32_t index, bool hookedPointsAsFixed) const;
    bool IsHookedPoint(int32_t index) const { return HookedObjectOf(index) != nullptr; }
    TGraphObject* HookedObjectOf(int32_t index) const;
    int32_t HookedIndexOf(const TGraphObject* object) const;
    int32_t HookedPointCount() const;
    bool CanHook(int32_t index, TGraphObject* object);
    bool Hook(int32_t index, TGraphObject* object);
    // The end index the object was hooked at, or -1.
    int32_t Unhook(TGraphObject* object);
    bool Unhook(int32_t index);
    bool CanLink(TGraphObject* source, TGraphObject* target);
    bool Link(TGraphObject* source, TGraphObject* target);

    // ---- Transforms ---------------------------------------------------------------------
    // True when no end is hooked and no point is fixed.
    bool CanMove() const;
    bool Rotate(double angle, const TPoint& origin);
    bool Scale(double factor);
    void Reverse();

    // ---- Properties -------------------------------------------------------------------
    TLinkBeginEndStyle BeginStyle() const { return fBeginStyle; }
    void SetBeginStyle(TLinkBeginEndStyle value);
    TLinkBeginEndStyle EndStyle() const { return fEndStyle; }
    void SetEndStyle(TLinkBeginEndStyle value);
    uint8_t BeginSize() const { return fBeginSize; }
    void SetBeginSize(uint8_t value);
    uint8_t EndSize() const { return fEndSize; }
    void SetEndSize(uint8_t value);
    TGraphLinkOptions LinkOptions() const { return fLinkOptions; }
    void SetLinkOptions(TGraphLinkOptions value);
    int32_t TextPosition() const { return fTextPosition; }
    void SetTextPosition(int32_t value);
    int32_t TextSpacing() const { return fTextSpacing; }
    void SetTextSpacing(int32_t value);
    TLinkChangeMode ChangeMode() const { return fChangeMode; }
    const TGraphRegion& TextRegion() const { return fTextRegion; }
    TPoint TextCenter() const { return fTextCenter; }
    double TextAngle() const { return fTextAngle; }

    // ---- Decorations --------------------------------------------------------------------
    int32_t EndMarkLength(TLinkBeginEndStyle style, uint8_t size) const;
    TRect EndMarkRect(const TPoint& pt, TLinkBeginEndStyle style, uint8_t size, double angle) const;
    // Draws a decoration with its tip at pt; returns where the line must end.
    TPoint DrawEndMark(TCanvas& canvas, const TPoint& pt, uint8_t size, TLinkBeginEndStyle style,
                       double angle) const;

    // ---- TGraphObject -----------------------------------------------------------------
    TRect BoundsRect() const override;
    // Ignored: a link's points make its extent.
    void SetBoundsRect(const TRect&) override {}
    const TPropertyList& Properties() const override;
    void DefineProperties(TFiler& filer) override;
    void Assign(const TGraphObject& source) override;
    // A link read without points gets a straight line between its ends.
    void Loaded() override;
    void RenumberID(uint32_t oldID, uint32_t newID) override;
    void CollectRenumberableIDs(std::vector<uint32_t>& ids) const override;
    void RedirectReferences(TGraphObject* oldObject, TGraphObject* newObject) override;
    // A hooked link first follows (dnChanged) or lets go of (dnGoingAway) its own ends.
    void TellDependents(TDependentNotice notice) override;
    void ResolveReferences() override;
    void CollectReferencedObjects(std::vector<TGraphObject*>& objects) const override;
    // Leaves its ends' link lists without telling anyone.
    void ReleaseReferences() override;
    void RefreshFromReferences() override;
    void ReferenceChanged(TGraphObject* object, TDependentNotice notice) override;
    // The middle point (or the middle of the two middle ones); without points, the centre
    // of the owner's VisibleBounds.
    void AnchorPoint(TPoint& pt) const override;
    // The line's point nearest to reference, or a break point near it; never an end hooked
    // to a node.
    void AttachPoint(const TPoint& reference, TPoint& pt) const override;
    // Also requires the rectangle to hold a point, cross the line or meet the caption.
    bool ContainsRect(const TRect& rect) const override;
    TCursor CursorFor(uint32_t hitTest) const override;
    // Every side for a body, caption or point code.
    TObjectSides MovableSides(uint32_t hitTest) const override;
    // Moves the point of a point code, or every point for a body or caption code, but no
    // fixed or hooked one; a node handle code (keyboard resize) spreads a free link's points.
    bool ApplyDragOffset(uint32_t hitTest, int32_t dX, int32_t dY) override;
    // Snaps the dragged point, or the first point when the whole link moves.
    void SnapDragOffset(uint32_t hitTest, int32_t& dX, int32_t& dY) override;
    // Only for a body or caption code.
    bool JoinDrag(uint32_t hitTest) override;
    void OffsetBy(int32_t dX, int32_t dY) override;
    // Add point editing to the base: Alt-click removes or inserts a point, a dragged end
    // hooks to the object it is dropped on, a right click while dragging a point adds one.
    void MouseDown(TMouseButton button, TShiftState shift, const TPoint& pt) override;
    void MouseMove(TShiftState shift, const TPoint& pt) override;
    void MouseUp(TMouseButton button, TShiftState shift, const TPoint& pt) override;

protected:
    void PickEditMode(uint32_t hitTest, TShiftState shift);
    bool LayoutCaption(bool recalc, int32_t dX, int32_t dY) override;
    void ComputeVisualRect(TRect& rect) const override;
    uint32_t LocalHitTest(const TPoint& pt) const override;
    void DrawHandles(TCanvas& canvas) override;
    void DrawDragOutline(TCanvas& canvas) override;
    void DrawCaption(TCanvas& canvas) override;
    void SmearCaption(TCanvas& canvas) override;
    void DrawShape(TCanvas& canvas) override;

private:
    TGraphRegion BuildCaptionRegion();
    void PointsChanged();
    // Joins object as source or target, with the event; no checks.
    void AttachEnd(bool asSource, TGraphObject* object);
    void ReadBreakPoints(TStream& stream);
    void WriteBreakPoints(TStream& stream) const;

    TPoints fPoints;
    TGraphObject* fSource = nullptr;
    TGraphObject* fTarget = nullptr;
    int32_t fTextPosition = -1;
    int32_t fTextSpacing = 0;
    TLinkBeginEndStyle fBeginStyle = lsNone;
    TLinkBeginEndStyle fEndStyle = lsArrow;
    uint8_t fBeginSize = 6;
    uint8_t fEndSize = 6;
    TGraphLinkOptions fLinkOptions;
    TGraphRegion fTextRegion;
    double fTextAngle = 0;
    TPoint fTextCenter;
    int32_t fTextLine = -1;
    TLinkChangeMode fChangeMode = lcmNone;
    bool fAcceptingHook = false;
    TGraphObject* fHookingObject = nullptr;
    int32_t fMovingPoint = -1;
    uint32_t fSourceID = 0;
    uint32_t fTargetID = 0;
    bool fUpdatingEndPoints = false;
    bool fCheckingLink = false;
};

} // namespace zov
