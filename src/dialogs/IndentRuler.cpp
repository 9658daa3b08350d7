#include "IndentRuler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace zov {
namespace {

constexpr double kPixelsPerPoint = 4.0 / 3.0;

int Trunc(double value) {
    return static_cast<int>(std::trunc(value));
}

int ToPoints(double pixels) {
    return static_cast<int>(std::lround(pixels / kPixelsPerPoint));
}

double ToPixels(int points) {
    return points * kPixelsPerPoint;
}

} // namespace

TParaIndents IndentsOf(const QTextBlockFormat& format) {
    return {ToPoints(format.leftMargin() + format.textIndent()), ToPoints(-format.textIndent()),
            ToPoints(format.rightMargin())};
}

void SetIndents(QTextBlockFormat& format, const TParaIndents& indents) {
    format.setLeftMargin(ToPixels(indents.first + indents.left));
    format.setTextIndent(ToPixels(-indents.left));
    format.setRightMargin(ToPixels(indents.right));
}

TIndentRuler::TIndentRuler(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kHeight);
    setFont(QFont(QStringLiteral("Arial")));
}

void TIndentRuler::ShowIndents(const TParaIndents& indents) {
    fLefts[rmFirstIndent] = Trunc(indents.first * kPixelsPerPoint) + 2;
    fLefts[rmLeftIndent] = Trunc((indents.left + indents.first) * kPixelsPerPoint) + 2;
    fLefts[rmRightIndent] = width() - 6 - Trunc((indents.right + 6) * kPixelsPerPoint);
    update();
}

TParaIndents TIndentRuler::DroppedIndents(TRulerMarker marker, const TParaIndents& current) const {
    TParaIndents indents = current;
    switch (marker) {
    case rmFirstIndent:
        indents.first = Trunc((fLefts[rmFirstIndent] + fDragOfs - 6) / kPixelsPerPoint);
        [[fallthrough]]; // the other lines keep their place on the ruler
    case rmLeftIndent:
        indents.left =
            Trunc((fLefts[rmLeftIndent] + fDragOfs - 6) / kPixelsPerPoint) - indents.first;
        break;
    case rmRightIndent:
        indents.right =
            Trunc((width() + fDragOfs - fLefts[rmRightIndent] - 2) / kPixelsPerPoint) - 12;
        break;
    }
    return indents;
}

QRect TIndentRuler::MarkerRect(TRulerMarker marker) const {
    const int half = kHeight / 2;
    return {fLefts[marker], marker == rmFirstIndent ? 0 : half, kMarkerWidth, half};
}

void TIndentRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int middle = kHeight / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, middle, width(), middle); // the ruler line
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(palette().color(QPalette::Button));
    for (const TRulerMarker marker : {rmFirstIndent, rmLeftIndent, rmRightIndent}) {
        const QRectF r = QRectF(MarkerRect(marker)).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath triangle;
        if (marker == rmFirstIndent) { // points down at the line
            triangle.moveTo(r.topLeft());
            triangle.lineTo(r.topRight());
            triangle.lineTo(r.center().x(), r.bottom());
        } else { // points up at the line
            triangle.moveTo(r.bottomLeft());
            triangle.lineTo(r.bottomRight());
            triangle.lineTo(r.center().x(), r.top());
        }
        triangle.closeSubpath();
        painter.drawPath(triangle);
    }
}

void TIndentRuler::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    for (const TRulerMarker marker : {rmFirstIndent, rmLeftIndent, rmRightIndent}) {
        if (event->button() == Qt::LeftButton && MarkerRect(marker).contains(at)) {
            fDragged = marker;
            fDragOfs = kMarkerWidth / 2;
            fLefts[marker] += at.x() - fLefts[marker] - fDragOfs;
            fDragging = true;
            update();
            return;
        }
    }
}

void TIndentRuler::mouseMoveEvent(QMouseEvent* event) {
    if (fDragging) {
        const int x = event->position().toPoint().x() - fLefts[fDragged];
        fLefts[fDragged] += x - fDragOfs;
        update();
    }
}

void TIndentRuler::mouseReleaseEvent(QMouseEvent*) {
    if (fDragging) {
        fDragging = false;
        emit MarkerDropped(fDragged);
    }
}

} // namespace zov
