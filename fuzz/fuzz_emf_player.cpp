// Plays arbitrary bytes as an enhanced metafile, as the clipboard or a node's
// background picture may hand them over, onto a small image and scaled.
#include "FuzzApplication.h"
#include "platform/pictures/Metafile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>

using namespace zov;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return InitializeApplication<QGuiApplication>(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TSize extent = EnhancedMetafileSize(bytes);
    if (extent.cx < 0 || extent.cy < 0) {
        __builtin_trap();
    }
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PlayEnhancedMetafile(bytes, painter, QRectF(0, 0, 64, 48));
    painter.rotate(30);
    PlayEnhancedMetafile(bytes, painter, QRectF(-10, 5, 40, 1e4));
    return 0;
}
