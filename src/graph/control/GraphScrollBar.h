#pragma once

#include "platform/graphics/Color.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <cstdint>

class QScrollBar;

namespace zov {

class TRaroviRovoz;

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
enum TScrollBarStyle : uint8_t { ssRegular, ssFlat, ssHotTrack };

// One scroll direction of the graph control: the zoomed content extent, the largest
// position the visible part allows, and the position itself. Drives the control's
// QScrollBar of its direction; the bar only reports what the user does with it.
// The flat-bar appearance (style, sizes, colour) is kept for the settings but
// Qt's own scroll bars are drawn.
class TGraphScrollBar {
public:
    TGraphScrollBar(TRaroviRovoz& owner, TScrollBarKind kind);
    ~TGraphScrollBar();
    TGraphScrollBar(const TGraphScrollBar&) = delete;
    TGraphScrollBar& operator=(const TGraphScrollBar&) = delete;

    TRaroviRovoz& Owner() const { return fOwner; }
    TScrollBarKind Kind() const { return fKind; }
    int32_t Range() const { return fRange; }
    // The largest position the content allows now; 0 while the bar is not shown.
    int32_t CalcRange() const { return fCalcRange; }
    int32_t Position() const { return fPosition; }
    // Clamps to 0..CalcRange and scrolls the window contents by the difference.
    void SetPosition(int32_t value);
    // The position the view uses: 0 when the bar may not be shown.
    int32_t ScrollPos() const { return fVisible ? fPosition : 0; }

    int32_t Increment() const { return fIncrement; }
    void SetIncrement(int32_t value);
    int32_t PageIncrement() const { return fPageIncrement; }
    int32_t Margin() const { return fMargin; }
    void SetMargin(int32_t value);
    bool Visible() const { return fVisible; }
    void SetVisible(bool value);
    bool Tracking() const { return fTracking; }
    void SetTracking(bool value);
    bool Smooth() const { return fSmooth; }
    void SetSmooth(bool value) { fSmooth = value; }
    int32_t ButtonSize() const { return fButtonSize; }
    void SetButtonSize(int32_t value);
    int32_t Size() const { return fSize; }
    void SetSize(int32_t value);
    int32_t ThumbSize() const { return fThumbSize; }
    void SetThumbSize(int32_t value);
    TScrollBarStyle Style() const { return fStyle; }
    void SetStyle(TScrollBarStyle value);
    TColor Color() const { return fColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return fParentColor; }
    void SetParentColor(bool value);

    void Assign(const TGraphScrollBar& source);
    // Visible and currently shown by the window.
    bool IsScrollBarVisible() const;
    // A right-to-left horizontal bar starts at its far end.
    void ChangeBiDiPosition();

    // Recomputes the content extent from the graph.
    void ComputeRange();
    void SetRange(int32_t extent);
    // The client extent in this direction, corrected for the other bar: as it is
    // (withOwnBar), as if the other bar were shown (withOtherBar) or hidden.
    int32_t VisibleExtent(bool withOwnBar, bool withOtherBar) const;
    bool RangeTooLarge() const { return VisibleExtent(false, false) < fRange; }
    // Computes the largest position and hands range, page and position to the bar.
    void PushScrollInfo(bool withOwnBar, bool withOtherBar);

private:
    QScrollBar* Bar() const;
    const TGraphScrollBar& OtherBar() const;
    // A user's action on the bar (QAbstractSlider::SliderAction).
    void HandleAction(int action);
    void SmoothStep(int32_t delta, int32_t divisions);

    TRaroviRovoz& fOwner;
    int32_t fIncrement = 8;
    int32_t fPageIncrement = 80;
    int32_t fPosition = 0;
    int32_t fRange = 0;
    int32_t fCalcRange = 0;
    TScrollBarKind fKind;
    int32_t fMargin = 0;
    bool fVisible = true;
    bool fTracking = false;
    bool fSmooth = false;
    int32_t fDelay = 10;
    int32_t fButtonSize = 0;
    TColor fColor = clBtnHighlight;
    bool fParentColor = true;
    int32_t fSize = 0;
    TScrollBarStyle fStyle = ssRegular;
    int32_t fThumbSize = 0;
    int32_t fPageDiv = 12;
    int32_t fLineDiv = 4;
    QElapsedTimer fStepTimer;
    // The bar outlives this object (the window deletes it later).
    QMetaObject::Connection fActionConnection;
    QMetaObject::Connection fValueConnection;
};

} // namespace zov
