#pragma once

#include "platform/graphics/Canvas.h"

namespace zov {

// Keeps a canvas's pen, font, brush and text alignment while objects draw on it, and
// puts them back when the reference changes or the recall ends.
class TCanvasRecall {
public:
    explicit TCanvasRecall(TCanvas* reference = nullptr) { SetReference(reference); }
    ~TCanvasRecall() { Retrieve(); }
    TCanvasRecall(const TCanvasRecall&) = delete;
    TCanvasRecall& operator=(const TCanvasRecall&) = delete;

    TCanvas* Reference() const { return fReference; }
    void SetReference(TCanvas* value) {
        if (value != fReference) {
            Retrieve();
            fReference = value;
            Store();
        }
    }
    void Store() {
        if (fReference != nullptr) {
            fPen.Assign(fReference->Pen());
            fFont.Assign(fReference->Font());
            fBrush.Assign(fReference->Brush());
            fTextFlags = fReference->TextAlignFlags();
        }
    }
    void Retrieve() {
        if (fReference != nullptr) {
            fReference->Pen().Assign(fPen);
            fReference->Font().Assign(fFont);
            fReference->Brush().Assign(fBrush);
            fReference->SetTextAlign(fTextFlags);
        }
    }

private:
    TPen fPen;
    TFont fFont;
    TBrush fBrush;
    unsigned fTextFlags = 0;
    TCanvas* fReference = nullptr;
};

} // namespace zov
