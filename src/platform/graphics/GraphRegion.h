#pragma once

#include "platform/types/Types.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <QVector>

namespace zov {

enum TPolyFillMode : uint8_t { pfAlternate, pfWinding };

// An area of the plane for hit testing and clipping: a polygon, an ellipse or a
// rounded rectangle, kept analytically rather than as pixels so that tests stay exact
// and cheap on large graphs. Pixel (X, Y) belongs to the region when its centre
// (X + 0.5, Y + 0.5) lies inside the shape, so the rectangle (L, T, R, B) holds the
// pixels L..R-1 and T..B-1.
class TGraphRegion {
public:
    TGraphRegion() = default;

    static TGraphRegion Rectangle(const TRect& rect);
    static TGraphRegion Polygon(const TPoints& points, TPolyFillMode mode = pfAlternate);
    static TGraphRegion Ellipse(const TRect& bounds);
    // Corner ellipses are cornerWidth x cornerHeight, as for TCanvas::RoundRect.
    static TGraphRegion RoundRect(const TRect& bounds, int32_t cornerWidth, int32_t cornerHeight);

    bool IsEmpty() const;
    bool Contains(const TPoint& pt) const;
    // True when the region and the rectangle share some area.
    bool Intersects(const TRect& rect) const;
    // Smallest rectangle holding every pixel of the region; (0, 0, 0, 0) when empty.
    TRect Bounds() const;

    void Offset(int32_t dX, int32_t dY);
    // The region mapped through a world transform (rotation, scaling, shear, move).
    TGraphRegion Transformed(const QTransform& transform) const;

    // The outline in the region's coordinates, for clipping and filling.
    QPainterPath Path() const;

private:
    enum class Kind : uint8_t { Empty, Polygon, Ellipse, RoundRect };

    bool ShapeContains(const QPointF& p) const;
    QPainterPath ShapePath() const;

    Kind fKind = Kind::Empty;
    TPolyFillMode fFillMode = pfAlternate;
    QVector<QPointF> fVertices; // polygon
    QRectF fBox;                // ellipse, rounded rectangle
    QSizeF fCorner;             // rounded rectangle: corner radii
    QTransform fTransform;      // applied to ellipses and rounded rectangles
};

} // namespace zov
