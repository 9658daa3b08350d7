#include "platform/graphics/Canvas.h"

#include "support/TestImages.h"

#include <QFontMetrics>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>

namespace zov {
namespace {

using test::InkBounds;
using test::IsInk;

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kRed = 0xFF0000;

constexpr TBrushStyle kSamplerHatches[] = {bsHorizontal, bsVertical, bsFDiagonal,
                                           bsBDiagonal,  bsCross,    bsDiagCross};

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : fBitmap(120, 100) {}

    TCanvas& Canvas() { return fBitmap.Canvas(); }
    const QImage& Image() const { return fBitmap.Image(); }

    TBitmapCanvas fBitmap;
};

TEST_F(CanvasTest, RectangleCoversLeftTopToRightBottomExclusive) {
    Canvas().Brush().SetColor(clRed);
    Canvas().Rectangle(10, 20, 50, 60);
    EXPECT_EQ(At(Image(), 10, 20), kBlack);
    EXPECT_EQ(At(Image(), 49, 59), kBlack);
    EXPECT_EQ(At(Image(), 49, 30), kBlack);
    EXPECT_EQ(At(Image(), 30, 40), kRed);
    EXPECT_EQ(At(Image(), 11, 21), kRed);
    EXPECT_EQ(At(Image(), 50, 40), kWhite);
    EXPECT_EQ(At(Image(), 30, 60), kWhite);
    EXPECT_EQ(At(Image(), 9, 20), kWhite);
    EXPECT_EQ(InkBounds(Image()), (TRect{10, 20, 50, 60}));
}

TEST_F(CanvasTest, InsideFramePenStaysWithinTheBounds) {
    Canvas().Pen().SetStyle(psInsideFrame);
    Canvas().Pen().SetWidth(5);
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Rectangle(10, 10, 60, 60);
    EXPECT_EQ(InkBounds(Image()), (TRect{10, 10, 60, 60}));
    EXPECT_EQ(At(Image(), 14, 30), kBlack);
    EXPECT_EQ(At(Image(), 15, 30), kWhite);
    EXPECT_EQ(At(Image(), 55, 30), kBlack);
}

TEST_F(CanvasTest, ClearPenAndBrushDrawNothing) {
    Canvas().Pen().SetStyle(psClear);
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Rectangle(10, 10, 60, 60);
    Canvas().Ellipse({10, 10, 60, 60});
    Canvas().Polygon({{0, 0}, {50, 0}, {0, 50}});
    EXPECT_EQ(InkBounds(Image()), TRect{});

    Canvas().Brush().SetStyle(bsSolid);
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect({5, 6, 15, 16});
    EXPECT_EQ(InkBounds(Image()), (TRect{5, 6, 15, 16}));
}

TEST_F(CanvasTest, EllipseAndRoundRectAreInscribed) {
    Canvas().Brush().SetColor(clRed);
    Canvas().Ellipse({10, 10, 70, 50});
    EXPECT_EQ(InkBounds(Image()), (TRect{10, 10, 70, 50}));
    EXPECT_EQ(At(Image(), 40, 30), kRed);
    EXPECT_EQ(At(Image(), 12, 12), kWhite);

    TBitmapCanvas round(100, 100);
    round.Canvas().RoundRect({10, 10, 90, 90}, 40, 40);
    EXPECT_EQ(InkBounds(round.Image()), (TRect{10, 10, 90, 90}));
    EXPECT_EQ(At(round.Image(), 50, 10), kBlack);
    EXPECT_EQ(At(round.Image(), 11, 11), kWhite); // cut-off corner
}

TEST_F(CanvasTest, NotModeInvertsAndASecondPassRestores) {
    Canvas().Brush().SetColor(clRed);
    Canvas().Rectangle(20, 20, 80, 80);
    const QImage before = Image().copy();

    Canvas().Pen().SetMode(pmNot);
    Canvas().Pen().SetWidth(3);
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Rectangle(10, 10, 50, 50);
    EXPECT_EQ(At(Image(), 10, 30), kBlack);    // white inverted
    EXPECT_EQ(At(Image(), 30, 49), 0x00FFFFu); // red inverted
    EXPECT_EQ(At(Image(), 30, 30), kRed);      // inside untouched

    Canvas().Rectangle(10, 10, 50, 50);
    EXPECT_EQ(Image(), before);
}

TEST_F(CanvasTest, NopModeDrawsNothingButFillsIgnoreThePen) {
    Canvas().Pen().SetMode(pmNop);
    Canvas().Rectangle(10, 10, 50, 50);
    EXPECT_EQ(InkBounds(Image()), TRect{});
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect({10, 10, 20, 20});
    EXPECT_EQ(InkBounds(Image()), (TRect{10, 10, 20, 20}));
}

TEST_F(CanvasTest, PolygonAndPolylineFollowTheirPoints) {
    Canvas().Brush().SetColor(clRed);
    Canvas().Polygon({{10, 10}, {60, 10}, {10, 60}});
    EXPECT_EQ(InkBounds(Image()), (TRect{10, 10, 61, 61}));
    EXPECT_EQ(At(Image(), 20, 20), kRed);
    EXPECT_EQ(At(Image(), 50, 50), kWhite);

    TBitmapCanvas lines(100, 100);
    lines.Canvas().Polyline({{10, 10}, {90, 10}, {90, 50}});
    EXPECT_EQ(At(lines.Image(), 50, 10), kBlack);
    EXPECT_EQ(At(lines.Image(), 90, 30), kBlack);
    EXPECT_EQ(At(lines.Image(), 50, 30), kWhite); // an open chain is not filled
}

TEST_F(CanvasTest, HatchedBrushLeavesTheBackgroundShowing) {
    Canvas().Pen().SetStyle(psClear);
    Canvas().Brush().SetStyle(bsCross);
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect({0, 0, 40, 40});
    int red = 0;
    int white = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const QRgb p = At(Image(), x, y);
            red += p == kRed ? 1 : 0;
            white += p == kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(red, 100);
    EXPECT_GT(white, 800);
}

// A row of a picture as text, '#' for ink and '.' for white, for readable failures.
std::string RowInk(const QImage& image, int y, int width) {
    std::string row;
    for (int x = 0; x < width; ++x) {
        row += IsInk(image, x, y) ? '#' : '.';
    }
    return row;
}

// Dash and gap lengths in pixels, repeated over width.
std::string Dashes(std::initializer_list<int> pattern, int width) {
    std::string row;
    while (static_cast<int>(row.size()) < width) {
        bool dash = true;
        for (int length : pattern) {
            row.append(static_cast<size_t>(length), dash ? '#' : '.');
            dash = !dash;
        }
    }
    return row.substr(0, static_cast<size_t>(width));
}

TEST(CanvasDashTest, OnePixelPensDrawTheClassicPatterns) {
    constexpr int kLength = 96;
    const struct {
        TPenStyle style;
        std::string dashes;
    } cases[] = {
        {psDash, Dashes({18, 6}, kLength)},
        {psDot, Dashes({3, 3}, kLength)},
        {psDashDot, Dashes({9, 6, 3, 6}, kLength)},
        {psDashDotDot, Dashes({9, 3, 3, 3, 3, 3}, kLength)},
        {psSolid, Dashes({kLength}, kLength)},
    };
    for (const auto& c : cases) {
        TBitmapCanvas bitmap(kLength + 4, 10);
        bitmap.Canvas().Pen().SetStyle(c.style);
        bitmap.Canvas().Polyline({{0, 5}, {kLength, 5}});
        EXPECT_EQ(RowInk(bitmap.Image(), 5, kLength), c.dashes) << kPenStyleNames[c.style];
    }
}

TEST_F(CanvasTest, PixelsReadAndWrite) {
    Canvas().SetPixel(3, 4, clBlue);
    EXPECT_EQ(Canvas().Pixel(3, 4), clBlue);
    EXPECT_EQ(Canvas().Pixel(4, 4), clWhite);
    EXPECT_EQ(Canvas().Pixel(-1, 4), clNone);
    EXPECT_EQ(Canvas().Pixel(120, 0), clNone);
}

// A white picture of 120 x 100 pixels of a screen with this many device pixels per
// pixel, and a canvas on it.
class TPixelImage {
public:
    explicit TPixelImage(int ratio) : fImage(QSize(120, 100) * ratio, QImage::Format_RGB32) {
        fImage.setDevicePixelRatio(ratio);
        fImage.fill(Qt::white);
        fPainter.begin(&fImage);
        fCanvas = std::make_unique<TCanvas>(&fPainter);
    }
    TCanvas& Canvas() { return *fCanvas; }
    const QImage& Image() {
        fPainter.end();
        return fImage;
    }

private:
    QImage fImage;
    QPainter fPainter;
    std::unique_ptr<TCanvas> fCanvas;
};

// A grid set at once hits the very pixels that setting its points one by one hits,
// from sparse dots to a grid denser than the pixels, on screens of one and of two
// device pixels per pixel.
TEST(CanvasPixelGridTest, SetsThePixelsItsPointsWould) {
    for (const auto& [window, ratio] : {std::pair{100, 1},
                                        {37, 1},
                                        {250, 1},
                                        {800, 1},
                                        {2000, 1},
                                        {4000, 1},
                                        {100, 2},
                                        {250, 2},
                                        {4000, 2}}) {
        SCOPED_TRACE(testing::Message() << window << " at " << ratio);
        TPixelImage byPoints(ratio);
        TPixelImage byGrid(ratio);
        std::vector<int32_t> xs;
        std::vector<int32_t> ys;
        std::vector<TPoint> points;
        for (int32_t y = 3; y < 2 * window; y += 8) {
            ys.push_back(y);
        }
        for (int32_t x = 5; x < 3 * window; x += 8) {
            xs.push_back(x);
            for (int32_t y : ys) {
                points.push_back({x, y});
            }
        }
        for (TCanvas* canvas : {&byPoints.Canvas(), &byGrid.Canvas()}) {
            canvas->SetMapMode(TMapMode::Anisotropic);
            canvas->SetWindowExt(window, window);
            canvas->SetViewportExt(100, 100);
            canvas->SetWindowOrg(2, 1);
        }
        byPoints.Canvas().SetPixels(points, clRed);
        byGrid.Canvas().SetPixelGrid(xs, ys, clRed);
        EXPECT_EQ(byGrid.Image(), byPoints.Image());
    }
}

TEST_F(CanvasTest, MappingScalesAndMovesLogicalUnits) {
    Canvas().SetMapMode(TMapMode::Anisotropic);
    Canvas().SetWindowExt(100, 100);
    Canvas().SetViewportExt(200, 200);
    Canvas().SetWindowOrg(5, 0);
    EXPECT_EQ(Canvas().LPtoDP({10, 10}), (TPoint{10, 20}));
    EXPECT_EQ(Canvas().DPtoLP({10, 20}), (TPoint{10, 10}));
    Canvas().Pen().SetStyle(psClear);
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect({10, 10, 20, 20});
    EXPECT_EQ(InkBounds(Image()), (TRect{10, 20, 30, 40}));
    EXPECT_EQ(Canvas().Pixel(10, 10), clRed);
    EXPECT_EQ(Canvas().ClipRect(), (TRect{5, 0, 65, 50}));

    // Extents do not count in text mode.
    Canvas().SetMapMode(TMapMode::Text);
    EXPECT_EQ(Canvas().LPtoDP({10, 10}), (TPoint{5, 10}));
}

TEST_F(CanvasTest, IsotropicMappingKeepsTheAspect) {
    Canvas().SetMapMode(TMapMode::Isotropic);
    Canvas().SetWindowExt(100, 100);
    Canvas().SetViewportExt(300, 200);
    EXPECT_EQ(Canvas().LPtoDP({10, 10}), (TPoint{20, 20}));
}

TEST_F(CanvasTest, RestoreReturnsToTheSavedState) {
    const int first = Canvas().SaveDC();
    Canvas().Pen().SetColor(clRed);
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().SetHeight(-30);
    Canvas().SetBkMode(TBkMode::Transparent);
    Canvas().SetViewportOrg(10, 10);
    Canvas().IntersectClipRect({0, 0, 20, 20});
    const int second = Canvas().SaveDC();
    EXPECT_EQ(second, first + 1);
    Canvas().Pen().SetWidth(7);

    EXPECT_TRUE(Canvas().RestoreDC(-1));
    EXPECT_EQ(Canvas().Pen().Width(), 1);
    EXPECT_EQ(Canvas().Pen().Color(), clRed);
    EXPECT_TRUE(Canvas().HasClip());

    Canvas().SaveDC();
    EXPECT_TRUE(Canvas().RestoreDC(first)); // drops the newer save as well
    EXPECT_EQ(Canvas().Pen().Color(), clBlack);
    EXPECT_EQ(Canvas().Brush().Style(), bsSolid);
    EXPECT_EQ(Canvas().Font().Height(), -11);
    EXPECT_EQ(Canvas().BkMode(), TBkMode::Opaque);
    EXPECT_EQ(Canvas().ViewportOrg(), TPoint{});
    EXPECT_FALSE(Canvas().HasClip());
    EXPECT_FALSE(Canvas().RestoreDC(-1));
    EXPECT_FALSE(Canvas().RestoreDC(5));
}

TEST_F(CanvasTest, ClippingLimitsDrawing) {
    EXPECT_EQ(Canvas().ClipRect(), (TRect{0, 0, 120, 100}));
    Canvas().IntersectClipRect({10, 10, 50, 50});
    Canvas().IntersectClipRect({30, 0, 100, 40});
    EXPECT_EQ(Canvas().ClipRect(), (TRect{30, 10, 50, 40}));
    Canvas().ExcludeClipRect({30, 10, 40, 40});
    Canvas().Pen().SetStyle(psClear);
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect({0, 0, 120, 100});
    EXPECT_EQ(InkBounds(Image()), (TRect{40, 10, 50, 40}));

    Canvas().SelectClipRegion(TGraphRegion::Ellipse({60, 60, 100, 100}));
    Canvas().Brush().SetColor(clBlue);
    Canvas().FillRect({0, 0, 120, 100});
    EXPECT_EQ(Canvas().Pixel(80, 80), clBlue);
    EXPECT_EQ(Canvas().Pixel(61, 61), clWhite);
    Canvas().RemoveClip();
    EXPECT_FALSE(Canvas().HasClip());
}

class CanvasTextTest : public CanvasTest {
protected:
    CanvasTextTest() {
        Canvas().Font().SetName(QStringLiteral("Liberation Sans"));
        Canvas().Font().SetHeight(-16);
        Canvas().Font().SetColor(clBlack);
    }
    int32_t LineHeight() { return Canvas().TextHeight(QStringLiteral("X")); }
};

TEST_F(CanvasTextTest, ExtentMeasuresWithTheCurrentFont) {
    const TSize narrow = Canvas().TextExtent(QStringLiteral("iiii"));
    const TSize wide = Canvas().TextExtent(QStringLiteral("WWWW"));
    EXPECT_LT(narrow.cx, wide.cx);
    EXPECT_EQ(narrow.cy, wide.cy);
    EXPECT_EQ(Canvas().TextExtent(QString()).cx, 0);
    EXPECT_EQ(Canvas().TextExtent(QString()).cy, narrow.cy);
    const QFontMetrics metrics(Canvas().Font().ToQFont());
    EXPECT_EQ(narrow.cy, metrics.ascent() + metrics.descent());

    Canvas().Font().SetHeight(-32);
    EXPECT_GT(Canvas().TextExtent(QStringLiteral("iiii")).cx, narrow.cx);
}

TEST_F(CanvasTextTest, GlyphTestUsesTheFontItself) {
    EXPECT_TRUE(Canvas().HasGlyph(U'\u2026'));
    EXPECT_TRUE(Canvas().HasGlyph(U'A'));
    EXPECT_FALSE(Canvas().HasGlyph(U'\U0001F600')); // no emoji in this font
}

TEST_F(CanvasTextTest, CalcRectMeasuresLinesWithoutDrawing) {
    using namespace DrawTextFlag;
    TRect r{10, 10, 200, 10};
    const int32_t height = Canvas().DrawText(QStringLiteral("ab\r\nwide line\nc"), r,
                                             CalcRect | NoPrefix | EditControl);
    EXPECT_EQ(height, 3 * LineHeight());
    EXPECT_EQ(r.Bottom, 10 + 3 * LineHeight());
    EXPECT_EQ(r.Right, 10 + Canvas().TextWidth(QStringLiteral("wide line")));
    EXPECT_EQ(InkBounds(Image()), TRect{});
}

TEST_F(CanvasTextTest, EndEllipsisShortensAndModifyStringReportsIt) {
    using namespace DrawTextFlag;
    QString text = QStringLiteral("A caption far too long for the line");
    TRect r{0, 0, 80, 0};
    Canvas().DrawText(text, r, CalcRect | NoPrefix | EditControl | EndEllipsis | ModifyString);
    EXPECT_TRUE(text.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("A cap")));
    EXPECT_LE(r.Right, 80);
    EXPECT_EQ(r.Right, Canvas().TextWidth(text));
    EXPECT_EQ(r.Bottom, LineHeight());

    QString untouched = QStringLiteral("A caption far too long for the line");
    TRect r2{0, 0, 80, 0};
    Canvas().DrawText(untouched, r2, CalcRect | EndEllipsis);
    EXPECT_EQ(untouched, QStringLiteral("A caption far too long for the line"));

    QString fits = QStringLiteral("Short");
    TRect r3{0, 0, 200, 0};
    Canvas().DrawText(fits, r3, CalcRect | EndEllipsis | ModifyString);
    EXPECT_EQ(fits, QStringLiteral("Short"));
}

TEST_F(CanvasTextTest, AmpersandMarksAreRemovedUnlessNoPrefix) {
    using namespace DrawTextFlag;
    TRect withPrefix{0, 0, 300, 0};
    Canvas().DrawText(QStringLiteral("&File && Edit"), withPrefix, CalcRect);
    EXPECT_EQ(withPrefix.Right, Canvas().TextWidth(QStringLiteral("File & Edit")));
    TRect noPrefix{0, 0, 300, 0};
    Canvas().DrawText(QStringLiteral("&File && Edit"), noPrefix, CalcRect | NoPrefix);
    EXPECT_EQ(noPrefix.Right, Canvas().TextWidth(QStringLiteral("&File && Edit")));
}

TEST_F(CanvasTextTest, WordBreakWrapsAtSpaces) {
    using namespace DrawTextFlag;
    const int32_t width = Canvas().TextWidth(QStringLiteral("alpha beta"));
    TRect r{0, 0, width, 0};
    Canvas().DrawText(QStringLiteral("alpha beta gamma"), r, CalcRect | WordBreak);
    EXPECT_EQ(r.Bottom, 2 * LineHeight());
    EXPECT_EQ(r.Right, width);
}

TEST_F(CanvasTextTest, DrawTextIsClippedToItsRectangleUnlessNoClip) {
    using namespace DrawTextFlag;
    Canvas().SetBkMode(TBkMode::Transparent);
    TRect r{10, 10, 40, 60};
    Canvas().DrawText(QStringLiteral("Clipped text"), r, NoPrefix);
    const TRect ink = InkBounds(Image());
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 40);

    TBitmapCanvas free(120, 100);
    free.Canvas().Font().Assign(Canvas().Font());
    free.Canvas().SetBkMode(TBkMode::Transparent);
    TRect r2{10, 10, 40, 60};
    free.Canvas().DrawText(QStringLiteral("Clipped text"), r2, NoPrefix | NoClip);
    EXPECT_GT(InkBounds(free.Image()).Right, 40);
}

TEST_F(CanvasTextTest, DrawTextsClipEndsWithTheText) {
    TRect r{10, 10, 40, 30};
    Canvas().DrawText(QStringLiteral("Clipped"), r, DrawTextFlag::NoPrefix);
    Canvas().Brush().SetColor(clRed);
    Canvas().Rectangle(60, 50, 100, 90);
    EXPECT_EQ(At(Image(), 80, 70), kRed);
    EXPECT_EQ(At(Image(), 60, 50), kBlack);
}

TEST_F(CanvasTextTest, SingleLineTextCentresVertically) {
    using namespace DrawTextFlag;
    Canvas().SetBkMode(TBkMode::Transparent);
    TRect r{0, 0, 120, 100};
    Canvas().DrawText(QStringLiteral("Mid"), r, SingleLine | Center | VCenter);
    const TRect ink = InkBounds(Image());
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 50, 4);
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 60, 3);
}

TEST_F(CanvasTextTest, TextOutAlignsToItsReferencePoint) {
    Canvas().SetBkMode(TBkMode::Transparent);
    Canvas().SetTextAlign(TextAlign::Center | TextAlign::Bottom);
    Canvas().TextOut(60, 50, QStringLiteral("Hello"));
    const TRect ink = InkBounds(Image());
    EXPECT_LE(ink.Bottom, 50);
    EXPECT_GT(ink.Bottom, 50 - LineHeight());
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 60, 2);
}

TEST_F(CanvasTextTest, OpaqueTextFillsItsCellWithTheBrush) {
    Canvas().Brush().SetColor(clRed);
    Canvas().TextOut(10, 10, QStringLiteral("Hi"));
    EXPECT_EQ(At(Image(), 10, 10), kRed);
    EXPECT_EQ(InkBounds(Image()),
              (TRect{10, 10, 10 + Canvas().TextWidth(QStringLiteral("Hi")), 10 + LineHeight()}));

    TBitmapCanvas clear(60, 40);
    clear.Canvas().Brush().SetColor(clRed);
    clear.Canvas().SetBkMode(TBkMode::Transparent);
    clear.Canvas().TextOut(10, 10, QStringLiteral("Hi"));
    EXPECT_EQ(At(clear.Image(), 10, 10), kWhite);
}

TEST_F(CanvasTextTest, OrientationTurnsTheBaseline) {
    Canvas().SetBkMode(TBkMode::Transparent);
    Canvas().Font().SetOrientation(900); // upwards
    Canvas().TextOut(40, 90, QStringLiteral("Upwards"));
    const TRect ink = InkBounds(Image());
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_LE(ink.Bottom, 91);
    EXPECT_GE(ink.Left, 40);
}

// Everything the canvas draws, on one picture.
void DrawSampler(TCanvas& c) {
    c.Font().SetName(QStringLiteral("Liberation Sans"));
    c.Font().SetHeight(-13);
    c.SetBkMode(TBkMode::Transparent);

    c.Brush().SetColor(clYellow);
    c.Rectangle(10, 10, 90, 60);
    c.Brush().SetColor(clAqua);
    c.Pen().SetWidth(3);
    c.Ellipse({100, 10, 180, 60});
    c.Pen().SetWidth(1);
    c.Brush().SetColor(clLime);
    c.RoundRect({190, 10, 270, 60}, 20, 20);
    c.Brush().SetColor(clFuchsia);
    c.Polygon({{320, 10}, {360, 60}, {280, 60}});
    c.Pen().SetStyle(psDash);
    c.Polyline({{370, 10}, {410, 35}, {370, 60}});
    c.Pen().SetStyle(psSolid);

    int x = 10;
    for (TBrushStyle style : kSamplerHatches) {
        c.Brush().SetStyle(style);
        c.Brush().SetColor(clNavy);
        c.Rectangle(x, 70, x + 60, 110);
        x += 68;
    }
    c.Brush().SetStyle(bsSolid);

    c.Pen().SetMode(pmNot);
    c.Pen().SetWidth(3);
    c.Brush().SetStyle(bsClear);
    c.Rectangle(40, 40, 150, 90);
    c.Pen().SetMode(pmCopy);
    c.Pen().SetWidth(1);

    c.Font().SetColor(clMaroon);
    TRect box{10, 120, 130, 210};
    c.Rectangle(box);
    QString caption = QStringLiteral("A caption that is too long to fit on one line");
    c.DrawText(caption, box, DrawTextFlag::WordBreak | DrawTextFlag::Center);
    c.SetTextAlign(TextAlign::Center | TextAlign::Bottom);
    c.Font().SetOrientation(300);
    c.TextOut(250, 190, QStringLiteral("Rotated 30\u00b0"));
    c.Font().SetOrientation(0);
    c.SetTextAlign(TextAlign::Left | TextAlign::Top);
    c.SetBkMode(TBkMode::Opaque);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clSilver);
    c.TextOut(310, 130, QStringLiteral("Opaque"));
}

// The pixels of an area (inclusive bounds) that pass a test.
template <typename Test> int CountIn(const QImage& image, const QRect& area, Test test) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(At(image, x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Lettering in maroon, smoothed against whatever lies beneath.
bool IsLettering(QRgb rgb) {
    return qRed(rgb) > qGreen(rgb) + 40 && qRed(rgb) > qBlue(rgb) + 40;
}

// What a hatched area shows: lines across, lines down, lines falling or rising to the
// right (each inked pixel continues on the next row), only the brush and the paper.
struct THatchLook {
    bool fullRow = false;
    bool fullColumn = false;
    bool falling = true;
    bool rising = true;
    bool twoColours = true;

    bool operator==(const THatchLook&) const = default;
    friend void PrintTo(const THatchLook& look, std::ostream* out) {
        *out << "{fullRow " << look.fullRow << ", fullColumn " << look.fullColumn << ", falling "
             << look.falling << ", rising " << look.rising << ", twoColours " << look.twoColours
             << "}";
    }
};

THatchLook LookOf(const QImage& image, const QRect& area) {
    constexpr QRgb kNavy = 0x000080;
    const auto ink = [&](int x, int y) {
        return At(image, x, y) == kNavy;
    };
    THatchLook look;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool full = true;
        for (int x = area.left(); x <= area.right(); ++x) {
            full = full && ink(x, y);
            const QRgb rgb = At(image, x, y);
            look.twoColours = look.twoColours && (rgb == kNavy || rgb == kWhite);
            if (ink(x, y) && y < area.bottom()) {
                look.falling = look.falling && (x == area.right() || ink(x + 1, y + 1));
                look.rising = look.rising && (x == area.left() || ink(x - 1, y + 1));
            }
        }
        look.fullRow = look.fullRow || full;
    }
    for (int x = area.left(); x <= area.right(); ++x) {
        bool full = true;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            full = full && ink(x, y);
        }
        look.fullColumn = look.fullColumn || full;
    }
    return look;
}

// The sampler is saved for a person to look at; each of its shapes is checked where
// it was drawn, and the paper around it.
TEST(CanvasPictureTest, DrawsASampler) {
    TBitmapCanvas bitmap(420, 220);
    DrawSampler(bitmap.Canvas());
    const QImage& image = bitmap.Image();
    test::SaveTestImage(image, QStringLiteral("canvas-sampler"));

    const struct {
        const char* what;
        int x, y;
        QRgb color;
    } probes[] = {
        {"rectangle fill", 25, 25, 0xFFFF00},
        {"rectangle outline", 10, 30, kBlack},
        {"beside the rectangle", 95, 25, kWhite},
        {"ellipse fill", 140, 25, 0x00FFFF},
        {"ellipse outline", 140, 11, kBlack},
        {"corner outside the ellipse", 103, 13, kWhite},
        {"round rectangle fill", 230, 35, 0x00FF00},
        {"round rectangle outline", 190, 35, kBlack},
        {"rounded corner", 191, 11, kWhite},
        {"triangle fill", 320, 45, 0xFF00FF},
        {"beside the triangle", 290, 20, kWhite},
        {"inside the dashed angle", 380, 35, kWhite},
        {"between the hatches", 74, 100, kWhite},
        {"inverted over yellow", 60, 40, 0x0000FF},
        {"inverted over paper", 95, 40, kBlack},
        {"inverted over aqua", 150, 50, kRed},
        {"inside the inverted frame", 95, 55, kWhite},
        {"caption box outline", 10, 180, kBlack},
        {"caption box below the caption", 70, 200, kWhite},
        {"left of the opaque text", 305, 136, kWhite},
    };
    for (const auto& p : probes) {
        EXPECT_EQ(At(image, p.x, p.y), p.color) << p.what;
    }

    // The dashed line leaves about a quarter of a solid one's pixels out.
    TBitmapCanvas solid(420, 220);
    solid.Canvas().Polyline({{370, 10}, {410, 35}, {370, 60}});
    const QRect angle(365, 5, 50, 60);
    const auto isInk = [](QRgb rgb) {
        return rgb != kWhite;
    };
    const int dashedInk = CountIn(image, angle, isInk);
    const int solidInk = CountIn(solid.Image(), angle, isInk);
    EXPECT_GT(dashedInk, solidInk * 6 / 10);
    EXPECT_LT(dashedInk, solidInk * 9 / 10);

    const THatchLook looks[] = {
        {.fullRow = true, .falling = false, .rising = false},
        {.fullColumn = true, .falling = false, .rising = false},
        {.rising = false},
        {.falling = false},
        {.fullRow = true, .fullColumn = true, .falling = false, .rising = false},
        {.falling = false, .rising = false},
    };
    for (size_t i = 0; i < std::size(kSamplerHatches); ++i) {
        SCOPED_TRACE(kBrushStyleNames[kSamplerHatches[i]]);
        // Below the inverted frame, inside the outline.
        const QRect area(11 + 68 * static_cast<int>(i), 93, 57, 16);
        EXPECT_EQ(LookOf(image, area), looks[i]);
        EXPECT_GT(CountIn(image, area, [](QRgb rgb) { return rgb == kWhite; }), 0);
    }

    // The caption is in its box, the turned text rises to the right, the opaque text
    // lies on its cell.
    EXPECT_GT(CountIn(image, QRect(11, 121, 118, 40), IsLettering), 100);
    EXPECT_EQ(CountIn(image, QRect(131, 121, 50, 88), IsLettering), 0);
    const int left = CountIn(image, QRect(190, 140, 60, 75), IsLettering);
    const int right = CountIn(image, QRect(250, 140, 60, 75), IsLettering);
    EXPECT_GT(left, 30);
    EXPECT_GT(right, 30);
    EXPECT_GT(CountIn(image, QRect(190, 180, 60, 35), IsLettering), left / 2);
    EXPECT_GT(CountIn(image, QRect(250, 140, 60, 40), IsLettering), right / 2);
    EXPECT_GT(CountIn(image, QRect(310, 130, 50, 16), [](QRgb rgb) { return rgb == 0xC0C0C0; }),
              200);
    EXPECT_GT(CountIn(image, QRect(310, 130, 50, 16), IsLettering), 20);
}

} // namespace
} // namespace zov
