#include "platform/pictures/EmfRecordWriter.h"

#include "platform/graphics/DashPatterns.h"
#include "platform/pictures/Metafile.h"
#include "platform/types/Arithmetic.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

namespace zov {
namespace {

constexpr int kDpi = 96;
// The reference screen: 96 dpi, and a size whose millimetres come out whole.
constexpr int kReferenceWidth = 1920;
constexpr int kReferenceHeight = 1440;
constexpr int kHeaderSize = 108;
constexpr int kEofSize = 20;

void AppendU32(QByteArray& bytes, uint32_t value) {
    const uint32_t le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void AppendI32(QByteArray& bytes, int32_t value) {
    AppendU32(bytes, static_cast<uint32_t>(value));
}

void AppendU16(QByteArray& bytes, uint16_t value) {
    const uint16_t le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void AppendRect(QByteArray& bytes, const QRect& rect) {
    AppendI32(bytes, rect.left());
    AppendI32(bytes, rect.top());
    AppendI32(bytes, rect.right());
    AppendI32(bytes, rect.bottom());
}

std::optional<uint32_t> HatchFor(Qt::BrushStyle style) {
    switch (style) {
    case Qt::HorPattern:
        return Gdi::HsHorizontal;
    case Qt::VerPattern:
        return Gdi::HsVertical;
    case Qt::FDiagPattern:
        return Gdi::HsFDiagonal;
    case Qt::BDiagPattern:
        return Gdi::HsBDiagonal;
    case Qt::CrossPattern:
        return Gdi::HsCross;
    case Qt::DiagCrossPattern:
        return Gdi::HsDiagCross;
    default:
        return std::nullopt;
    }
}

// The pen styles of the classic pens by their dash patterns, in pen widths: Qt's
// own styles and the patterns the canvas uses for them.
uint32_t DashStyleFor(const QPen& pen) {
    switch (pen.style()) {
    case Qt::DashLine:
        return Gdi::PsDash;
    case Qt::DotLine:
        return Gdi::PsDot;
    case Qt::DashDotLine:
        return Gdi::PsDashDot;
    case Qt::DashDotDotLine:
        return Gdi::PsDashDotDot;
    case Qt::CustomDashLine:
        break;
    default:
        return Gdi::PsSolid;
    }
    const std::optional<TPenStyle> classic = DashedStyleOf(pen.dashPattern());
    return classic ? static_cast<uint32_t>(*classic) : Gdi::PsUserStyle;
}

} // namespace

int32_t ToEmfUnits(double pixels) {
    return ClampToInt32(std::round(pixels * kEmfUnitsPerPixel));
}

QPoint ToEmfUnits(const QPointF& pixels) {
    return {ToEmfUnits(pixels.x()), ToEmfUnits(pixels.y())};
}

uint32_t EmfColorRef(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<uint32_t>(rgb.red()) | static_cast<uint32_t>(rgb.green()) << 8 |
           static_cast<uint32_t>(rgb.blue()) << 16;
}

QColor EmfBrushColor(const QBrush& brush) {
    const QGradient* gradient = brush.gradient();
    if (gradient != nullptr && !gradient->stops().isEmpty()) {
        return gradient->stops().first().second;
    }
    return brush.color();
}

void TEmfRecordWriter::Begin(uint32_t type) {
    fStart = fBytes.size();
    AppendU32(fBytes, type);
    AppendU32(fBytes, 0);
}

void TEmfRecordWriter::U32(uint32_t value) {
    AppendU32(fBytes, value);
}

void TEmfRecordWriter::I16(int value) {
    AppendU16(fBytes, static_cast<uint16_t>(value));
}

void TEmfRecordWriter::F32(double value) {
    AppendU32(fBytes, std::bit_cast<uint32_t>(static_cast<float>(value)));
}

void TEmfRecordWriter::Rect(const QRect& rect) {
    AppendRect(fBytes, rect);
}

void TEmfRecordWriter::Pad() {
    while (fBytes.size() % 4 != 0) {
        fBytes.append('\0');
    }
}

void TEmfRecordWriter::End() {
    Pad();
    const uint32_t size = qToLittleEndian(static_cast<uint32_t>(fBytes.size() - fStart));
    std::memcpy(fBytes.data() + fStart + 4, &size, sizeof size);
    ++fCount;
}

void TEmfRecordWriter::Add(uint32_t type, std::initializer_list<int32_t> values) {
    Begin(type);
    for (int32_t v : values) {
        I32(v);
    }
    End();
}

QByteArray TEmfRecordWriter::File(int width, int height, uint32_t handles) const {
    const QByteArray& records = fBytes;
    QByteArray file;
    file.reserve(kHeaderSize + records.size() + kEofSize);
    const auto mm100 = [](int pixels) {
        return MulDiv(pixels, 2540, kDpi);
    };
    AppendU32(file, Emr::Header);
    AppendU32(file, kHeaderSize);
    AppendRect(file, QRect(0, 0, width, height)); // right and bottom inclusive
    AppendRect(file, QRect(QPoint(0, 0), QPoint(mm100(width) - 1, mm100(height) - 1)));
    AppendU32(file, Gdi::Signature);
    AppendU32(file, 0x10000);
    AppendU32(file, static_cast<uint32_t>(kHeaderSize + records.size() + kEofSize));
    AppendU32(file, fCount + 2);
    AppendU16(file, static_cast<uint16_t>(std::min<uint32_t>(handles, 0xFFFF)));
    AppendU16(file, 0);
    for (int unused = 0; unused < 3; ++unused) {
        AppendU32(file, 0); // description length and offset, palette size
    }
    AppendI32(file, kReferenceWidth);
    AppendI32(file, kReferenceHeight);
    AppendI32(file, MulDiv(kReferenceWidth, 254, kDpi * 10));
    AppendI32(file, MulDiv(kReferenceHeight, 254, kDpi * 10));
    for (int unused = 0; unused < 3; ++unused) {
        AppendU32(file, 0); // no pixel format, no OpenGL
    }
    AppendI32(file, MulDiv(kReferenceWidth, 254000, kDpi * 10));
    AppendI32(file, MulDiv(kReferenceHeight, 254000, kDpi * 10));
    file.append(records);
    for (uint32_t v : {Emr::Eof, uint32_t{kEofSize}, 0u, 16u, uint32_t{kEofSize}}) {
        AppendU32(file, v);
    }
    return file;
}

QByteArray EmfPenBody(const QPen& pen, double lengthScale) {
    const bool cosmetic = pen.isCosmetic();
    const double deviceWidth = pen.widthF() * (cosmetic ? 1.0 : lengthScale);
    const bool hairline = deviceWidth <= 1.0 && cosmetic;
    uint32_t style = DashStyleFor(pen);
    QList<uint32_t> entries;
    if (style == Gdi::PsUserStyle) {
        for (qreal dash : pen.dashPattern()) {
            entries.append(
                static_cast<uint32_t>(std::max(1, ToEmfUnits(dash * std::max(deviceWidth, 1.0)))));
        }
    }
    if (!hairline) {
        style |= Gdi::PsGeometric;
        switch (pen.capStyle()) {
        case Qt::FlatCap:
            style |= Gdi::PsEndCapFlat;
            break;
        case Qt::SquareCap:
            style |= Gdi::PsEndCapSquare;
            break;
        default:
            break;
        }
        switch (pen.joinStyle()) {
        case Qt::MiterJoin:
        case Qt::SvgMiterJoin:
            style |= Gdi::PsJoinMiter;
            break;
        case Qt::BevelJoin:
            style |= Gdi::PsJoinBevel;
            break;
        default:
            break;
        }
    }
    QByteArray body;
    for (uint32_t bitmapField = 0; bitmapField < 4; ++bitmapField) {
        AppendU32(body, 0); // no pattern bitmap
    }
    AppendU32(body, style);
    AppendU32(body, hairline ? 1 : static_cast<uint32_t>(std::max(1, ToEmfUnits(deviceWidth))));
    AppendU32(body, Gdi::BsSolid);
    AppendU32(body, EmfColorRef(pen.color()));
    AppendU32(body, 0);
    AppendU32(body, static_cast<uint32_t>(entries.size()));
    for (uint32_t entry : entries) {
        AppendU32(body, entry);
    }
    return body;
}

QByteArray EmfBrushBody(const QBrush& brush) {
    const std::optional<uint32_t> hatch = HatchFor(brush.style());
    QByteArray body;
    AppendU32(body, hatch ? Gdi::BsHatched : Gdi::BsSolid);
    AppendU32(body, EmfColorRef(EmfBrushColor(brush)));
    AppendU32(body, hatch.value_or(0));
    return body;
}

QByteArray EmfFontBody(const QFont& font, double pixelHeight) {
    constexpr int faceNameLength = 32;
    constexpr int extensionSize = 228; // full name, style, version, vendor, panose
    QByteArray body;
    AppendI32(body, -std::max(1, ToEmfUnits(pixelHeight)));
    AppendI32(body, 0);
    AppendI32(body, 0); // no escapement: turned text turns the world instead
    AppendI32(body, 0);
    AppendI32(body, font.weight());
    body.append(static_cast<char>(font.italic()));
    body.append(static_cast<char>(font.underline()));
    body.append(static_cast<char>(font.strikeOut()));
    body.append('\1'); // default character set: the text is Unicode
    body.append('\0'); // output precision
    body.append('\0'); // clip precision
    body.append(font.styleStrategy() & QFont::NoAntialias ? '\3' : '\0');
    body.append(font.fixedPitch() ? '\1' : '\0');
    const QString face = font.family().left(faceNameLength - 1);
    for (int i = 0; i < faceNameLength; ++i) {
        AppendU16(body, i < face.size() ? face[i].unicode() : 0);
    }
    body.append(extensionSize, '\0');
    return body;
}

} // namespace zov
