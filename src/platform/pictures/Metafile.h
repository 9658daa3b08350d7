#pragma once

#include "platform/graphics/Pen.h"
#include "platform/types/Types.h"

#include <QByteArray>
#include <QRectF>
#include <cstdint>
#include <utility>

class QPainter;

namespace zov {

// Enhanced metafiles (.emf): a file is a list of records, each starting with its
// type and its size in bytes; the first is the header, the last the end record.

// Record types this code writes or plays.
namespace Emr {
inline constexpr uint32_t Header = 1;
inline constexpr uint32_t PolyBezier = 2;
inline constexpr uint32_t Polygon = 3;
inline constexpr uint32_t Polyline = 4;
inline constexpr uint32_t PolyBezierTo = 5;
inline constexpr uint32_t PolylineTo = 6;
inline constexpr uint32_t PolyPolyline = 7;
inline constexpr uint32_t PolyPolygon = 8;
inline constexpr uint32_t SetWindowExtEx = 9;
inline constexpr uint32_t SetWindowOrgEx = 10;
inline constexpr uint32_t SetViewportExtEx = 11;
inline constexpr uint32_t SetViewportOrgEx = 12;
inline constexpr uint32_t Eof = 14;
inline constexpr uint32_t SetPixelV = 15;
inline constexpr uint32_t SetMapMode = 17;
inline constexpr uint32_t SetBkMode = 18;
inline constexpr uint32_t SetPolyFillMode = 19;
inline constexpr uint32_t SetRop2 = 20;
inline constexpr uint32_t SetTextAlign = 22;
inline constexpr uint32_t SetTextColor = 24;
inline constexpr uint32_t SetBkColor = 25;
inline constexpr uint32_t MoveToEx = 27;
inline constexpr uint32_t ExcludeClipRect = 29;
inline constexpr uint32_t IntersectClipRect = 30;
inline constexpr uint32_t ScaleViewportExtEx = 31;
inline constexpr uint32_t ScaleWindowExtEx = 32;
inline constexpr uint32_t SaveDC = 33;
inline constexpr uint32_t RestoreDC = 34;
inline constexpr uint32_t SetWorldTransform = 35;
inline constexpr uint32_t ModifyWorldTransform = 36;
inline constexpr uint32_t SelectObject = 37;
inline constexpr uint32_t CreatePen = 38;
inline constexpr uint32_t CreateBrushIndirect = 39;
inline constexpr uint32_t DeleteObject = 40;
inline constexpr uint32_t Ellipse = 42;
inline constexpr uint32_t Rectangle = 43;
inline constexpr uint32_t RoundRect = 44;
inline constexpr uint32_t Arc = 45;
inline constexpr uint32_t Chord = 46;
inline constexpr uint32_t Pie = 47;
inline constexpr uint32_t LineTo = 54;
inline constexpr uint32_t ArcTo = 55;
inline constexpr uint32_t SetArcDirection = 57;
inline constexpr uint32_t BeginPath = 59;
inline constexpr uint32_t EndPath = 60;
inline constexpr uint32_t CloseFigure = 61;
inline constexpr uint32_t FillPath = 62;
inline constexpr uint32_t StrokeAndFillPath = 63;
inline constexpr uint32_t StrokePath = 64;
inline constexpr uint32_t SelectClipPath = 67;
inline constexpr uint32_t AbortPath = 68;
inline constexpr uint32_t FillRgn = 71;
inline constexpr uint32_t PaintRgn = 74;
inline constexpr uint32_t ExtSelectClipRgn = 75;
inline constexpr uint32_t BitBlt = 76;
inline constexpr uint32_t StretchBlt = 77;
inline constexpr uint32_t StretchDIBits = 81;
inline constexpr uint32_t ExtCreateFontIndirectW = 82;
inline constexpr uint32_t ExtTextOutA = 83;
inline constexpr uint32_t ExtTextOutW = 84;
inline constexpr uint32_t PolyBezier16 = 85;
inline constexpr uint32_t Polygon16 = 86;
inline constexpr uint32_t Polyline16 = 87;
inline constexpr uint32_t PolyBezierTo16 = 88;
inline constexpr uint32_t PolylineTo16 = 89;
inline constexpr uint32_t PolyPolyline16 = 90;
inline constexpr uint32_t PolyPolygon16 = 91;
inline constexpr uint32_t CreateMonoBrush = 93;
inline constexpr uint32_t CreateDIBPatternBrushPt = 94;
inline constexpr uint32_t ExtCreatePen = 95;
} // namespace Emr

// Values of the device-context attributes the records carry.
namespace Gdi {
inline constexpr uint32_t Signature = 0x464D4520; // " EMF"
inline constexpr uint32_t StockObject = 0x80000000;
inline constexpr uint32_t NullBrush = 5;
inline constexpr uint32_t NullPen = 8;

inline constexpr uint32_t Transparent = 1;
inline constexpr uint32_t Opaque = 2;
inline constexpr uint32_t Alternate = 1;
inline constexpr uint32_t Winding = 2;

inline constexpr uint32_t MmText = 1;
inline constexpr uint32_t MmIsotropic = 7;
inline constexpr uint32_t MmAnisotropic = 8;

inline constexpr uint32_t TaUpdateCP = 1;
inline constexpr uint32_t TaRight = 2;
inline constexpr uint32_t TaCenter = 6;
inline constexpr uint32_t TaBottom = 8;
inline constexpr uint32_t TaBaseline = 24;
inline constexpr uint32_t EtoOpaque = 2;
inline constexpr uint32_t EtoClipped = 4;
inline constexpr uint32_t EtoRtlReading = 0x80;

inline constexpr uint32_t BsSolid = 0;
inline constexpr uint32_t BsNull = 1;
inline constexpr uint32_t BsHatched = 2;
enum THatch : uint32_t { HsHorizontal, HsVertical, HsFDiagonal, HsBDiagonal, HsCross, HsDiagCross };

inline constexpr uint32_t PsSolid = 0;
inline constexpr uint32_t PsDash = 1;
inline constexpr uint32_t PsDot = 2;
inline constexpr uint32_t PsDashDot = 3;
inline constexpr uint32_t PsDashDotDot = 4;
inline constexpr uint32_t PsNull = 5;
inline constexpr uint32_t PsInsideFrame = 6;
inline constexpr uint32_t PsUserStyle = 7;
inline constexpr uint32_t PsAlternate = 8;
inline constexpr uint32_t PsStyleMask = 0xF;
inline constexpr uint32_t PsEndCapSquare = 0x100;
inline constexpr uint32_t PsEndCapFlat = 0x200;
inline constexpr uint32_t PsEndCapMask = 0xF00;
inline constexpr uint32_t PsJoinBevel = 0x1000;
inline constexpr uint32_t PsJoinMiter = 0x2000;
inline constexpr uint32_t PsJoinMask = 0xF000;
inline constexpr uint32_t PsGeometric = 0x10000;
// The pen styles up to PsInsideFrame are numbered as TPenStyle numbers them, so a
// style converts to the other by its number.
static_assert(PsSolid == psSolid && PsDash == psDash && PsDot == psDot && PsDashDot == psDashDot &&
              PsDashDotDot == psDashDotDot && PsNull == psClear && PsInsideFrame == psInsideFrame);

inline constexpr uint32_t RgnAnd = 1;
inline constexpr uint32_t RgnOr = 2;
inline constexpr uint32_t RgnXor = 3;
inline constexpr uint32_t RgnDiff = 4;
inline constexpr uint32_t RgnCopy = 5;

inline constexpr uint32_t R2Black = 1;
inline constexpr uint32_t R2NotMergePen = 2;
inline constexpr uint32_t R2MaskNotPen = 3;
inline constexpr uint32_t R2NotCopyPen = 4;
inline constexpr uint32_t R2MaskPenNot = 5;
inline constexpr uint32_t R2Not = 6;
inline constexpr uint32_t R2XorPen = 7;
inline constexpr uint32_t R2NotMaskPen = 8;
inline constexpr uint32_t R2MaskPen = 9;
inline constexpr uint32_t R2NotXorPen = 10;
inline constexpr uint32_t R2Nop = 11;
inline constexpr uint32_t R2MergeNotPen = 12;
inline constexpr uint32_t R2CopyPen = 13;
inline constexpr uint32_t R2MergePenNot = 14;
inline constexpr uint32_t R2MergePen = 15;
inline constexpr uint32_t R2White = 16;

inline constexpr uint32_t SrcCopy = 0x00CC0020;
} // namespace Gdi

// True when the bytes start with an enhanced-metafile header.
bool IsEnhancedMetafile(const QByteArray& bytes);

// The picture's size in pixels at 96 dpi, from the header's frame (or its bounds
// when the frame is empty); zero for bytes that are no enhanced metafile.
TSize EnhancedMetafileSize(const QByteArray& bytes);

// Draws the metafile with its frame stretched onto target, in the painter's current
// coordinates. Damaged files draw what they can; the painter's state is kept.
void PlayEnhancedMetafile(const QByteArray& bytes, QPainter& painter, const QRectF& target);

// An enhanced metafile held as its file image.
class TMetafile {
public:
    TMetafile() = default;
    explicit TMetafile(QByteArray bytes) : fBytes(std::move(bytes)) {}

    const QByteArray& Bytes() const { return fBytes; }
    TSize Size() const { return EnhancedMetafileSize(fBytes); }
    void Play(QPainter& painter, const QRectF& target) const {
        PlayEnhancedMetafile(fBytes, painter, target);
    }

private:
    QByteArray fBytes;
};

} // namespace zov
