#pragma once

#include "platform/pictures/VectorPaintDevice.h"

#include <QByteArray>
#include <memory>

class QPaintEngine;

namespace zov {

class TEmfPaintEngine;

// A paint device whose painting becomes an enhanced metafile: shapes stay vectors,
// text stays text in its font, images become bitmaps. The device is width x height
// pixels at 96 dpi; coordinates keep a sixteenth of a pixel. Painting with several
// painters one after another adds to the same picture.
class TEmfDevice : public TVectorPaintDevice {
public:
    TEmfDevice(int width, int height);
    ~TEmfDevice() override;

    TEmfDevice(const TEmfDevice&) = delete;
    TEmfDevice& operator=(const TEmfDevice&) = delete;

    QPaintEngine* paintEngine() const override;

    // The complete file of what was painted so far: header, records, end record.
    QByteArray Bytes() const;

private:
    std::unique_ptr<TEmfPaintEngine> fEngine;
};

// True for the engine of a TEmfDevice, which draws hatched brushes as real hatches
// (other devices may need them drawn some other way).
bool IsEmfPaintEngine(const QPaintEngine* engine);

} // namespace zov
