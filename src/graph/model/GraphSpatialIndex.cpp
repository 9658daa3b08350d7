#include "GraphSpatialIndex.h"

#include "GraphObject.h"
#include "GraphObjectList.h"

#include <algorithm>

namespace zov {

namespace {

// 128 graph units: a typical node covers one to four cells.
constexpr int kCellShift = 7;
// An object spanning more cells than this is checked on every query instead.
constexpr int64_t kMaxCellsPerObject = 64;

// Empty areas touch nothing, as they are kept in no cell.
bool Touches(const TRect& a, const TRect& b) {
    return !a.IsEmpty() && a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom &&
           b.Top < a.Bottom;
}

} // namespace

int64_t TGraphSpatialIndex::CellRange::Count() const {
    return (static_cast<int64_t>(Right) - Left + 1) * (static_cast<int64_t>(Bottom) - Top + 1);
}

TGraphSpatialIndex::CellRange TGraphSpatialIndex::CellsOf(const TRect& area) {
    // Right and bottom lie outside the area.
    return {area.Left >> kCellShift, area.Top >> kCellShift, (area.Right - 1) >> kCellShift,
            (area.Bottom - 1) >> kCellShift};
}

uint64_t TGraphSpatialIndex::CellKey(int32_t x, int32_t y) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
}

TGraphSpatialIndex::Entry* TGraphSpatialIndex::EntryOf(const TGraphObject* object) const {
    const int32_t slot = object->fSpatialSlot;
    if (slot < 0 || slot >= static_cast<int32_t>(fEntries.size()) ||
        fEntries[slot].Object != object) {
        return nullptr;
    }
    return &fEntries[slot];
}

void TGraphSpatialIndex::Add(TGraphObject* object, const TRect& area) {
    if (EntryOf(object) != nullptr) {
        Move(object, area);
        return;
    }
    int32_t slot;
    if (fFreeSlots.empty()) {
        slot = static_cast<int32_t>(fEntries.size());
        fEntries.emplace_back();
    } else {
        slot = fFreeSlots.back();
        fFreeSlots.pop_back();
    }
    fEntries[slot] = Entry{object, area, fNextOrder++};
    object->fSpatialSlot = slot;
    ++fCount;
    Insert(slot);
}

void TGraphSpatialIndex::Move(TGraphObject* object, const TRect& area) {
    Entry* entry = EntryOf(object);
    if (entry == nullptr || entry->Area == area) {
        return;
    }
    const int32_t slot = object->fSpatialSlot;
    Erase(slot);
    fEntries[slot].Area = area;
    Insert(slot);
}

void TGraphSpatialIndex::Remove(TGraphObject* object) {
    if (EntryOf(object) == nullptr) {
        return;
    }
    const int32_t slot = object->fSpatialSlot;
    Erase(slot);
    fEntries[slot] = Entry{};
    fFreeSlots.push_back(slot);
    object->fSpatialSlot = -1;
    --fCount;
}

void TGraphSpatialIndex::Replace(TGraphObject* oldObject, TGraphObject* newObject,
                                 const TRect& area) {
    const Entry* entry = EntryOf(oldObject);
    if (entry == nullptr) {
        Add(newObject, area);
        OrderChanged();
        return;
    }
    const uint64_t order = entry->Order;
    Remove(oldObject);
    Add(newObject, area);
    fEntries[newObject->fSpatialSlot].Order = order;
}

void TGraphSpatialIndex::Clear() {
    for (Entry& entry : fEntries) {
        if (entry.Object != nullptr) {
            entry.Object->fSpatialSlot = -1;
        }
    }
    fEntries.clear();
    fFreeSlots.clear();
    fCount = 0;
    fCells.clear();
    fLarge.clear();
    fNextOrder = 0;
    fOrderStale = false;
}

void TGraphSpatialIndex::Insert(int32_t slot) {
    Entry& entry = fEntries[slot];
    if (entry.Area.IsEmpty()) {
        return;
    }
    const CellRange cells = CellsOf(entry.Area);
    entry.Large = cells.Count() > kMaxCellsPerObject;
    if (entry.Large) {
        fLarge.push_back(slot);
        return;
    }
    for (int32_t y = cells.Top; y <= cells.Bottom; ++y) {
        for (int32_t x = cells.Left; x <= cells.Right; ++x) {
            fCells[CellKey(x, y)].push_back(slot);
        }
    }
}

void TGraphSpatialIndex::Erase(int32_t slot) {
    const Entry& entry = fEntries[slot];
    if (entry.Area.IsEmpty()) {
        return;
    }
    if (entry.Large) {
        std::erase(fLarge, slot);
        return;
    }
    const CellRange cells = CellsOf(entry.Area);
    for (int32_t y = cells.Top; y <= cells.Bottom; ++y) {
        for (int32_t x = cells.Left; x <= cells.Right; ++x) {
            const auto cell = fCells.find(CellKey(x, y));
            if (cell == fCells.end()) {
                continue;
            }
            std::erase(cell->second, slot);
            if (cell->second.empty()) {
                fCells.erase(cell);
            }
        }
    }
}

void TGraphSpatialIndex::Renumber(const TGraphObjectList& list) const {
    fNextOrder = 0;
    for (int32_t i = 0; i < list.Count(); ++i) {
        if (Entry* entry = EntryOf(list.Items(i))) {
            entry->Order = fNextOrder++;
        }
    }
    fOrderStale = false;
}

std::vector<TGraphObject*> TGraphSpatialIndex::Query(const TRect& rect,
                                                     const TGraphObjectList& list) const {
    std::vector<TGraphObject*> result;
    if (rect.IsEmpty() || fCount == 0) {
        return result;
    }
    if (fOrderStale) {
        Renumber(list);
    }
    const CellRange cells = CellsOf(rect);
    // A rectangle over many cells (a far zoomed-out view) is cheaper to answer from the
    // entries themselves, put in list order by their order numbers, which are distinct
    // and below fNextOrder: no cell lookups and no sorting. Reading an entry in turn
    // costs about a sixteenth of looking up a cell and sorting what it holds.
    constexpr int64_t kEntriesPerCellLookup = 16;
    if (cells.Count() * kEntriesPerCellLookup > fCount) {
        std::vector<const Entry*> byOrder(static_cast<size_t>(fNextOrder), nullptr);
        for (const Entry& entry : fEntries) {
            if (entry.Object != nullptr && Touches(entry.Area, rect)) {
                byOrder[static_cast<size_t>(entry.Order)] = &entry;
            }
        }
        for (const Entry* entry : byOrder) {
            if (entry != nullptr) {
                result.push_back(entry->Object);
            }
        }
        return result;
    }
    if (++fStamp == 0) {
        for (Entry& entry : fEntries) {
            entry.Stamp = 0;
        }
        fStamp = 1;
    }
    std::vector<const Entry*> found;
    auto consider = [&](int32_t slot) {
        Entry& entry = fEntries[slot];
        if (entry.Stamp != fStamp && Touches(entry.Area, rect)) {
            entry.Stamp = fStamp;
            found.push_back(&entry);
        }
    };
    for (int32_t y = cells.Top; y <= cells.Bottom; ++y) {
        for (int32_t x = cells.Left; x <= cells.Right; ++x) {
            const auto cell = fCells.find(CellKey(x, y));
            if (cell != fCells.end()) {
                std::for_each(cell->second.begin(), cell->second.end(), consider);
            }
        }
    }
    std::for_each(fLarge.begin(), fLarge.end(), consider);
    std::sort(found.begin(), found.end(),
              [](const Entry* a, const Entry* b) { return a->Order < b->Order; });
    result.reserve(found.size());
    for (const Entry* entry : found) {
        result.push_back(entry->Object);
    }
    return result;
}

} // namespace zov
