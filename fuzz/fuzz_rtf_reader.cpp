// Reads arbitrary bytes as an RTF document, as a text node's payload or the
// clipboard may hand them over, then lays the document out.
#include "FuzzApplication.h"
#include "richtext/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>

using namespace zov;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return InitializeApplication<QGuiApplication>(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    QTextDocument document;
    const TRtfReadResult result = ReadRtf(bytes, document);
    if (result == rrNotRtf && !document.isEmpty()) {
        __builtin_trap();
    }
    document.setTextWidth(200);
    if (document.size().height() < 0) {
        __builtin_trap();
    }
    return 0;
}
