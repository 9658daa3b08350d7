#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QSize>

namespace zov {

// A paint device of a fixed size in pixels at 96 dpi, as the screen the graph is
// drawn for: the base of the devices that write vector files.
class TVectorPaintDevice : public QPaintDevice {
public:
    static constexpr int kDpi = 96;

    // Each side at least one pixel.
    explicit TVectorPaintDevice(QSize size);

    QSize Size() const { return fSize; }
    // A font's size in pixels of such a device.
    static double EmPixels(const QFont& font) {
        return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * kDpi / 72.0;
    }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize fSize;
};

} // namespace zov
