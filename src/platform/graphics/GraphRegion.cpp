#include "platform/graphics/GraphRegion.h"

#include "platform/types/Arithmetic.h"

#include <algorithm>
#include <cmath>

namespace zov {
namespace {

QRectF NormalizedBox(const TRect& r) {
    return QRectF(QPointF(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)),
                  QPointF(std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)));
}

bool InsideEllipse(const QPointF& p, const QPointF& center, double rx, double ry) {
    if (rx <= 0 || ry <= 0) {
        return false;
    }
    const double dx = (p.x() - center.x()) / rx;
    const double dy = (p.y() - center.y()) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// Crossing-number / winding-number test against the polygon's edges.
bool InsidePolygon(const QVector<QPointF>& v, const QPointF& p, TPolyFillMode mode) {
    int winding = 0;
    int crossings = 0;
    const qsizetype n = v.size();
    for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
        const QPointF& a = v[j];
        const QPointF& b = v[i];
        if ((a.y() <= p.y()) != (b.y() <= p.y())) {
            const double x = a.x() + (p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            if (p.x() < x) {
                ++crossings;
                winding += b.y() > a.y() ? 1 : -1;
            }
        }
    }
    return mode == pfAlternate ? (crossings & 1) != 0 : winding != 0;
}

} // namespace

TGraphRegion TGraphRegion::Rectangle(const TRect& rect) {
    const QRectF box = NormalizedBox(rect);
    if (box.isEmpty()) {
        return {};
    }
    TGraphRegion region;
    region.fKind = Kind::Polygon;
    region.fVertices = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    return region;
}

TGraphRegion TGraphRegion::Polygon(const TPoints& points, TPolyFillMode mode) {
    TGraphRegion region;
    if (points.size() < 3) {
        return region;
    }
    // Points on one line enclose no pixel.
    const TPoint& origin = points.front();
    bool flat = true;
    int64_t dirX = 0;
    int64_t dirY = 0;
    for (const TPoint& p : points) {
        const int64_t dx = static_cast<int64_t>(p.X) - origin.X;
        const int64_t dy = static_cast<int64_t>(p.Y) - origin.Y;
        if (dirX == 0 && dirY == 0) {
            dirX = dx;
            dirY = dy;
        } else if (static_cast<long double>(dx) * dirY != static_cast<long double>(dy) * dirX) {
            flat = false;
            break;
        }
    }
    if (flat) {
        return region;
    }
    region.fKind = Kind::Polygon;
    region.fFillMode = mode;
    region.fVertices.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& p : points) {
        region.fVertices.append(QPointF(p.X, p.Y));
    }
    return region;
}

TGraphRegion TGraphRegion::Ellipse(const TRect& bounds) {
    TGraphRegion region;
    const QRectF box = NormalizedBox(bounds);
    if (box.isEmpty()) {
        return region;
    }
    region.fKind = Kind::Ellipse;
    region.fBox = box;
    return region;
}

TGraphRegion TGraphRegion::RoundRect(const TRect& bounds, int32_t cornerWidth,
                                     int32_t cornerHeight) {
    TGraphRegion region;
    const QRectF box = NormalizedBox(bounds);
    if (box.isEmpty()) {
        return region;
    }
    region.fKind = Kind::RoundRect;
    region.fBox = box;
    region.fCorner = QSizeF(std::clamp(std::abs(cornerWidth) / 2.0, 0.0, box.width() / 2),
                            std::clamp(std::abs(cornerHeight) / 2.0, 0.0, box.height() / 2));
    return region;
}

bool TGraphRegion::IsEmpty() const {
    return Bounds().IsEmpty();
}

bool TGraphRegion::ShapeContains(const QPointF& p) const {
    switch (fKind) {
    case Kind::Empty:
        return false;
    case Kind::Polygon:
        return InsidePolygon(fVertices, p, fFillMode);
    case Kind::Ellipse:
        return InsideEllipse(p, fBox.center(), fBox.width() / 2, fBox.height() / 2);
    case Kind::RoundRect: {
        if (p.x() < fBox.left() || p.x() >= fBox.right() || p.y() < fBox.top() ||
            p.y() >= fBox.bottom()) {
            return false;
        }
        const double rx = fCorner.width();
        const double ry = fCorner.height();
        const double cx = p.x() < fBox.left() + rx    ? fBox.left() + rx
                          : p.x() > fBox.right() - rx ? fBox.right() - rx
                                                      : p.x();
        const double cy = p.y() < fBox.top() + ry      ? fBox.top() + ry
                          : p.y() > fBox.bottom() - ry ? fBox.bottom() - ry
                                                       : p.y();
        if (cx == p.x() || cy == p.y()) {
            return true;
        }
        return InsideEllipse(p, QPointF(cx, cy), rx, ry);
    }
    }
    return false;
}

bool TGraphRegion::Contains(const TPoint& pt) const {
    if (fKind == Kind::Empty) {
        return false;
    }
    QPointF centre(pt.X + 0.5, pt.Y + 0.5);
    if (!fTransform.isIdentity()) {
        bool invertible = false;
        const QTransform inverse = fTransform.inverted(&invertible);
        if (!invertible) {
            return false;
        }
        centre = inverse.map(centre);
    }
    return ShapeContains(centre);
}

QPainterPath TGraphRegion::ShapePath() const {
    QPainterPath path;
    switch (fKind) {
    case Kind::Empty:
        break;
    case Kind::Polygon:
        path.setFillRule(fFillMode == pfAlternate ? Qt::OddEvenFill : Qt::WindingFill);
        path.addPolygon(QPolygonF(fVertices));
        path.closeSubpath();
        break;
    case Kind::Ellipse:
        path.addEllipse(fBox);
        break;
    case Kind::RoundRect:
        path.addRoundedRect(fBox, fCorner.width(), fCorner.height());
        break;
    }
    return path;
}

QPainterPath TGraphRegion::Path() const {
    return fTransform.isIdentity() ? ShapePath() : fTransform.map(ShapePath());
}

bool TGraphRegion::Intersects(const TRect& rect) const {
    if (rect.IsEmpty() || fKind == Kind::Empty) {
        return false;
    }
    const TRect box = Bounds();
    if (rect.Right <= box.Left || box.Right <= rect.Left || rect.Bottom <= box.Top ||
        box.Bottom <= rect.Top) {
        return false;
    }
    return Path().intersects(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

TRect TGraphRegion::Bounds() const {
    if (fKind == Kind::Empty) {
        return {};
    }
    QRectF r;
    if (fKind == Kind::Polygon) {
        r = QPolygonF(fVertices).boundingRect();
    } else if (fTransform.isIdentity()) {
        r = fBox;
    } else {
        r = Path().boundingRect();
    }
    const TRect bounds{
        ClampToInt32(std::floor(r.left() + 1e-9)), ClampToInt32(std::floor(r.top() + 1e-9)),
        ClampToInt32(std::ceil(r.right() - 1e-9)), ClampToInt32(std::ceil(r.bottom() - 1e-9))};
    if (bounds.IsEmpty()) {
        return {};
    }
    return bounds;
}

void TGraphRegion::Offset(int32_t dX, int32_t dY) {
    switch (fKind) {
    case Kind::Empty:
        break;
    case Kind::Polygon:
        for (QPointF& p : fVertices) {
            p += QPointF(dX, dY);
        }
        break;
    case Kind::Ellipse:
    case Kind::RoundRect:
        if (fTransform.isIdentity()) {
            fBox.translate(dX, dY);
        } else {
            fTransform *= QTransform::fromTranslate(dX, dY);
        }
        break;
    }
}

TGraphRegion TGraphRegion::Transformed(const QTransform& transform) const {
    TGraphRegion region = *this;
    if (fKind == Kind::Polygon) {
        for (QPointF& p : region.fVertices) {
            p = transform.map(p);
        }
    } else if (fKind != Kind::Empty) {
        region.fTransform = fTransform * transform;
    }
    if (region.IsEmpty()) {
        return {};
    }
    return region;
}

} // namespace zov
