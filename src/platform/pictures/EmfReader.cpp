#include "platform/pictures/EmfReader.h"

#include "platform/pictures/Metafile.h"
#include "platform/types/Arithmetic.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace zov {
namespace {

constexpr int kMinHeaderSize = 88;
constexpr double kScreenPixelsPerMm = 96 / 25.4;
// Bitmaps beyond this are treated as damage rather than decoded.
constexpr int64_t kMaxBitmapSide = 1 << 16;
constexpr int64_t kMaxBitmapPixels = 1 << 26;

enum TCompression : uint32_t { BiRgb = 0, BiBitFields = 3, BiJpeg = 4, BiPng = 5 };

// One colour channel of a packed pixel, widened to eight bits.
struct TChannel {
    uint32_t mask;
    int shift;
    uint32_t max;

    explicit TChannel(uint32_t m)
        : mask(m), shift(m == 0 ? 0 : std::countr_zero(m)), max(m == 0 ? 0 : m >> shift) {}
    int Of(uint32_t pixel) const {
        return max == 0 ? 0 : static_cast<int>(((pixel & mask) >> shift) * 255 / max);
    }
};

} // namespace

uint32_t TEmfRecord::U32(uint64_t offset) const {
    if (!Has(offset, 4)) {
        return 0;
    }
    uint32_t value = 0;
    std::memcpy(&value, fData + offset, sizeof value);
    return qFromLittleEndian(value);
}

uint16_t TEmfRecord::U16(uint64_t offset) const {
    if (!Has(offset, 2)) {
        return 0;
    }
    uint16_t value = 0;
    std::memcpy(&value, fData + offset, sizeof value);
    return qFromLittleEndian(value);
}

float TEmfRecord::F32(uint64_t offset) const {
    return std::bit_cast<float>(U32(offset));
}

QPointF TEmfRecord::Point(uint64_t offset) const {
    return {static_cast<double>(I32(offset)), static_cast<double>(I32(offset + 4))};
}

QPointF TEmfRecord::Point16(uint64_t offset) const {
    return {static_cast<double>(I16(offset)), static_cast<double>(I16(offset + 2))};
}

QRectF TEmfRecord::Box(uint64_t offset) const {
    return QRectF(Point(offset), Point(offset + 8));
}

QColor TEmfRecord::Color(uint64_t offset) const {
    return QColor(U8(offset), U8(offset + 1), U8(offset + 2));
}

std::optional<TEmfHeader> ReadEmfHeader(const QByteArray& bytes) {
    if (bytes.size() < kMinHeaderSize) {
        return std::nullopt;
    }
    const auto available = static_cast<uint32_t>(std::min<qsizetype>(bytes.size(), UINT32_MAX));
    const TEmfRecord record(bytes.constData(), available);
    const uint32_t headerSize = record.U32(4);
    if (record.Type() != Emr::Header || record.U32(40) != Gdi::Signature ||
        headerSize < kMinHeaderSize || headerSize > available) {
        return std::nullopt;
    }
    TEmfHeader header;
    const auto positive = [](int32_t v) {
        return v > 0 ? static_cast<double>(v) : 0.0;
    };
    header.pixelsPerMm = {kScreenPixelsPerMm, kScreenPixelsPerMm};
    const double deviceX = positive(record.I32(72));
    const double deviceY = positive(record.I32(76));
    const double mmX = headerSize >= 108 && record.I32(100) > 0 ? record.I32(100) / 1000.0
                                                                : positive(record.I32(80));
    const double mmY = headerSize >= 108 && record.I32(104) > 0 ? record.I32(104) / 1000.0
                                                                : positive(record.I32(84));
    if (deviceX > 0 && deviceY > 0 && mmX > 0 && mmY > 0) {
        header.pixelsPerMm = {deviceX / mmX, deviceY / mmY};
    }
    // Both rectangles include their right and bottom edges.
    const QRectF box = record.Box(24);
    const QRectF frame(box.left() * header.pixelsPerMm.width() / 100,
                       box.top() * header.pixelsPerMm.height() / 100,
                       (box.width() + 1) * header.pixelsPerMm.width() / 100,
                       (box.height() + 1) * header.pixelsPerMm.height() / 100);
    const QRectF bounds = record.Box(8).adjusted(0, 0, 1, 1);
    const bool boundsMatchFrame = std::abs(bounds.left() - frame.left()) < 1 &&
                                  std::abs(bounds.top() - frame.top()) < 1 &&
                                  std::abs(bounds.width() - frame.width()) < 1 &&
                                  std::abs(bounds.height() - frame.height()) < 1;
    if (frame.width() > 0 && frame.height() > 0) {
        // The pixel bounds are exact where they describe the same area.
        header.frame = boundsMatchFrame ? bounds : frame;
    } else if (bounds.width() > 0 && bounds.height() > 0) {
        header.frame = bounds;
    }
    header.size = {header.frame.width() * kScreenPixelsPerMm / header.pixelsPerMm.width(),
                   header.frame.height() * kScreenPixelsPerMm / header.pixelsPerMm.height()};
    const uint32_t total = record.U32(48);
    header.bytes = total >= headerSize && total <= available ? total : available;
    header.handles = record.U16(56);
    return header;
}

QImage DecodeDib(const TEmfRecord& record, uint32_t infoOffset, uint32_t infoSize,
                 uint32_t bitsOffset, uint32_t bitsSize) {
    if (!record.Has(infoOffset, infoSize) || !record.Has(bitsOffset, bitsSize)) {
        return {};
    }
    const uint32_t headerSize = record.U32(infoOffset);
    if (headerSize < 40 || headerSize > infoSize) {
        return {};
    }
    const int64_t width = record.I32(infoOffset + 4);
    const int64_t rawHeight = record.I32(infoOffset + 8);
    const int bits = record.U16(infoOffset + 14);
    const uint32_t compression = record.U32(infoOffset + 16);
    if (compression == BiJpeg || compression == BiPng) {
        return QImage::fromData(record.Bytes(bitsOffset), static_cast<int>(bitsSize));
    }
    const int64_t height = std::abs(rawHeight);
    if (width <= 0 || height == 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        width * height > kMaxBitmapPixels) {
        return {};
    }
    const bool packed = bits == 16 || bits == 32;
    if ((compression != BiRgb && !(compression == BiBitFields && packed)) ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && !packed)) {
        return {};
    }
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(height) > bitsSize) {
        return {};
    }
    std::vector<QRgb> palette;
    if (bits <= 8) {
        palette.assign(size_t{1} << bits, qRgb(0, 0, 0));
        const uint32_t used = record.U32(infoOffset + 32);
        const size_t count = used == 0 ? palette.size() : std::min<size_t>(used, palette.size());
        const uint64_t first = uint64_t{infoOffset} + headerSize;
        for (size_t i = 0; i < count && first + 4 * (i + 1) <= uint64_t{infoOffset} + infoSize;
             ++i) {
            const QColor c = record.Color(first + 4 * i);
            palette[i] = qRgb(c.blue(), c.green(), c.red());
        }
    }
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0xFF00;
        masks[2] = 0xFF;
    }
    if (compression == BiBitFields) {
        if (uint64_t{infoOffset} + 52 > uint64_t{infoOffset} + infoSize) {
            return {};
        }
        for (int i = 0; i < 3; ++i) {
            masks[i] = record.U32(infoOffset + 40 + 4 * i);
        }
    }
    const TChannel red(masks[0]), green(masks[1]), blue(masks[2]);
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* row = record.Bytes(bitsOffset + stride * static_cast<uint64_t>(y));
        auto* line = reinterpret_cast<QRgb*>(
            image.scanLine(static_cast<int>(rawHeight < 0 ? y : height - 1 - y)));
        for (int64_t x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const int64_t bit = x * bits;
                const int index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
                line[x] = palette[static_cast<size_t>(index)];
                break;
            }
            case 24:
                line[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            default: {
                const uint32_t pixel = bits == 16 ? qFromLittleEndian<uint16_t>(row + 2 * x)
                                                  : qFromLittleEndian<uint32_t>(row + 4 * x);
                line[x] = qRgb(red.Of(pixel), green.Of(pixel), blue.Of(pixel));
                break;
            }
            }
        }
    }
    return image;
}

QImage DecodePackedDib(const QByteArray& dib) {
    if (dib.size() > std::numeric_limits<uint32_t>::max()) {
        return {};
    }
    const TEmfRecord block(dib.constData(), static_cast<uint32_t>(dib.size()));
    const uint32_t headerSize = block.U32(0);
    const uint32_t bits = block.U16(14);
    const uint32_t compression = block.U32(16);
    uint64_t tableSize = 0;
    if (bits >= 1 && bits <= 8) {
        const uint32_t used = block.U32(32);
        const uint32_t full = 1u << bits;
        tableSize = 4ull * (used == 0 ? full : std::min(used, full));
    } else if (compression == BiBitFields && headerSize == 40) {
        tableSize = 12; // the three masks follow the short header
    }
    const uint64_t bitsOffset = uint64_t{headerSize} + tableSize;
    if (headerSize < 40 || bitsOffset > block.Size()) {
        return {};
    }
    return DecodeDib(block, 0, static_cast<uint32_t>(bitsOffset), static_cast<uint32_t>(bitsOffset),
                     block.Size() - static_cast<uint32_t>(bitsOffset));
}

std::vector<QRect> DecodeRegionRects(const TEmfRecord& record, uint64_t offset, uint32_t size) {
    constexpr uint32_t headerSize = 32;
    if (size < headerSize || !record.Has(offset, size)) {
        return {};
    }
    const uint32_t count = record.U32(offset + 8);
    if (count > (size - headerSize) / 16) {
        return {};
    }
    std::vector<QRect> rects;
    rects.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t at = offset + headerSize + 16 * uint64_t{i};
        const int32_t left = ClampCoordinate(record.I32(at));
        const int32_t top = ClampCoordinate(record.I32(at + 4));
        const int32_t right = ClampCoordinate(record.I32(at + 8));
        const int32_t bottom = ClampCoordinate(record.I32(at + 12));
        if (right > left && bottom > top) {
            rects.emplace_back(left, top, right - left, bottom - top);
        }
    }
    return rects;
}

namespace {

QBrush HatchBrush(const QColor& color, uint32_t hatch) {
    static const Qt::BrushStyle styles[] = {Qt::HorPattern,   Qt::VerPattern,
                                            Qt::FDiagPattern, Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    return QBrush(color, hatch < std::size(styles) ? styles[hatch] : Qt::SolidPattern);
}

TEmfObject DecodeBrush(const TEmfRecord& record) {
    const uint32_t style = record.U32(12);
    const QColor color = record.Color(16);
    if (style == Gdi::BsNull) {
        return QBrush(Qt::NoBrush);
    }
    if (style == Gdi::BsHatched) {
        return HatchBrush(color, record.U32(20));
    }
    return QBrush(color);
}

TEmfObject DecodePatternBrush(const TEmfRecord& record) {
    const QImage image =
        DecodeDib(record, record.U32(16), record.U32(20), record.U32(24), record.U32(28));
    return image.isNull() ? QBrush(Qt::gray) : QBrush(image);
}

TEmfObject DecodeExtPen(const TEmfRecord& record) {
    TEmfPen pen;
    pen.style = record.U32(28);
    pen.cosmetic = (pen.style & Gdi::PsGeometric) == 0;
    pen.width = pen.cosmetic ? 0 : record.U32(32);
    pen.color = record.Color(40);
    if (record.U32(36) == Gdi::BsNull) {
        pen.style = Gdi::PsNull;
    }
    const uint32_t entries = record.U32(48);
    if ((pen.style & Gdi::PsStyleMask) == Gdi::PsUserStyle && record.Has(52, entries * 4ull)) {
        for (uint32_t i = 0; i < entries && i < 64; ++i) {
            pen.dashes.push_back(record.U32(52 + 4 * i));
        }
    }
    return pen;
}

TEmfObject DecodeFont(const TEmfRecord& record) {
    TEmfFont font;
    font.height = ClampCoordinate(record.I32(12));
    font.escapement = record.I32(20) % 3600;
    font.weight = std::clamp(record.I32(28), 0, 1000);
    font.italic = record.U8(32) != 0;
    font.underline = record.U8(33) != 0;
    font.strikeOut = record.U8(34) != 0;
    for (int i = 0; i < 32; ++i) {
        const char16_t c = record.U16(40 + 2 * i);
        if (c == 0) {
            break;
        }
        font.face.append(QChar(c));
    }
    return font;
}

} // namespace

TEmfObject DecodeObject(const TEmfRecord& record) {
    switch (record.Type()) {
    case Emr::CreatePen:
        if (record.Size() >= 28) {
            TEmfPen pen;
            pen.style = record.U32(12);
            const int32_t width = record.I32(16);
            pen.cosmetic = width == 0;
            pen.width = std::abs(static_cast<double>(width));
            pen.color = record.Color(24);
            return pen;
        }
        break;
    case Emr::ExtCreatePen:
        if (record.Size() >= 52) {
            return DecodeExtPen(record);
        }
        break;
    case Emr::CreateBrushIndirect:
        if (record.Size() >= 24) {
            return DecodeBrush(record);
        }
        break;
    case Emr::CreateMonoBrush:
    case Emr::CreateDIBPatternBrushPt:
        if (record.Size() >= 32) {
            return DecodePatternBrush(record);
        }
        break;
    case Emr::ExtCreateFontIndirectW:
        if (record.Size() >= 104) {
            return DecodeFont(record);
        }
        break;
    default:
        break;
    }
    return std::monostate();
}

TEmfObject StockObject(uint32_t number) {
    static const QRgb grays[] = {qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(128, 128, 128),
                                 qRgb(64, 64, 64), qRgb(0, 0, 0)};
    enum { NullBrush = 5, WhitePen, BlackPen, NullPen, AnsiFixedFont = 11, DcBrush = 18, DcPen };
    if (number < std::size(grays)) {
        return QBrush(QColor(grays[number]));
    }
    switch (number) {
    case NullBrush:
        return QBrush(Qt::NoBrush);
    case DcBrush:
        return QBrush(Qt::white);
    case WhitePen:
    case BlackPen:
    case NullPen:
    case DcPen: {
        TEmfPen pen;
        pen.style = number == NullPen ? Gdi::PsNull : Gdi::PsSolid;
        pen.color = number == WhitePen ? Qt::white : Qt::black;
        return pen;
    }
    default:
        break;
    }
    if (number >= 10 && number <= 17) {
        TEmfFont font;
        if (number == AnsiFixedFont) {
            font.face = QStringLiteral("Courier New");
        }
        return font;
    }
    return std::monostate();
}

} // namespace zov
