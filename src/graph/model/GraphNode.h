#pragma once

#include "GraphObject.h"
#include "platform/graphics/GraphRegion.h"
#include "platform/pictures/Picture.h"

#include <memory>

namespace zov {

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
inline constexpr const char* kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
inline constexpr const char* kTextLayoutNames[] = {"tlTop", "tlCenter", "tlBottom"};

enum TGraphNodeOption : uint8_t { gnoMovable, gnoResizable, gnoShowBackground };
inline constexpr const char* kGraphNodeOptionNames[] = {"gnoMovable", "gnoResizable",
                                                        "gnoShowBackground"};
using TGraphNodeOptions = TSet<TGraphNodeOption, uint8_t>;
inline constexpr TGraphNodeOptions DefaultGraphNodeOptions{gnoMovable, gnoResizable,
                                                           gnoShowBackground};

// What a node shows: its outline, filled with its brush, and the outline is its bounds
// (nlBox) or another shape (nlShape); or a picture (nlPicture), which only drawing it
// shows.
enum TNodeLook : uint8_t { nlBox, nlShape, nlPicture };

// A box-shaped graph object: bounds, a caption laid out inside, an optional
// background picture, and a shape (supplied by the subclasses) that decides its
// outline, its hit region and where links attach.
class TGraphNode : public TGraphObject {
public:
    // Creates a node of cls with the given bounds, then lets it join the graph.
    static TGraphNode* CreateNew(const TGraphObjectClass& cls, TGraphOwner* owner,
                                 const TRect& bounds);
    // The abstract class every node class derives from.
    static const TGraphObjectClass& AbstractClass();

    int32_t Left() const { return fLeft; }
    int32_t Top() const { return fTop; }
    int32_t Width() const { return fWidth; }
    int32_t Height() const { return fHeight; }
    // While reading, these store the value as it is; otherwise they go through SetBounds.
    void SetLeft(int32_t value);
    void SetTop(int32_t value);
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    TRect BoundsRect() const override { return {fLeft, fTop, fLeft + fWidth, fTop + fHeight}; }
    void SetBoundsRect(const TRect& rect) override;
    // Moves and resizes within the node's options, the minimum size, the placement
    // bounds and the graph's answer to OnCanMoveResizeNode; a change fires OnNodeMoveResize.
    virtual void SetBounds(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight);
    // Corrects wanted bounds (minimum size, placement bounds, then the graph's query) and
    // says whether moving and resizing are allowed; the node itself does not change.
    virtual void CanMoveResize(int32_t& newLeft, int32_t& newTop, int32_t& newWidth,
                               int32_t& newHeight, bool& canMove, bool& canResize);

    TAlignment Alignment() const { return fAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return fLayout; }
    void SetLayout(TTextLayout value);
    int32_t Margin() const { return fMargin; }
    void SetMargin(int32_t value);
    TPicture& Background() { return *fBackground; }
    const TPicture& Background() const { return *fBackground; }
    void SetBackground(const TPicture& value) { fBackground->Assign(value); }
    // Percentages of the width (Left, Right) and height (Top, Bottom) by which the
    // background picture is inset.
    const TRect& BackgroundMargins() const { return fBackgroundMargins; }
    void SetBackgroundMargins(const TRect& value);
    TGraphNodeOptions NodeOptions() const { return fNodeOptions; }
    void SetNodeOptions(TGraphNodeOptions value);

    // Where links aim (AnchorPoint): the middle of the bounds; polygons, their vertices' mean.
    virtual TPoint Center() const;
    const TGraphRegion& Region() const { return fRegion; }
    const TRect& TextRect() const { return fTextRect; }
    // What the node shows besides its caption, as far as a view too small to make it
    // out needs to know.
    virtual TNodeLook Look() const;
    // Where the background picture is drawn.
    TRect BackgroundRect() const;

    // Crossings of the line through linePt at angle with the outline (none: empty).
    virtual TPoints OutlineCrossings(const TPoint& linePt, double angle) const = 0;
    // The area the caption may fill, in graph units: the bounds inside pen and margin,
    // narrowed by shapes to their inside.
    virtual void CaptionBox(TRect& rect) const;

    const TPropertyList& Properties() const override;
    static const TPropertyList& ClassProperties();
    void DefineProperties(TFiler& filer) override;
    void Assign(const TGraphObject& source) override;

    void Initialize() override;
    void AnchorPoint(TPoint& pt) const override { pt = Center(); }
    // The outline crossing nearest to reference on its line to the centre; the centre when
    // reference lies inside.
    void AttachPoint(const TPoint& reference, TPoint& pt) const override;
    // An unselected node is taken in when the rectangle meets its shape.
    bool ContainsRect(const TRect& rect) const override;
    TCursor CursorFor(uint32_t hitTest) const override;
    TObjectSides MovableSides(uint32_t hitTest) const override;
    // Every step goes through SetBounds; resizing by a left or top handle keeps the opposite
    // edge. False for a code not of nodes, or without the gnoMovable/gnoResizable it needs.
    bool ApplyDragOffset(uint32_t hitTest, int32_t dX, int32_t dY) override;
    // The point snapped is the top-left corner, its X or Y taken from the right or bottom
    // edge when a handle drags that edge.
    void SnapDragOffset(uint32_t hitTest, int32_t& dX, int32_t& dY) override;
    // Only for node codes (handles, body, caption).
    bool JoinDrag(uint32_t hitTest) override;
    void OffsetBy(int32_t dX, int32_t dY) override;

protected:
    explicit TGraphNode(TGraphOwner* owner);

    // The shape's area from the current bounds (polygons: from the vertices, computed
    // first), for hit tests and clipping the background.
    virtual TGraphRegion BuildRegion() const = 0;
    // Fills and outlines the shape with the canvas's brush and pen.
    virtual void DrawOutline(TCanvas& canvas) = 0;
    // The background picture inside its margins, clipped to the shape, then the outline
    // again over it with a clear brush; nothing without a picture.
    virtual void DrawBackdrop(TCanvas& canvas);
    void CaptionBoxFor(TRect& rect);

    // Brings the shape derived from the bounds (the region; polygons first their
    // vertices) to bounds that moved by (dX, dY) and grew by (dCX, dCY). Overrides do
    // their own part, then call the inherited one.
    virtual void ReshapeTo(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY);
    bool LayoutCaption(bool recalc, int32_t dX, int32_t dY) override;
    void AfterMoveResize(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY) override;
    void ComputeVisualRect(TRect& rect) const override;
    uint32_t LocalHitTest(const TPoint& pt) const override;
    void DrawHandles(TCanvas& canvas) override;
    void DrawDragOutline(TCanvas& canvas) override { DrawOutline(canvas); }
    void DrawCaption(TCanvas& canvas) override;
    void SmearCaption(TCanvas& canvas) override;
    void DrawShape(TCanvas& canvas) override;

private:
    int32_t fLeft = 0;
    int32_t fTop = 0;
    int32_t fWidth = 0;
    int32_t fHeight = 0;
    TAlignment fAlignment = taCenter;
    TTextLayout fLayout = tlCenter;
    int32_t fMargin = 8;
    std::unique_ptr<TPicture> fBackground;
    TRect fBackgroundMargins;
    TGraphNodeOptions fNodeOptions = DefaultGraphNodeOptions;
    TGraphRegion fRegion;
    TRect fTextRect;
};

} // namespace zov
