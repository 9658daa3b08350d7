#pragma once

// Reading the parts of an enhanced metafile that playback needs: records, the
// header, bitmaps, regions and the objects the records create.

#include <QBrush>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace zov {

// One record of a metafile, never trusted: every read is checked against the
// record's size and gives 0 outside it.
class TEmfRecord {
public:
    TEmfRecord(const char* data, uint32_t size) : fData(data), fSize(size) {}

    uint32_t Type() const { return U32(0); }
    uint32_t Size() const { return fSize; }
    bool Has(uint64_t offset, uint64_t length) const {
        return offset <= fSize && length <= fSize - offset;
    }
    uint32_t U32(uint64_t offset) const;
    int32_t I32(uint64_t offset) const { return static_cast<int32_t>(U32(offset)); }
    uint16_t U16(uint64_t offset) const;
    int16_t I16(uint64_t offset) const { return static_cast<int16_t>(U16(offset)); }
    uint8_t U8(uint64_t offset) const { return Has(offset, 1) ? Bytes(offset)[0] : 0; }
    float F32(uint64_t offset) const;
    // Only after Has(offset, length) said yes.
    const uint8_t* Bytes(uint64_t offset) const {
        return reinterpret_cast<const uint8_t*>(fData) + offset;
    }
    // A point of two 32-bit or two 16-bit values; a box of four 32-bit values.
    QPointF Point(uint64_t offset) const;
    QPointF Point16(uint64_t offset) const;
    QRectF Box(uint64_t offset) const;
    QColor Color(uint64_t offset) const;

private:
    const char* fData;
    uint32_t fSize;
};

// The bitmap of a device-independent bitmap whose info block and bits lie in the
// record at the given places; null when they do not fit or the format is unknown.
QImage DecodeDib(const TEmfRecord& record, uint32_t infoOffset, uint32_t infoSize,
                 uint32_t bitsOffset, uint32_t bitsSize);

// A packed device-independent bitmap (info block, colour table, bits), as the
// clipboard and RTF hold one; null when damaged or of an unknown format.
QImage DecodePackedDib(const QByteArray& dib);

// The rectangles of region data at offset, at most size bytes; empty when damaged.
std::vector<QRect> DecodeRegionRects(const TEmfRecord& record, uint64_t offset, uint32_t size);

// Pens, brushes and fonts as the records create them, in logical units.
struct TEmfPen {
    uint32_t style = 0;   // style, end cap and join bits
    double width = 0;     // 0: one device pixel
    bool cosmetic = true; // always one device pixel
    QColor color = Qt::black;
    std::vector<double> dashes; // user style, logical units
};

struct TEmfFont {
    int32_t height = 16;
    int32_t escapement = 0;
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

using TEmfObject = std::variant<std::monostate, TEmfPen, QBrush, TEmfFont>;

// The object a create record makes; monostate for records of other types.
TEmfObject DecodeObject(const TEmfRecord& record);
// A stock object by its number (without the stock bit).
TEmfObject StockObject(uint32_t number);

// The header values playback needs.
struct TEmfHeader {
    QRectF frame;       // the picture, in reference-device pixels
    QSizeF size;        // the picture in pixels at 96 dpi
    QSizeF pixelsPerMm; // of the reference device
    uint32_t bytes = 0; // bytes of records to play, within the buffer
    uint32_t handles = 0;
};

std::optional<TEmfHeader> ReadEmfHeader(const QByteArray& bytes);

} // namespace zov
