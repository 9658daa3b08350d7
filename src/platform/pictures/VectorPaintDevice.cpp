#include "platform/pictures/VectorPaintDevice.h"

#include "platform/types/Arithmetic.h"

#include <algorithm>
#include <limits>

namespace zov {

TVectorPaintDevice::TVectorPaintDevice(QSize size)
    : fSize(std::max(size.width(), 1), std::max(size.height(), 1)) {}

int TVectorPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return fSize.width();
    case PdmHeight:
        return fSize.height();
    case PdmWidthMM:
        return MulDiv(fSize.width(), 254, kDpi * 10);
    case PdmHeightMM:
        return MulDiv(fSize.height(), 254, kDpi * 10);
    case PdmNumColors:
        return std::numeric_limits<int>::max();
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return kDpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace zov
