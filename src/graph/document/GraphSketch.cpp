#include "GraphSketch.h"

#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zov {

namespace {

// A node whose larger side is below this many pixels shows no shape of its own.
constexpr double kTinyNodePixels = 10.0;
// A link whose pen is below this many pixels wide draws as a hairline, and one whose
// end decorations stay below this size shows none.
constexpr double kHairlinePixels = 1.5;
constexpr double kSpeckPixels = 3.0;

TColor Visible(bool shown, TColor color) {
    return shown ? color : clNone;
}

template <class Style, class Match> Style& StyleFor(std::vector<Style>& styles, Match&& match) {
    const auto it = std::find_if(styles.begin(), styles.end(), match);
    if (it != styles.end()) {
        return *it;
    }
    return styles.emplace_back();
}

// A pen colour with the share of the pixel the pen covers.
QColor PenColor(TColor color, int alpha) {
    QColor result = ToQColor(color);
    result.setAlpha(alpha);
    return result;
}

} // namespace

TGraphSketch::TGraphSketch(TCanvas& canvas)
    : fCanvas(canvas), fToDevice(canvas.Painter()->worldTransform()), fScale(canvas.DeviceScale()),
      fAxisAligned(fToDevice.m12() == 0 && fToDevice.m21() == 0 && fToDevice.isAffine()) {}

QPointF TGraphSketch::ToDevice(const TPoint& pt) const {
    if (fAxisAligned) {
        return {pt.X * fToDevice.m11() + fToDevice.dx(), pt.Y * fToDevice.m22() + fToDevice.dy()};
    }
    return fToDevice.map(QPointF(pt.X, pt.Y));
}

QRectF TGraphSketch::ToDevice(const TRect& rect) const {
    if (fAxisAligned) {
        return QRectF(ToDevice(rect.TopLeft()), ToDevice(rect.BottomRight())).normalized();
    }
    return fToDevice.mapRect(QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

// A thin outline on the screen still shows darker than its share of a pixel: the
// exact drawing's antialiased edges look like a pen four times as wide.
int TGraphSketch::PenAlpha(int32_t width) const {
    return static_cast<int>(
        std::lround(std::clamp(std::max(width, 1) * fScale * 4, 0.0, 1.0) * 255));
}

bool TGraphSketch::Take(const TGraphObject& object) {
    if (!object.Showing()) {
        return true;
    }
    return object.IsLink() ? TakeLink(object) : TakeNode(object);
}

bool TGraphSketch::TakeNode(const TGraphObject& node) {
    const QRectF device = ToDevice(node.BoundsRect());
    if (std::max(device.width(), device.height()) >= kTinyNodePixels) {
        return false;
    }
    const TColor pen = Visible(node.Pen().Style() != psClear, node.Pen().Color());
    const TColor brush = Visible(node.Brush().Style() != bsClear, node.Brush().Color());
    if (pen == clNone && brush == clNone) {
        return true;
    }
    const int alpha = PenAlpha(node.Pen().Width());
    TRectStyle& style = StyleFor(fRects, [&](const TRectStyle& s) {
        return s.Pen == pen && s.PenAlpha == alpha && s.Brush == brush;
    });
    style.Pen = pen;
    style.PenAlpha = alpha;
    style.Brush = brush;
    // A one-pixel outline covers the rectangle's last row and column.
    const double outline = pen == clNone ? 0 : 1;
    style.Rects.push_back(device.adjusted(0, 0, -outline, -outline));
    fEmpty = false;
    return true;
}

bool TGraphSketch::TakeLink(const TGraphObject& object) {
    const auto& link = static_cast<const TGraphLink&>(object);
    if (link.Pen().Style() == psClear) {
        return true;
    }
    const bool captioned = link.Options().Contains(goShowCaption) && !link.Text().isEmpty() &&
                           fCanvas.TextLegible(link.Font().Height());
    if (captioned || link.Pen().Width() * fScale >= kHairlinePixels ||
        std::max(link.BeginSize(), link.EndSize()) * fScale >= kSpeckPixels) {
        return false;
    }
    const TColor pen = link.Pen().Color();
    const int alpha = PenAlpha(link.Pen().Width());
    TLineStyle& style =
        StyleFor(fLines, [&](const TLineStyle& s) { return s.Pen == pen && s.PenAlpha == alpha; });
    style.Pen = pen;
    style.PenAlpha = alpha;
    const TPoints& points = link.Polyline();
    for (size_t i = 1; i < points.size(); ++i) {
        style.Lines.emplace_back(ToDevice(points[i - 1]), ToDevice(points[i]));
    }
    fEmpty = false;
    return true;
}

void TGraphSketch::Flush() {
    if (fEmpty) {
        return;
    }
    QPainter& painter = *fCanvas.Painter();
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (TRectStyle& style : fRects) {
        painter.setPen(style.Pen == clNone ? QPen(Qt::NoPen)
                                           : QPen(PenColor(style.Pen, style.PenAlpha), 0));
        painter.setBrush(style.Brush == clNone ? QBrush(Qt::NoBrush)
                                               : QBrush(ToQColor(style.Brush)));
        painter.drawRects(style.Rects.data(), static_cast<int>(style.Rects.size()));
        style.Rects.clear();
    }
    painter.setBrush(Qt::NoBrush);
    for (TLineStyle& style : fLines) {
        painter.setPen(QPen(PenColor(style.Pen, style.PenAlpha), 0));
        painter.drawLines(style.Lines.data(), static_cast<int>(style.Lines.size()));
        style.Lines.clear();
    }
    painter.restore();
    fEmpty = true;
}

} // namespace zov
