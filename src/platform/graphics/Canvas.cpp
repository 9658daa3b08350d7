#include "platform/graphics/Canvas.h"

#include "platform/graphics/DashPatterns.h"
#include "platform/graphics/RasterModes.h"
#include "platform/pictures/EmfWriter.h"
#include "platform/types/Arithmetic.h"

#include <QPaintEngine>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

namespace zov {
namespace {

constexpr double kHalfPixel = 0.5;

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
    switch (style) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// The device pixel a device coordinate falls in, as SetPixels and SetPixelGrid count it.
int DevicePixel(double coordinate) {
    constexpr double kFar = 1 << 30; // beyond any device, well inside int
    return static_cast<int>(std::floor(std::clamp(coordinate + 0.5, -kFar, kFar)));
}

} // namespace

TCanvas::TCanvas(QPainter* painter) : fPainter(painter), fBaseTransform(painter->worldTransform()) {
    fPainter->save();
    fPainter->setBackgroundMode(Qt::TransparentMode);
}

TCanvas::~TCanvas() {
    while (fPainterSaves > 0) {
        fPainter->restore();
        --fPainterSaves;
    }
    fPainter->restore();
}

// ---- Mapping -------------------------------------------------------------------------

QTransform TCanvas::MappingTransform() const {
    double sx = 1.0;
    double sy = 1.0;
    if (fMapping.mode != TMapMode::Text && fMapping.windowExt.cx != 0 &&
        fMapping.windowExt.cy != 0) {
        sx = static_cast<double>(fMapping.viewportExt.cx) / fMapping.windowExt.cx;
        sy = static_cast<double>(fMapping.viewportExt.cy) / fMapping.windowExt.cy;
        if (fMapping.mode == TMapMode::Isotropic) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    }
    return QTransform::fromTranslate(-fMapping.windowOrg.X, -fMapping.windowOrg.Y) *
           QTransform::fromScale(sx, sy) *
           QTransform::fromTranslate(fMapping.viewportOrg.X, fMapping.viewportOrg.Y);
}

void TCanvas::ApplyMapping() {
    fPainter->setWorldTransform(MappingTransform() * fBaseTransform);
}

void TCanvas::SetMapMode(TMapMode mode) {
    fMapping.mode = mode;
    if (mode == TMapMode::Text) {
        fMapping.windowExt = {1, 1};
        fMapping.viewportExt = {1, 1};
    }
    ApplyMapping();
}

void TCanvas::SetWindowOrg(int32_t x, int32_t y) {
    fMapping.windowOrg = {x, y};
    ApplyMapping();
}

void TCanvas::SetViewportOrg(int32_t x, int32_t y) {
    fMapping.viewportOrg = {x, y};
    ApplyMapping();
}

void TCanvas::SetWindowExt(int32_t cx, int32_t cy) {
    if (fMapping.mode == TMapMode::Text || cx == 0 || cy == 0) {
        return;
    }
    fMapping.windowExt = {cx, cy};
    ApplyMapping();
}

void TCanvas::SetViewportExt(int32_t cx, int32_t cy) {
    if (fMapping.mode == TMapMode::Text || cx == 0 || cy == 0) {
        return;
    }
    fMapping.viewportExt = {cx, cy};
    ApplyMapping();
}

TPoint TCanvas::LPtoDP(const TPoint& pt) const {
    const QPointF p = MappingTransform().map(QPointF(pt.X, pt.Y));
    return {Round(p.x()), Round(p.y())};
}

TPoint TCanvas::DPtoLP(const TPoint& pt) const {
    const QPointF p = MappingTransform().inverted().map(QPointF(pt.X, pt.Y));
    return {Round(p.x()), Round(p.y())};
}

// ---- State ---------------------------------------------------------------------------

int TCanvas::SaveDC() {
    fSaved.push_back(SavedState{fPen, fBrush, fFont, fBkMode, fTextAlign, fPolyFillMode,
                                fAntialiased, fPenPos, fMapping});
    fPainter->save();
    ++fPainterSaves;
    return static_cast<int>(fSaved.size());
}

bool TCanvas::RestoreDC(int level) {
    const int count = static_cast<int>(fSaved.size());
    const int target = level < 0 ? count + level + 1 : level;
    if (target < 1 || target > count) {
        return false;
    }
    while (static_cast<int>(fSaved.size()) > target) {
        fSaved.pop_back();
        fPainter->restore();
        --fPainterSaves;
    }
    const SavedState state = fSaved.back();
    fSaved.pop_back();
    fPainter->restore();
    --fPainterSaves;
    fPen.Assign(state.pen);
    fBrush.Assign(state.brush);
    fFont.Assign(state.font);
    fBkMode = state.bkMode;
    fTextAlign = state.textAlign;
    fPolyFillMode = state.polyFillMode;
    fAntialiased = state.antialiased;
    fPenPos = state.penPos;
    fMapping = state.mapping;
    return true;
}

// ---- Shapes --------------------------------------------------------------------------

QPen TCanvas::MakePen() const {
    if (fPen.Style() == psClear) {
        return QPen(Qt::NoPen);
    }
    QPen pen(ToQColor(fPen.Color()));
    const int32_t width = std::max(fPen.Width(), 1);
    // Thin lines keep square corners and ends, so every pixel of an outline is
    // covered; wide ones are rounded.
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    const QTransform combined = fPainter->combinedTransform();
    const double scale = std::sqrt(std::abs(combined.determinant()));
    if (width * scale < 1.0) {
        pen.setWidth(0); // never thinner than one device pixel
    } else {
        pen.setWidthF(width);
    }
    const QList<qreal> dashes = DashPattern(fPen.Style());
    if (!dashes.isEmpty()) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(dashes);
    }
    return pen;
}

QBrush TCanvas::MakeBrush() const {
    const Qt::BrushStyle style = QtBrushStyle(fBrush.Style());
    if (style == Qt::NoBrush) {
        return QBrush(Qt::NoBrush);
    }
    return QBrush(ToQColor(fBrush.Color()), style);
}

bool TCanvas::HatchAsLines() const {
    if (fBrush.Style() == bsSolid || fBrush.Style() == bsClear) {
        return false;
    }
    const QPaintEngine* engine = fPainter->paintEngine();
    if (engine == nullptr) {
        return false;
    }
    // Metafiles could carry hatched brushes, but common readers fill them solid.
    if (IsEmfPaintEngine(engine)) {
        return true;
    }
    switch (engine->type()) {
    case QPaintEngine::Pdf:
    case QPaintEngine::SVG:
    case QPaintEngine::Picture:
    case QPaintEngine::Windows: // the Windows printer
    case QPaintEngine::MacPrinter:
        return true;
    default:
        return false;
    }
}

void TCanvas::FillHatchLines(const QPainterPath& area) {
    constexpr double kSpacing = 8.0; // the screen's hatch spacing at 1:1
    // Where the screen's patterns put their lines within each 8 x 8 cell, counted
    // from the device origin: horizontal ones on row 3, vertical ones on column 4,
    // diagonals through the cell corners.
    constexpr double kRow = 3.5;
    constexpr double kColumn = 4.5;
    const TBrushStyle style = fBrush.Style();
    const QRectF box = area.boundingRect();
    const QPointF origin = fPainter->worldTransform().inverted().map(QPointF(0, 0));
    auto lattice = [](double value, double start) {
        return start + std::floor((value - start) / kSpacing) * kSpacing;
    };
    const double x0 = lattice(box.left(), origin.x());
    const double y0 = lattice(box.top(), origin.y());
    QPainterPath lines;
    if (style == bsHorizontal || style == bsCross) {
        for (double y = y0; y <= box.bottom(); y += kSpacing) {
            lines.moveTo(box.left(), y + kRow);
            lines.lineTo(box.right(), y + kRow);
        }
    }
    if (style == bsVertical || style == bsCross) {
        for (double x = x0; x <= box.right(); x += kSpacing) {
            lines.moveTo(x + kColumn, box.top());
            lines.lineTo(x + kColumn, box.bottom());
        }
    }
    // Diagonals at 45 degrees through the same lattice, spanning the whole box.
    const double span = box.width() + box.height();
    if (style == bsFDiagonal || style == bsDiagCross) {
        for (double x = x0 - std::ceil(box.height() / kSpacing) * kSpacing; x <= box.right();
             x += kSpacing) {
            lines.moveTo(x, y0);
            lines.lineTo(x + span, y0 + span);
        }
    }
    if (style == bsBDiagonal || style == bsDiagCross) {
        for (double x = x0; x <= box.right() + box.height() + kSpacing; x += kSpacing) {
            lines.moveTo(x, y0);
            lines.lineTo(x - span, y0 + span);
        }
    }
    // The lines are cut to the shape geometrically: not every vector device clips.
    QPainterPathStroker stroker;
    stroker.setWidth(1.0);
    stroker.setCapStyle(Qt::FlatCap);
    const QPainterPath hatch = stroker.createStroke(lines).intersected(area);
    fPainter->save();
    fPainter->setRenderHint(QPainter::Antialiasing, true);
    fPainter->fillPath(hatch, ToQColor(fBrush.Color()));
    fPainter->restore();
}

void TCanvas::PrepareHatch(const QPainterPath& area) {
    if (HatchAsLines()) {
        FillHatchLines(area);
        SetPainterBrush(Qt::NoBrush);
    }
}

bool TCanvas::PrepareShape() {
    if (fPen.Mode() == pmNop) {
        return false;
    }
    const bool rasterOp = fPen.Mode() != pmCopy;
    const bool supported =
        fPainter->paintEngine() && fPainter->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    fPainter->setCompositionMode(rasterOp && supported
                                     ? CompositionOfRop2(Rop2OfPenMode(fPen.Mode()))
                                     : QPainter::CompositionMode_SourceOver);
    SetSmooth(fAntialiased && !rasterOp);
    fPainter->setPen(MakePen());
    SetPainterBrush(MakeBrush());
    return true;
}

double TCanvas::LineOffset() const {
    // Odd widths centred on a pixel's middle, even ones on a pixel edge: either way
    // the line covers whole pixels at 1:1.
    return std::max(fPen.Width(), 1) % 2 == 1 ? kHalfPixel : 0.0;
}

double TCanvas::OutlineInset() const {
    if (fPen.Style() == psClear) {
        return 0.0;
    }
    const int32_t width = std::max(fPen.Width(), 1);
    if (fPen.Style() == psInsideFrame) {
        return width / 2.0;
    }
    return width % 2 == 1 ? kHalfPixel : 1.0;
}

QRectF TCanvas::ShapeBox(const TRect& rect) const {
    const double inset = OutlineInset();
    QRectF box(QPointF(std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom)),
               QPointF(std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)));
    if (box.width() > 2 * inset && box.height() > 2 * inset) {
        box.adjust(inset, inset, -inset, -inset);
    }
    return box;
}

void TCanvas::MoveTo(int32_t x, int32_t y) {
    fPenPos = {x, y};
}

void TCanvas::LineTo(int32_t x, int32_t y) {
    if (PrepareShape()) {
        const double o = LineOffset();
        fPainter->drawLine(QPointF(fPenPos.X + o, fPenPos.Y + o), QPointF(x + o, y + o));
    }
    fPenPos = {x, y};
}

void TCanvas::LineSegments(const TPoints& ends) {
    if (ends.size() < 2) {
        return;
    }
    if (PrepareShape()) {
        const double o = LineOffset();
        std::vector<QLineF> lines;
        lines.reserve(ends.size() / 2);
        for (size_t i = 0; i + 1 < ends.size(); i += 2) {
            lines.emplace_back(ends[i].X + o, ends[i].Y + o, ends[i + 1].X + o, ends[i + 1].Y + o);
        }
        fPainter->drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    fPenPos = ends[ends.size() / 2 * 2 - 1];
}

void TCanvas::Rectangle(const TRect& rect) {
    if (PrepareShape()) {
        // Edges on the pixel grid need no smoothing, and smoothed thin outlines
        // leave their corners partly uncovered.
        SetSmooth(false);
        const QRectF box = ShapeBox(rect);
        QPainterPath area;
        area.addRect(box);
        PrepareHatch(area);
        fPainter->drawRect(box);
    }
}

void TCanvas::Ellipse(const TRect& rect) {
    if (PrepareShape()) {
        const QRectF box = ShapeBox(rect);
        QPainterPath area;
        area.addEllipse(box);
        PrepareHatch(area);
        fPainter->drawEllipse(box);
    }
}

void TCanvas::RoundRect(const TRect& rect, int32_t cornerWidth, int32_t cornerHeight) {
    if (PrepareShape()) {
        const QRectF box = ShapeBox(rect);
        const double rx = std::min(std::abs(cornerWidth) / 2.0, box.width() / 2);
        const double ry = std::min(std::abs(cornerHeight) / 2.0, box.height() / 2);
        QPainterPath area;
        area.addRoundedRect(box, rx, ry);
        PrepareHatch(area);
        fPainter->drawRoundedRect(box, rx, ry);
    }
}

void TCanvas::Polygon(const TPoints& points) {
    if (points.size() < 2 || !PrepareShape()) {
        return;
    }
    const double o = LineOffset();
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& p : points) {
        polygon.append(QPointF(p.X + o, p.Y + o));
    }
    const Qt::FillRule rule = fPolyFillMode == pfAlternate ? Qt::OddEvenFill : Qt::WindingFill;
    if (HatchAsLines()) {
        QPainterPath area;
        area.addPolygon(polygon);
        area.closeSubpath();
        area.setFillRule(rule);
        PrepareHatch(area);
    }
    fPainter->drawPolygon(polygon, rule);
}

void TCanvas::Polyline(const TPoints& points) {
    if (points.size() < 2 || !PrepareShape()) {
        return;
    }
    const double o = LineOffset();
    QPolygonF polyline;
    polyline.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& p : points) {
        polyline.append(QPointF(p.X + o, p.Y + o));
    }
    fPainter->drawPolyline(polyline);
}

// Fills use the brush alone: the pen's mode does not apply to them.
void TCanvas::PrepareFill() {
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetSmooth(fAntialiased);
}

// Vector devices start a new group of attributes at every state change, so only
// real changes reach the painter.
void TCanvas::SetSmooth(bool on) {
    if (fPainter->testRenderHint(QPainter::Antialiasing) != on) {
        fPainter->setRenderHint(QPainter::Antialiasing, on);
    }
}

void TCanvas::SetPainterBrush(const QBrush& brush) {
    if (fPainter->brush() != brush) {
        fPainter->setBrush(brush);
    }
}

void TCanvas::SetPainterFont(const QFont& font) {
    if (fPainter->font() != font) {
        fPainter->setFont(font);
    }
}

void TCanvas::FillRect(const TRect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    PrepareFill();
    SetSmooth(false);
    const QRectF box(rect.Left, rect.Top, rect.Width(), rect.Height());
    if (HatchAsLines()) {
        QPainterPath area;
        area.addRect(box);
        FillHatchLines(area);
        return;
    }
    fPainter->fillRect(box, MakeBrush());
}

void TCanvas::FillRegion(const TGraphRegion& region) {
    if (region.IsEmpty()) {
        return;
    }
    PrepareFill();
    if (HatchAsLines()) {
        FillHatchLines(region.Path());
        return;
    }
    fPainter->fillPath(region.Path(), MakeBrush());
}

void TCanvas::StretchDraw(const TRect& rect, const QImage& image) {
    if (image.isNull() || rect.IsEmpty()) {
        return;
    }
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    fPainter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    fPainter->drawImage(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()), image);
}

// ---- Text ----------------------------------------------------------------------------

const TFontMeasure& TCanvas::Measure() const {
    // Shared with other canvases and with layout code: objects drawn one after another
    // mostly use a handful of fonts.
    return TFontMeasure::Shared(fFont);
}

TSize TCanvas::TextExtent(const QString& text) const {
    return Measure().TextExtent(text);
}

bool TCanvas::HasGlyph(char32_t character) const {
    return Measure().HasGlyph(character);
}

void TCanvas::PaintTextCell(const QRectF& cell, const QString& text, bool rightToLeft) {
    if (fBkMode == TBkMode::Opaque && fBrush.Style() == bsSolid) {
        fPainter->fillRect(cell, ToQColor(fBrush.Color()));
    }
    if (!TextLegible(fFont.Height())) {
        fPainter->fillRect(cell, PrepareSmear());
        return;
    }
    fPainter->setPen(ToQColor(fFont.Color()));
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
    if (rightToLeft) {
        flags |= Qt::TextForceRightToLeft;
    }
    fPainter->drawText(cell, flags, text);
}

void TCanvas::TextOut(int32_t x, int32_t y, const QString& text) {
    const TFontMeasure& measure = Measure();
    const int32_t width = measure.Width(text);
    double dx = 0;
    if ((fTextAlign & TextAlign::Center) == TextAlign::Center) {
        dx = -width / 2;
    } else if (fTextAlign & TextAlign::Right) {
        dx = -width;
    }
    double top = 0;
    if ((fTextAlign & TextAlign::Baseline) == TextAlign::Baseline) {
        top = -measure.Ascent();
    } else if (fTextAlign & TextAlign::Bottom) {
        top = -measure.Height();
    }
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetSmooth(fAntialiased);
    SetPainterFont(measure.QtFont());
    const bool rightToLeft = (fTextAlign & TextAlign::RtlReading) != 0;
    if (fFont.Orientation() == 0) {
        PaintTextCell(QRectF(x + dx, y + top, width, measure.Height()), text, rightToLeft);
        return;
    }
    fPainter->save();
    fPainter->translate(x, y);
    fPainter->rotate(-fFont.Orientation() / 10.0);
    PaintTextCell(QRectF(dx, top, width, measure.Height()), text, rightToLeft);
    fPainter->restore();
}

int32_t TCanvas::DrawText(const QString& text, TRect& rect, unsigned flags) {
    QString copy = text;
    return DrawText(copy, rect, flags & ~DrawTextFlag::ModifyString);
}

int32_t TCanvas::DrawText(QString& text, TRect& rect, unsigned flags) {
    using namespace DrawTextFlag;
    const TFontMeasure& measure = Measure();
    if (flags & CalcRect) {
        return CalcTextRect(measure, text, rect, flags);
    }
    bool shortened = false;
    const std::vector<QString> lines =
        LayoutTextLines(measure, text, rect.Width(), flags, &shortened);
    if (shortened && (flags & ModifyString)) {
        text = JoinTextLines(lines);
    }
    const int32_t lineHeight = measure.Height();
    SetPainterFont(measure.QtFont());
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetSmooth(fAntialiased);
    DrawLines(lines, rect, flags, lineHeight);
    return static_cast<int32_t>(lineHeight * static_cast<int64_t>(lines.size()));
}

void TCanvas::DrawLines(const std::vector<QString>& lines, const TRect& rect, unsigned flags,
                        int32_t lineHeight) {
    using namespace DrawTextFlag;
    const TFontMeasure& measure = Measure();
    // The text's clip is its own: what is drawn afterwards is not cut by it.
    const bool clipped = !(flags & NoClip);
    if (clipped) {
        fPainter->save();
        fPainter->setClipRect(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()),
                              Qt::IntersectClip);
    }
    int32_t y = rect.Top;
    if (flags & SingleLine) {
        if (flags & VCenter) {
            y = rect.Top + (rect.Height() - lineHeight) / 2;
        } else if (flags & Bottom) {
            y = rect.Bottom - lineHeight;
        }
    }
    for (size_t i = 0; i < lines.size(); ++i, y += lineHeight) {
        if ((flags & EditControl) && i > 0 && y + lineHeight > rect.Bottom) {
            break; // a partly visible last line is left out
        }
        const int32_t w = measure.Width(lines[i]);
        int32_t x = rect.Left;
        if (flags & Center) {
            x = rect.Left + (rect.Width() - w) / 2;
        } else if (flags & Right) {
            x = rect.Right - w;
        }
        PaintTextCell(QRectF(x, y, w, lineHeight), lines[i], (flags & RtlReading) != 0);
    }
    if (clipped) {
        fPainter->restore();
    }
}

// ---- Pixels --------------------------------------------------------------------------

TColor TCanvas::Pixel(int32_t x, int32_t y) const {
    const auto* image = dynamic_cast<const QImage*>(fPainter->device());
    if (image == nullptr) {
        return clNone;
    }
    const QPointF p = fPainter->combinedTransform().map(QPointF(x + kHalfPixel, y + kHalfPixel));
    const int px = ClampToInt32(std::floor(p.x()));
    const int py = ClampToInt32(std::floor(p.y()));
    if (!image->valid(px, py)) {
        return clNone;
    }
    return FromQColor(QColor::fromRgb(image->pixel(px, py)).toRgb());
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
    fPainter->save();
    fPainter->setRenderHint(QPainter::Antialiasing, false);
    fPainter->setCompositionMode(QPainter::CompositionMode_Source);
    fPainter->fillRect(QRectF(x, y, 1, 1), ToQColor(color));
    fPainter->restore();
}

void TCanvas::SetPixels(const std::vector<TPoint>& points, TColor color) {
    if (points.empty()) {
        return;
    }
    const QTransform toDevice = fPainter->worldTransform();
    QPolygon devicePoints;
    devicePoints.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& p : points) {
        const QPointF d = toDevice.map(QPointF(p.X, p.Y));
        devicePoints.append(QPoint(DevicePixel(d.x()), DevicePixel(d.y())));
    }
    fPainter->save();
    fPainter->resetTransform();
    fPainter->setRenderHint(QPainter::Antialiasing, false);
    fPainter->setCompositionMode(QPainter::CompositionMode_Source);
    fPainter->setPen(QPen(ToQColor(color), 0));
    fPainter->drawPoints(devicePoints);
    fPainter->restore();
}

double TCanvas::DeviceScale() const {
    const QTransform t = fPainter->worldTransform();
    return std::hypot(t.m11(), t.m12());
}

bool TCanvas::TextLegible(int32_t fontHeight) const {
    return !fSimplified || std::abs(fontHeight) * DeviceScale() >= kLegiblePixels;
}

QColor TCanvas::PrepareSmear() {
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetSmooth(fAntialiased);
    QColor color = ToQColor(fFont.Color());
    color.setAlphaF(static_cast<float>(kTextInk));
    return color;
}

void TCanvas::SmearText(const TRect& area) {
    if (!area.IsEmpty()) {
        fPainter->fillRect(QRectF(area.Left, area.Top, area.Width(), area.Height()),
                           PrepareSmear());
    }
}

void TCanvas::SmearText(const TGraphRegion& area) {
    if (!area.IsEmpty()) {
        fPainter->fillPath(area.Path(), PrepareSmear());
    }
}

void TCanvas::SetPixelGrid(const std::vector<int32_t>& xs, const std::vector<int32_t>& ys,
                           TColor color) {
    if (xs.empty() || ys.empty()) {
        return;
    }
    const QTransform toDevice = fPainter->worldTransform();
    // A dot is one pixel of the screen, which may have several for each pixel of the view.
    const qreal ratio = fPainter->device()->devicePixelRatio();
    const int density = qRound(ratio);
    if (toDevice.m12() != 0 || toDevice.m21() != 0 || !toDevice.isAffine() || density != ratio) {
        std::vector<TPoint> points;
        points.reserve(xs.size() * ys.size());
        for (int32_t y : ys) {
            for (int32_t x : xs) {
                points.push_back({x, y});
            }
        }
        SetPixels(points, color);
        return;
    }
    // Without rotation a device column depends on x alone, a row on y alone. Pixels off
    // the device are left out.
    auto devicePixels = [](const std::vector<int32_t>& values, double scale, double offset,
                           int size) {
        std::vector<int> pixels;
        pixels.reserve(values.size());
        for (int32_t v : values) {
            const int pixel = DevicePixel(v * scale + offset);
            if (pixel >= 0 && pixel < size) {
                pixels.push_back(pixel);
            }
        }
        std::sort(pixels.begin(), pixels.end());
        pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
        return pixels;
    };
    const QPaintDevice& device = *fPainter->device();
    const std::vector<int> columns =
        devicePixels(xs, toDevice.m11(), toDevice.dx(), device.width());
    const std::vector<int> rows = devicePixels(ys, toDevice.m22(), toDevice.dy(), device.height());
    if (columns.empty() || rows.empty()) {
        return;
    }
    auto gapless = [](const std::vector<int>& pixels) {
        return pixels.back() - pixels.front() + 1 == static_cast<int>(pixels.size());
    };
    fPainter->save();
    fPainter->resetTransform();
    fPainter->setRenderHint(QPainter::Antialiasing, false);
    fPainter->setCompositionMode(QPainter::CompositionMode_Source);
    if (density == 1 && gapless(columns) && gapless(rows)) {
        fPainter->fillRect(
            QRect(QPoint(columns.front(), rows.front()), QPoint(columns.back(), rows.back())),
            ToQColor(color));
    } else {
        // Every row is the same run of pixels: one image of it, copied to each row,
        // costs far less than the points one by one.
        QImage row((columns.back() - columns.front()) * density + 1, 1,
                   QImage::Format_ARGB32_Premultiplied);
        row.setDevicePixelRatio(density);
        row.fill(Qt::transparent);
        const QRgb pixel = ToQColor(color).rgba();
        auto* line = reinterpret_cast<QRgb*>(row.scanLine(0));
        for (int column : columns) {
            line[(column - columns.front()) * density] = pixel;
        }
        fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (int y : rows) {
            fPainter->drawImage(QPoint(columns.front(), y), row);
        }
    }
    fPainter->restore();
}

// ---- Clipping ------------------------------------------------------------------------

void TCanvas::SetClipRect(const TRect& rect) {
    fPainter->setClipRect(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()),
                          Qt::ReplaceClip);
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    fPainter->setClipRect(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()),
                          fPainter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::ExcludeClipRect(const TRect& rect) {
    QPainterPath area;
    if (fPainter->hasClipping()) {
        area = fPainter->clipPath();
    } else {
        const TRect all = ClipRect();
        area.addRect(QRectF(all.Left, all.Top, all.Width(), all.Height()));
    }
    QPainterPath hole;
    hole.addRect(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()));
    fPainter->setClipPath(area.subtracted(hole), Qt::ReplaceClip);
}

void TCanvas::SelectClipRegion(const TGraphRegion& region, TClipOperation operation) {
    const bool intersect = operation == TClipOperation::Intersect && fPainter->hasClipping();
    fPainter->setClipPath(region.Path(), intersect ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::RemoveClip() {
    fPainter->setClipping(false);
}

bool TCanvas::HasClip() const {
    return fPainter->hasClipping();
}

TRect TCanvas::ClipRect() const {
    QRectF area;
    if (fPainter->hasClipping()) {
        area = fPainter->clipBoundingRect();
    } else {
        const QPaintDevice* device = fPainter->device();
        const QRectF deviceRect(0, 0, device ? device->width() : 0, device ? device->height() : 0);
        area = fPainter->combinedTransform().inverted().mapRect(deviceRect);
    }
    return {ClampToInt32(std::floor(area.left() + 1e-6)),
            ClampToInt32(std::floor(area.top() + 1e-6)),
            ClampToInt32(std::ceil(area.right() - 1e-6)),
            ClampToInt32(std::ceil(area.bottom() - 1e-6))};
}

// ---- Bitmap canvas -------------------------------------------------------------------

TBitmapCanvas::TBitmapCanvas(int32_t width, int32_t height)
    : fImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    fImage.fill(Qt::white);
    fPainter.begin(&fImage);
    fCanvas = std::make_unique<TCanvas>(&fPainter);
}

TBitmapCanvas::~TBitmapCanvas() {
    fCanvas.reset();
    fPainter.end();
}

} // namespace zov
