#pragma once

#include "GraphNode.h"
#include "platform/stream/Stream.h"

#include <algorithm>

namespace zov {

// A node whose outline is a polygon of vertices computed from its bounds.
class TPolygonalNode : public TGraphNode {
public:
    const TPoints& Vertices() const { return fVertices; }
    // The mean of the vertices.
    TPoint Center() const override;
    TPoints OutlineCrossings(const TPoint& linePt, double angle) const override;
    // Computes the vertices before the inherited initialization builds the region.
    void Initialize() override;

protected:
    using TGraphNode::TGraphNode;

    // The outline's vertices for the bounds rect, in graph units, in drawing order.
    virtual void ComputeVertices(const TRect& rect, TPoints& points) const = 0;
    // The polygon of the vertices (winding fill) is both region and outline.
    TGraphRegion BuildRegion() const override;
    void DrawOutline(TCanvas& canvas) override;
    // Recomputes (resized) or shifts (moved) the vertices, then the inherited one.
    void ReshapeTo(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY) override;

private:
    TPoints fVertices;
};

class TRectangularNode : public TPolygonalNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TRectangularNode(TGraphOwner* owner) : TPolygonalNode(owner) {}
    TNodeLook Look() const override;

protected:
    void ComputeVertices(const TRect& rect, TPoints& points) const override;
};

class TTriangularNode : public TPolygonalNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TTriangularNode(TGraphOwner* owner) : TPolygonalNode(owner) {}
    // The base box cut down to a rectangle inside the shape.
    void CaptionBox(TRect& rect) const override;

protected:
    void ComputeVertices(const TRect& rect, TPoints& points) const override;
};

class TRhomboidalNode : public TPolygonalNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TRhomboidalNode(TGraphOwner* owner) : TPolygonalNode(owner) {}
    // The base box cut down to a rectangle inside the shape.
    void CaptionBox(TRect& rect) const override;

protected:
    void ComputeVertices(const TRect& rect, TPoints& points) const override;
};

class TPentagonalNode : public TPolygonalNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TPentagonalNode(TGraphOwner* owner) : TPolygonalNode(owner) {}
    // The base box cut down to a rectangle inside the shape.
    void CaptionBox(TRect& rect) const override;

protected:
    void ComputeVertices(const TRect& rect, TPoints& points) const override;
};

class THexagonalNode : public TPolygonalNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit THexagonalNode(TGraphOwner* owner) : TPolygonalNode(owner) {}
    // The base box cut down to a rectangle inside the shape.
    void CaptionBox(TRect& rect) const override;

protected:
    void ComputeVertices(const TRect& rect, TPoints& points) const override;
};

class TParallelogramNode : public TPolygonalNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TParallelogramNode(TGraphOwner* owner) : TPolygonalNode(owner) {}

protected:
    void ComputeVertices(const TRect& rect, TPoints& points) const override;
};

// A data store: a cylinder, whose region and link crossings are its body's polygon.
class TDataNode : public TPolygonalNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TDataNode(TGraphOwner* owner) : TPolygonalNode(owner) {}

protected:
    void ComputeVertices(const TRect& rect, TPoints& points) const override;
    // A body with a silver lid and a rounded bottom, then the background picture.
    void DrawShape(TCanvas& canvas) override;
};

// A block of rich text. Its content is RTF kept in a payload that follows the
// properties in streams; what it shows is its background picture, rendered from that
// content by the rich-text editor. It cannot be a link end.
class TTextNode : public TRectangularNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TTextNode(TGraphOwner* owner);

    TMemoryStream& Payload() { return oMS; }
    const TMemoryStream& Payload() const { return oMS; }
    // Its content is a picture.
    TNodeLook Look() const override { return nlPicture; }

protected:
    // Only the background picture: the content as the editor rendered it.
    void DrawShape(TCanvas& canvas) override { DrawBackdrop(canvas); }
    // The outline only shows while the node is dragged.
    void DrawOutline(TCanvas& canvas) override;
    // The RTF content as a 32-bit length and the bytes; a stream that ends before the
    // length gives an empty content, a negative length throws EReadError.
    void ReadPayload(TStream& stream) override;
    void WritePayload(TStream& stream) override;

private:
    TMemoryStream oMS;
};

class TRoundRectangularNode : public TGraphNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TRoundRectangularNode(TGraphOwner* owner) : TGraphNode(owner) {}
    // Width and height of the corner ellipses.
    int32_t CornerSize() const { return std::max(Width(), Height()) / 4; }
    TPoints OutlineCrossings(const TPoint& linePt, double angle) const override;

protected:
    TGraphRegion BuildRegion() const override;
    void DrawOutline(TCanvas& canvas) override;
};

class TEllipticNode : public TGraphNode {
public:
    static const TGraphObjectClass& Class();
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TEllipticNode(TGraphOwner* owner) : TGraphNode(owner) {}
    TPoints OutlineCrossings(const TPoint& linePt, double angle) const override;

protected:
    TGraphRegion BuildRegion() const override;
    void DrawOutline(TCanvas& canvas) override;
};

} // namespace zov
