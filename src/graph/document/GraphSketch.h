#pragma once

#include "platform/graphics/Color.h"

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRgb>
#include <QTransform>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zov {

class TCanvas;
class TGraphLink;
class TGraphNode;
class TGraphObject;
struct TPoint;
struct TRect;

// Objects too small on a zoomed-out screen to show their shape, drawn as the pixels they
// cover there, as an antialiased drawing covers them to the nearest half pixel: a box
// as a rectangle in its brush colour inside a ring in its pen colour, its caption as a
// tint; a link with a hair-thin pen as a one-pixel polyline with a speck for each end
// decoration; a node so small that its sides meet as one patch of the colour its parts
// blend to. The pixels are filled in a picture of the sketch's own and composed onto
// the device at once, many times faster than drawing the shapes. A sketch is kept from
// one painting to the next, so that its storage is reused.
class TGraphSketch {
public:
    TGraphSketch() = default;
    TGraphSketch(const TGraphSketch&) = delete;
    TGraphSketch& operator=(const TGraphSketch&) = delete;

    // Starts sketching on a canvas, dropping anything taken before and not drawn.
    void Begin(TCanvas& canvas);
    // Takes the object when it is too small to draw exactly; false: draw it in full
    // (after Flush, which keeps the drawing order).
    bool Take(const TGraphObject& object);
    // Draws what was taken.
    void Flush();
    // Draws what was taken and lets go of the canvas.
    void End();
    // Between Begin and End.
    bool Busy() const { return fCanvas != nullptr; }
    // Asks the memory early for what Take reads of the objects a few places after
    // index i: sketching is bound by waiting for objects scattered over the heap.
    static void Prefetch(std::span<TGraphObject* const> objects, size_t i);

private:
    // The pixels a line covers across its length: First and Last, either of which
    // may be only half covered.
    struct TCrossing {
        int First;
        int Last;
        bool HalfFirst;
        bool HalfLast;
    };
    // The order in which the layers are drawn: outlines over fills, as antialiased
    // outlines blend into them, and links above nodes.
    enum TLayer : uint8_t { lyFill, lyRing, lyText, lyLine, lyEnd, kLayerCount };
    // The pixels across a line of this width centred at `middle`, covered as an
    // antialiased drawing covers them, to the nearest half pixel.
    static TCrossing Crossing(double middle, double width);
    // A colour at full strength and at half.
    struct TInk {
        QRgb Full;
        QRgb Half;
    };
    // Pixel rectangles of one colour.
    struct TPatch {
        QRgb Color;
        std::vector<QRect> Rects;
        bool Used = false; // since the painting began
    };
    // Slanted segments of one colour, one pixel wide, in device coordinates.
    struct TStrokes {
        QRgb Color;
        std::vector<QLineF> Lines;
    };

    // Colours blended by the shares of a patch of pixels they cover, in 1/kWhole; what
    // they leave uncovered shows through. Rounded shares let similar patches share a
    // colour.
    struct TBlend {
        static constexpr uint8_t kWhole = 32;
        static uint8_t Share(double area, double ink, double all);
        QRgb Color() const;
        bool operator==(const TBlend&) const = default;

        TColor Pen;
        TColor Brush;
        TColor Text;
        uint8_t PenShare;
        uint8_t BrushShare;
        uint8_t TextShare;
    };

    // The view's mapping, without QTransform's general path when it neither rotates
    // nor shears.
    QPointF ToDevice(const TPoint& pt) const;
    QRectF ToDevice(const TRect& rect) const;
    std::vector<QRect>& Rects(TLayer layer, QRgb color);
    bool TakeNode(const TGraphNode& node);
    bool TakeLink(const TGraphLink& link);
    void TakeSegment(const QPointF& a, const QPointF& b, const TInk& ink);
    // The strips a crossing makes along a run of rows (Qt::Horizontal) or columns
    // from `from` to `to`.
    void TakeCrossing(TLayer layer, const TCrossing& crossing, Qt::Orientation along, int from,
                      int to, const TInk& ink);
    // The speck an end decoration of this length in graph units, covering this share of
    // its square, makes at pt, the end of a segment coming from `from`.
    void TakeEnd(const QPointF& from, const QPointF& pt, int32_t length, double shape,
                 TColor color);
    // Fills a patch's rectangles, where they meet `area`, into fPixels, which holds it.
    void FillPixels(const TPatch& patch, const QRect& area);

    TCanvas* fCanvas = nullptr;
    QTransform fToDevice;
    double fScale = 1;     // device pixels per graph unit
    double fTextScale = 1; // as the canvas counts it for legible text
    bool fAxisAligned = true;
    std::array<std::vector<TPatch>, kLayerCount> fPatches;
    // The patch of each layer used last: neighbouring objects mostly share their colours.
    std::array<size_t, kLayerCount> fRecent{};
    std::vector<TStrokes> fStrokes;
    std::vector<QPointF> fPolyline; // the link being taken, in device coordinates
    QImage fPixels;                 // where Flush fills the rectangles
    QRgb* fFirstPixel = nullptr;
    qsizetype fStride = 0; // in pixels
    // The blend last made: neighbouring nodes mostly look alike.
    TBlend fBlend{};
    QRgb fBlendColor = 0;
    bool fEmpty = true;
};

} // namespace zov
