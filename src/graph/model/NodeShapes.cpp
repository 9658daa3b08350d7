#include "NodeShapes.h"

#include "Geometry.h"
#include "platform/graphics/Canvas.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/Exceptions.h"

namespace zov {
namespace {

// The overlap of two rectangles, or (0, 0, 0, 0) when they do not overlap.
TRect Intersection(TRect a, const TRect& b) {
    ShrinkRectToOverlap(a, b);
    return a.IsEmpty() ? TRect{} : a;
}

} // namespace

// ---- Polygonal nodes ------------------------------------------------------------------

TPoint TPolygonalNode::Center() const {
    return MeanPoint(fVertices);
}

TPoints TPolygonalNode::OutlineCrossings(const TPoint& linePt, double angle) const {
    return CrossPolygon(linePt, angle, fVertices);
}

void TPolygonalNode::Initialize() {
    ComputeVertices(BoundsRect(), fVertices);
    TGraphNode::Initialize();
}

TGraphRegion TPolygonalNode::BuildRegion() const {
    return TGraphRegion::Polygon(fVertices, pfWinding);
}

void TPolygonalNode::DrawOutline(TCanvas& canvas) {
    canvas.Polygon(fVertices);
}

void TPolygonalNode::ReshapeTo(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY) {
    if (dCX != 0 || dCY != 0) {
        ComputeVertices(BoundsRect(), fVertices);
    } else {
        ShiftPoints(fVertices, dX, dY);
    }
    TGraphNode::ReshapeTo(dX, dY, dCX, dCY);
}

const TGraphObjectClass& TRectangularNode::Class() {
    return GraphObjectClassOf<TRectangularNode>("TRectangularNode", false,
                                                &TGraphNode::AbstractClass());
}

TNodeLook TRectangularNode::Look() const {
    const TNodeLook look = TPolygonalNode::Look();
    return look == nlShape ? nlBox : look;
}

void TRectangularNode::ComputeVertices(const TRect& r, TPoints& points) const {
    points = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
}

const TGraphObjectClass& TTriangularNode::Class() {
    return GraphObjectClassOf<TTriangularNode>("TTriangularNode", false,
                                               &TGraphNode::AbstractClass());
}

void TTriangularNode::ComputeVertices(const TRect& r, TPoints& points) const {
    points = {{Midway(r.Left, r.Right), r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
}

void TTriangularNode::CaptionBox(TRect& rect) const {
    TGraphNode::CaptionBox(rect);
    const TPoints& v = Vertices();
    rect = Intersection(
        rect, {Midway(v[0].X, v[2].X), Midway(v[0].Y, v[2].Y), Midway(v[0].X, v[1].X), v[1].Y});
}

const TGraphObjectClass& TRhomboidalNode::Class() {
    return GraphObjectClassOf<TRhomboidalNode>("TRhomboidalNode", false,
                                               &TGraphNode::AbstractClass());
}

void TRhomboidalNode::ComputeVertices(const TRect& r, TPoints& points) const {
    const int32_t cx = Midway(r.Left, r.Right);
    const int32_t cy = Midway(r.Top, r.Bottom);
    points = {{cx, r.Top}, {r.Right, cy}, {cx, r.Bottom}, {r.Left, cy}};
}

void TRhomboidalNode::CaptionBox(TRect& rect) const {
    TGraphNode::CaptionBox(rect);
    const TPoints& v = Vertices();
    rect = Intersection(rect, {Midway(v[0].X, v[3].X), Midway(v[0].Y, v[3].Y),
                               Midway(v[1].X, v[2].X), Midway(v[1].Y, v[2].Y)});
}

const TGraphObjectClass& TPentagonalNode::Class() {
    return GraphObjectClassOf<TPentagonalNode>("TPentagonalNode", false,
                                               &TGraphNode::AbstractClass());
}

void TPentagonalNode::ComputeVertices(const TRect& r, TPoints& points) const {
    const int32_t q = (r.Right - r.Left) / 4;
    const int32_t cy = Midway(r.Top, r.Bottom);
    points = {{Midway(r.Left, r.Right), r.Top},
              {r.Right, cy},
              {r.Right - q, r.Bottom},
              {r.Left + q, r.Bottom},
              {r.Left, cy}};
}

void TPentagonalNode::CaptionBox(TRect& rect) const {
    TGraphNode::CaptionBox(rect);
    const TPoints& v = Vertices();
    rect = Intersection(rect, {v[3].X, Midway(v[0].Y, v[4].Y), v[2].X, v[2].Y});
}

const TGraphObjectClass& THexagonalNode::Class() {
    return GraphObjectClassOf<THexagonalNode>("THexagonalNode", false,
                                              &TGraphNode::AbstractClass());
}

void THexagonalNode::ComputeVertices(const TRect& r, TPoints& points) const {
    const int32_t q = (r.Right - r.Left) / 4;
    const int32_t cy = Midway(r.Top, r.Bottom);
    points = {{r.Left + q, r.Top},     {r.Right - q, r.Top},   {r.Right, cy},
              {r.Right - q, r.Bottom}, {r.Left + q, r.Bottom}, {r.Left, cy}};
}

void THexagonalNode::CaptionBox(TRect& rect) const {
    TGraphNode::CaptionBox(rect);
    const TPoints& v = Vertices();
    rect = Intersection(rect, {v[0].X, v[0].Y, v[3].X, v[3].Y});
}

const TGraphObjectClass& TParallelogramNode::Class() {
    return GraphObjectClassOf<TParallelogramNode>("TParallelogramNode", false,
                                                  &TGraphNode::AbstractClass());
}

void TParallelogramNode::ComputeVertices(const TRect& r, TPoints& points) const {
    const int32_t q = (r.Right - r.Left) / 4;
    points = {{r.Left + q, r.Top}, {r.Right, r.Top}, {r.Right - q, r.Bottom}, {r.Left, r.Bottom}};
}

// ---- Data node --------------------------------------------------------------------------

const TGraphObjectClass& TDataNode::Class() {
    return GraphObjectClassOf<TDataNode>("TDataNode", false, &TGraphNode::AbstractClass());
}

void TDataNode::ComputeVertices(const TRect& r, TPoints& points) const {
    const int32_t height = r.Bottom - r.Top;
    const int32_t a = Round(height / 4.0);
    const int32_t c = Round(3.0 * height / 4) + Round(a / 2.0);
    points = {{r.Left, r.Top + a}, {r.Right, r.Top + a}, {r.Right, r.Top + c}, {r.Left, r.Top + c}};
}

void TDataNode::DrawShape(TCanvas& canvas) {
    const int32_t l = Left();
    const int32_t t = Top();
    const int32_t w = Width();
    const int32_t h = Height();
    const int32_t a = Round(h / 4.0);
    const int32_t halfLid = Round(a / 2.0);
    const int32_t bottomTop = Round(3.0 * h / 4);
    const TColor fill = canvas.Brush().Color();
    const int32_t pw = canvas.Pen().Width();
    canvas.Rectangle(l, t + a - halfLid, l + w, t + bottomTop + halfLid);
    canvas.Brush().SetColor(clSilver);
    canvas.Ellipse({l, t, l + w, t + a});
    canvas.Brush().SetColor(fill);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Ellipse({l, t + bottomTop, l + w, t + h});
    // Covers the upper arc of the bottom ellipse inside the body.
    canvas.Pen().SetColor(fill);
    canvas.Ellipse({l + pw, t + bottomTop - pw, l + w - pw, t + h - pw});
    canvas.Brush().SetStyle(bsSolid);
    DrawBackdrop(canvas);
}

// ---- Text node --------------------------------------------------------------------------

const TGraphObjectClass& TTextNode::Class() {
    return GraphObjectClassOf<TTextNode>("TTextNode", false, &TRectangularNode::Class());
}

TTextNode::TTextNode(TGraphOwner* owner) : TRectangularNode(owner) {
    TGraphObjectOptions options = Options();
    options.Exclude(goLinkable);
    SetOptions(options);
}

void TTextNode::DrawOutline(TCanvas& canvas) {
    if (Dragging()) {
        TPolygonalNode::DrawOutline(canvas);
    }
}

void TTextNode::ReadPayload(TStream& stream) {
    oMS.Clear();
    if (stream.Remaining() < 4) {
        return;
    }
    const auto length = stream.ReadLE<int32_t>();
    if (length < 0) {
        throw EReadError(QString::fromUtf8(SInvalidStreamContent));
    }
    oMS.CopyFrom(stream, length);
    oMS.SetPosition(0);
}

void TTextNode::WritePayload(TStream& stream) {
    const auto size = static_cast<int32_t>(oMS.Size());
    stream.WriteLE(size);
    stream.WriteBuffer(oMS.Bytes().constData(), size);
}

// ---- Curved nodes ---------------------------------------------------------------------

const TGraphObjectClass& TRoundRectangularNode::Class() {
    return GraphObjectClassOf<TRoundRectangularNode>("TRoundRectangularNode", false,
                                                     &TGraphNode::AbstractClass());
}

TPoints TRoundRectangularNode::OutlineCrossings(const TPoint& linePt, double angle) const {
    return CrossRoundRect(linePt, angle, BoundsRect(), CornerSize(), CornerSize());
}

TGraphRegion TRoundRectangularNode::BuildRegion() const {
    return TGraphRegion::RoundRect({Left(), Top(), Left() + Width() + 1, Top() + Height() + 1},
                                   CornerSize(), CornerSize());
}

void TRoundRectangularNode::DrawOutline(TCanvas& canvas) {
    canvas.RoundRect(BoundsRect(), CornerSize(), CornerSize());
}

const TGraphObjectClass& TEllipticNode::Class() {
    return GraphObjectClassOf<TEllipticNode>("TEllipticNode", false, &TGraphNode::AbstractClass());
}

TPoints TEllipticNode::OutlineCrossings(const TPoint& linePt, double angle) const {
    return CrossEllipse(linePt, angle, BoundsRect());
}

TGraphRegion TEllipticNode::BuildRegion() const {
    return TGraphRegion::Ellipse({Left(), Top(), Left() + Width() + 1, Top() + Height() + 1});
}

void TEllipticNode::DrawOutline(TCanvas& canvas) {
    canvas.Ellipse(BoundsRect());
}

} // namespace zov
