#include "dialogs/DialogWidgets.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zov {

TColorPanel::TColorPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(40, 22);
}

void TColorPanel::SetColor(TColor color) {
    if (color != fColor) {
        fColor = color;
        update();
    }
}

void TColorPanel::SetFillsPanel(bool value) {
    fFillsPanel = value;
    update();
}

bool TColorPanel::Choose() {
    QColorDialog chooser(ToQColor(fColor), this);
    chooser.setObjectName(QStringLiteral("ColorDialog"));
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted || !chooser.selectedColor().isValid()) {
        return false;
    }
    SetColor(FromQColor(chooser.selectedColor()));
    return true;
}

void TColorPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const int inset = fFillsPanel ? frameWidth() : frameWidth() + 4;
    const QRect swatch = rect().adjusted(inset, inset, -inset, -inset);
    painter.fillRect(swatch, ToQColor(fColor));
    if (!fFillsPanel) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Choose();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

void TColorPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        Choose();
        return;
    }
    QFrame::keyPressEvent(event);
}

TLineSample::TLineSample(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TLineSample::SetPenStyle(TPenStyle style) {
    fStyle = style;
    update();
}

QSize TLineSample::sizeHint() const {
    return {60, 12};
}

void TLineSample::paintEvent(QPaintEvent* /*event*/) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                          Qt::SolidLine};
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 2, styles[fStyle]));
    const int y = height() / 2;
    painter.drawLine(2, y, width() - 3, y);
}

} // namespace zov
