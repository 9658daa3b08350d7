#include "GraphObjectList.h"

#include "platform/types/Exceptions.h"

namespace zov {

void TGraphObjectList::CheckIndex(int32_t index, int32_t limit) const {
    if (index < 0 || index > limit) {
        throw EListError(Exception::Format(SListIndexError, index));
    }
}

void TGraphObjectList::Notify(TGraphObject* item, TGraphObjectListAction action) {
    if (OnChange && item != nullptr) {
        OnChange(*this, item, action);
    }
}

void TGraphObjectList::Grow() {
    const int32_t delta = fCount < 64 ? 16 : 8;
    fItems.resize(fItems.size() + static_cast<size_t>(delta), nullptr);
}

void TGraphObjectList::SetCapacity(int32_t value) {
    value = std::max(value, 0);
    if (value == Capacity()) {
        return;
    }
    while (fCount > value) {
        Delete(fCount - 1);
    }
    fItems.resize(static_cast<size_t>(value), nullptr);
}

TGraphObject* TGraphObjectList::Items(int32_t index) const {
    CheckIndex(index, fCount - 1);
    return fItems[static_cast<size_t>(index)];
}

int32_t TGraphObjectList::Add(TGraphObject* item) {
    const int32_t index = fCount;
    Insert(index, item);
    return index;
}

void TGraphObjectList::Insert(int32_t index, TGraphObject* item) {
    CheckIndex(index, fCount);
    if (fCount == Capacity()) {
        Grow();
    }
    for (int32_t i = fCount; i > index; --i) {
        fItems[static_cast<size_t>(i)] = fItems[static_cast<size_t>(i - 1)];
    }
    fItems[static_cast<size_t>(index)] = item;
    ++fCount;
    Notify(item, glAdded);
}

void TGraphObjectList::Delete(int32_t index) {
    CheckIndex(index, fCount - 1);
    TGraphObject* item = fItems[static_cast<size_t>(index)];
    for (int32_t i = index; i < fCount - 1; ++i) {
        fItems[static_cast<size_t>(i)] = fItems[static_cast<size_t>(i + 1)];
    }
    --fCount;
    fItems[static_cast<size_t>(fCount)] = nullptr;
    FixEnumerations(index);
    Notify(item, glRemoved);
}

int32_t TGraphObjectList::Remove(TGraphObject* item) {
    const int32_t index = IndexOf(item);
    if (index >= 0) {
        Delete(index);
    }
    return index;
}

void TGraphObjectList::Move(int32_t curIndex, int32_t newIndex) {
    CheckIndex(curIndex, fCount - 1);
    CheckIndex(newIndex, fCount - 1);
    if (curIndex == newIndex) {
        return;
    }
    TGraphObject* item = fItems[static_cast<size_t>(curIndex)];
    for (int32_t i = curIndex; i < fCount - 1; ++i) {
        fItems[static_cast<size_t>(i)] = fItems[static_cast<size_t>(i + 1)];
    }
    FixEnumerations(curIndex);
    for (int32_t i = fCount - 1; i > newIndex; --i) {
        fItems[static_cast<size_t>(i)] = fItems[static_cast<size_t>(i - 1)];
    }
    fItems[static_cast<size_t>(newIndex)] = item;
    Notify(item, glReordered);
}

int32_t TGraphObjectList::IndexOf(const TGraphObject* item) const {
    for (int32_t i = fCount - 1; i >= 0; --i) {
        if (fItems[static_cast<size_t>(i)] == item) {
            return i;
        }
    }
    return -1;
}

void TGraphObjectList::Clear() {
    SetCapacity(0);
    fEnumStackPos = 0;
}

void TGraphObjectList::Assign(const TGraphObjectList& source) {
    if (&source == this) {
        return;
    }
    Clear();
    SetCapacity(source.Count());
    for (int32_t i = 0; i < source.Count(); ++i) {
        Add(source.fItems[static_cast<size_t>(i)]);
    }
}

int32_t TGraphObjectList::Replace(const TGraphObject* oldItem, TGraphObject* newItem,
                                  int32_t hint) {
    const int32_t index = hint >= 0 && hint < fCount && fItems[static_cast<size_t>(hint)] == oldItem
                              ? hint
                              : IndexOf(oldItem);
    if (index >= 0) {
        fItems[static_cast<size_t>(index)] = newItem;
    }
    return index;
}

void TGraphObjectList::FixEnumerations(int32_t index) {
    auto fix = [index](TListEnumState& state) {
        if (state.Dir != 0 &&
            (index < state.Current || (state.Dir == 1 && index == state.Current))) {
            --state.Current;
        }
    };
    fix(fEnum);
    for (int32_t i = 0; i < fEnumStackPos; ++i) {
        fix(fEnumStack[static_cast<size_t>(i)]);
    }
}

TGraphObject* TGraphObjectList::First() {
    if (fCount <= 0) {
        fEnum.Dir = 0;
        return nullptr;
    }
    fEnum = {0, 1};
    return fItems[0];
}

TGraphObject* TGraphObjectList::Last() {
    if (fCount < 1) {
        fEnum.Dir = 0;
        return nullptr;
    }
    fEnum = {fCount - 1, -1};
    return fItems[static_cast<size_t>(fCount - 1)];
}

TGraphObject* TGraphObjectList::Step(int32_t delta) {
    fEnum.Current += delta;
    if (fEnum.Current >= 0 && fEnum.Current < fCount) {
        return fItems[static_cast<size_t>(fEnum.Current)];
    }
    if (fEnum.Dir != 0) {
        fEnum.Dir = 0;
        return nullptr;
    }
    throw EListError(QString::fromUtf8(SListEnumerationError));
}

TGraphObject* TGraphObjectList::Next() {
    return Step(1);
}

TGraphObject* TGraphObjectList::Prior() {
    return Step(-1);
}

bool TGraphObjectList::Push() {
    if (fEnum.Dir == 0) {
        return false;
    }
    if (fEnumStackPos == static_cast<int32_t>(fEnumStack.size())) {
        fEnumStack.emplace_back();
    }
    fEnumStack[static_cast<size_t>(fEnumStackPos++)] = fEnum;
    return true;
}

bool TGraphObjectList::Pop() {
    if (fEnumStackPos == 0) {
        return false;
    }
    fEnum = fEnumStack[static_cast<size_t>(--fEnumStackPos)];
    return true;
}

} // namespace zov
