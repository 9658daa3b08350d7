#pragma once

#include <cstdint>

namespace zov {

class TGraphObject;
class TGraphObjectList;
class TGraphOwner;
class TStream;

// The object list as graph files and the clipboard hold it: a 32-bit count, then per
// object its class name (32-bit byte count, UTF-16LE name, one zero byte) and its
// body (property stream, then the text node's content).
void WriteObjectRecord(TStream& stream, TGraphObject& object);
void WriteObjectList(TStream& stream, const TGraphObjectList& list);

// Reads one object record into the graph: the object of the named class, or none
// when the record cannot be read (also as the older form with a single-byte class
// name); never fails.
TGraphObject* ReadObjectRecord(TStream& stream, TGraphOwner& graph);

// Reads an object list into the graph: its objects are appended, renumbered where
// their IDs are taken and then told that loading ended. Returns the index of the
// first new object; unread, when given, receives the number of records the list
// announced but that could not be read. The caller brackets it with an update and
// suspended queries.
int32_t ReadObjectListInto(TStream& stream, TGraphOwner& graph, int32_t* unread = nullptr);

// The state of objects by ID (32-bit count, then ID and body per object), written to
// put it back into the same objects later.
void SaveObjectStates(TStream& stream, const TGraphObjectList& list);
// Puts saved states back into the objects that carry the IDs; stops at an ID that
// names no object, since a record cannot be skipped without its object.
void LoadObjectStatesInto(TStream& stream, TGraphOwner& graph);

} // namespace zov
