// Painting the view: background with rulers, page and grid, the objects, the
// selection.
#include "RaroviRovoz.h"
#include "graph/model/Geometry.h"
#include "platform/graphics/Canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zov {

namespace {

constexpr TColor kRulerColor = 0xC0C0C0;
constexpr TColor kShadowColor = 0x808080;
constexpr int32_t kTickSpacing = 4;
constexpr int32_t kLabelReach = 40; // more than half the widest ruler number

// The smallest multiple of step that is at least value.
int32_t FirstMultiple(int32_t value, int32_t step) {
    const int64_t v = value;
    const int64_t q = v >= 0 ? (v + step - 1) / step : -((-v) / step);
    return static_cast<int32_t>(q * step);
}

// A tick every kTickSpacing units counted from the page edge, so that a partial
// repaint draws the same ticks and numbers as a full one.
struct RulerTicks {
    int32_t First;
    int32_t Count;
};

RulerTicks TicksFrom(int32_t pageEdge, int32_t from) {
    const int32_t offset = std::max(0, FirstMultiple(from - pageEdge, kTickSpacing));
    return {pageEdge + offset, offset / kTickSpacing};
}

int32_t TickLength(int32_t n, int32_t longTick, int32_t midTick, int32_t shortTick) {
    return n % 10 == 0 ? longTick : n % 5 == 0 ? midTick : shortTick;
}

// Which ticks to draw: where many fall into one pixel, a simplified screen draws only
// every fifth or tenth, which still gives each pixel the longest tick that falls into it.
int32_t TickStep(const TCanvas& canvas) {
    if (!canvas.Simplified()) {
        return 1;
    }
    const double pixels = kTickSpacing * canvas.DeviceScale();
    for (const int32_t step : {10, 5}) {
        if (pixels * step <= 1) {
            return step;
        }
    }
    return 1;
}

} // namespace

void TRaroviRovoz::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.setClipRect(area);
    if (!fTransparent) {
        painter.fillRect(area, ToQColor(Color()));
    }
    TCanvas canvas(&painter);
    // Handlers that draw on objects need every object drawn in full.
    canvas.SetSimplified(fSimplifiedPainting && !OnObjectBeforeDraw && !OnObjectAfterDraw);
    // The view's canvas starts with the control's font: the ruler numbers keep its face.
    canvas.Font().Assign(Font());
    SetupDC(canvas);
    Paint(canvas);
}

void TRaroviRovoz::Paint(TCanvas& canvas) {
    PaintBackground(canvas);
    PaintObjects(canvas, Objects());
    PaintSelection(canvas);
}

void TRaroviRovoz::PaintBackground(TCanvas& canvas) {
    const int32_t m = PageMargin;
    const TRect page = GraphConstraints().BoundsRect();
    canvas.SaveDC();
    canvas.SetAntialiased(false);
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetMode(pmCopy);

    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(kRulerColor);
    canvas.Rectangle(m, 0, page.Right + 3, m - 2);
    canvas.Rectangle(0, m, m - 2, page.Bottom);
    canvas.Rectangle(0, 0, m - 2, m - 2);

    canvas.MoveTo(page.Left, page.Top);
    canvas.LineTo(page.Right, page.Top);
    canvas.MoveTo(page.Left, page.Top);
    canvas.LineTo(page.Left, page.Bottom);
    canvas.MoveTo(page.Left, page.Bottom);
    canvas.LineTo(page.Right, page.Bottom);
    canvas.MoveTo(page.Right, page.Top);
    canvas.LineTo(page.Right, page.Bottom);

    canvas.Brush().SetColor(kShadowColor);
    canvas.FillRect({page.Left + 5, page.Bottom + 1, page.Right + 5, page.Bottom + 6});
    canvas.FillRect({page.Right + 1, page.Top + 5, page.Right + 5, page.Bottom + 5});

    const TRect clip = canvas.ClipRect();
    TRect work = clip;
    ShrinkRectToOverlap(work, page);
    if (fShowGrid && !work.IsEmpty()) {
        std::vector<int32_t> xs;
        std::vector<int32_t> ys;
        for (int32_t x = FirstMultiple(work.Left, GridSize()); x < work.Right; x += GridSize()) {
            xs.push_back(x);
        }
        for (int32_t y = FirstMultiple(work.Top, GridSize()); y < work.Bottom; y += GridSize()) {
            ys.push_back(y);
        }
        canvas.SetPixelGrid(xs, ys, fGridColor);
    }

    // The rulers follow the repainted stretch of the page in their own direction.
    canvas.Font().SetSize(6);
    canvas.Font().SetColor(clBlack);
    canvas.Font().SetStyle({fsBold});
    canvas.Brush().SetColor(kRulerColor);
    canvas.SetBkMode(TBkMode::Transparent);
    canvas.SetTextAlign(TextAlign::Left | TextAlign::Top);
    // Numbers reach beyond their tick: ticks just outside the repainted area are
    // drawn too, so that the parts of their numbers inside it appear.
    const int32_t step = TickStep(canvas);
    TPoints ticks;
    const int32_t right = std::min(clip.Right + kLabelReach, page.Right);
    for (RulerTicks t = TicksFrom(page.Left, clip.Left - kLabelReach); t.First < right;
         t.First += kTickSpacing, ++t.Count) {
        if (t.Count % step == 0) {
            ticks.push_back({t.First, 1});
            ticks.push_back({t.First, TickLength(t.Count, 9, 7, 5)});
        }
        if (t.Count % 10 == 0) {
            const QString text = QString::number(t.Count);
            canvas.TextOut(t.First -
                               static_cast<int32_t>(std::nearbyint(canvas.TextWidth(text) / 2.0)),
                           8, text);
        }
    }
    const int32_t bottom = std::min(clip.Bottom + kLabelReach, page.Bottom);
    for (RulerTicks t = TicksFrom(page.Top, clip.Top - kLabelReach); t.First < bottom;
         t.First += kTickSpacing, ++t.Count) {
        if (t.Count % step == 0) {
            ticks.push_back({1, t.First});
            ticks.push_back({TickLength(t.Count, 10, 7, 5), t.First});
        }
        if (t.Count % 10 == 0) {
            const QString text = QString::number(t.Count);
            const TSize size = canvas.TextExtent(text);
            canvas.TextOut(24 - size.cx,
                           t.First + 2 - static_cast<int32_t>(std::nearbyint(size.cy / 2.0)), text);
        }
    }
    // Ticks and numbers are both black: which is drawn first makes no difference.
    canvas.LineSegments(ticks);
    canvas.RestoreDC();
}

void TRaroviRovoz::PaintObjects(TCanvas& canvas, TGraphObjectList& list) {
    fDocument.PaintObjects(canvas, list);
}

void TRaroviRovoz::PaintSelection(TCanvas& canvas) {
    if (!fHideSelection || hasFocus()) {
        for (int32_t i = 0; i < SelectedObjects().Count(); ++i) {
            SelectedObjects().Items(i)->DrawMarks(canvas);
        }
    }
    if (fValidMarkedArea && fMarkedArea.Width() > 0 && fMarkedArea.Height() > 0) {
        canvas.SaveDC();
        canvas.Brush().SetStyle(bsClear);
        canvas.Pen().SetStyle(psDot);
        canvas.Pen().SetWidth(0);
        canvas.Pen().SetMode(pmNot);
        canvas.Rectangle(fMarkedArea);
        canvas.RestoreDC();
    }
}

void TRaroviRovoz::DoBeforeDraw(TCanvas& canvas) {
    if (OnBeforeDraw) {
        OnBeforeDraw(*this, canvas);
    }
}

void TRaroviRovoz::DoAfterDraw(TCanvas& canvas) {
    if (OnAfterDraw) {
        OnAfterDraw(*this, canvas);
    }
}

} // namespace zov
