#include "platform/pictures/EmfOutput.h"

#include "platform/graphics/RasterModes.h"
#include "platform/pictures/Metafile.h"
#include "platform/types/Arithmetic.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace zov {
namespace {

// Text beyond this size in device pixels is damage, not lettering.
constexpr double kMaxTextPixels = 16384;
// Qt takes no wider pen.
constexpr double kMaxPenWidth = 32767;

// Dash patterns of the classic pens, in pen widths.
QList<qreal> ClassicDashes(uint32_t style) {
    switch (style) {
    case Gdi::PsDash:
        return {18, 6};
    case Gdi::PsDot:
        return {3, 3};
    case Gdi::PsDashDot:
        return {9, 6, 3, 6};
    case Gdi::PsDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    case 8: // alternate pixels
        return {1, 1};
    default:
        return {};
    }
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
    if (!limit.contains(path.controlPointRect().toAlignedRect())) {
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

} // namespace

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
    if (shape.isEmpty() || !PrepareRop(dc.rop2)) {
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
    if (!PrepareRop(Gdi::R2CopyPen)) {
        return 0;
    }
    if (t.options & Gdi::EtoOpaque) {
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
    if (f.height > 0) {
        const QFontMetricsF cell(QtFont(f, em));
        em *= em / std::max(cell.ascent() + cell.descent(), 1.0);
    }
    if (t.text.isEmpty() || !(em >= 0.5 && em <= kMaxTextPixels) || !(sx > 0)) {
        return 0;
    }
    const QFont font = QtFont(f, em);
    const double fit = em / font.pixelSize(); // what rounding the size left over
    const QFontMetricsF metrics(font);
    const double toText = sy / fit; // logical units along the baseline to font pixels
    std::vector<double> natural;
    double width = 0;
    for (const QChar c : t.text) {
        natural.push_back(metrics.horizontalAdvance(c));
        width += natural.back();
    }
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
    fPainter.save();
    if (t.options & Gdi::EtoClipped) {
        fPainter.setWorldTransform(toPaint);
        fPainter.setClipRect(t.rect, Qt::IntersectClip);
    }
    const QPointF anchor = toPaint.map(t.origin);
    QTransform layout;
    layout.translate(anchor.x(), anchor.y());
    layout.rotate(-(xAxis.angle() + f.escapement / 10.0));
    layout.scale(fit * sx / sy, fit);
    fPainter.setWorldTransform(layout);
    if (dc.opaqueBk) {
        fPainter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), dc.bkColor);
    }
    fPainter.setFont(font);
    fPainter.setPen(dc.textColor);
    if (spaced) {
        // The file's own spacing, for fonts whose widths differ from the writer's.
        for (qsizetype i = 0; i < t.text.size(); ++i) {
            const qsizetype n = t.text[i].isHighSurrogate() && i + 1 < t.text.size() ? 2 : 1;
            fPainter.drawText(QPointF(x, y), t.text.mid(i, n));
            for (qsizetype k = 0; k < n; ++k) {
                x += t.advances[static_cast<size_t>(i + k)] * toText;
            }
            i += n - 1;
        }
    } else {
        fPainter.drawText(QPointF(x, y), t.text);
    }
    fPainter.restore();
    return width / toText;
}

void TEmfOutput::Bitmap(const QTransform& toPaint, QRectF dest, QImage image, QRectF source,
                        uint32_t rop2) {
    if (!PrepareRop(rop2)) {
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
    if (PrepareRop(rop2)) {
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
