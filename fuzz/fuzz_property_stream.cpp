// Feeds arbitrary bytes to the component-stream reader: as loose values, and as the
// body of a graph object read into a fresh node. A body that reads must write back
// to bytes that read again to the same bytes.
#include "platform/Exceptions.h"
#include "platform/Filer.h"
#include "platform/Stream.h"
#include "support/TestGraph.h"

#include <cstdint>
#include <cstdlib>

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

void ReadObject(const QByteArray& bytes) {
    test::TTestGraph graph;
    TMemoryStream stream(bytes);
    TGraphObject* node = nullptr;
    try {
        node = TGraphObject::CreateByReading(test::TTestNode::Class(), &graph, stream);
    } catch (const Exception&) {
        return;
    }
    const QByteArray first = Save(node);
    TMemoryStream again(first);
    TGraphObject* copy = TGraphObject::CreateByReading(test::TTestNode::Class(), &graph, again);
    if (Save(copy) != first) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ReadValues(bytes);
    ReadObject(bytes);
    return 0;
}
