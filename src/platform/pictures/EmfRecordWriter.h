#pragma once

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

class QBrush;
class QFont;
class QPen;

namespace zov {

// Writing enhanced metafiles: records, the object table and the bodies of the
// objects' create records.

// Coordinates are written in sixteenths of a pixel and the world transform scales
// them back: fractional positions survive, and readers scale pen widths and font
// sizes with the coordinates.
inline constexpr int kEmfUnitsPerPixel = 16;

// Pixels to units, rounded and kept within 32 bits.
int32_t ToEmfUnits(double pixels);
QPoint ToEmfUnits(const QPointF& pixels);
uint32_t EmfColorRef(const QColor& color);
// The one colour a brush is written with: a gradient's first.
QColor EmfBrushColor(const QBrush& brush);

// Records of a metafile being written, little-endian; each record's size is set
// when it ends.
class TEmfRecordWriter {
public:
    void Begin(uint32_t type);
    void U32(uint32_t value);
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void I16(int value);
    void F32(double value);
    // Left, top, right, bottom.
    void Rect(const QRect& rect);
    // Pads the record to a multiple of four bytes.
    void Pad();
    void End();
    // A whole record of 32-bit values.
    void Add(uint32_t type, std::initializer_list<int32_t> values);
    void Append(const QByteArray& bytes) { fBytes.append(bytes); }

    // The complete file: header, the records so far, end record. The picture is
    // width x height pixels; handles is the object table's size.
    QByteArray File(int width, int height, uint32_t handles) const;

private:
    QByteArray fBytes;
    qsizetype fStart = 0;
    uint32_t fCount = 0;
};

// Slots of the metafile's object table; a freed slot is used again first. Slot 0
// belongs to the metafile itself.
class TEmfObjectTable {
public:
    uint32_t Acquire() {
        const auto free = std::find(fUsed.begin(), fUsed.end(), false);
        if (free != fUsed.end()) {
            *free = true;
            return static_cast<uint32_t>(free - fUsed.begin()) + 1;
        }
        fUsed.push_back(true);
        return static_cast<uint32_t>(fUsed.size());
    }
    void Release(uint32_t handle) { fUsed[handle - 1] = false; }
    uint32_t HandleCount() const { return static_cast<uint32_t>(fUsed.size()) + 1; }

private:
    std::vector<bool> fUsed;
};

// The bytes of the create records after the object's handle. Pen widths are in
// pixels times lengthScale; font heights are the em size in pixels.
QByteArray EmfPenBody(const QPen& pen, double lengthScale);
QByteArray EmfBrushBody(const QBrush& brush);
QByteArray EmfFontBody(const QFont& font, double pixelHeight);

} // namespace zov
