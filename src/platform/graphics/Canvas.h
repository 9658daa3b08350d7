#pragma once

#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/FontMeasure.h"
#include "platform/graphics/GraphRegion.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/TextLayout.h"
#include "platform/graphics/TextMeasure.h"
#include "platform/types/Types.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QTransform>
#include <vector>

namespace zov {

// Reference point of TCanvas::TextOut: one horizontal and one vertical flag or'ed.
namespace TextAlign {
inline constexpr unsigned Left = 0;
inline constexpr unsigned Right = 2;
inline constexpr unsigned Center = 6;
inline constexpr unsigned Top = 0;
inline constexpr unsigned Bottom = 8;
inline constexpr unsigned Baseline = 24;
inline constexpr unsigned RtlReading = 256;
} // namespace TextAlign

enum class TBkMode : uint8_t { Transparent, Opaque };
enum class TMapMode : uint8_t { Text, Isotropic, Anisotropic };
enum class TClipOperation : uint8_t { Replace, Intersect };

// Device-context style drawing on any QPainter: the one drawing path for screen,
// images, print and export. Coordinates are logical units, mapped to the painter's
// coordinates by the window/viewport mapping. Shapes follow the classic convention
// that (L, T, R, B) covers the pixels L..R-1 and T..B-1 at 1:1 mapping.
class TCanvas : public TTextMeasure {
public:
    // The painter must outlive the canvas; its transform at this moment is the base
    // onto which the canvas mapping is applied.
    explicit TCanvas(QPainter* painter);
    ~TCanvas() override;

    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QPainter* Painter() const { return fPainter; }

    TPen& Pen() { return fPen; }
    TBrush& Brush() { return fBrush; }
    TFont& Font() { return fFont; }
    const TPen& Pen() const { return fPen; }
    const TBrush& Brush() const { return fBrush; }
    const TFont& Font() const { return fFont; }

    TBkMode BkMode() const { return fBkMode; }
    void SetBkMode(TBkMode mode) { fBkMode = mode; }
    unsigned TextAlignFlags() const { return fTextAlign; }
    void SetTextAlign(unsigned flags) { fTextAlign = flags; }
    TPolyFillMode PolyFillMode() const { return fPolyFillMode; }
    void SetPolyFillMode(TPolyFillMode mode) { fPolyFillMode = mode; }
    // Smooth edges for copy-mode drawing; raster pen modes always draw aliased.
    bool Antialiased() const { return fAntialiased; }
    void SetAntialiased(bool on) { fAntialiased = on; }
    // A screen picture zoomed out may leave out or simplify what is too small to see;
    // off by default: files, printers and the clipboard get every detail.
    bool Simplified() const { return fSimplified; }
    void SetSimplified(bool on) { fSimplified = on; }
    // Device pixels per logical unit along x under the current mapping.
    double DeviceScale() const;
    // Whether text of a font of this height (as TFont::Height) is more than a smudge
    // on the device; always on a canvas that is not simplified.
    bool TextLegible(int32_t fontHeight) const;
    // Below this many pixels a line of text is a grey smear.
    static constexpr double kLegiblePixels = 4.0;
    // The share of a line's area that its glyphs cover.
    static constexpr double kTextInk = 0.2;
    // Text too small to read, drawn as the even tint it leaves: the area filled with the
    // font colour at the strength of kTextInk.
    void SmearText(const TRect& area);
    void SmearText(const TGraphRegion& area);

    // Lines and shapes, outlined with the pen and filled with the brush.
    TPoint PenPos() const { return fPenPos; }
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    // Separate lines from each point at an even index to the next, drawn as MoveTo and
    // LineTo would draw them one by one, with one painter call.
    void LineSegments(const TPoints& ends);
    void Rectangle(const TRect& rect);
    void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) { Rectangle(TRect{l, t, r, b}); }
    void Ellipse(const TRect& rect);
    void RoundRect(const TRect& rect, int32_t cornerWidth, int32_t cornerHeight);
    void Polygon(const TPoints& points);
    void Polyline(const TPoints& points);
    // Fills with the brush only, covering exactly the rectangle.
    void FillRect(const TRect& rect);
    // Fills a region with the brush only.
    void FillRegion(const TGraphRegion& region);
    void StretchDraw(const TRect& rect, const QImage& image);

    // Text in the font, placed by the text-align flags; rotated by Font().Orientation().
    void TextOut(int32_t x, int32_t y, const QString& text);
    TSize TextExtent(const QString& text) const override;
    int32_t TextWidth(const QString& text) const { return TextExtent(text).cx; }
    int32_t TextHeight(const QString& text) const { return TextExtent(text).cy; }
    bool HasGlyph(char32_t character) const override;
    // Formatted text in a rectangle; returns the height of the text. With CalcRect it
    // only measures and sets rect's Right and Bottom; with ModifyString and EndEllipsis
    // the shortened text is written back to text.
    int32_t DrawText(QString& text, TRect& rect, unsigned flags);
    int32_t DrawText(const QString& text, TRect& rect, unsigned flags);

    // Reads the pixel on image devices; clNone elsewhere or outside the device.
    TColor Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, TColor color);
    // One device pixel at each logical point, whatever the mapping's scale.
    void SetPixels(const std::vector<TPoint>& points, TColor color);
    // SetPixels for every (x, y) of the two lists, each pixel set once: the points that
    // land on one device pixel when zoomed out cost nothing, and a grid as dense as
    // the pixels becomes one filled rectangle.
    void SetPixelGrid(const std::vector<int32_t>& xs, const std::vector<int32_t>& ys, TColor color);

    // Clipping. ClipRect is the smallest rectangle around the drawable area, in
    // logical units (the whole device when nothing is clipped).
    void SetClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    void ExcludeClipRect(const TRect& rect);
    void SelectClipRegion(const TGraphRegion& region,
                          TClipOperation operation = TClipOperation::Replace);
    void RemoveClip();
    bool HasClip() const;
    TRect ClipRect() const;

    // Saves pen, brush, font, modes, mapping and clip; returns the new save level.
    int SaveDC();
    // Restores the state of a save level: positive is absolute, negative counts back
    // from the latest save (-1 the latest). False when no such level exists.
    bool RestoreDC(int level = -1);

    // Window/viewport mapping: device = (logical - windowOrg) * viewportExt /
    // windowExt + viewportOrg. Extents count only in the isotropic and anisotropic modes.
    TMapMode MapMode() const { return fMapping.mode; }
    void SetMapMode(TMapMode mode);
    TPoint WindowOrg() const { return fMapping.windowOrg; }
    TSize WindowExt() const { return fMapping.windowExt; }
    TPoint ViewportOrg() const { return fMapping.viewportOrg; }
    TSize ViewportExt() const { return fMapping.viewportExt; }
    void SetWindowOrg(int32_t x, int32_t y);
    void SetWindowExt(int32_t cx, int32_t cy);
    void SetViewportOrg(int32_t x, int32_t y);
    void SetViewportExt(int32_t cx, int32_t cy);
    QTransform MappingTransform() const;
    TPoint LPtoDP(const TPoint& pt) const;
    TPoint DPtoLP(const TPoint& pt) const;

private:
    struct Mapping {
        TMapMode mode = TMapMode::Text;
        TPoint windowOrg;
        TSize windowExt{1, 1};
        TPoint viewportOrg;
        TSize viewportExt{1, 1};
    };
    struct SavedState {
        TPen pen;
        TBrush brush;
        TFont font;
        TBkMode bkMode;
        unsigned textAlign;
        TPolyFillMode polyFillMode;
        bool antialiased;
        TPoint penPos;
        Mapping mapping;
    };
    struct TextLayout;

    // Measures Font(); use the reference at once.
    const TFontMeasure& Measure() const;
    void ApplyMapping();
    // Sets up the painter for a shape; false when nothing is to be drawn (pmNop).
    bool PrepareShape();
    void PrepareFill();
    void SetSmooth(bool on);
    // Sets up the painter for a smear of text and gives its colour.
    QColor PrepareSmear();
    void SetPainterBrush(const QBrush& brush);
    void SetPainterFont(const QFont& font);
    QPen MakePen() const;
    QBrush MakeBrush() const;
    // Hatch patterns of Qt are device pixels, which vector devices turn into a dense
    // texture (and metafile readers into solid fills); there the hatching is drawn
    // as lines instead, spaced as on the screen at 1:1.
    bool HatchAsLines() const;
    void FillHatchLines(const QPainterPath& area);
    // Fills the area with hatch lines when HatchAsLines and leaves the painter to
    // draw the outline only.
    void PrepareHatch(const QPainterPath& area);
    // Distance from a shape's bounds to the centre line of its outline.
    double OutlineInset() const;
    // Shift of a line's points off the pixel grid for the pen width.
    double LineOffset() const;
    QRectF ShapeBox(const TRect& rect) const;
    void DrawLines(const std::vector<QString>& lines, const TRect& rect, unsigned flags,
                   int32_t lineHeight);
    void PaintTextCell(const QRectF& cell, const QString& text, bool rightToLeft);

    QPainter* fPainter;
    QTransform fBaseTransform;
    int fPainterSaves = 0;
    TPen fPen;
    TBrush fBrush;
    TFont fFont;
    TBkMode fBkMode = TBkMode::Opaque;
    unsigned fTextAlign = TextAlign::Left | TextAlign::Top;
    TPolyFillMode fPolyFillMode = pfAlternate;
    bool fAntialiased = true;
    bool fSimplified = false;
    TPoint fPenPos;
    Mapping fMapping;
    std::vector<SavedState> fSaved;
};

// A canvas drawing into an image it owns; white at the start. Serves as the
// screen-compatible memory canvas for measuring text, and for rendering bitmaps.
class TBitmapCanvas {
public:
    TBitmapCanvas(int32_t width, int32_t height);
    ~TBitmapCanvas();

    TBitmapCanvas(const TBitmapCanvas&) = delete;
    TBitmapCanvas& operator=(const TBitmapCanvas&) = delete;

    TCanvas& Canvas() { return *fCanvas; }
    // The picture drawn so far.
    const QImage& Image() const { return fImage; }

private:
    QImage fImage;
    QPainter fPainter;
    std::unique_ptr<TCanvas> fCanvas;
};

} // namespace zov
