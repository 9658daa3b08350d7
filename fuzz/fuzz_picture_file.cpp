// Reads arbitrary bytes as a picture file chosen for a node's background, then draws
// what was accepted, as the graph will.
#include "FuzzApplication.h"
#include "platform/graphics/Canvas.h"
#include "platform/pictures/Picture.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdint>

using namespace zov;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Keeps each input's decoding small, so the fuzzer spends its time on structure.
    QImageReader::setAllocationLimit(16);
    return InitializeApplication<QGuiApplication>(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::unique_ptr<TGraphic> graphic = TGraphic::FromFileBytes(bytes);
    if (graphic == nullptr) {
        return 0;
    }
    const TSize extent = graphic->Size();
    if (extent.cx < 0 || extent.cy < 0) {
        __builtin_trap();
    }
    TPicture picture;
    picture.SetGraphic(graphic->ClassName(), graphic->Bytes());
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    picture.Draw(canvas, TRect{2, 2, 38, 28});
    return 0;
}
