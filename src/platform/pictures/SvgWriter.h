#pragma once

#include "platform/pictures/VectorPaintDevice.h"

#include <QSize>
#include <memory>

class QIODevice;
class QPaintEngine;

namespace zov {

class TSvgPaintEngine;

// A paint device that writes what is painted as SVG to an output device while the
// painting goes on: the document is never held in memory. Shapes stay vectors in
// device coordinates, text stays text in its font, images become embedded PNG
// pictures, and clipping becomes clip paths. Fill and stroke attributes sit on
// groups that change only when the next drawn element needs other ones. The
// device is size pixels at 96 dpi; one painter may paint on it once.
class TSvgDevice : public TVectorPaintDevice {
public:
    // The output must stay open and outlive the device.
    TSvgDevice(QIODevice& output, QSize size);
    ~TSvgDevice() override;

    TSvgDevice(const TSvgDevice&) = delete;
    TSvgDevice& operator=(const TSvgDevice&) = delete;

    QPaintEngine* paintEngine() const override;

private:
    std::unique_ptr<TSvgPaintEngine> fEngine;
};

} // namespace zov
