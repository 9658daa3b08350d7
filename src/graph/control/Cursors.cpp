#include "Cursors.h"

namespace zov {

QCursor ToQCursor(TCursor cursor) {
    switch (cursor) {
    case crCross:
    case crXHair1:
    case crXHair2:
    case crXHair3:
    case crXHairLink:
        return Qt::CrossCursor;
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
