#include "platform/pictures/EmfWriter.h"

#include "platform/graphics/RasterModes.h"
#include "platform/pictures/EmfRecordWriter.h"
#include "platform/pictures/Metafile.h"
#include "platform/types/Arithmetic.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace zov {
namespace {

const auto kEmfEngineType = static_cast<QPaintEngine::Type>(QPaintEngine::User + 1);

// How much the transform enlarges lengths, for pen widths and font sizes.
double LengthScale(const QTransform& transform) {
    return std::sqrt(std::abs(transform.determinant()));
}

bool FitsInt16(const std::vector<QPoint>& points) {
    constexpr int lo = std::numeric_limits<int16_t>::min();
    constexpr int hi = std::numeric_limits<int16_t>::max();
    return std::all_of(points.begin(), points.end(), [](const QPoint& p) {
        return p.x() >= lo && p.x() <= hi && p.y() >= lo && p.y() <= hi;
    });
}

// Bounds in device pixels, both edges inclusive, of points given in units.
QRect DeviceBounds(const std::vector<QPoint>& points) {
    if (points.empty()) {
        return {0, 0, 0, 0};
    }
    int64_t left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPoint& p : points) {
        left = std::min<int64_t>(left, p.x());
        right = std::max<int64_t>(right, p.x());
        top = std::min<int64_t>(top, p.y());
        bottom = std::max<int64_t>(bottom, p.y());
    }
    const auto pixel = [](int64_t units) {
        return static_cast<int>(units >= 0
                                    ? units / kEmfUnitsPerPixel
                                    : -((-units + kEmfUnitsPerPixel - 1) / kEmfUnitsPerPixel));
    };
    return QRect(QPoint(pixel(left), pixel(top)), QPoint(pixel(right), pixel(bottom)));
}

// True when the path covers just one axis-aligned rectangle, which is then set.
bool IsRectangle(const QPainterPath& path, QRectF& rect) {
    const QList<QPolygonF> polygons = path.toFillPolygons();
    if (polygons.isEmpty()) {
        rect = QRectF();
        return true;
    }
    if (polygons.size() != 1 || polygons[0].size() > 5) {
        return false;
    }
    rect = polygons[0].boundingRect();
    return std::all_of(polygons[0].begin(), polygons[0].end(), [&rect](const QPointF& p) {
        return (p.x() == rect.left() || p.x() == rect.right()) &&
               (p.y() == rect.top() || p.y() == rect.bottom());
    });
}

} // namespace

// Turns QPainter's calls into records. Pens, brushes and fonts become objects only
// when they change. The painter's transform is applied here, so the file's world
// transform stays a fixed scale and every reader places things alike.
class TEmfPaintEngine : public QPaintEngine {
public:
    TEmfPaintEngine(int width, int height);

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return kEmfEngineType; }
    void updateState(const QPaintEngineState& state) override;

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawTextItem(const QPointF& origin, const QTextItem& item) override;
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override;

    QByteArray File() const { return fRecords.File(fWidth, fHeight, fObjects.HandleCount()); }

private:
    struct TSelection {
        uint32_t handle = 0; // 0 for a stock object
        QByteArray body;     // the create record's bytes after the handle
    };

    bool HasPen() const;
    bool HasBrush() const;
    // Syncs clip and raster mode and selects the pen and brush the shape uses, or the
    // null stock objects; false when the shape would draw nothing.
    bool Prepare(bool stroke, bool fill);
    void SyncClip();
    void SetPolyFillMode(Qt::FillRule rule);
    void Select(TSelection& current, uint32_t createType, const QByteArray& body);
    void SelectStock(TSelection& current, uint32_t stockObject);
    // The world transform: units to pixels, then the given transform.
    void WriteWorldTransform(const QTransform& transform);
    bool IsDecoration(const QLineF& line);
    void WritePoly(uint32_t type32, uint32_t type16, const std::vector<QPoint>& points);
    void WriteFigures(const QPainterPath& path, const QTransform& transform);
    std::vector<QPoint> ToUnits(const QPointF* points, int count) const;
    // An axis-aligned box in units, when the transform keeps boxes axis-aligned.
    std::optional<QRect> UnitBox(const QRectF& rect) const;

    int fWidth;
    int fHeight;
    TEmfRecordWriter fRecords;
    TEmfObjectTable fObjects;
    TSelection fPenSelection;
    TSelection fBrushSelection;
    TSelection fFontSelection;
    QTransform fTransform;
    QPen fPen;
    QBrush fBrush;
    uint32_t fRop = Gdi::R2CopyPen;
    uint32_t fWrittenRop = Gdi::R2CopyPen;
    uint32_t fFillMode = Gdi::Alternate;
    uint32_t fTextColor = 0;
    struct {
        int lines = 0;
        QColor color;
        double left = 0;
        double width = 0;
    } fDecorations;
    QPainterPath fClip;       // in device pixels
    bool fHasClip = false;    // a clip was set and not removed
    bool fClipEnabled = true; // the painter's switch, on even while nothing is clipped
    std::optional<QPainterPath> fWrittenClip;
};

TEmfPaintEngine::TEmfPaintEngine(int width, int height)
    : QPaintEngine(AllFeatures), fWidth(width), fHeight(height) {
    WriteWorldTransform(QTransform());
    fRecords.Add(Emr::SetBkMode, {Gdi::Transparent});
    fRecords.Add(Emr::SetTextAlign, {Gdi::TaBaseline});
}

void TEmfPaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform) {
        fTransform = state.transform();
    }
    if (flags & DirtyPen) {
        fPen = state.pen();
    }
    if (flags & DirtyBrush) {
        fBrush = state.brush();
    }
    if (flags & DirtyCompositionMode) {
        fRop = Rop2OfComposition(state.compositionMode());
    }
    if (flags & (DirtyClipPath | DirtyClipRegion)) {
        QPainterPath area;
        if (flags & DirtyClipPath) {
            area = fTransform.map(state.clipPath());
        } else {
            area.addRegion(state.clipRegion());
            area = fTransform.map(area);
        }
        switch (state.clipOperation()) {
        case Qt::NoClip:
            fHasClip = false;
            break;
        case Qt::ReplaceClip:
            fClip = area;
            fHasClip = true;
            break;
        case Qt::IntersectClip:
            fClip = fHasClip ? fClip.intersected(area) : area;
            fHasClip = true;
            break;
        }
    }
    if (flags & DirtyClipEnabled) {
        fClipEnabled = state.isClipEnabled();
    }
}

bool TEmfPaintEngine::HasPen() const {
    return fPen.style() != Qt::NoPen && fPen.brush().style() != Qt::NoBrush &&
           fPen.color().alpha() > 0;
}

bool TEmfPaintEngine::HasBrush() const {
    return fBrush.style() != Qt::NoBrush && EmfBrushColor(fBrush).alpha() > 0;
}

// Readers differ in how they take region data, but all of them reset the clip on an
// empty region and intersect it with a rectangle or a path.
void TEmfPaintEngine::SyncClip() {
    const std::optional<QPainterPath> wanted =
        fHasClip && fClipEnabled ? std::optional<QPainterPath>(fClip) : std::nullopt;
    if (wanted == fWrittenClip) {
        return;
    }
    fRecords.Add(Emr::ExtSelectClipRgn, {0, Gdi::RgnCopy});
    fWrittenClip = wanted;
    if (!wanted) {
        return;
    }
    QRectF rect;
    if (IsRectangle(*wanted, rect)) {
        const QPoint topLeft = ToEmfUnits(rect.topLeft());
        const QPoint bottomRight = ToEmfUnits(rect.bottomRight());
        fRecords.Add(Emr::IntersectClipRect,
                     {topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y()});
        return;
    }
    SetPolyFillMode(wanted->fillRule());
    fRecords.Add(Emr::BeginPath, {});
    WriteFigures(*wanted, QTransform());
    fRecords.Add(Emr::EndPath, {});
    fRecords.Add(Emr::SelectClipPath, {Gdi::RgnAnd});
}

bool TEmfPaintEngine::Prepare(bool stroke, bool fill) {
    stroke = stroke && HasPen();
    fill = fill && HasBrush();
    if (!stroke && !fill) {
        return false;
    }
    SyncClip();
    if (fRop != fWrittenRop) {
        fRecords.Add(Emr::SetRop2, {static_cast<int32_t>(fRop)});
        fWrittenRop = fRop;
    }
    if (stroke) {
        Select(fPenSelection, Emr::ExtCreatePen, EmfPenBody(fPen, LengthScale(fTransform)));
    } else {
        SelectStock(fPenSelection, Gdi::NullPen);
    }
    if (fill) {
        Select(fBrushSelection, Emr::CreateBrushIndirect, EmfBrushBody(fBrush));
    } else {
        SelectStock(fBrushSelection, Gdi::NullBrush);
    }
    return true;
}

void TEmfPaintEngine::SetPolyFillMode(Qt::FillRule rule) {
    const uint32_t mode = rule == Qt::WindingFill ? Gdi::Winding : Gdi::Alternate;
    if (mode != fFillMode) {
        fRecords.Add(Emr::SetPolyFillMode, {static_cast<int32_t>(mode)});
        fFillMode = mode;
    }
}

void TEmfPaintEngine::Select(TSelection& current, uint32_t createType, const QByteArray& body) {
    if (current.handle != 0 && current.body == body) {
        return;
    }
    const uint32_t handle = fObjects.Acquire();
    fRecords.Begin(createType);
    fRecords.U32(handle);
    fRecords.Append(body);
    fRecords.End();
    fRecords.Add(Emr::SelectObject, {static_cast<int32_t>(handle)});
    // An object may only go once another one has taken its place.
    if (current.handle != 0) {
        fRecords.Add(Emr::DeleteObject, {static_cast<int32_t>(current.handle)});
        fObjects.Release(current.handle);
    }
    current = {handle, body};
}

void TEmfPaintEngine::SelectStock(TSelection& current, uint32_t stockObject) {
    const QByteArray key = QByteArray::number(stockObject);
    if (current.handle == 0 && current.body == key) {
        return;
    }
    fRecords.Add(Emr::SelectObject, {static_cast<int32_t>(Gdi::StockObject | stockObject)});
    if (current.handle != 0) {
        fRecords.Add(Emr::DeleteObject, {static_cast<int32_t>(current.handle)});
        fObjects.Release(current.handle);
    }
    current = {0, key};
}

void TEmfPaintEngine::WriteWorldTransform(const QTransform& transform) {
    const QTransform t =
        QTransform::fromScale(1.0 / kEmfUnitsPerPixel, 1.0 / kEmfUnitsPerPixel) * transform;
    fRecords.Begin(Emr::SetWorldTransform);
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
        fRecords.F32(v);
    }
    fRecords.End();
}

std::vector<QPoint> TEmfPaintEngine::ToUnits(const QPointF* points, int count) const {
    std::vector<QPoint> units;
    units.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        units.push_back(ToEmfUnits(fTransform.map(points[i])));
    }
    return units;
}

std::optional<QRect> TEmfPaintEngine::UnitBox(const QRectF& rect) const {
    if (fTransform.type() > QTransform::TxScale) {
        return std::nullopt;
    }
    const QRectF device = fTransform.mapRect(rect.normalized());
    return QRect(ToEmfUnits(device.topLeft()), ToEmfUnits(device.bottomRight()));
}

void TEmfPaintEngine::WritePoly(uint32_t type32, uint32_t type16,
                                const std::vector<QPoint>& points) {
    const bool small = FitsInt16(points);
    fRecords.Begin(small ? type16 : type32);
    fRecords.Rect(DeviceBounds(points));
    fRecords.U32(static_cast<uint32_t>(points.size()));
    for (const QPoint& p : points) {
        if (small) {
            fRecords.I16(p.x());
            fRecords.I16(p.y());
        } else {
            fRecords.I32(p.x());
            fRecords.I32(p.y());
        }
    }
    fRecords.End();
}

void TEmfPaintEngine::WriteFigures(const QPainterPath& path, const QTransform& transform) {
    enum class TRun { None, Lines, Curves };
    TRun run = TRun::None;
    std::vector<QPoint> points;
    QPoint start;
    QPoint last;
    bool drawn = false;
    const auto flush = [&] {
        if (run == TRun::Lines) {
            WritePoly(Emr::PolylineTo, Emr::PolylineTo16, points);
        } else if (run == TRun::Curves) {
            WritePoly(Emr::PolyBezierTo, Emr::PolyBezierTo16, points);
        }
        points.clear();
        run = TRun::None;
    };
    // Figures that end where they started are closed, so their corner joins too.
    const auto endFigure = [&] {
        flush();
        if (drawn && last == start) {
            fRecords.Add(Emr::CloseFigure, {});
        }
        drawn = false;
    };
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        const QPoint p = ToEmfUnits(transform.map(QPointF(e.x, e.y)));
        if (e.isMoveTo()) {
            endFigure();
            fRecords.Add(Emr::MoveToEx, {p.x(), p.y()});
            start = last = p;
        } else if (e.isLineTo()) {
            if (run != TRun::Lines) {
                flush();
                run = TRun::Lines;
            }
            points.push_back(p);
            last = p;
            drawn = true;
        } else if (e.isCurveTo() && i + 2 < count) {
            if (run != TRun::Curves) {
                flush();
                run = TRun::Curves;
            }
            points.push_back(p);
            for (int k = 1; k <= 2; ++k) {
                const QPainterPath::Element& c = path.elementAt(i + k);
                points.push_back(ToEmfUnits(transform.map(QPointF(c.x, c.y))));
            }
            last = points.back();
            drawn = true;
            i += 2;
        }
    }
    endFigure();
}

void TEmfPaintEngine::drawPath(const QPainterPath& path) {
    const bool stroke = HasPen();
    const bool fill = HasBrush();
    if (path.isEmpty() || !Prepare(true, true)) {
        return;
    }
    SetPolyFillMode(path.fillRule());
    fRecords.Add(Emr::BeginPath, {});
    WriteFigures(path, fTransform);
    fRecords.Add(Emr::EndPath, {});
    const QRectF bounds = fTransform.mapRect(path.controlPointRect());
    const uint32_t type = stroke && fill ? Emr::StrokeAndFillPath
                          : fill         ? Emr::FillPath
                                         : Emr::StrokePath;
    fRecords.Begin(type);
    fRecords.Rect(bounds.toAlignedRect().adjusted(0, 0, -1, -1));
    fRecords.End();
}

void TEmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (count < 2) {
        return;
    }
    const bool polyline = mode == PolylineMode;
    if (!Prepare(true, !polyline)) {
        return;
    }
    if (mode == OddEvenMode || mode == WindingMode) {
        SetPolyFillMode(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }
    const std::vector<QPoint> units = ToUnits(points, count);
    if (polyline) {
        WritePoly(Emr::Polyline, Emr::Polyline16, units);
    } else {
        WritePoly(Emr::Polygon, Emr::Polygon16, units);
    }
}

void TEmfPaintEngine::drawRects(const QRectF* rects, int count) {
    for (int i = 0; i < count; ++i) {
        const std::optional<QRect> box = UnitBox(rects[i]);
        if (!box) {
            const QPolygonF corners(rects[i]);
            drawPolygon(corners.constData(), 4, ConvexMode);
        } else if (Prepare(true, true)) {
            fRecords.Add(Emr::Rectangle, {box->left(), box->top(), box->right(), box->bottom()});
        }
    }
}

void TEmfPaintEngine::drawEllipse(const QRectF& rect) {
    const std::optional<QRect> box = UnitBox(rect);
    if (!box) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
    } else if (Prepare(true, true)) {
        fRecords.Add(Emr::Ellipse, {box->left(), box->top(), box->right(), box->bottom()});
    }
}

void TEmfPaintEngine::drawLines(const QLineF* lines, int count) {
    for (int i = 0; i < count; ++i) {
        if (IsDecoration(lines[i])) {
            continue;
        }
        const QPointF ends[] = {lines[i].p1(), lines[i].p2()};
        drawPolygon(ends, 2, PolylineMode);
    }
}

// QPainter draws underline, overline and strike-out itself, as lines right after the
// text: the font in the file carries them already.
bool TEmfPaintEngine::IsDecoration(const QLineF& line) {
    if (fDecorations.lines == 0 || line.dy() != 0 || fPen.color() != fDecorations.color ||
        std::abs(std::min(line.x1(), line.x2()) - fDecorations.left) > 0.01 ||
        std::abs(std::abs(line.dx()) - fDecorations.width) > 0.01) {
        return false;
    }
    --fDecorations.lines;
    return true;
}

void TEmfPaintEngine::drawTextItem(const QPointF& origin, const QTextItem& item) {
    const QTextItem::RenderFlags flags = item.renderFlags();
    fDecorations = {(flags & QTextItem::Underline ? 1 : 0) + (flags & QTextItem::Overline ? 1 : 0) +
                        (flags & QTextItem::StrikeOut ? 1 : 0),
                    fPen.color(), origin.x(), item.width()};
    const QString text = item.text();
    if (text.isEmpty() || !HasPen()) {
        return;
    }
    SyncClip();
    const QFont font = item.font();
    const double scale = LengthScale(fTransform);
    const double emPixels = TVectorPaintDevice::EmPixels(font);
    Select(fFontSelection, Emr::ExtCreateFontIndirectW, EmfFontBody(font, emPixels * scale));
    const uint32_t color = EmfColorRef(fPen.color());
    if (color != fTextColor) {
        fRecords.Add(Emr::SetTextColor, {static_cast<int32_t>(color)});
        fTextColor = color;
    }
    // Advances per UTF-16 unit; the second half of a surrogate pair advances nothing.
    const QFontMetricsF metrics(font);
    std::vector<int32_t> advances(static_cast<size_t>(text.size()), 0);
    double position = 0;
    int32_t placed = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        position += metrics.horizontalAdvance(text.mid(i, n));
        const int32_t end = ToEmfUnits(position * scale);
        advances[static_cast<size_t>(i)] = end - placed;
        placed = end;
        i += n;
    }
    // Screens put baselines on whole pixels, and one a sixteenth off may round to the
    // next pixel when read; along the baseline, glyphs keep their fractional places.
    QPointF baseline = fTransform.map(origin);
    const bool upright = fTransform.m12() == 0 && fTransform.m21() == 0 && fTransform.m11() > 0;
    if (upright) {
        baseline.setY(std::floor(baseline.y() + 0.5));
    } else if (fTransform.m11() == 0 && fTransform.m22() == 0) {
        baseline.setX(std::floor(baseline.x() + 0.5));
    }
    // Turned text is written upright at the origin of a turned world: readers turn
    // text with the world more alike than they turn a font's escapement.
    QPoint reference = ToEmfUnits(baseline);
    if (!upright) {
        const double angle = qRadiansToDegrees(std::atan2(fTransform.m12(), fTransform.m11()));
        WriteWorldTransform(QTransform().rotate(angle) *
                            QTransform::fromTranslate(baseline.x(), baseline.y()));
        reference = QPoint(0, 0);
    }
    const QRectF box(origin.x(), origin.y() - metrics.ascent(), item.width(), metrics.height());
    const auto chars = static_cast<uint32_t>(text.size());
    constexpr uint32_t stringOffset = 76;
    const uint32_t dxOffset = stringOffset + (chars * 2 + 3) / 4 * 4;
    fRecords.Begin(Emr::ExtTextOutW);
    fRecords.Rect(fTransform.mapRect(box).toAlignedRect().adjusted(0, 0, -1, -1));
    fRecords.U32(2); // advanced graphics mode: the world transform applies to text
    fRecords.U32(0); // no scale factors
    fRecords.U32(0);
    fRecords.I32(reference.x());
    fRecords.I32(reference.y());
    fRecords.U32(chars);
    fRecords.U32(stringOffset);
    fRecords.U32(item.renderFlags() & QTextItem::RightToLeft ? Gdi::EtoRtlReading : 0);
    fRecords.Rect(QRect(QPoint(0, 0), QPoint(-1, -1)));
    fRecords.U32(dxOffset);
    for (QChar c : text) {
        fRecords.I16(c.unicode());
    }
    fRecords.Pad();
    for (int32_t a : advances) {
        fRecords.I32(a);
    }
    fRecords.End();
    if (!upright) {
        WriteWorldTransform(QTransform());
    }
}

void TEmfPaintEngine::drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                                Qt::ImageConversionFlags) {
    const QRect part = source.toAlignedRect().intersected(image.rect());
    if (image.isNull() || part.isEmpty() || rect.isEmpty()) {
        return;
    }
    SyncClip();
    // Readers ignore alpha in plain bitmaps: transparent parts are laid on white.
    QImage bitmap(part.size(), QImage::Format_BGR888);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        painter.drawImage(QPoint(0, 0), image, part);
    }
    const int width = bitmap.width();
    const int height = bitmap.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    const QRectF device = fTransform.mapRect(rect);
    const QPoint topLeft = ToEmfUnits(device.topLeft());
    const QPoint bottomRight = ToEmfUnits(device.bottomRight());
    constexpr uint32_t infoOffset = 80;
    constexpr uint32_t infoSize = 40;
    fRecords.Begin(Emr::StretchDIBits);
    fRecords.Rect(device.toAlignedRect().adjusted(0, 0, -1, -1));
    for (int32_t v : {topLeft.x(), topLeft.y(), 0, 0, width, height}) {
        fRecords.I32(v);
    }
    fRecords.U32(infoOffset);
    fRecords.U32(infoSize);
    fRecords.U32(infoOffset + infoSize);
    fRecords.U32(static_cast<uint32_t>(stride * height));
    fRecords.U32(0); // colours are RGB values
    fRecords.U32(Gdi::SrcCopy);
    fRecords.I32(bottomRight.x() - topLeft.x());
    fRecords.I32(bottomRight.y() - topLeft.y());
    constexpr int32_t pixelsPerMetre = 3780; // 96 dpi
    for (int32_t v : {40, width, height}) {
        fRecords.I32(v);
    }
    fRecords.I16(1);  // planes
    fRecords.I16(24); // bits per pixel
    for (int32_t v : {0, stride * height, pixelsPerMetre, pixelsPerMetre, 0, 0}) {
        fRecords.I32(v);
    }
    // Rows bottom-up, each padded to four bytes.
    QByteArray bits(static_cast<qsizetype>(stride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        std::memcpy(bits.data() + static_cast<qsizetype>(height - 1 - y) * stride,
                    bitmap.constScanLine(y), static_cast<size_t>(width) * 3);
    }
    fRecords.Append(bits);
    fRecords.End();
}

void TEmfPaintEngine::drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) {
    drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
}

TEmfDevice::TEmfDevice(int width, int height)
    : TVectorPaintDevice(QSize(width, height)),
      fEngine(std::make_unique<TEmfPaintEngine>(Size().width(), Size().height())) {}

TEmfDevice::~TEmfDevice() = default;

QPaintEngine* TEmfDevice::paintEngine() const {
    return fEngine.get();
}

QByteArray TEmfDevice::Bytes() const {
    return fEngine->File();
}

bool IsEmfPaintEngine(const QPaintEngine* engine) {
    return engine != nullptr && engine->type() == kEmfEngineType;
}

} // namespace zov
