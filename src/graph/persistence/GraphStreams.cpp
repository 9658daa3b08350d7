#include "GraphStreams.h"

#include "graph/model/GraphClassRegistry.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "graph/model/GraphOwner.h"
#include "platform/Exceptions.h"
#include "platform/Stream.h"

#include <QtEndian>
#include <algorithm>

namespace zov {

namespace {

// The class name field holds at most 256 UTF-16 code units.
constexpr int32_t kMaxClassNameField = 512;
// The fewest bytes an object record can take: the name count, a one-character name
// and the property stream's signature, class name, object name and two end markers.
constexpr int64_t kMinRecordSize = 4 + 3 + 4 + 2 + 1 + 2;

int32_t ReadInt32(TStream& stream) {
    int32_t value = 0;
    stream.ReadBuffer(&value, sizeof value);
    return qFromLittleEndian(value);
}

void WriteInt32(TStream& stream, int32_t value) {
    const int32_t le = qToLittleEndian(value);
    stream.WriteBuffer(&le, sizeof le);
}

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

} // namespace

void WriteObjectRecord(TStream& stream, TGraphObject& object) {
    const QString name = object.ClassType().Name;
    WriteInt32(stream, static_cast<int32_t>(2 * name.size() + 1));
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
    WriteInt32(stream, list.Count());
    for (int32_t i = 0; i < list.Count(); ++i) {
        WriteObjectRecord(stream, *list.Items(i));
    }
}

TGraphObject* ReadObjectRecord(TStream& stream, TGraphOwner& graph) {
    const int64_t start = stream.Position();
    try {
        const int32_t count = ReadInt32(stream);
        if (count > kMaxClassNameField) {
            throw EReadError(QString::fromLatin1(SInvalidStreamContent));
        }
        return CreateNamed(Utf16ClassName(ReadField(stream, count)), stream, graph);
    } catch (const Exception&) {
        stream.SetPosition(start);
    }
    try {
        return CreateNamed(AnsiClassName(ReadField(stream, ReadInt32(stream))), stream, graph);
    } catch (const Exception&) {
        return nullptr;
    }
}

int32_t ReadObjectListInto(TStream& stream, TGraphOwner& graph) {
    TGraphObjectList& objects = graph.Objects();
    const int32_t first = objects.Count();
    const int32_t count = ReadInt32(stream);
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
    for (int32_t i = first; i < objects.Count(); ++i) {
        const uint32_t oldID = objects.Items(i)->ID();
        const uint32_t newID = graph.NextFreeID(objects.Items(i));
        if (newID != oldID) {
            for (int32_t j = first; j < objects.Count(); ++j) {
                objects.Items(j)->RenumberID(oldID, newID);
            }
        }
    }
    for (int32_t i = first; i < objects.Count(); ++i) {
        objects.Items(i)->Loaded();
    }
    return first;
}

void SaveObjectStates(TStream& stream, const TGraphObjectList& list) {
    WriteInt32(stream, list.Count());
    for (int32_t i = 0; i < list.Count(); ++i) {
        TGraphObject* object = list.Items(i);
        const uint32_t id = qToLittleEndian(object->ID());
        stream.WriteBuffer(&id, sizeof id);
        object->SaveToStream(stream);
    }
}

void LoadObjectStatesInto(TStream& stream, TGraphOwner& graph) {
    const int32_t count = ReadInt32(stream);
    for (int32_t i = 0; i < count; ++i) {
        uint32_t id = 0;
        stream.ReadBuffer(&id, sizeof id);
        TGraphObject* object = graph.FindObjectByID(qFromLittleEndian(id));
        if (object == nullptr) {
            return;
        }
        object->LoadFromStream(stream);
    }
}

} // namespace zov
