#pragma once

#include "platform/pictures/EmfReader.h"
#include "platform/pictures/Metafile.h"

#include <QPainterPath>
#include <QRegion>
#include <QTransform>
#include <optional>

class QPainter;

namespace zov {

// The device context that a metafile's records build up.
struct TEmfDcState {
    TEmfPen pen;
    QBrush brush{Qt::white};
    TEmfFont font;
    QColor textColor{Qt::black};
    QColor bkColor{Qt::white};
    bool opaqueBk = true;
    uint32_t textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    uint32_t rop2 = Gdi::R2CopyPen;
    bool clockwise = false;
    uint32_t mapMode = Gdi::MmText;
    QPointF windowOrg;
    QPointF viewportOrg;
    QSizeF windowExt{1, 1};
    QSizeF viewportExt{1, 1};
    QTransform world;
    std::optional<QRegion> clip; // in the painter's device pixels
    QPointF position;
};

// One text record's content.
struct TEmfText {
    QPointF origin; // logical units
    QString text;
    std::vector<double> advances; // logical units, one per character or none
    uint32_t options = 0;
    QRectF rect; // for the opaque and clipped options
};

// What the player hands Qt is kept where Qt stays exact: its raster engine and
// glyph cache hold device coordinates in 26.6 fixed point, and it takes transforms
// whose determinant is within 1e-12 of zero for singular.
//
// True when the transform is affine and finite, its translation within
// kMaxCoordinate device pixels and the scale factors of it and of its inverse
// within bounds.
bool IsDrawableTransform(const QTransform& transform);
// True when, in addition, area mapped by the transform lies within kMaxCoordinate
// device pixels of the origin.
bool IsDrawable(const QTransform& transform, const QRectF& area);

// Draws what records ask for on a painter, in Qt's terms: pens, brushes, fonts and
// raster modes of the device context become Qt's, and the clip becomes a region of
// the painter's device. Each call takes the transform from logical units to the
// painter's device.
class TEmfOutput {
public:
    // deviceToPaint maps the metafile's device pixels to the painter's device; the
    // painter's clip at this moment limits all drawing.
    TEmfOutput(QPainter& painter, const QTransform& deviceToPaint);

    const QTransform& DeviceToPaint() const { return fDeviceToPaint; }

    // Strokes and fills a shape; aliased when not smooth.
    void Shape(const TEmfDcState& dc, const QTransform& toPaint, const QPainterPath& shape,
               bool stroke, bool fill, const QBrush& brush, bool smooth = true);
    // Draws text at its reference point; returns its advance in logical units.
    double Text(const TEmfDcState& dc, const QTransform& toPaint, const TEmfText& text);
    // Stretches the source part of an image onto dest, combined by the raster mode.
    void Bitmap(const QTransform& toPaint, QRectF dest, QImage image, QRectF source, uint32_t rop2);
    // Fills a rectangle as blits without a bitmap do.
    void Fill(const QTransform& toPaint, const QRectF& rect, const QBrush& brush, uint32_t rop2);
    void SetClip(const std::optional<QRegion>& clip);

    // Region data, in the metafile's device pixels, on the painter's device.
    QRegion DeviceRegion(const std::vector<QRect>& rects) const;
    // The pixels of the painter's device a path, given in its pixels, covers.
    QRegion DevicePathRegion(const QPainterPath& path) const;

private:
    // Sets the composition for the raster mode; false when nothing is to be drawn.
    bool PrepareRop(uint32_t rop2);

    QPainter& fPainter;
    QTransform fDeviceToPaint;
    std::optional<QRegion> fInitialClip;
    bool fRasterOps;
};

} // namespace zov
