#include "GraphStreams.h"

#include "graph/model/GraphClassRegistry.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "graph/model/GraphOwner.h"
#include "platform/stream/Stream.h"
#include "platform/types/Exceptions.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace zov {

namespace {

// The class name field holds at most 256 UTF-16 code units.
constexpr int32_t kMaxClassNameField = 512;
// The fewest bytes an object record can take: the name count, a one-character name
// and the property stream's signature, class name, object name and two end markers.
constexpr int64_t kMinRecordSize = 4 + 3 + 4 + 2 + 1 + 2;

QByteArray ReadField(TStream& stream, int32_t count) {
    if (count < 0 || count > stream.Remaining()) {
        throw EReadError(QString::fromLatin1(SReadError));
    }
    QByteArray bytes(count, Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), count);
    return bytes;
}

QString Utf16ClassName(const QByteArray& field) {
    QString name;
    for (qsizetype i = 0; i + 1 < field.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<uint8_t>(field[i]) |
                                                static_cast<uint8_t>(field[i + 1]) << 8);
        if (unit == 0) {
            break;
        }
        name.append(QChar(unit));
    }
    return name;
}

QString AnsiClassName(const QByteArray& field) {
    const qsizetype end = field.indexOf('\0');
    return QString::fromLatin1(end < 0 ? field : field.left(end));
}

TGraphObject* CreateNamed(const QString& name, TStream& stream, TGraphOwner& graph) {
    const TGraphObjectClass* cls = FindGraphClass(name);
    if (cls == nullptr) {
        throw EReadError(QString::fromLatin1(SInvalidStreamContent));
    }
    return TGraphObject::CreateByReading(*cls, &graph, stream);
}

// A damaged list can give several objects one ID; renumbering would move them all
// together, so each but the last (the one a lookup by ID finds) gets a free ID of its
// own. References to the ID keep pointing at the last one.
void SeparateSharedIDs(TGraphObjectList& objects, int32_t first, TGraphOwner& graph) {
    std::unordered_map<uint32_t, int32_t> holders;
    holders.reserve(static_cast<size_t>(objects.Count() - first));
    for (int32_t i = first; i < objects.Count(); ++i) {
        ++holders[objects.Items(i)->ID()];
    }
    for (int32_t i = first; i < objects.Count(); ++i) {
        TGraphObject* object = objects.Items(i);
        int32_t& count = holders[object->ID()];
        if (count > 1) {
            --count;
            object->TGraphObject::RenumberID(object->ID(), graph.NextFreeID(object));
        }
    }
}

// Each new object whose ID is taken gets the next free one, and the new objects that
// refer to the old ID follow it. Only the objects concerned by an ID are told of its
// renumbering, so a list whose every ID is taken is renumbered in linear time.
void RenumberTakenIDs(TGraphObjectList& objects, int32_t first, TGraphOwner& graph) {
    std::unordered_map<uint32_t, std::vector<TGraphObject*>> concerned;
    concerned.reserve(static_cast<size_t>(objects.Count() - first));
    std::vector<uint32_t> ids;
    for (int32_t i = first; i < objects.Count(); ++i) {
        TGraphObject* object = objects.Items(i);
        ids.clear();
        object->CollectRenumberableIDs(ids);
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        for (uint32_t id : ids) {
            concerned[id].push_back(object);
        }
    }
    for (int32_t i = first; i < objects.Count(); ++i) {
        const uint32_t oldID = objects.Items(i)->ID();
        const uint32_t newID = graph.NextFreeID(objects.Items(i));
        if (newID == oldID) {
            continue;
        }
        auto it = concerned.find(oldID);
        if (it == concerned.end()) {
            continue;
        }
        std::vector<TGraphObject*> moved = std::move(it->second);
        concerned.erase(it);
        for (TGraphObject* object : moved) {
            object->RenumberID(oldID, newID);
        }
        std::vector<TGraphObject*>& target = concerned[newID];
        target.insert(target.end(), moved.begin(), moved.end());
    }
}

} // namespace

void WriteObjectRecord(TStream& stream, TGraphObject& object) {
    const QString name = object.ClassType().Name;
    stream.WriteLE(static_cast<int32_t>(2 * name.size() + 1));
    QByteArray field;
    field.reserve(2 * name.size() + 1);
    for (QChar c : name) {
        field.append(static_cast<char>(c.unicode() & 0xFF));
        field.append(static_cast<char>(c.unicode() >> 8));
    }
    field.append('\0');
    stream.WriteBuffer(field.constData(), field.size());
    object.SaveToStream(stream);
}

void WriteObjectList(TStream& stream, const TGraphObjectList& list) {
    stream.WriteLE<int32_t>(list.Count());
    for (int32_t i = 0; i < list.Count(); ++i) {
        WriteObjectRecord(stream, *list.Items(i));
    }
}

TGraphObject* ReadObjectRecord(TStream& stream, TGraphOwner& graph) {
    const int64_t start = stream.Position();
    try {
        const int32_t count = stream.ReadLE<int32_t>();
        if (count > kMaxClassNameField) {
            throw EReadError(QString::fromLatin1(SInvalidStreamContent));
        }
        return CreateNamed(Utf16ClassName(ReadField(stream, count)), stream, graph);
    } catch (const Exception&) {
        stream.SetPosition(start);
    }
    try {
        return CreateNamed(AnsiClassName(ReadField(stream, stream.ReadLE<int32_t>())), stream,
                           graph);
    } catch (const Exception&) {
        return nullptr;
    }
}

int32_t ReadObjectListInto(TStream& stream, TGraphOwner& graph, int32_t* unread) {
    TGraphObjectList& objects = graph.Objects();
    const int32_t first = objects.Count();
    const int32_t count = stream.ReadLE<int32_t>();
    if (unread != nullptr) {
        *unread = 0;
    }
    if (count <= 0) {
        return first;
    }
    // A damaged count must not reserve room for more records than the bytes left hold.
    const int64_t possible = stream.Remaining() / kMinRecordSize;
    objects.SetCapacity(first + static_cast<int32_t>(std::min<int64_t>(count, possible)));
    for (int32_t i = 0; i < count; ++i) {
        const int64_t before = stream.Position();
        if (ReadObjectRecord(stream, graph) == nullptr && stream.Position() == before) {
            break; // every further record would fail at the same place
        }
    }
    if (unread != nullptr) {
        *unread = count - (objects.Count() - first);
    }
    SeparateSharedIDs(objects, first, graph);
    RenumberTakenIDs(objects, first, graph);
    for (int32_t i = first; i < objects.Count(); ++i) {
        objects.Items(i)->Loaded();
    }
    return first;
}

void SaveObjectStates(TStream& stream, const TGraphObjectList& list) {
    stream.WriteLE<int32_t>(list.Count());
    for (int32_t i = 0; i < list.Count(); ++i) {
        TGraphObject* object = list.Items(i);
        stream.WriteLE<uint32_t>(object->ID());
        object->SaveToStream(stream);
    }
}

void LoadObjectStatesInto(TStream& stream, TGraphOwner& graph) {
    const int32_t count = stream.ReadLE<int32_t>();
    for (int32_t i = 0; i < count; ++i) {
        TGraphObject* object = graph.FindObjectByID(stream.ReadLE<uint32_t>());
        if (object == nullptr) {
            return;
        }
        object->LoadFromStream(stream);
    }
}

} // namespace zov
