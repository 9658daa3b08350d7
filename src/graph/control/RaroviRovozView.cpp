// The view: zoom, the graph/client transform, scrolling and grid snapping.
#include "Cursors.h"
#include "RaroviRovoz.h"
#include "platform/graphics/Canvas.h"
#include "platform/types/Arithmetic.h"

#include <QCursor>
#include <QEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace zov {

namespace {

constexpr int32_t kMinZoom = 5;
constexpr int32_t kMaxZoom = 36863;

int32_t ClampZoom(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, kMinZoom, kMaxZoom));
}

} // namespace

void TRaroviRovoz::SetZoom(int32_t value) {
    value = ClampZoom(value);
    if (value == fZoom) {
        return;
    }
    fZoom = value;
    UpdateScrollRanges();
    Invalidate();
    DoZoomChange();
}

bool TRaroviRovoz::ChangeZoom(int32_t newZoom, TGraphZoomOrigin origin) {
    newZoom = ClampZoom(newZoom);
    if (newZoom == fZoom) {
        return false;
    }
    const bool aroundCursor = origin == zoCursor || origin == zoCursorCenter;
    const TRect oldVisible = VisibleBounds();
    const TPoint oldCursor = aroundCursor ? CursorPos() : TPoint{};
    fZoom = newZoom;
    UpdateScrollRanges();
    switch (origin) {
    case zoTopLeft:
        ScrollInView(oldVisible);
        break;
    case zoCenter:
        ScrollCenter(oldVisible);
        break;
    case zoCursor: {
        const TPoint newCursor = CursorPos();
        for (TGraphScrollBar* bar : {fHorzScrollBar.get(), fVertScrollBar.get()}) {
            if (bar->IsScrollBarVisible()) {
                const int32_t moved = bar->Kind() == sbHorizontal ? newCursor.X - oldCursor.X
                                                                  : newCursor.Y - oldCursor.Y;
                bar->SetPosition(bar->Position() - MulDiv(moved, fZoom, 100));
            }
        }
        break;
    }
    case zoCursorCenter:
        ScrollCenter(oldCursor);
        break;
    }
    Invalidate();
    DoZoomChange();
    return true;
}

bool TRaroviRovoz::ChangeZoomBy(int32_t delta, TGraphZoomOrigin origin) {
    return ChangeZoom(ClampZoom(static_cast<int64_t>(fZoom) + delta), origin);
}

bool TRaroviRovoz::ZoomRect(const TRect& rect) {
    const TSize client = ClientSize();
    int32_t width = client.cx;
    int32_t height = client.cy;
    // Leave room for bars that zooming in may bring.
    if (!fVertScrollBar->IsScrollBarVisible()) {
        width -= verticalScrollBar()->sizeHint().width();
    }
    if (!fHorzScrollBar->IsScrollBarVisible()) {
        height -= horizontalScrollBar()->sizeHint().height();
    }
    // A rectangle without width or height does not limit the zoom in that direction.
    const int32_t zx = rect.Width() > 0 ? MulDiv(100, width, rect.Width()) : kMaxZoom;
    const int32_t zy = rect.Height() > 0 ? MulDiv(100, height, rect.Height()) : kMaxZoom;
    SetZoom(ClampZoom(std::min(zx, zy)));
    ScrollCenter(rect);
    return zx == fZoom || zy == fZoom;
}

bool TRaroviRovoz::ZoomObject(const TGraphObject* object) {
    return object != nullptr && ZoomRect(object->VisualRect());
}

bool TRaroviRovoz::ZoomSelection() {
    return SelectedObjects().Count() > 0 && ZoomRect(SelectionBounds());
}

bool TRaroviRovoz::ZoomGraph() {
    return Objects().Count() > 0 && ZoomRect(GraphBounds());
}

// Rounded to the nearest (ties to even) and kept within 32 bits: zoomed far-off
// coordinates may exceed them.
TPoint TRaroviRovoz::GraphToClient(int32_t x, int32_t y) const {
    auto convert = [this](int32_t c, int32_t position) {
        return ClampToInt32(std::nearbyint(static_cast<double>(c) * fZoom / 100.0) - position);
    };
    return {convert(x, fHorzScrollBar->ScrollPos()), convert(y, fVertScrollBar->ScrollPos())};
}

TPoint TRaroviRovoz::ClientToGraph(int32_t x, int32_t y) const {
    auto convert = [this](int32_t c, int32_t position) {
        return ClampToInt32(std::nearbyint((static_cast<double>(c) + position) * 100.0 / fZoom));
    };
    return {convert(x, fHorzScrollBar->ScrollPos()), convert(y, fVertScrollBar->ScrollPos())};
}

TPoint TRaroviRovoz::ScreenToGraph(int32_t x, int32_t y) const {
    const QPoint client = viewport()->mapFromGlobal(QPoint(x, y));
    return ClientToGraph(client.x(), client.y());
}

TPoint TRaroviRovoz::GraphToScreen(int32_t x, int32_t y) const {
    const TPoint client = GraphToClient(x, y);
    const QPoint screen = viewport()->mapToGlobal(QPoint(client.X, client.Y));
    return {screen.x(), screen.y()};
}

TPoint TRaroviRovoz::CursorPos() const {
    const QPoint screen = QCursor::pos();
    return ScreenToGraph(screen.x(), screen.y());
}

void TRaroviRovoz::SetCursorPos(const TPoint& pt) {
    const TPoint screen = GraphToScreen(pt.X, pt.Y);
    QCursor::setPos(screen.X, screen.Y);
}

// Qt lays out the bars and the viewport a moment after their ranges change; the
// client area follows from which bars are shown at once.
TSize TRaroviRovoz::ClientSize() const {
    const QRect area = contentsRect();
    int32_t width = area.width();
    int32_t height = area.height();
    if (fVertScrollBar->IsScrollBarVisible()) {
        width -= verticalScrollBar()->sizeHint().width();
    }
    if (fHorzScrollBar->IsScrollBarVisible()) {
        height -= horizontalScrollBar()->sizeHint().height();
    }
    return {std::max(width, 0), std::max(height, 0)};
}

TRect TRaroviRovoz::VisibleBounds() const {
    const TPoint topLeft = ClientToGraph(0, 0);
    const TSize client = ClientSize();
    const TPoint bottomRight = ClientToGraph(client.cx, client.cy);
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

void TRaroviRovoz::SetupDC(TCanvas& canvas, const TPoint* origin) const {
    const TPoint shift = origin != nullptr ? *origin : TPoint{};
    canvas.SetMapMode(TMapMode::Anisotropic);
    canvas.SetViewportOrg(-shift.X - fHorzScrollBar->ScrollPos(),
                          -shift.Y - fVertScrollBar->ScrollPos());
    canvas.SetWindowExt(100, 100);
    canvas.SetViewportExt(fZoom, fZoom);
}

// ---- Scrolling ----

void TRaroviRovoz::ScrollInView(const TGraphObject* object) {
    if (object != nullptr) {
        ScrollInView(object->SelectedVisualRect());
    }
}

// A rectangle that fits comes fully into view with the least movement; one that
// does not fit shows its top-left part, its left (top) edge at the client's edge.
void TRaroviRovoz::ScrollInView(const TRect& rect) {
    const TRect visible = VisibleBounds();
    TPoint target = rect.TopLeft();
    const bool fitsX = visible.Width() >= rect.Width();
    const bool fitsY = visible.Height() >= rect.Height();
    if (fitsX && visible.Right < rect.Right) {
        target.X = rect.Right;
    }
    if (fitsY && visible.Bottom < rect.Bottom) {
        target.Y = rect.Bottom;
    }
    ScrollInView(target);
    // Scrolled to the far side, the edge of a rectangle too large for the view would
    // sit at the client's right (bottom) edge and none of it would show.
    if (!fitsX && fHorzScrollBar->IsScrollBarVisible() && target.X >= visible.Right) {
        fHorzScrollBar->SetPosition(MulDiv(target.X, fZoom, 100));
    }
    if (!fitsY && fVertScrollBar->IsScrollBarVisible() && target.Y >= visible.Bottom) {
        fVertScrollBar->SetPosition(MulDiv(target.Y, fZoom, 100));
    }
}

void TRaroviRovoz::ScrollInView(const TPoint& pt) {
    auto scroll = [this](TGraphScrollBar& bar, int32_t coordinate, int32_t extent) {
        if (!bar.IsScrollBarVisible()) {
            return;
        }
        const int32_t pos = MulDiv(coordinate, fZoom, 100);
        if (pos < bar.Position()) {
            bar.SetPosition(pos);
        } else if (pos > bar.Position() + extent) {
            bar.SetPosition(pos - extent);
        }
    };
    const TSize client = ClientSize();
    scroll(*fHorzScrollBar, pt.X, client.cx);
    scroll(*fVertScrollBar, pt.Y, client.cy);
}

void TRaroviRovoz::ScrollCenter(const TGraphObject& object) {
    ScrollCenter(object.VisualRect());
}

void TRaroviRovoz::ScrollCenter(const TRect& rect) {
    ScrollCenter(TPoint{static_cast<int32_t>((static_cast<int64_t>(rect.Left) + rect.Right) / 2),
                        static_cast<int32_t>((static_cast<int64_t>(rect.Top) + rect.Bottom) / 2)});
}

void TRaroviRovoz::ScrollCenter(const TPoint& pt) {
    if (fHorzScrollBar->IsScrollBarVisible()) {
        fHorzScrollBar->SetPosition(MulDiv(pt.X, fZoom, 100) - ClientSize().cx / 2);
    }
    if (fVertScrollBar->IsScrollBarVisible()) {
        fVertScrollBar->SetPosition(MulDiv(pt.Y, fZoom, 100) - ClientSize().cy / 2);
    }
}

// Moves what is painted already; only the uncovered strip is painted anew.
void TRaroviRovoz::ScrollBy(int32_t deltaX, int32_t deltaY) {
    if (deltaX != 0 || deltaY != 0) {
        viewport()->scroll(deltaX, deltaY);
    }
}

// ---- Scroll ranges ----

void TRaroviRovoz::UpdateScrollRanges() {
    fHorzScrollBar->ComputeRange();
    fVertScrollBar->ComputeRange();
}

void TRaroviRovoz::UpdateScrollBars() {
    if (fUpdatingScrollBars) {
        return;
    }
    fUpdatingScrollBars = true;
    if (fVertScrollBar->RangeTooLarge()) {
        fHorzScrollBar->PushScrollInfo(false, true);
        fVertScrollBar->PushScrollInfo(true, false);
    } else {
        fVertScrollBar->PushScrollInfo(false, fHorzScrollBar->RangeTooLarge());
        fHorzScrollBar->PushScrollInfo(true, false);
    }
    fUpdatingScrollBars = false;
}

void TRaroviRovoz::resizeEvent(QResizeEvent* event) {
    if (!fUpdatingScrollBars) {
        fUpdatingScrollBars = true;
        UpdateScrollRanges();
        fUpdatingScrollBars = false;
        if (fHorzScrollBar->Visible() || fVertScrollBar->Visible()) {
            UpdateScrollBars();
        }
    }
    QAbstractScrollArea::resizeEvent(event);
}

// The bars report their moves through TGraphScrollBar, which scrolls the view.
void TRaroviRovoz::scrollContentsBy(int, int) {}

void TRaroviRovoz::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) {
        fHorzScrollBar->ChangeBiDiPosition();
        UpdateScrollBars();
    }
}

void TRaroviRovoz::SetScreenCursor(TCursor cursor) {
    viewport()->setCursor(ToQCursor(cursor));
}

} // namespace zov
