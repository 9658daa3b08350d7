#include "platform/pictures/EmfOutput.h"

#include "platform/graphics/DashPatterns.h"
#include "platform/graphics/RasterModes.h"
#include "platform/pictures/Metafile.h"
#include "platform/types/Arithmetic.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zov {
namespace {

// Text beyond this size in device pixels is damage, not lettering.
constexpr double kMaxTextPixels = 16384;
constexpr double kMinTextPixels = 0.5;
// Qt caches glyphs up to a size by their area and renders them with the whole
// transform: stretched far along one axis, a glyph comes out too long for FreeType,
// and Qt copies the failed rendering from nowhere. Text stretched more than this is
// filled as outlines.
constexpr double kMaxGlyphStretch = 4;
// Device pixels per unit, for both a transform and its inverse: their
// determinants then stay above 2^-38, clear of what Qt takes for singular.
constexpr double kMinScale = 1.0 / (1 << 19);
constexpr double kMaxScale = 1 << 19;
// Qt takes no wider pen.
constexpr double kMaxPenWidth = 32767;

// Dash patterns of the classic pens, in pen widths.
QList<qreal> ClassicDashes(uint32_t style) {
    if (style == Gdi::PsAlternate) {
        return QList<qreal>(std::begin(kAlternateDashes), std::end(kAlternateDashes));
    }
    return style <= Gdi::PsDashDotDot ? DashPattern(static_cast<TPenStyle>(style)) : QList<qreal>{};
}

QPen QtPen(const TEmfPen& p, const QTransform& toPaint) {
    const uint32_t style = p.style & Gdi::PsStyleMask;
    if (style == Gdi::PsNull) {
        return QPen(Qt::NoPen);
    }
    QPen pen(p.color);
    const bool thin = p.cosmetic || p.width * std::sqrt(std::abs(toPaint.determinant())) < 1.0;
    if (thin) {
        pen.setWidth(0); // one device pixel, as the reference device drew it
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setWidthF(std::min(p.width, kMaxPenWidth));
        const uint32_t cap = p.style & Gdi::PsEndCapMask;
        const uint32_t join = p.style & Gdi::PsJoinMask;
        pen.setCapStyle(cap == Gdi::PsEndCapFlat     ? Qt::FlatCap
                        : cap == Gdi::PsEndCapSquare ? Qt::SquareCap
                                                     : Qt::RoundCap);
        pen.setJoinStyle(join == Gdi::PsJoinMiter   ? Qt::MiterJoin
                         : join == Gdi::PsJoinBevel ? Qt::BevelJoin
                                                    : Qt::RoundJoin);
    }
    QList<qreal> dashes = ClassicDashes(style);
    if (style == Gdi::PsUserStyle) {
        const double unit = std::max(p.width, 1.0);
        for (double d : p.dashes) {
            dashes.append(std::max(d / unit, 0.1));
        }
        if (dashes.size() % 2 == 1) {
            dashes.append(dashes);
        }
    }
    if (!dashes.isEmpty()) {
        if (thin || (p.style & Gdi::PsEndCapMask) == 0) {
            pen.setCapStyle(Qt::FlatCap);
        }
        pen.setDashPattern(dashes);
    }
    return pen;
}

QFont QtFont(const TEmfFont& f, double emPixels) {
    QFont font;
    if (!f.face.isEmpty()) {
        font.setFamily(f.face);
    }
    font.setPixelSize(std::max(1, ClampToInt32(std::round(emPixels))));
    if (f.weight > 0) {
        font.setWeight(static_cast<QFont::Weight>(f.weight));
    }
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    font.setKerning(false);
    return font;
}

// Room around the device for the edges of regions cut to it.
constexpr int kRegionMargin = 16;

QPolygon ClampedPolygon(const QPolygonF& polygon) {
    QPolygon result;
    result.reserve(polygon.size());
    for (const QPointF& p : polygon) {
        result.append(QPoint(ClampCoordinate(ClampToInt32(std::round(p.x()))),
                             ClampCoordinate(ClampToInt32(std::round(p.y())))));
    }
    return result;
}

// Unites regions pairwise, which stays fast for the many rectangles of a region
// whatever their order.
QRegion UnionOf(const std::vector<QRegion>& parts, size_t begin, size_t end) {
    if (end - begin == 1) {
        return parts[begin];
    }
    const size_t middle = begin + (end - begin) / 2;
    return UnionOf(parts, begin, middle).united(UnionOf(parts, middle, end));
}

// The pixels within limit whose centres a path covers.
QRegion PathRegion(const QPainterPath& path, const QRect& limit) {
    // A region holds a band of rectangles per pixel row, so a far-reaching path is cut
    // to the device first (and Qt loses memory on polygons millions of rows tall).
    QPainterPath cut = path;
    if (!QRectF(limit).contains(path.controlPointRect())) {
        QPainterPath device;
        device.addRect(limit);
        cut = path.intersected(device);
    }
    QRegion region;
    const Qt::FillRule rule = cut.fillRule();
    for (const QPolygonF& polygon : cut.toFillPolygons()) {
        const QRegion part(ClampedPolygon(polygon), rule);
        region = rule == Qt::OddEvenFill ? region.xored(part) : region.united(part);
    }
    return region;
}

// How far a stroke reaches beyond its path, in the path's units: half the width,
// doubled for miter joins and square caps.
double StrokeReach(const TEmfPen& pen, bool stroke) {
    if (!stroke || pen.cosmetic || (pen.style & Gdi::PsStyleMask) == Gdi::PsNull) {
        return 0;
    }
    return std::min(pen.width, kMaxPenWidth);
}

} // namespace

bool IsDrawableTransform(const QTransform& t) {
    if (!t.isAffine()) {
        return false;
    }
    const double m[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    if (!std::all_of(std::begin(m), std::end(m), [](double v) { return std::isfinite(v); }) ||
        std::abs(t.dx()) > kMaxCoordinate || std::abs(t.dy()) > kMaxCoordinate) {
        return false;
    }
    // The largest and smallest singular values of the linear part.
    const double squares =
        t.m11() * t.m11() + t.m12() * t.m12() + t.m21() * t.m21() + t.m22() * t.m22();
    const double determinant = t.m11() * t.m22() - t.m12() * t.m21();
    const double largest = std::sqrt(
        (squares + std::sqrt(std::max(squares * squares - 4 * determinant * determinant, 0.0))) /
        2);
    const double smallest = largest > 0 ? std::abs(determinant) / largest : 0;
    return largest <= kMaxScale && smallest >= kMinScale;
}

bool IsDrawable(const QTransform& transform, const QRectF& area) {
    if (!IsDrawableTransform(transform)) {
        return false;
    }
    const QRectF mapped = transform.mapRect(area);
    const auto inside = [](double v) {
        return std::abs(v) <= kMaxCoordinate;
    };
    return inside(mapped.left()) && inside(mapped.right()) && inside(mapped.top()) &&
           inside(mapped.bottom());
}

TEmfOutput::TEmfOutput(QPainter& painter, const QTransform& deviceToPaint)
    : fPainter(painter), fDeviceToPaint(deviceToPaint),
      fRasterOps(painter.paintEngine() != nullptr &&
                 painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
    if (painter.hasClipping()) {
        fInitialClip = DevicePathRegion(painter.worldTransform().map(painter.clipPath()));
    }
    fPainter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                            QPainter::SmoothPixmapTransform);
    fPainter.setBackgroundMode(Qt::TransparentMode);
}

bool TEmfOutput::PrepareRop(uint32_t rop2) {
    if (rop2 == Gdi::R2Nop) {
        return false;
    }
    const QPainter::CompositionMode mode =
        fRasterOps ? CompositionOfRop2(rop2) : QPainter::CompositionMode_SourceOver;
    fPainter.setCompositionMode(mode);
    // Smoothed edges would mix colours that raster modes must combine bit by bit.
    fPainter.setRenderHint(QPainter::Antialiasing, mode == QPainter::CompositionMode_SourceOver);
    return true;
}

void TEmfOutput::Shape(const TEmfDcState& dc, const QTransform& toPaint, const QPainterPath& shape,
                       bool stroke, bool fill, const QBrush& brush, bool smooth) {
    if (shape.isEmpty()) {
        return;
    }
    const double reach = StrokeReach(dc.pen, stroke);
    if (!IsDrawable(toPaint, shape.controlPointRect().adjusted(-reach, -reach, reach, reach)) ||
        !PrepareRop(dc.rop2)) {
        return;
    }
    if (!smooth) {
        fPainter.setRenderHint(QPainter::Antialiasing, false);
    }
    fPainter.setWorldTransform(toPaint);
    QPainterPath path = shape;
    path.setFillRule(dc.fillRule);
    const bool hatched = brush.style() >= Qt::HorPattern && brush.style() <= Qt::DiagCrossPattern;
    if (fill && hatched && dc.opaqueBk) {
        fPainter.fillPath(path, dc.bkColor);
    }
    fPainter.setPen(stroke ? QtPen(dc.pen, toPaint) : QPen(Qt::NoPen));
    fPainter.setBrush(fill ? brush : QBrush(Qt::NoBrush));
    fPainter.drawPath(path);
}

double TEmfOutput::Text(const TEmfDcState& dc, const QTransform& toPaint, const TEmfText& t) {
    // The box is filled or clips; one that leaves the device takes the text with it.
    const bool boxFits = IsDrawable(toPaint, t.rect);
    if (((t.options & Gdi::EtoClipped) && !boxFits) || !PrepareRop(Gdi::R2CopyPen)) {
        return 0;
    }
    if ((t.options & Gdi::EtoOpaque) && boxFits) {
        fPainter.setWorldTransform(toPaint);
        fPainter.fillRect(t.rect, dc.bkColor);
    }
    // Text is laid out in device pixels along the baseline's direction, never
    // mirrored, as the reference device drew it.
    const QLineF xAxis(toPaint.map(QPointF(0, 0)), toPaint.map(QPointF(1, 0)));
    const QLineF yAxis(toPaint.map(QPointF(0, 0)), toPaint.map(QPointF(0, 1)));
    const double sx = xAxis.length();
    const double sy = yAxis.length();
    const TEmfFont& f = dc.font;
    double em = f.height == 0 ? 16 : std::abs(f.height) * sy;
    const auto usable = [](double pixels) {
        return pixels >= kMinTextPixels && pixels <= kMaxTextPixels;
    };
    if (t.text.isEmpty() || !IsDrawableTransform(toPaint) || !usable(em)) {
        return 0;
    }
    if (f.height > 0) {
        const QFontMetricsF cell(QtFont(f, em));
        em *= em / std::max(cell.ascent() + cell.descent(), 1.0);
    }
    if (!usable(em) || em * sx / sy > kMaxTextPixels) {
        return 0;
    }
    const QFont font = QtFont(f, em);
    const double fit = em / font.pixelSize(); // what rounding the size left over
    const QFontMetricsF metrics(font);
    const double toText = sy / fit; // logical units along the baseline to font pixels
    std::vector<double> natural;
    double naturalWidth = 0;
    for (const QChar c : t.text) {
        natural.push_back(metrics.horizontalAdvance(c));
        naturalWidth += natural.back();
    }
    double width = naturalWidth;
    bool spaced = false;
    if (!t.advances.empty()) {
        width = 0;
        for (size_t i = 0; i < t.advances.size(); ++i) {
            width += t.advances[i] * toText;
            spaced = spaced || std::abs(t.advances[i] * toText - natural[i]) > 0.6 * toText + 0.05;
        }
    }
    double x = 0;
    if ((dc.textAlign & Gdi::TaCenter) == Gdi::TaCenter) {
        x = -width / 2;
    } else if (dc.textAlign & Gdi::TaRight) {
        x = -width;
    }
    double y = metrics.ascent();
    if ((dc.textAlign & Gdi::TaBaseline) == Gdi::TaBaseline) {
        y = 0;
    } else if (dc.textAlign & Gdi::TaBottom) {
        y = -metrics.descent();
    }
    // The pieces to draw, each at its start; with the file's own spacing, one per
    // character (a surrogate pair staying together).
    struct TPiece {
        qsizetype at;
        qsizetype length;
        double x;
    };
    std::vector<TPiece> pieces;
    double left = std::min({x, x + width, x + naturalWidth});
    double right = std::max({x, x + width, x + naturalWidth});
    if (spaced) {
        double at = x;
        for (qsizetype i = 0; i < t.text.size();) {
            const qsizetype n = t.text[i].isHighSurrogate() && i + 1 < t.text.size() ? 2 : 1;
            pieces.push_back({i, n, at});
            left = std::min(left, at);
            for (qsizetype k = 0; k < n; ++k, ++i) {
                right = std::max(right, at + natural[static_cast<size_t>(i)]);
                at += t.advances[static_cast<size_t>(i)] * toText;
            }
        }
    } else {
        pieces.push_back({0, t.text.size(), x});
    }
    const QPointF anchor = toPaint.map(t.origin);
    QTransform layout;
    layout.translate(anchor.x(), anchor.y());
    layout.rotate(-(xAxis.angle() + f.escapement / 10.0));
    layout.scale(fit * sx / sy, fit);
    if (!IsDrawable(layout, QRectF(QPointF(left, y - metrics.ascent()),
                                   QPointF(right, y + metrics.descent())))) {
        return 0;
    }
    fPainter.save();
    if (t.options & Gdi::EtoClipped) {
        fPainter.setWorldTransform(toPaint);
        fPainter.setClipRect(t.rect, Qt::IntersectClip);
    }
    fPainter.setWorldTransform(layout);
    if (dc.opaqueBk) {
        fPainter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), dc.bkColor);
    }
    if (std::max(sx / sy, sy / sx) > kMaxGlyphStretch) {
        QPainterPath outlines;
        for (const TPiece& piece : pieces) {
            outlines.addText(QPointF(piece.x, y), font, t.text.mid(piece.at, piece.length));
        }
        fPainter.fillPath(outlines, dc.textColor);
    } else {
        fPainter.setFont(font);
        fPainter.setPen(dc.textColor);
        for (const TPiece& piece : pieces) {
            fPainter.drawText(QPointF(piece.x, y), t.text.mid(piece.at, piece.length));
        }
    }
    fPainter.restore();
    return width / toText;
}

void TEmfOutput::Bitmap(const QTransform& toPaint, QRectF dest, QImage image, QRectF source,
                        uint32_t rop2) {
    // A source without size would make Qt take the rest of the image.
    const QRectF from = source.normalized();
    if (from.isEmpty() || !IsDrawable(toPaint, dest.normalized()) ||
        !IsDrawableTransform(
            QTransform::fromScale(dest.width() / from.width(), dest.height() / from.height()) *
            toPaint) ||
        !PrepareRop(rop2)) {
        return;
    }
    if (dest.width() < 0 || dest.height() < 0) {
        const bool horizontal = dest.width() < 0;
        const bool vertical = dest.height() < 0;
        image = image.mirrored(horizontal, vertical);
        source = QRectF(horizontal ? image.width() - source.right() : source.left(),
                        vertical ? image.height() - source.bottom() : source.top(), source.width(),
                        source.height());
        dest = dest.normalized();
    }
    fPainter.setWorldTransform(toPaint);
    fPainter.drawImage(dest, image, source.normalized());
}

void TEmfOutput::Fill(const QTransform& toPaint, const QRectF& rect, const QBrush& brush,
                      uint32_t rop2) {
    if (IsDrawable(toPaint, rect.normalized()) && PrepareRop(rop2)) {
        fPainter.setWorldTransform(toPaint);
        fPainter.fillRect(rect.normalized(), brush);
    }
}

void TEmfOutput::SetClip(const std::optional<QRegion>& clip) {
    std::optional<QRegion> effective = clip;
    if (fInitialClip) {
        effective = effective ? effective->intersected(*fInitialClip) : *fInitialClip;
    }
    fPainter.setWorldTransform(QTransform());
    if (effective) {
        fPainter.setClipRegion(*effective);
    } else {
        fPainter.setClipping(false);
    }
}

QRegion TEmfOutput::DevicePathRegion(const QPainterPath& path) const {
    const QPaintDevice* device = fPainter.device();
    const QRect area = device != nullptr ? QRect(0, 0, device->width(), device->height()) : QRect();
    return PathRegion(path,
                      area.adjusted(-kRegionMargin, -kRegionMargin, kRegionMargin, kRegionMargin));
}

QRegion TEmfOutput::DeviceRegion(const std::vector<QRect>& rects) const {
    if (rects.empty()) {
        return {};
    }
    const bool upright = fDeviceToPaint.type() <= QTransform::TxScale;
    const auto pixel = [](double v) {
        return ClampCoordinate(ClampToInt32(std::round(v)));
    };
    std::vector<QRegion> parts;
    parts.reserve(rects.size());
    for (const QRect& rect : rects) {
        if (upright) {
            const QRectF r = fDeviceToPaint.mapRect(QRectF(rect));
            parts.emplace_back(QRect(QPoint(pixel(r.left()), pixel(r.top())),
                                     QPoint(pixel(r.right()) - 1, pixel(r.bottom()) - 1)));
        } else {
            QPainterPath path;
            path.addRect(rect);
            parts.push_back(DevicePathRegion(fDeviceToPaint.map(path)));
        }
    }
    return UnionOf(parts, 0, parts.size());
}

} // namespace zov
