// Reads arbitrary bytes as an RTF document, as a text node's payload or the
// clipboard may hand them over, and lays the document out; then writes it with
// our writer and reads that again, which must give the same paragraphs.
#include "FuzzApplication.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdint>

using namespace zov;

namespace {

QStringList BlockTexts(const QTextDocument& document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        texts.append(block.text());
    }
    return texts;
}

} // namespace

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
    if (result == rrNotRtf) {
        return 0;
    }
    const QByteArray written = WriteRtf(document);
    QTextDocument again;
    if (ReadRtf(written, again) != rrComplete || BlockTexts(again) != BlockTexts(document)) {
        __builtin_trap();
    }
    return 0;
}
