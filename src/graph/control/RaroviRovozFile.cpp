// The graph control's side of the graph file: saving, loading and merging graphs,
// object lists and object states.
#include "RaroviRovoz.h"
#include "graph/persistence/GraphFile.h"
#include "graph/persistence/GraphStreams.h"
#include "platform/stream/FileIO.h"
#include "platform/types/UpdateBracket.h"

namespace zov {

void TRaroviRovoz::SaveToStream(TStream& stream) {
    WriteGraphSignature(stream);
    WriteObjectList(stream, fObjects);
    WriteGraphTrailer(stream, fInfo);
    fModified = false;
}

void TRaroviRovoz::LoadFromStream(TStream& stream) {
    ReadGraphSignature(stream);
    WithUpdate(*this, [&] {
        Clear();
        ReadObjectList(stream);
        ReadGraphTrailer(stream, fInfo);
        ApplyPageBounds();
        fSaveModified = 2; // the loaded graph is unmodified
    });
}

void TRaroviRovoz::MergeFromStream(TStream& stream, int32_t offsetX, int32_t offsetY) {
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
    if (fObjects.Count() > first) {
        ScrollInView(added);
    }
}

void TRaroviRovoz::SaveToFile(const QString& fileName) {
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

void TRaroviRovoz::LoadFromFile(const QString& fileName) {
    TMemoryStream stream(ReadFileBytes(fileName));
    LoadFromStream(stream);
}

void TRaroviRovoz::MergeFromFile(const QString& fileName, int32_t offsetX, int32_t offsetY) {
    TMemoryStream stream(ReadFileBytes(fileName));
    MergeFromStream(stream, offsetX, offsetY);
}

void TRaroviRovoz::WriteObjectList(TStream& stream, const TGraphObjectList& list) {
    zov::WriteObjectList(stream, list);
}

void TRaroviRovoz::ReadObjectList(TStream& stream) {
    WithUpdate(*this, [&] {
        TCounterGuard suspend(fSuspendQueryEvents);
        ReadObjectListInto(stream, *this);
    });
}

void TRaroviRovoz::SaveObjectStates(TStream& stream, const TGraphObjectList& list) {
    zov::SaveObjectStates(stream, list);
}

void TRaroviRovoz::LoadObjectStates(TStream& stream) {
    WithUpdate(*this, [&] {
        TCounterGuard suspend(fSuspendQueryEvents);
        LoadObjectStatesInto(stream, *this);
    });
}

} // namespace zov
