#include "Cursors.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace zov {

namespace {

enum class TCrossMark { None, Plus, Minus, Link };

// A thin cross with its hot spot in the middle and a small mark at the lower right
// telling what a click on a link does: add a point, take one away, hook the end.
QCursor CrossCursor(TCrossMark mark) {
    constexpr int kSize = 32;
    constexpr int kCentre = 15;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    auto stroke = [&](const QColor& color, int width) {
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(kCentre, 2, kCentre, kCentre - 3);
        painter.drawLine(kCentre, kCentre + 3, kCentre, kSize - 4);
        painter.drawLine(2, kCentre, kCentre - 3, kCentre);
        painter.drawLine(kCentre + 3, kCentre, kSize - 4, kCentre);
        const QRect box(kCentre + 5, kCentre + 5, 8, 8);
        switch (mark) {
        case TCrossMark::Plus:
            painter.drawLine(box.center().x(), box.top(), box.center().x(), box.bottom());
            painter.drawLine(box.left(), box.center().y(), box.right(), box.center().y());
            break;
        case TCrossMark::Minus:
            painter.drawLine(box.left(), box.center().y(), box.right(), box.center().y());
            break;
        case TCrossMark::Link:
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(box.adjusted(0, 0, -3, -3));
            painter.drawEllipse(box.adjusted(3, 3, 0, 0));
            break;
        case TCrossMark::None:
            break;
        }
    };
    stroke(Qt::white, 3); // outline, so the cross shows on any background
    stroke(Qt::black, 1);
    painter.end();
    return QCursor(picture, kCentre, kCentre);
}

// The drawn cursors, made once; kept for the life of the program, since pixmaps
// must not outlive the application object at exit.
const QCursor& DrawnCursor(TCrossMark mark) {
    static const auto* cursors =
        new std::array<QCursor, 4>{CrossCursor(TCrossMark::None), CrossCursor(TCrossMark::Plus),
                                   CrossCursor(TCrossMark::Minus), CrossCursor(TCrossMark::Link)};
    return (*cursors)[static_cast<size_t>(mark)];
}

} // namespace

QCursor ToQCursor(TCursor cursor) {
    switch (cursor) {
    case crCross:
        return Qt::CrossCursor;
    case crXHair1: // placing a new object, adding a point to a link
        return DrawnCursor(TCrossMark::Plus);
    case crXHair2: // moving a link's point
        return DrawnCursor(TCrossMark::None);
    case crXHair3: // removing a link's point
        return DrawnCursor(TCrossMark::Minus);
    case crXHairLink: // the end being moved would hook the object under it
        return DrawnCursor(TCrossMark::Link);
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crNo:
        return Qt::ForbiddenCursor;
    case crHandPoint:
    case crHandPnt:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    case crHandFlat:
        return Qt::OpenHandCursor;
    case crHandGrab:
        return Qt::ClosedHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace zov
