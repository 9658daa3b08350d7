#include "GraphSketch.h"

#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/DashPatterns.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zov {

namespace {

// A box whose larger side is below this many pixels is drawn as the pixels it covers;
// other shapes are, below the smaller size, where their outlines are a blur.
constexpr double kTinyBoxPixels = 10.0;
constexpr double kTinyShapePixels = 4.0;
// A link whose pen is below this many pixels wide draws as a one-pixel line, and one
// whose end decorations stay below this size shows them as specks.
constexpr double kHairlinePixels = 1.5;
constexpr double kSpeckPixels = 3.0;
// Device coordinates are kept to this range: far beyond any screen, well inside int.
constexpr double kFarPixel = 1 << 24;

// The pixel a device coordinate falls into; without std::floor, which is a library
// call on the baseline instruction set and is called several times for every object.
int Pixel(double device) {
    const double clamped = std::clamp(device, -kFarPixel, kFarPixel);
    const int truncated = static_cast<int>(clamped);
    return truncated > clamped ? truncated - 1 : truncated;
}

double Distance(const QPointF& a, const QPointF& b) {
    const QPointF step = b - a;
    return std::sqrt(step.x() * step.x() + step.y() * step.y());
}

// The colour at the share of the pixels its pattern covers.
QRgb Tinted(TColor color, double ink) {
    if (color == clNone) {
        return qRgba(0, 0, 0, 0);
    }
    const uint32_t rgb = ColorToRGB(color);
    return qRgba(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                 static_cast<int>((rgb >> 16) & 0xFF), Pixel(ink * 255 + 0.5));
}

// The share of the pixels Qt's pattern of a brush style covers.
double BrushInk(TBrushStyle style) {
    switch (style) {
    case bsSolid:
        return 1;
    case bsClear:
        return 0;
    case bsHorizontal:
    case bsVertical:
    case bsFDiagonal:
    case bsBDiagonal:
        return 1.0 / 8;
    case bsCross:
        return 15.0 / 64;
    case bsDiagCross:
        return 1.0 / 4;
    }
    return 1;
}

// The share of the square around an end decoration that its shape covers.
double EndShapeInk(TLinkBeginEndStyle style) {
    switch (style) {
    case lsCircle:
        return std::numbers::pi / 4;
    case lsArrow:
    case lsArrowSimple:
    case lsDiamond:
        return 0.5;
    case lsNone:
        break;
    }
    return 0;
}

// The batch of this colour, added if there is none yet.
template <class Batch> Batch& OfColor(std::vector<Batch>& batches, QRgb color) {
    const auto it = std::find_if(batches.begin(), batches.end(),
                                 [color](const Batch& batch) { return batch.Color == color; });
    return it != batches.end() ? *it : batches.emplace_back(Batch{color, {}});
}

// The extent in graph units of the speck an end decoration makes.
int32_t SpeckLength(const TGraphLink& link, TLinkBeginEndStyle style, uint8_t size) {
    const int32_t length = link.EndMarkLength(style, size);
    // Circles and diamonds reach the length to either side of the end.
    return style == lsCircle || style == lsDiamond ? 2 * length : length;
}

} // namespace

TGraphSketch::TCrossing TGraphSketch::Crossing(double middle, double width) {
    // The edges in half pixels, rounded; an odd count of halves ends mid-pixel.
    const int from = Pixel((middle - width / 2) * 2 + 0.5);
    const int to = Pixel((middle + width / 2) * 2 + 0.5);
    const bool halfFirst = (from & 1) != 0;
    const bool halfLast = (to & 1) != 0;
    return {from >> 1, (to >> 1) - (halfLast ? 0 : 1), halfFirst, halfLast};
}

uint8_t TGraphSketch::TBlend::Share(double area, double ink, double all) {
    return static_cast<uint8_t>(std::lround(std::clamp(area * ink / all, 0.0, 1.0) * kWhole));
}

QRgb TGraphSketch::TBlend::Color() const {
    const int shares = PenShare + BrushShare + TextShare;
    if (shares == 0) {
        return qRgba(0, 0, 0, 0);
    }
    int channels[3] = {};
    const auto add = [&channels](TColor color, int share) {
        uint32_t rgb = share > 0 ? ColorToRGB(color) : 0;
        for (int& channel : channels) {
            channel += static_cast<int>(rgb & 0xFF) * share;
            rgb >>= 8;
        }
    };
    add(Pen, PenShare);
    add(Brush, BrushShare);
    add(Text, TextShare);
    return qRgba(channels[0] / shares, channels[1] / shares, channels[2] / shares,
                 std::min(shares, int{kWhole}) * 255 / kWhole);
}

void TGraphSketch::Begin(TCanvas& canvas) {
    fCanvas = &canvas;
    // Device pixels are the screen's own, so a high-density screen gets a sketch as fine
    // as its pixels.
    fToDevice = canvas.Painter()->deviceTransform();
    fScale = std::hypot(fToDevice.m11(), fToDevice.m12());
    fTextScale = canvas.DeviceScale();
    fAxisAligned = fToDevice.m12() == 0 && fToDevice.m21() == 0 && fToDevice.isAffine();
    // Colours the last painting did not use are let go, so that the search among a
    // layer's patches stays short.
    for (std::vector<TPatch>& patches : fPatches) {
        std::erase_if(patches, [](const TPatch& patch) { return !patch.Used; });
        for (TPatch& patch : patches) {
            patch.Rects.clear();
            patch.Used = false;
        }
    }
    fRecent = {};
    fStrokes.clear();
    fEmpty = true;
}

void TGraphSketch::End() {
    Flush();
    fCanvas = nullptr;
}

QPointF TGraphSketch::ToDevice(const TPoint& pt) const {
    if (fAxisAligned) {
        return {pt.X * fToDevice.m11() + fToDevice.dx(), pt.Y * fToDevice.m22() + fToDevice.dy()};
    }
    return fToDevice.map(QPointF(pt.X, pt.Y));
}

QRectF TGraphSketch::ToDevice(const TRect& rect) const {
    if (fAxisAligned) {
        const QPointF a = ToDevice(rect.TopLeft());
        const QPointF b = ToDevice(rect.BottomRight());
        return QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                      QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    }
    return fToDevice.mapRect(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

std::vector<QRect>& TGraphSketch::Rects(TLayer layer, QRgb color) {
    fEmpty = false;
    std::vector<TPatch>& patches = fPatches[layer];
    size_t& recent = fRecent[layer];
    if (recent >= patches.size() || patches[recent].Color != color) {
        recent = static_cast<size_t>(&OfColor(patches, color) - patches.data());
    }
    patches[recent].Used = true;
    return patches[recent].Rects;
}

void TGraphSketch::Prefetch(std::span<TGraphObject* const> objects, size_t i) {
    // First the objects themselves, then, once they have arrived, what they point to.
    constexpr size_t kObjectsAhead = 8;
    constexpr size_t kPartsAhead = 4;
    constexpr size_t kLine = 64;
    constexpr size_t kObjectLines = 8;
    if (i + kObjectsAhead < objects.size()) {
        const auto* bytes = reinterpret_cast<const char*>(objects[i + kObjectsAhead]);
        for (size_t line = 0; line < kObjectLines; ++line) {
            __builtin_prefetch(bytes + line * kLine);
        }
    }
    if (i + kPartsAhead < objects.size()) {
        const TGraphObject& object = *objects[i + kPartsAhead];
        __builtin_prefetch(&object.Pen());
        __builtin_prefetch(&object.Brush());
        __builtin_prefetch(&object.Font());
        if (object.IsLink()) {
            __builtin_prefetch(static_cast<const TGraphLink&>(object).Polyline().data());
        } else {
            __builtin_prefetch(&static_cast<const TGraphNode&>(object).Background());
        }
    }
}

bool TGraphSketch::Take(const TGraphObject& object) {
    if (!object.Showing()) {
        return true;
    }
    if (object.Pen().Mode() != pmCopy) {
        return false; // raster modes depend on what is below
    }
    return object.IsLink() ? TakeLink(static_cast<const TGraphLink&>(object))
                           : TakeNode(static_cast<const TGraphNode&>(object));
}

void TGraphSketch::TakeCrossing(TLayer layer, const TCrossing& crossing, Qt::Orientation along,
                                int from, int to, const TInk& ink) {
    if (from > to) {
        return;
    }
    const auto run = [&](int first, int last, QRgb color) {
        if (first <= last) {
            Rects(layer, color)
                .push_back(along == Qt::Horizontal ? QRect(QPoint(from, first), QPoint(to, last))
                                                   : QRect(QPoint(first, from), QPoint(last, to)));
        }
    };
    const int full = crossing.First + (crossing.HalfFirst ? 1 : 0);
    const int fullLast = crossing.Last - (crossing.HalfLast ? 1 : 0);
    if (full > fullLast && crossing.HalfFirst && crossing.HalfLast) {
        run(crossing.First, crossing.Last, ink.Half);
        return;
    }
    if (crossing.HalfFirst) {
        run(crossing.First, crossing.First, ink.Half);
    }
    run(full, fullLast, ink.Full);
    if (crossing.HalfLast) {
        run(crossing.Last, crossing.Last, ink.Half);
    }
}

bool TGraphSketch::TakeNode(const TGraphNode& node) {
    const QRectF device = ToDevice(node.BoundsRect());
    const TNodeLook look = node.Look();
    const double size = std::max(device.width(), device.height());
    if (look == nlPicture || size >= (look == nlBox ? kTinyBoxPixels : kTinyShapePixels)) {
        return false;
    }
    const bool captioned = node.Options().Contains(goShowCaption) && !node.TextToShow().isEmpty();
    if (captioned && std::abs(node.Font().Height()) * fTextScale >= TCanvas::kLegiblePixels) {
        return false;
    }
    const TPen& pen = node.Pen();
    // The pen is centred on the outline and never thinner than a pixel.
    const double width = std::max(pen.Width() * fScale, 1.0);
    const double penInk = pen.Style() != psClear && pen.Color() != clNone
                              ? DashInk(pen.Style(), 2 * (device.width() + device.height()) / width)
                              : 0;
    const double brushInk = node.Brush().Color() != clNone ? BrushInk(node.Brush().Style()) : 0;
    const TCrossing left = Crossing(device.left(), width);
    const TCrossing right = Crossing(device.right(), width);
    const TCrossing top = Crossing(device.top(), width);
    const TCrossing bottom = Crossing(device.bottom(), width);
    if (top.Last >= bottom.First || left.Last >= right.First) {
        // The outline's sides meet: outline, fill and caption blend into one colour,
        // each by the area it covers.
        const QRect area(QPoint(left.First, top.First), QPoint(right.Last, bottom.Last));
        const double pixels = static_cast<double>(area.width()) * area.height();
        const double inside =
            std::max(device.width() - width, 0.0) * std::max(device.height() - width, 0.0);
        const double all = (device.width() + width) * (device.height() + width);
        TBlend blend{pen.Color(),
                     node.Brush().Color(),
                     clNone,
                     TBlend::Share(all - inside, penInk, pixels),
                     TBlend::Share(inside, brushInk, pixels),
                     0};
        if (captioned && node.Font().Color() != clNone) {
            const QRectF text = ToDevice(node.TextRect()).intersected(device);
            blend.Text = node.Font().Color();
            blend.TextShare =
                TBlend::Share(text.width() * text.height(), TCanvas::kTextInk, pixels);
        }
        if (!(blend == fBlend)) {
            fBlend = blend;
            fBlendColor = blend.Color();
        }
        Rects(lyFill, fBlendColor).push_back(area);
        return true;
    }
    const QRect inside(QPoint(Pixel(device.left() + 0.5), Pixel(device.top() + 0.5)),
                       QPoint(Pixel(device.right() - 0.5), Pixel(device.bottom() - 0.5)));
    if (brushInk > 0 && inside.isValid()) {
        Rects(lyFill, Tinted(node.Brush().Color(), brushInk)).push_back(inside);
    }
    if (penInk > 0) {
        const TInk ink{Tinted(pen.Color(), penInk), Tinted(pen.Color(), penInk / 2)};
        // Each side runs from corner to corner, so the corners get the ink of two sides;
        // a pen wider than a pixel also fills the outer corners with its joins.
        const bool joined = width > 1;
        const int from = joined ? left.First : inside.left();
        const int to = joined ? right.Last : inside.right();
        TakeCrossing(lyRing, top, Qt::Horizontal, from, to, ink);
        TakeCrossing(lyRing, bottom, Qt::Horizontal, from, to, ink);
        TakeCrossing(lyRing, left, Qt::Vertical, inside.top(), inside.bottom(), ink);
        TakeCrossing(lyRing, right, Qt::Vertical, inside.top(), inside.bottom(), ink);
    }
    if (captioned) {
        const QRectF text = ToDevice(node.TextRect());
        // At least a pixel: smaller text still leaves a trace.
        const QPoint topLeft(Pixel(text.left() + 0.5), Pixel(text.top() + 0.5));
        const QPoint bottomRight(std::max(Pixel(text.right() - 0.5), topLeft.x()),
                                 std::max(Pixel(text.bottom() - 0.5), topLeft.y()));
        Rects(lyText, Tinted(node.Font().Color(), TCanvas::kTextInk))
            .emplace_back(topLeft, bottomRight);
    }
    return true;
}

bool TGraphSketch::TakeLink(const TGraphLink& link) {
    const TPen& pen = link.Pen();
    if (pen.Style() == psClear) {
        return true;
    }
    const TPoints& points = link.Polyline();
    const bool captioned = link.Options().Contains(goShowCaption) && !link.TextToShow().isEmpty();
    const int32_t beginSpeck = SpeckLength(link, link.BeginStyle(), link.BeginSize());
    const int32_t endSpeck = SpeckLength(link, link.EndStyle(), link.EndSize());
    if (captioned || points.size() < 2 || pen.Width() * fScale >= kHairlinePixels ||
        std::max(beginSpeck, endSpeck) * fScale >= kSpeckPixels) {
        return false;
    }
    std::vector<QPointF>& device = fPolyline;
    device.clear();
    for (const TPoint& point : points) {
        device.push_back(ToDevice(point));
    }
    double ink = 1;
    if (pen.Style() != psSolid && pen.Style() != psInsideFrame) {
        // Thinner than a pixel, the pen draws one pixel wide, and so do its dashes.
        double length = 0;
        for (size_t i = 1; i < device.size(); ++i) {
            length += Distance(device[i - 1], device[i]);
        }
        ink = DashInk(pen.Style(), length);
    }
    const TInk color{Tinted(pen.Color(), ink), Tinted(pen.Color(), ink / 2)};
    QPointF previous = device[0];
    const QPointF first = previous;
    QPointF second;
    for (size_t i = 1; i < device.size(); ++i) {
        const QPointF next = device[i];
        TakeSegment(previous, next, color);
        if (i == 1) {
            second = next;
        }
        if (i + 1 == points.size() && endSpeck > 0) {
            TakeEnd(previous, next, endSpeck, EndShapeInk(link.EndStyle()), pen.Color());
        }
        previous = next;
    }
    if (beginSpeck > 0) {
        TakeEnd(second, first, beginSpeck, EndShapeInk(link.BeginStyle()), pen.Color());
    }
    return true;
}

void TGraphSketch::TakeSegment(const QPointF& a, const QPointF& b, const TInk& ink) {
    const QPoint p(Pixel(a.x()), Pixel(a.y()));
    const QPoint q(Pixel(b.x()), Pixel(b.y()));
    // Straight along a row or column of pixels, the line is a strip one pixel across,
    // or two at half strength where it runs along their border.
    const auto along = [](double from, double to) {
        return std::pair{Pixel(std::min(from, to) + 0.5), Pixel(std::max(from, to) + 0.5) - 1};
    };
    if (p.y() == q.y()) {
        const auto [first, last] = along(a.x(), b.x());
        TakeCrossing(lyLine, Crossing((a.y() + b.y()) / 2, 1), Qt::Horizontal, first, last, ink);
        return;
    }
    if (p.x() == q.x()) {
        const auto [first, last] = along(a.y(), b.y());
        TakeCrossing(lyLine, Crossing((a.x() + b.x()) / 2, 1), Qt::Vertical, first, last, ink);
        return;
    }
    fEmpty = false;
    OfColor(fStrokes, ink.Full).Lines.emplace_back(a, b);
}

void TGraphSketch::TakeEnd(const QPointF& from, const QPointF& pt, int32_t length, double shape,
                           TColor color) {
    // The decoration lies behind the end, along the segment; its one-pixel outline makes
    // it a pixel larger. The speck has its ink: a square as large, as strong as the
    // share of it the shape covers.
    const double extent = length * fScale + 1;
    const double run = Distance(from, pt);
    const double back = run > 0 ? (extent - 1) / 2 / run : 0;
    const QPointF centre = pt + (from - pt) * back;
    const int side = std::max(1, Pixel(extent));
    const double ink = std::min(extent * extent * shape / (side * side), 1.0);
    const QPoint corner(Pixel(centre.x() - side / 2.0 + 0.5), Pixel(centre.y() - side / 2.0 + 0.5));
    Rects(lyEnd, Tinted(color, Pixel(ink * 8 + 0.5) / 8.0)).emplace_back(corner, QSize(side, side));
}

void TGraphSketch::Flush() {
    if (fEmpty) {
        return;
    }
    QPainter& painter = *fCanvas->Painter();
    painter.save();
    // Drawing in device pixels: the world mapping undoes what the painter adds to it.
    painter.resetTransform();
    const qreal ratio = painter.device()->devicePixelRatio();
    painter.setWorldTransform(painter.deviceTransform().inverted());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // The rectangles are filled in a picture of their own, composed onto the device at
    // once: Qt's work for each rectangle would cost more than the filling itself.
    int left = std::numeric_limits<int>::max();
    int top = left;
    int right = std::numeric_limits<int>::min();
    int bottom = right;
    for (const std::vector<TPatch>& patches : fPatches) {
        for (const TPatch& patch : patches) {
            for (const QRect& rect : patch.Rects) {
                left = std::min(left, rect.left());
                top = std::min(top, rect.top());
                right = std::max(right, rect.right());
                bottom = std::max(bottom, rect.bottom());
            }
        }
    }
    QRect area(QPoint(left, top), QPoint(right, bottom));
    const QRect device(0, 0, qCeil(painter.device()->width() * ratio),
                       qCeil(painter.device()->height() * ratio));
    area &= painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect() & device : device;
    if (!area.isEmpty()) {
        if (fPixels.width() < area.width() || fPixels.height() < area.height()) {
            fPixels =
                QImage(area.size().expandedTo(fPixels.size()), QImage::Format_ARGB32_Premultiplied);
        }
        fStride = fPixels.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
        fFirstPixel = reinterpret_cast<QRgb*>(fPixels.bits());
        for (int y = 0; y < area.height(); ++y) {
            std::fill_n(fFirstPixel + y * fStride, area.width(), QRgb{0});
        }
        for (const std::vector<TPatch>& patches : fPatches) {
            for (const TPatch& patch : patches) {
                FillPixels(patch, area);
            }
        }
        painter.drawImage(area.topLeft(), fPixels, QRect(QPoint(0, 0), area.size()));
    }
    for (std::vector<TPatch>& patches : fPatches) {
        for (TPatch& patch : patches) {
            patch.Rects.clear();
        }
    }
    // Slanted lines are few in most diagrams: smoothed, they cover the very pixels the
    // exact drawing does.
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (TStrokes& strokes : fStrokes) {
        painter.setPen(QPen(QColor::fromRgba(strokes.Color), 0));
        painter.drawLines(strokes.Lines.data(), static_cast<int>(strokes.Lines.size()));
        strokes.Lines.clear();
    }
    painter.restore();
    fEmpty = true;
}

void TGraphSketch::FillPixels(const TPatch& patch, const QRect& area) {
    const QRgb color = qPremultiply(patch.Color);
    const uint32_t keep = 255 - qAlpha(color);
    for (const QRect& rect : patch.Rects) {
        const int left = std::max(rect.left(), area.left()) - area.left();
        const int right = std::min(rect.right(), area.right()) - area.left();
        const int top = std::max(rect.top(), area.top()) - area.top();
        const int bottom = std::min(rect.bottom(), area.bottom()) - area.top();
        for (int y = top; y <= bottom && left <= right; ++y) {
            QRgb* pixel = fFirstPixel + y * fStride + left;
            QRgb* const end = pixel + (right - left + 1);
            if (keep == 0) {
                std::fill(pixel, end, color);
                continue;
            }
            for (; pixel != end; ++pixel) {
                // Premultiplied "over": the colour plus what shows through of the pixel.
                const uint32_t redBlue = (*pixel & 0xFF00FF) * keep + 0x800080;
                const uint32_t alphaGreen = ((*pixel >> 8) & 0xFF00FF) * keep + 0x800080;
                *pixel = color + ((((redBlue >> 8) & 0xFF00FF) + redBlue) >> 8 & 0xFF00FF) +
                         ((((alphaGreen >> 8) & 0xFF00FF) + alphaGreen) & 0xFF00FF00);
            }
        }
    }
}

} // namespace zov
