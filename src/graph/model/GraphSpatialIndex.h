#pragma once

#include "platform/types/Types.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace zov {

class TGraphObject;
class TGraphObjectList;

// The objects of a graph by the area they may draw on, in square cells, so that
// painting and hit testing look only at the objects near a rectangle. Results come in
// the order of the graph's object list; the index learns that order from the list
// whenever objects were reordered. An object belongs to at most one index.
class TGraphSpatialIndex {
public:
    TGraphSpatialIndex() = default;
    TGraphSpatialIndex(const TGraphSpatialIndex&) = delete;
    TGraphSpatialIndex& operator=(const TGraphSpatialIndex&) = delete;

    // An object appended to the list keeps the order without a rescan.
    void Add(TGraphObject* object, const TRect& area);
    // Moves an indexed object to its new area; objects not indexed are ignored.
    void Move(TGraphObject* object, const TRect& area);
    void Remove(TGraphObject* object);
    // Forgets every object; they must all still exist.
    void Clear();
    // newObject takes oldObject's place in the list (and its order) with its own area.
    void Replace(TGraphObject* oldObject, TGraphObject* newObject, const TRect& area);
    // The list order changed other than by appending.
    void OrderChanged() { fOrderStale = true; }

    // The indexed objects whose area touches rect, in the order of list.
    std::vector<TGraphObject*> Query(const TRect& rect, const TGraphObjectList& list) const;

private:
    struct Entry {
        TGraphObject* Object = nullptr; // nullptr: a free slot
        TRect Area;
        uint64_t Order = 0;
        uint32_t Stamp = 0;
        bool Large = false; // kept outside the cells
    };
    struct CellRange {
        int32_t Left, Top, Right, Bottom; // inclusive
        int64_t Count() const;
    };

    static CellRange CellsOf(const TRect& area);
    static uint64_t CellKey(int32_t x, int32_t y);
    Entry* EntryOf(const TGraphObject* object) const;
    void Insert(int32_t slot);
    void Erase(int32_t slot);
    void Renumber(const TGraphObjectList& list) const;

    // Orders and stamps are caches of the queries.
    mutable std::vector<Entry> fEntries;
    std::vector<int32_t> fFreeSlots;
    int32_t fCount = 0;
    std::unordered_map<uint64_t, std::vector<int32_t>> fCells;
    std::vector<int32_t> fLarge;
    mutable uint64_t fNextOrder = 0;
    mutable uint32_t fStamp = 0;
    mutable bool fOrderStale = false;
};

} // namespace zov
