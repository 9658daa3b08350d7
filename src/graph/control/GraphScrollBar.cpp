#include "GraphScrollBar.h"

#include "RaroviRovoz.h"
#include "platform/types/Arithmetic.h"

#include <QScrollBar>
#include <QThread>
#include <algorithm>

namespace zov {

TGraphScrollBar::TGraphScrollBar(TRaroviRovoz& owner, TScrollBarKind kind)
    : fOwner(owner), fKind(kind) {
    QScrollBar* bar = Bar();
    bar->setTracking(fTracking);
    bar->setSingleStep(fIncrement);
    fActionConnection = QObject::connect(bar, &QAbstractSlider::actionTriggered, bar,
                                         [this](int action) { HandleAction(action); });
    fValueConnection = QObject::connect(bar, &QAbstractSlider::valueChanged, bar,
                                        [this](int value) { SetPosition(value); });
}

TGraphScrollBar::~TGraphScrollBar() {
    QObject::disconnect(fActionConnection);
    QObject::disconnect(fValueConnection);
}

QScrollBar* TGraphScrollBar::Bar() const {
    return fKind == sbHorizontal ? fOwner.horizontalScrollBar() : fOwner.verticalScrollBar();
}

const TGraphScrollBar& TGraphScrollBar::OtherBar() const {
    return fKind == sbHorizontal ? fOwner.VertScrollBar() : fOwner.HorzScrollBar();
}

void TGraphScrollBar::SetPosition(int32_t value) {
    value = std::clamp(value, 0, fCalcRange);
    if (value != fPosition) {
        const int32_t delta = fPosition - value;
        fPosition = value;
        if (fKind == sbHorizontal) {
            fOwner.ScrollBy(delta, 0);
        } else {
            fOwner.ScrollBy(0, delta);
        }
    }
    QScrollBar* bar = Bar();
    if (bar->value() != fPosition && bar->maximum() >= fPosition) {
        bar->setValue(fPosition);
    }
}

void TGraphScrollBar::SetIncrement(int32_t value) {
    fIncrement = std::clamp(value, 1, 32767);
    Bar()->setSingleStep(fIncrement);
}

void TGraphScrollBar::SetMargin(int32_t value) {
    if (value != fMargin) {
        fMargin = std::clamp(value, 0, 65535);
        ComputeRange();
    }
}

void TGraphScrollBar::SetVisible(bool value) {
    fVisible = value;
    const Qt::ScrollBarPolicy policy = value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (fKind == sbHorizontal) {
        fOwner.setHorizontalScrollBarPolicy(policy);
    } else {
        fOwner.setVerticalScrollBarPolicy(policy);
    }
    fOwner.UpdateScrollBars();
}

void TGraphScrollBar::SetTracking(bool value) {
    fTracking = value;
    Bar()->setTracking(value);
}

void TGraphScrollBar::SetButtonSize(int32_t value) {
    if (value != fButtonSize) {
        fButtonSize = value;
        fOwner.UpdateScrollBars();
    }
}

void TGraphScrollBar::SetSize(int32_t value) {
    if (value != fSize) {
        fSize = value;
        fOwner.UpdateScrollBars();
    }
}

void TGraphScrollBar::SetThumbSize(int32_t value) {
    fThumbSize = value;
    fOwner.UpdateScrollBars();
}

void TGraphScrollBar::SetStyle(TScrollBarStyle value) {
    fStyle = value;
    fOwner.UpdateScrollBars();
}

void TGraphScrollBar::SetColor(TColor value) {
    fColor = value;
    fParentColor = false;
    fOwner.UpdateScrollBars();
}

void TGraphScrollBar::SetParentColor(bool value) {
    fParentColor = value;
    if (value) {
        fColor = clBtnHighlight;
    }
}

void TGraphScrollBar::Assign(const TGraphScrollBar& source) {
    SetVisible(source.fVisible);
    SetPosition(source.fPosition);
    SetButtonSize(source.fButtonSize);
    SetColor(source.fColor);
    SetParentColor(source.fParentColor);
    SetIncrement(source.fIncrement);
    SetMargin(source.fMargin);
    SetSmooth(source.fSmooth);
    SetSize(source.fSize);
    SetStyle(source.fStyle);
    SetThumbSize(source.fThumbSize);
    SetTracking(source.fTracking);
}

bool TGraphScrollBar::IsScrollBarVisible() const {
    const QScrollBar* bar = Bar();
    return fVisible && bar->maximum() > bar->minimum();
}

void TGraphScrollBar::ChangeBiDiPosition() {
    if (fKind == sbHorizontal && IsScrollBarVisible()) {
        SetPosition(fOwner.layoutDirection() == Qt::RightToLeft ? fRange : 0);
    }
}

void TGraphScrollBar::ComputeRange() {
    const bool horizontal = fKind == sbHorizontal;
    int32_t extent;
    if (fOwner.FixedScrollBars()) {
        TGraphConstraints& constraints = fOwner.GraphConstraints();
        extent = horizontal ? constraints.MaxRight() : constraints.MaxBottom();
    } else {
        extent = 1;
        if (fOwner.ValidMarkedArea()) {
            const TRect& marked = fOwner.MarkedArea();
            extent = std::max(extent, horizontal ? marked.Right : marked.Bottom);
        }
        const TRect bounds = fOwner.GraphBounds();
        extent = std::max(extent, horizontal ? bounds.Right : bounds.Bottom);
    }
    SetRange(ClampToInt32(static_cast<int64_t>(extent) + fMargin));
}

void TGraphScrollBar::SetRange(int32_t extent) {
    const int32_t range = extent > 0 ? MulDiv(extent, fOwner.Zoom(), 100) : 0;
    if (range != fRange) {
        fRange = range;
        fOwner.UpdateScrollBars();
    }
}

int32_t TGraphScrollBar::VisibleExtent(bool withOwnBar, bool withOtherBar) const {
    const TSize client = fOwner.ClientSize();
    int32_t extent = fKind == sbHorizontal ? client.cx : client.cy;
    if (withOwnBar) {
        return extent;
    }
    const int32_t otherSize = fKind == sbHorizontal
                                  ? fOwner.verticalScrollBar()->sizeHint().width()
                                  : fOwner.horizontalScrollBar()->sizeHint().height();
    const bool otherShown = OtherBar().IsScrollBarVisible();
    if (withOtherBar && !otherShown) {
        extent -= otherSize;
    } else if (!withOtherBar && otherShown) {
        extent += otherSize;
    }
    return extent;
}

void TGraphScrollBar::PushScrollInfo(bool withOwnBar, bool withOtherBar) {
    const int32_t visible = VisibleExtent(withOwnBar, withOtherBar);
    fCalcRange = fVisible ? std::max(0, fRange - visible) : 0;
    // The bar's own value follows through SetPosition, which clamps to fCalcRange.
    QScrollBar* bar = Bar();
    bar->setRange(0, fCalcRange);
    bar->setPageStep(std::max(1, visible));
    SetPosition(fPosition);
    fPageIncrement = std::clamp(VisibleExtent(true, false) * 9 / 10, 0, 65535);
    if (fSmooth) {
        fIncrement = std::max(1, fPageIncrement / 10);
        bar->setSingleStep(fIncrement);
    }
    bar->setPageStep(std::max(1, VisibleExtent(true, false)));
}

void TGraphScrollBar::HandleAction(int action) {
    if (!fVisible || !fSmooth) {
        return;
    }
    int32_t delta = 0;
    int32_t divisions = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        delta = -fIncrement;
        divisions = fLineDiv;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        delta = fIncrement;
        divisions = fLineDiv;
        break;
    case QAbstractSlider::SliderPageStepSub:
        delta = -fPageIncrement;
        divisions = fPageDiv;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        delta = fPageIncrement;
        divisions = fPageDiv;
        break;
    default:
        return;
    }
    // The bar has already moved its slider; the animation takes over from the
    // current position instead.
    Bar()->setSliderPosition(fPosition);
    SmoothStep(delta, divisions);
}

void TGraphScrollBar::SmoothStep(int32_t delta, int32_t divisions) {
    const int32_t step = delta / divisions;
    const int32_t rest = delta % divisions;
    for (int32_t i = 0; i < divisions; ++i) {
        if (fStepTimer.isValid()) {
            const qint64 wait = fDelay - fStepTimer.elapsed();
            if (wait > 0) {
                QThread::msleep(static_cast<unsigned long>(wait));
            }
        }
        fStepTimer.start();
        SetPosition(fPosition + step);
        fOwner.viewport()->repaint();
    }
    if (rest != 0) {
        SetPosition(fPosition + rest);
    }
}

} // namespace zov
