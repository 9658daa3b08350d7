#include "platform/pictures/BandedImageWriter.h"

#include "platform/stream/FileIO.h"
#include "platform/types/Exceptions.h"

#include <QtEndian>
#include <algorithm>
#include <new>
#include <png.h>
#include <vector>

namespace zov {

namespace {

constexpr int32_t kBandBytes = 8 << 20; // painting buffer per band
// The largest side libpng writes (and far beyond any page).
constexpr int32_t kMaxSide = 1000000;
constexpr int kPngCompressionLevel = 3;
constexpr int kPngMemoryLevel = 2;

// Calls paint for each band, bottom band first when bottomUp, and hands the band's
// rows in file order to row.
template <class RowSink>
void ForEachRow(int32_t width, int32_t height, bool bottomUp, const TBandPainter& paint,
                RowSink row) {
    const int32_t bandRows = std::clamp(kBandBytes / std::max(width * 4, 1), 1, height);
    QImage band(width, bandRows, QImage::Format_RGB32);
    const int32_t bands = (height + bandRows - 1) / bandRows;
    for (int32_t i = 0; i < bands; ++i) {
        const int32_t b = bottomUp ? bands - 1 - i : i;
        const int32_t top = b * bandRows;
        const int32_t rows = std::min(bandRows, height - top);
        band.fill(Qt::white);
        paint(band, top);
        for (int32_t r = 0; r < rows; ++r) {
            row(reinterpret_cast<const QRgb*>(band.constScanLine(bottomUp ? rows - 1 - r : r)));
        }
    }
}

void WriteBmp(TSafeFileWriter& sink, int32_t width, int32_t height, const TBandPainter& paint) {
    const int32_t stride = (width * 3 + 3) & ~3;
    const uint32_t imageSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(height);
    uchar header[54] = {'B', 'M'};
    qToLittleEndian<uint32_t>(54 + imageSize, header + 2);
    qToLittleEndian<uint32_t>(54, header + 10);
    qToLittleEndian<uint32_t>(40, header + 14);
    qToLittleEndian<int32_t>(width, header + 18);
    qToLittleEndian<int32_t>(height, header + 22); // positive: rows from the bottom
    qToLittleEndian<uint16_t>(1, header + 26);
    qToLittleEndian<uint16_t>(24, header + 28);
    qToLittleEndian<uint32_t>(imageSize, header + 34);
    qToLittleEndian<int32_t>(3780, header + 38); // 96 dpi
    qToLittleEndian<int32_t>(3780, header + 42);
    sink.Write(header, sizeof header);
    std::vector<uchar> line(static_cast<size_t>(stride), 0);
    ForEachRow(width, height, true, paint, [&](const QRgb* pixels) {
        for (int32_t x = 0; x < width; ++x) {
            line[x * 3] = static_cast<uchar>(qBlue(pixels[x]));
            line[x * 3 + 1] = static_cast<uchar>(qGreen(pixels[x]));
            line[x * 3 + 2] = static_cast<uchar>(qRed(pixels[x]));
        }
        sink.Write(line.data(), stride);
    });
}

void WritePng(TSafeFileWriter& sink, int32_t width, int32_t height, const TBandPainter& paint) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw std::bad_alloc();
    }
    struct Cleanup {
        png_structp& png;
        png_infop& info;
        ~Cleanup() { png_destroy_write_struct(&png, &info); }
    } cleanup{png, info};
    // No exception may pass through libpng: a failed write is only noted here and
    // reported by the next Write or Commit.
    png_set_write_fn(
        png, &sink,
        [](png_structp p, png_bytep data, png_size_t size) {
            static_cast<TSafeFileWriter*>(png_get_io_ptr(p))
                ->TryWrite(data, static_cast<int64_t>(size));
        },
        nullptr);
    // Measured on exported diagrams (mostly white, thin lines, text): without row
    // filters and with a small hash table, deflate is about twice as fast and the
    // file no larger. A large table costs its sliding on every 32 KB of pixels, and
    // filters only break up the long runs of background.
    png_set_compression_level(png, kPngCompressionLevel);
    png_set_compression_mem_level(png, kPngMemoryLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    std::vector<png_byte> line(static_cast<size_t>(width) * 3);
    ForEachRow(width, height, false, paint, [&](const QRgb* pixels) {
        for (int32_t x = 0; x < width; ++x) {
            line[x * 3] = static_cast<png_byte>(qRed(pixels[x]));
            line[x * 3 + 1] = static_cast<png_byte>(qGreen(pixels[x]));
            line[x * 3 + 2] = static_cast<png_byte>(qBlue(pixels[x]));
        }
        png_write_row(png, line.data());
    });
    png_write_end(png, nullptr);
}

} // namespace

void WriteBandedImage(const QString& fileName, const QByteArray& format, int32_t width,
                      int32_t height, const TBandPainter& paint) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width > kMaxSide || height > kMaxSide) {
        throw EFCreateError(Exception::Format(
            SFCreateErrorEx,
            {fileName,
             QStringLiteral("The picture is too large (%1 x %2 pixels).").arg(width).arg(height)}));
    }
    TSafeFileWriter sink(fileName);
    if (format == "png") {
        WritePng(sink, width, height, paint);
    } else {
        WriteBmp(sink, width, height, paint);
    }
    sink.Commit();
}

} // namespace zov
