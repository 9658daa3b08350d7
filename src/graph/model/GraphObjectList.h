#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zov {

class TGraphObject;

enum TGraphObjectListAction : uint8_t { glAdded, glRemoved, glReordered };

// An ordered list of graph objects with change events and a re-entrant enumeration:
// the current walk (First/Next/Prior/Last) can be saved with Push and restored with
// Pop, and deleting items adjusts every walk so that none skips or repeats an item.
// The list does not own its items.
class TGraphObjectList {
public:
    using TChangeEvent =
        std::function<void(TGraphObjectList& sender, TGraphObject* item, TGraphObjectListAction)>;

    TGraphObjectList() = default;
    TGraphObjectList(const TGraphObjectList&) = delete;
    TGraphObjectList& operator=(const TGraphObjectList&) = delete;

    int32_t Count() const { return fCount; }
    int32_t Capacity() const { return static_cast<int32_t>(fItems.size()); }
    // Shrinking below Count deletes items from the end, each with its event.
    void SetCapacity(int32_t value);
    // Throws EListError for an index outside 0..Count-1.
    TGraphObject* Items(int32_t index) const;

    int32_t Add(TGraphObject* item);
    void Insert(int32_t index, TGraphObject* item);
    void Delete(int32_t index);
    // The index the item had, or -1.
    int32_t Remove(TGraphObject* item);
    // One glReordered event; no event when the indexes are equal.
    void Move(int32_t curIndex, int32_t newIndex);
    // Searched from the last item to the first.
    int32_t IndexOf(const TGraphObject* item) const;
    // Deletes every item from the last one, each with its event, and forgets saved walks.
    void Clear();
    void Assign(const TGraphObjectList& source);
    // Puts newItem where oldItem is (at hint when it is there, else searched from the
    // end) without any event; the index, or -1.
    int32_t Replace(const TGraphObject* oldItem, TGraphObject* newItem, int32_t hint = -1);

    TGraphObject* First();
    TGraphObject* Next();
    TGraphObject* Prior();
    TGraphObject* Last();
    // Saves the current walk; false when none is running.
    bool Push();
    // Restores the last saved walk; false when none is saved.
    bool Pop();

    // Fired after the list changed, and only for items that are not null.
    TChangeEvent OnChange;

private:
    struct TListEnumState {
        int32_t Current = 0;
        int32_t Dir = 0; // 1 forward, -1 backward, 0 none
    };

    void Grow();
    void CheckIndex(int32_t index, int32_t limit) const;
    void FixEnumerations(int32_t index);
    void Notify(TGraphObject* item, TGraphObjectListAction action);
    TGraphObject* Step(int32_t delta);

    std::vector<TGraphObject*> fItems; // capacity slots
    int32_t fCount = 0;
    TListEnumState fEnum;
    std::vector<TListEnumState> fEnumStack;
    int32_t fEnumStackPos = 0;
};

// Keeps a list's walk across a call that may walk or change the same list.
class TListEnumGuard {
public:
    explicit TListEnumGuard(TGraphObjectList& list) : fList(list), fSaved(list.Push()) {}
    ~TListEnumGuard() {
        if (fSaved) {
            fList.Pop();
        }
    }
    TListEnumGuard(const TListEnumGuard&) = delete;
    TListEnumGuard& operator=(const TListEnumGuard&) = delete;

private:
    TGraphObjectList& fList;
    bool fSaved;
};

} // namespace zov
