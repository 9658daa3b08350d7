#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace zov {

class TGraphObject;

// The objects of a graph by ID, and the runs of IDs in use, so that finding an object
// by ID and the next free ID take logarithmic time instead of a scan of the graph.
// Several objects may carry the same ID for a while (objects just read, before they
// are renumbered).
class TGraphIDIndex {
public:
    void Add(TGraphObject* object);
    void Remove(TGraphObject* object);
    // object, indexed under oldID, now carries its current ID.
    void Renumber(TGraphObject* object, uint32_t oldID);
    void Replace(TGraphObject* oldObject, TGraphObject* newObject);
    void Clear();

    // The objects carrying id (empty when none).
    const std::vector<TGraphObject*>& Holders(uint32_t id) const;
    // The smallest ID from start on that no object other than self carries (after the
    // largest ID, counting goes on from 1).
    uint32_t NextFree(uint32_t start, const TGraphObject* self) const;

private:
    void Take(uint32_t id);
    void Release(uint32_t id);
    // The smallest ID from start on that nobody carries, wrapping to 1.
    uint32_t FirstUnused(uint32_t start) const;

    std::unordered_map<uint32_t, std::vector<TGraphObject*>> fHolders;
    std::map<uint32_t, uint32_t> fRuns; // first ID of a run of used IDs -> its last ID
};

} // namespace zov
