// Feeds arbitrary bytes to the graph file reader. Whatever loads must save to a file
// that loads and saves again to the same bytes, and what is saved is always a
// complete graph; merging the input into the loaded graph (renumbering every
// clashing object) must not fail either.
#include "FuzzApplication.h"
#include "graph/document/GraphDocument.h"
#include "platform/stream/Stream.h"
#include "platform/types/Exceptions.h"

#include <QGuiApplication>
#include <QtEndian>
#include <cstdint>
#include <cstdlib>

using namespace zov;

namespace {

QByteArray Save(TGraphDocument& graph) {
    TMemoryStream stream;
    graph.SaveToStream(stream);
    return stream.Bytes();
}

} // namespace

// Captions measure text, which needs fonts and so the application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return InitializeApplication<QGuiApplication>(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Kept for the whole run: fonts must not outlive the application at exit.
    static TGraphDocument& graph = *new TGraphDocument;
    static TGraphDocument& copy = *new TGraphDocument;
    TMemoryStream input(bytes);
    try {
        graph.LoadFromStream(input);
    } catch (const Exception&) {
        return 0; // no graph file, or one cut short
    }
    const bool complete = TGraphDocument::IsCompleteGraph(bytes);
    const QByteArray saved = Save(graph);
    if (!TGraphDocument::IsCompleteGraph(saved)) {
        std::abort();
    }
    // A complete input holds every object it announces.
    if (complete) {
        const int32_t announced = qFromLittleEndian<int32_t>(bytes.constData() + 4);
        if (announced > 0 && graph.ObjectsCount() != announced) {
            std::abort();
        }
    }
    TMemoryStream again(saved);
    copy.LoadFromStream(again);
    if (Save(copy) != saved) {
        std::abort();
    }
    TMemoryStream merged(bytes);
    graph.MergeFromStream(merged, 7, 7);
    return 0;
}
