#pragma once

#include "platform/graphics/Color.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <vector>

namespace zov {

class TCanvas;
class TGraphObject;
struct TPoint;
struct TRect;

// Objects too small on a zoomed-out screen to show their shape, drawn as what they
// look like there: a node as a rectangle in its pen and brush colours, a link with a
// hair-thin pen and specks for ends as a thin polyline in its pen colour. Objects of
// one look are drawn with one painter call.
class TGraphSketch {
public:
    explicit TGraphSketch(TCanvas& canvas);
    ~TGraphSketch() { Flush(); }
    TGraphSketch(const TGraphSketch&) = delete;
    TGraphSketch& operator=(const TGraphSketch&) = delete;

    // Takes the object when it is too small to draw exactly; false: draw it in full
    // (after Flush, which keeps the drawing order).
    bool Take(const TGraphObject& object);
    // Draws what was taken.
    void Flush();

private:
    struct TRectStyle {
        TColor Pen = clNone;   // clNone: no outline
        int PenAlpha = 255;    // a pen thinner than a pixel covers only part of it
        TColor Brush = clNone; // clNone: no fill
        std::vector<QRectF> Rects;
    };
    struct TLineStyle {
        TColor Pen = clNone;
        int PenAlpha = 255;
        std::vector<QLineF> Lines;
    };

    // The view's mapping, without QTransform's general path when it neither rotates
    // nor shears.
    QPointF ToDevice(const TPoint& pt) const;
    QRectF ToDevice(const TRect& rect) const;
    // How much of a pixel a pen of this width covers, as an alpha value.
    int PenAlpha(int32_t width) const;
    bool TakeNode(const TGraphObject& node);
    bool TakeLink(const TGraphObject& link);

    TCanvas& fCanvas;
    QTransform fToDevice;
    double fScale;
    bool fAxisAligned;
    std::vector<TRectStyle> fRects;
    std::vector<TLineStyle> fLines;
    bool fEmpty = true;
};

} // namespace zov
