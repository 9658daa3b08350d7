#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

namespace zov {

// Paints the rows top..top + band.height() - 1 of the picture into band, which
// arrives white and is as wide as the picture.
using TBandPainter = std::function<void(QImage& band, int32_t top)>;

// Writes a 24-bit picture too large to hold at once, a band of rows at a time, as a
// "bmp" or "png" file. The file appears only when complete; throws EFCreateError
// when it cannot be written (the old file, if any, stays as it was).
void WriteBandedImage(const QString& fileName, const QByteArray& format, int32_t width,
                      int32_t height, const TBandPainter& paint);

} // namespace zov
