#include "GraphIDIndex.h"

#include "GraphObject.h"

#include <algorithm>
#include <limits>

namespace zov {

namespace {

const std::vector<TGraphObject*> kNoHolders;

} // namespace

void TGraphIDIndex::Add(TGraphObject* object) {
    std::vector<TGraphObject*>& holders = fHolders[object->ID()];
    holders.push_back(object);
    if (holders.size() == 1) {
        Take(object->ID());
    }
}

void TGraphIDIndex::Remove(TGraphObject* object) {
    auto it = fHolders.find(object->ID());
    if (it == fHolders.end()) {
        return;
    }
    std::erase(it->second, object);
    if (it->second.empty()) {
        fHolders.erase(it);
        Release(object->ID());
    }
}

void TGraphIDIndex::Renumber(TGraphObject* object, uint32_t oldID) {
    if (oldID == object->ID()) {
        return;
    }
    auto it = fHolders.find(oldID);
    if (it == fHolders.end() ||
        std::find(it->second.begin(), it->second.end(), object) == it->second.end()) {
        return; // not an indexed object
    }
    std::erase(it->second, object);
    if (it->second.empty()) {
        fHolders.erase(it);
        Release(oldID);
    }
    Add(object);
}

void TGraphIDIndex::Replace(TGraphObject* oldObject, TGraphObject* newObject) {
    Remove(oldObject);
    Add(newObject);
}

void TGraphIDIndex::Clear() {
    fHolders.clear();
    fRuns.clear();
}

const std::vector<TGraphObject*>& TGraphIDIndex::Holders(uint32_t id) const {
    auto it = fHolders.find(id);
    return it == fHolders.end() ? kNoHolders : it->second;
}

uint32_t TGraphIDIndex::NextFree(uint32_t start, const TGraphObject* self) const {
    const std::vector<TGraphObject*>& holders = Holders(start);
    if (holders.empty() || (holders.size() == 1 && holders.front() == self)) {
        return start;
    }
    return FirstUnused(start);
}

void TGraphIDIndex::Take(uint32_t id) {
    uint32_t first = id;
    uint32_t last = id;
    auto next = fRuns.upper_bound(id);
    if (next != fRuns.begin()) {
        auto prev = std::prev(next);
        if (prev->second != std::numeric_limits<uint32_t>::max() && prev->second + 1 == id) {
            first = prev->first;
            fRuns.erase(prev);
        }
    }
    if (next != fRuns.end() && id != std::numeric_limits<uint32_t>::max() &&
        next->first == id + 1) {
        last = next->second;
        fRuns.erase(next);
    }
    fRuns[first] = last;
}

void TGraphIDIndex::Release(uint32_t id) {
    auto it = std::prev(fRuns.upper_bound(id)); // the run holding id
    const uint32_t first = it->first;
    const uint32_t last = it->second;
    fRuns.erase(it);
    if (first < id) {
        fRuns[first] = id - 1;
    }
    if (id < last) {
        fRuns[id + 1] = last;
    }
}

uint32_t TGraphIDIndex::FirstUnused(uint32_t start) const {
    auto next = fRuns.upper_bound(start);
    if (next == fRuns.begin()) {
        return start;
    }
    const auto run = std::prev(next);
    if (run->second < start) {
        return start;
    }
    if (run->second == std::numeric_limits<uint32_t>::max()) {
        return start == 1 ? 0 : FirstUnused(1); // every ID in use: 0 is all that is left
    }
    return run->second + 1;
}

} // namespace zov
