// The document's side of the graph file: saving, loading and merging graphs, object
// lists and object states.
#include "GraphDocument.h"
#include "graph/persistence/GraphFile.h"
#include "graph/persistence/GraphStreams.h"
#include "platform/stream/FileIO.h"
#include "platform/types/UpdateBracket.h"

namespace zov {

void TGraphDocument::SaveToStream(TStream& stream) {
    WriteGraphSignature(stream);
    WriteObjectList(stream, fObjects);
    WriteGraphTrailer(stream, fInfo);
    fModified = false;
}

void TGraphDocument::LoadFromStream(TStream& stream) {
    ReadGraphSignature(stream);
    WithUpdate(*this, [&] {
        Clear();
        ReadObjectList(stream);
        ReadGraphTrailer(stream, fInfo);
        ApplyPageBounds();
        fSaveModified = TPendingModified::Reset; // the loaded graph is unmodified
    });
}

bool TGraphDocument::IsCompleteGraph(const QByteArray& bytes) {
    TMemoryStream stream(bytes);
    ReadGraphSignature(stream);
    TGraphDocument check;
    int32_t unread = 0;
    WithUpdate(check, [&] {
        TCounterGuard suspend(check.fSuspendQueryEvents);
        ReadObjectListInto(stream, check, &unread);
    });
    // Older files end after the object list; a trailer that is there must be whole.
    TGraphFileInfo info;
    return unread == 0 && (stream.Remaining() == 0 || ReadGraphTrailer(stream, info));
}

TRect TGraphDocument::MergeFromStream(TStream& stream, int32_t offsetX, int32_t offsetY) {
    ReadGraphSignature(stream);
    const int32_t first = fObjects.Count();
    TRect added;
    WithUpdate(*this, [&] {
        ClearSelection();
        ReadObjectList(stream);
        if (fObjects.Count() == first) {
            return;
        }
        TGraphObjectList newObjects;
        for (int32_t i = first; i < fObjects.Count(); ++i) {
            newObjects.Add(fObjects.Items(i));
        }
        added = BoundsOfObjects(newObjects);
        fGraphConstraints.SetSourceRect(added);
        if (fGraphConstraints.ConfineOffset(offsetX, offsetY, AllObjectSides)) {
            TCounterGuard suspend(fSuspendQueryEvents);
            for (int32_t i = first; i < fObjects.Count(); ++i) {
                fObjects.Items(i)->OffsetBy(offsetX, offsetY);
            }
            added = {added.Left + offsetX, added.Top + offsetY, added.Right + offsetX,
                     added.Bottom + offsetY};
        }
    });
    SetCommandMode(cmEdit);
    return fObjects.Count() > first ? added : TRect{};
}

void TGraphDocument::SaveToFile(const QString& fileName) {
    TMemoryStream stream;
    const bool modified = fModified;
    SaveToStream(stream);
    try {
        WriteFileBytes(fileName, stream.Bytes());
    } catch (...) {
        fModified = modified; // nothing was saved
        throw;
    }
}

void TGraphDocument::LoadFromFile(const QString& fileName) {
    TMemoryStream stream(ReadFileBytes(fileName));
    LoadFromStream(stream);
}

TRect TGraphDocument::MergeFromFile(const QString& fileName, int32_t offsetX, int32_t offsetY) {
    TMemoryStream stream(ReadFileBytes(fileName));
    return MergeFromStream(stream, offsetX, offsetY);
}

void TGraphDocument::WriteObjectList(TStream& stream, const TGraphObjectList& list) {
    zov::WriteObjectList(stream, list);
}

int32_t TGraphDocument::ReadObjectList(TStream& stream) {
    int32_t first = 0;
    WithUpdate(*this, [&] {
        TCounterGuard suspend(fSuspendQueryEvents);
        first = ReadObjectListInto(stream, *this);
    });
    return first;
}

void TGraphDocument::SaveObjectStates(TStream& stream, const TGraphObjectList& list) {
    zov::SaveObjectStates(stream, list);
}

void TGraphDocument::LoadObjectStates(TStream& stream) {
    WithUpdate(*this, [&] {
        TCounterGuard suspend(fSuspendQueryEvents);
        LoadObjectStatesInto(stream, *this);
    });
}

} // namespace zov
