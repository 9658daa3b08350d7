#pragma once

#include "platform/pictures/EmfOutput.h"
#include "platform/pictures/EmfReader.h"

#include <QPainterPath>
#include <vector>

class QPainter;

namespace zov {

// Plays a metafile's records one after another: keeps the device context they
// build up (objects, mapping, saved states, the path in progress, the clip) and
// hands what is to be drawn to a TEmfOutput.
class TEmfPlayer {
public:
    // The header's frame is stretched onto target, in the painter's coordinates.
    TEmfPlayer(QPainter& painter, const TEmfHeader& header, const QRectF& target);

    // Plays one record; unknown ones are skipped. False once the end record is reached.
    bool Play(const TEmfRecord& record);

private:
    void PlayState(const TEmfRecord& record);
    void PlayMapping(const TEmfRecord& record);
    void PlayObject(const TEmfRecord& record);
    void PlayShape(const TEmfRecord& record);
    void PlayPoly(const TEmfRecord& record);
    void PlayPolyPoly(const TEmfRecord& record);
    void PlayPath(const TEmfRecord& record);
    void PlayClip(const TEmfRecord& record);
    void PlayText(const TEmfRecord& record);
    void PlayBitmap(const TEmfRecord& record);

    QTransform PageToDevice() const;
    // Logical units to the painter's device.
    QTransform Full() const { return fState.world * PageToDevice() * fOutput.DeviceToPaint(); }
    void Select(const TEmfObject& object);
    // Adds a shape to the path being built, or draws it.
    void Emit(const QPainterPath& shape, bool stroke, bool fill);
    void CombineClip(const QRegion& area, uint32_t mode);

    TEmfOutput fOutput;
    QSizeF fPixelsPerMm;
    TEmfDcState fState;
    std::vector<TEmfDcState> fSaved;
    std::vector<TEmfObject> fObjects;
    QPainterPath fPath;
    bool fInPath = false;
};

} // namespace zov
