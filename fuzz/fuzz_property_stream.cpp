// Feeds arbitrary bytes to the component-stream reader: as loose values, and as the
// body of a graph object read into a fresh node of the class the first byte picks. A
// body that reads must write back to bytes that read again to the same bytes.
#include "FuzzApplication.h"
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "platform/stream/Filer.h"
#include "platform/stream/Stream.h"
#include "platform/types/Exceptions.h"
#include "support/TestGraph.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <iterator>

using namespace zov;

namespace {

QByteArray Save(TGraphObject* object) {
    TMemoryStream stream;
    object->SaveToStream(stream);
    return stream.Bytes();
}

void ReadValues(const QByteArray& bytes) {
    TMemoryStream stream(bytes);
    TReader reader(stream);
    try {
        while (stream.Remaining() > 0) {
            reader.SkipValue();
        }
    } catch (const Exception&) {
    }
}

const TGraphObjectClass& ClassFor(uint8_t selector) {
    const TGraphObjectClass* const classes[] = {
        &test::TTestNode::Class(), &TRectangularNode::Class(),   &TRoundRectangularNode::Class(),
        &TEllipticNode::Class(),   &TTriangularNode::Class(),    &TRhomboidalNode::Class(),
        &TPentagonalNode::Class(), &THexagonalNode::Class(),     &TDataNode::Class(),
        &TTextNode::Class(),       &TParallelogramNode::Class(), &TGraphLink::Class()};
    return *classes[selector % std::size(classes)];
}

void ReadObject(const TGraphObjectClass& cls, const QByteArray& bytes) {
    test::TRecordingGraph graph;
    TMemoryStream stream(bytes);
    TGraphObject* node = nullptr;
    try {
        node = TGraphObject::CreateByReading(cls, &graph, stream);
    } catch (const Exception&) {
        return;
    }
    const QByteArray first = Save(node);
    TMemoryStream again(first);
    TGraphObject* copy = TGraphObject::CreateByReading(cls, &graph, again);
    if (Save(copy) != first) {
        std::abort();
    }
}

} // namespace

// Captions are measured with real fonts, which need the application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return InitializeApplication<QGuiApplication>(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ReadValues(bytes);
    if (size > 0) {
        ReadObject(ClassFor(data[0]), bytes.mid(1));
    }
    return 0;
}
