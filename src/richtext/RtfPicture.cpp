#include "RtfPicture.h"

#include "RtfFormatState.h"
#include "RtfTokenizer.h"
#include "platform/pictures/EmfReader.h"
#include "platform/pictures/Metafile.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace zov {
namespace {

bool IsSaneSize(qint64 width, qint64 height) {
    return width > 0 && height > 0 && width <= TRtfPicture::kMaxSide &&
           height <= TRtfPicture::kMaxSide && width * height <= TRtfPicture::kMaxPixels;
}

// Metafiles are drawn at twice their shown size, so they stay sharp when zoomed.
constexpr double kMetafileOversampling = 2.0;

} // namespace

QString RtfPictureFormatName(TRtfPictureFormat format) {
    switch (format) {
    case rpPng:
        return QStringLiteral("png");
    case rpJpeg:
        return QStringLiteral("jpeg");
    case rpEmf:
        return QStringLiteral("emf");
    case rpDib:
        return QStringLiteral("dib");
    case rpDdb:
        return QStringLiteral("wbitmap");
    case rpUnknown:
        break;
    }
    return {};
}

void TRtfPicture::AddHex(QByteArrayView text) {
    if (fOverflow) {
        return;
    }
    for (const char c : text) {
        const int value = RtfHexValue(c);
        if (value < 0) {
            continue;
        }
        if (fHighNibble < 0) {
            fHighNibble = value;
            continue;
        }
        if (fData.size() >= kMaxBytes) {
            fOverflow = true;
            fData.clear();
            return;
        }
        fData.append(static_cast<char>(fHighNibble << 4 | value));
        fHighNibble = -1;
    }
}

void TRtfPicture::AddBinary(QByteArrayView bytes) {
    if (fOverflow || fData.size() + bytes.size() > kMaxBytes) {
        fOverflow = true;
        fData.clear();
        return;
    }
    fData.append(bytes);
}

TRtfPicture::TShown TRtfPicture::Decode() const {
    if (fOverflow || fData.isEmpty()) {
        return {};
    }
    if (format == rpEmf) {
        return DecodeMetafile();
    }
    QImage image;
    if (format == rpPng || format == rpJpeg) {
        image = DecodeBitmap();
    } else if (format == rpDib) {
        image = DecodePackedDib(fData);
    } else if (format == rpDdb) {
        image = DecodeDdb();
    }
    if (image.isNull()) {
        return {};
    }
    return {image, Shown(image.size())};
}

QImage TRtfPicture::DecodeBitmap() const {
    QBuffer buffer;
    buffer.setData(fData);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format == rpPng ? "png" : "jpeg");
    const QSize size = reader.size();
    if (!IsSaneSize(size.width(), size.height())) {
        return {};
    }
    return reader.read();
}

QImage TRtfPicture::DecodeDdb() const {
    if (!IsSaneSize(picW, picH)) {
        return {};
    }
    const int bits = ddbBitsPerPixel;
    if (bits != 1 && bits != 24 && bits != 32) {
        return {};
    }
    // Device bitmap rows are padded to 16 bits unless the document says otherwise.
    const qint64 minimum = (qint64{picW} * bits + 7) / 8;
    const qint64 stride =
        ddbWidthBytes >= minimum ? ddbWidthBytes : (qint64{picW} * bits + 15) / 16 * 2;
    if (stride * picH > fData.size()) {
        return {};
    }
    QImage image(picW, picH, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    const auto* data = reinterpret_cast<const uchar*>(fData.constData());
    for (int y = 0; y < picH; ++y) {
        const uchar* row = data + stride * y;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picW; ++x) {
            if (bits == 1) {
                line[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            } else {
                const uchar* pixel = row + static_cast<qint64>(x) * (bits / 8);
                line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
            }
        }
    }
    return image;
}

TRtfPicture::TShown TRtfPicture::DecodeMetafile() const {
    if (!IsEnhancedMetafile(fData)) {
        return {};
    }
    const TSize natural = EnhancedMetafileSize(fData);
    const QSizeF size = Shown(QSizeF(natural.cx, natural.cy));
    const QSize pixels = (size * kMetafileOversampling).toSize();
    if (size.isEmpty() || !IsSaneSize(pixels.width(), pixels.height())) {
        return {};
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PlayEnhancedMetafile(fData, painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    return {image, size};
}

QSizeF TRtfPicture::Shown(QSizeF natural) const {
    if (goalW > 0) {
        natural.setWidth(RtfTwipsToPixels(goalW));
    }
    if (goalH > 0) {
        natural.setHeight(RtfTwipsToPixels(goalH));
    }
    const auto scaled = [](double length, int percent) {
        const double factor = percent > 0 ? percent / 100.0 : 1.0;
        return std::clamp(length * factor, 1.0, double{kMaxSide});
    };
    return {scaled(natural.width(), scaleX), scaled(natural.height(), scaleY)};
}

} // namespace zov
