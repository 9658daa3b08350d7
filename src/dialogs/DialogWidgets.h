#pragma once

#include "platform/graphics/Color.h"
#include "platform/graphics/Pen.h"

#include <QFrame>

namespace zov {

// A colour field: a panel showing its colour, as an inset swatch or over its whole
// face. A click (or Space) opens the colour chooser preset with the colour; OK there
// stores the chosen colour, Cancel keeps the old one.
class TColorPanel : public QFrame {
    Q_OBJECT
public:
    explicit TColorPanel(QWidget* parent = nullptr);

    TColor Color() const { return fColor; }
    void SetColor(TColor color);
    // Whether the colour covers the whole panel rather than an inset swatch.
    void SetFillsPanel(bool value);
    // Runs the colour chooser; true when the user chose a colour.
    bool Choose();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TColor fColor = clWhite;
    bool fFillsPanel = false;
};

// A sample of a line style beside its radio button.
class TLineSample : public QWidget {
    Q_OBJECT
public:
    explicit TLineSample(QWidget* parent = nullptr);

    void SetPenStyle(TPenStyle style);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPenStyle fStyle = psSolid;
};

} // namespace zov
