#include "GraphHistory.h"

#include "graph/document/GraphDocument.h"
#include "graph/model/GraphObject.h"
#include "platform/types/Exceptions.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zov {

namespace {

// Up to this many objects find their place by searching the list each.
constexpr size_t kDirectIndexLookups = 8;

// Fills in the drawing-order index of each image.
void FindIndexes(TGraphObjectList& objects,
                 std::vector<std::pair<TGraphObject*, TObjectImage*>>& pending) {
    if (pending.size() <= kDirectIndexLookups) {
        for (auto& [object, image] : pending) {
            image->Index = object->ZOrder();
        }
        return;
    }
    // One bit per address lets most objects of a long list pass without a lookup.
    constexpr size_t kFilterBits = size_t{1} << 14;
    const auto bit = [](const TGraphObject* object) {
        return (reinterpret_cast<uintptr_t>(object) >> 4) & (kFilterBits - 1);
    };
    std::bitset<kFilterBits> filter;
    std::unordered_map<const TGraphObject*, TObjectImage*> images;
    images.reserve(pending.size());
    for (auto& [object, image] : pending) {
        images.emplace(object, image);
        filter.set(bit(object));
    }
    for (int32_t i = 0; i < objects.Count() && !images.empty(); ++i) {
        const TGraphObject* object = objects.Items(i);
        if (!filter.test(bit(object))) {
            continue;
        }
        const auto it = images.find(object);
        if (it != images.end()) {
            it->second->Index = i;
            images.erase(it);
        }
    }
}

} // namespace

TGraphHistory::TGraphHistory(TGraphDocument& document) : fDocument(document) {
    fStack.setUndoLimit(kUndoLimit);
    fDocument.SetChangeRecorder(this);
}

TGraphHistory::~TGraphHistory() {
    fDocument.SetChangeRecorder(nullptr);
}

// ---- Recording ----

void TGraphHistory::BeginStep(const QString& name, TStepMerge merge) {
    if (fDepth++ == 0) {
        ResetStep();
        fName = name;
        fMerge = merge;
    }
}

void TGraphHistory::EndStep() {
    if (fDepth == 0 || --fDepth > 0) {
        return;
    }
    if (fLost) {
        ResetStep();
        DropHistory();
        return;
    }
    TStepContent content = TakeContent();
    ResetStep();
    if (!content.Empty()) {
        fStack.push(new TGraphStep(*this, fName, std::move(content), fMerge));
    }
}

void TGraphHistory::Capture(TGraphObject& object) {
    std::vector<TGraphObject*> objects{&object};
    CaptureAll(objects);
}

void TGraphHistory::Capture(TGraphObjectList& list) {
    std::vector<TGraphObject*> objects;
    objects.reserve(static_cast<size_t>(list.Count()));
    for (int32_t i = 0; i < list.Count(); ++i) {
        objects.push_back(list.Items(i));
    }
    CaptureAll(objects);
}

// The places of all objects kept are found in one pass over the list.
void TGraphHistory::CaptureAll(std::vector<TGraphObject*>& work) {
    if (fDepth == 0) {
        return;
    }
    std::vector<std::pair<TGraphObject*, TObjectImage*>> pending;
    while (!work.empty()) {
        TGraphObject* next = work.back();
        work.pop_back();
        if (Known(next) || fDocument.FindObjectByID(next->ID()) != next) {
            continue;
        }
        const auto [it, added] = fCaptured.emplace(next->ID(), TObjectImage::Of(*next));
        pending.emplace_back(next, &it->second);
        for (int32_t i = 0; i < next->DependentCount(); ++i) {
            work.push_back(next->Dependents().Items(i));
        }
    }
    if (pending.empty()) {
        return;
    }
    // After a change of the drawing order the places before the step are gone.
    if (fOrderChanged) {
        fLost = true;
    }
    FindIndexes(fDocument.Objects(), pending);
}

void TGraphHistory::CapturePageInfo() {
    if (fDepth > 0 && !fPageBefore) {
        fPageBefore = fDocument.PageInfo();
    }
}

bool TGraphHistory::Known(TGraphObject* object) const {
    return fAdded.contains(object) || fCaptured.contains(object->ID());
}

void TGraphHistory::ResetStep() {
    fCaptured.clear();
    fAdded.clear();
    fReordered.clear();
    fPageBefore.reset();
    fOrderChanged = false;
    fLost = false;
}

TStepContent TGraphHistory::TakeContent() {
    std::map<uint32_t, TObjectChange> changes;
    for (auto& [id, image] : fCaptured) {
        changes[id].Before = std::move(image);
    }
    for (TGraphObject* object : fAdded) {
        changes[object->ID()];
    }
    std::vector<std::pair<TGraphObject*, TObjectImage*>> pending;
    for (auto& [id, change] : changes) {
        change.ID = id;
        if (TGraphObject* object = fDocument.FindObjectByID(id)) {
            change.After = TObjectImage::Of(*object);
            pending.emplace_back(object, &*change.After);
        }
    }
    if (fOrderChanged) {
        FindIndexes(fDocument.Objects(), pending);
    }
    TStepContent content;
    content.OrderChanged = fOrderChanged;
    for (auto& [id, change] : changes) {
        const bool same = change.Before && change.After && change.Before->SameData(*change.After);
        if (same && !fReordered.contains(id)) {
            continue;
        }
        if (change.Before || change.After) {
            content.Objects.push_back(std::move(change));
        }
    }
    if (fPageBefore && *fPageBefore != fDocument.PageInfo()) {
        content.PageBefore = fPageBefore;
        content.PageAfter = fDocument.PageInfo();
    }
    return content;
}

// ---- What the document reports ----

void TGraphHistory::ObjectDataChanged(TGraphObject* object) {
    if (fApplying) {
        return;
    }
    if (fDepth == 0) {
        DropHistory();
    } else if (!Known(object) && fDocument.FindObjectByID(object->ID()) == object) {
        fLost = true;
    }
}

void TGraphHistory::ObjectListChanged(TGraphObject* object, TGraphObjectListAction action) {
    if (fApplying) {
        return;
    }
    if (fDepth == 0) {
        DropHistory();
        return;
    }
    fOrderChanged = true;
    switch (action) {
    case glAdded:
        fAdded.insert(object);
        break;
    case glRemoved:
        if (fAdded.erase(object) == 0 && !fCaptured.contains(object->ID())) {
            fLost = true;
        }
        break;
    case glReordered:
        if (fCaptured.contains(object->ID())) {
            fReordered.insert(object->ID());
        } else if (!fAdded.contains(object)) {
            fLost = true;
        }
        break;
    }
}

void TGraphHistory::ObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) {
    if (fAdded.erase(oldObject) > 0) {
        fAdded.insert(newObject);
    }
}

void TGraphHistory::PageInfoChanged() {
    if (fApplying) {
        return;
    }
    if (fDepth == 0) {
        DropHistory();
    } else if (!fPageBefore) {
        fLost = true;
    }
}

void TGraphHistory::DropHistory() {
    if (fStack.count() > 0 || fStack.isClean()) {
        fStack.clear();
        fStack.resetClean();
    }
}

// ---- Moving through the history ----

bool TGraphHistory::CanUndo() const {
    return fStack.canUndo() && fDepth == 0 && fDocument.DragSource() == nullptr;
}

bool TGraphHistory::CanRedo() const {
    return fStack.canRedo() && fDepth == 0 && fDocument.DragSource() == nullptr;
}

void TGraphHistory::Undo() {
    if (CanUndo()) {
        Move(true);
    }
}

void TGraphHistory::Redo() {
    if (CanRedo()) {
        Move(false);
    }
}

// Errors must not unwind through the stack's own frames: they are kept and thrown on
// once it returns.
void TGraphHistory::Move(bool undo) {
    fApplyError.reset();
    if (undo) {
        fStack.undo();
    } else {
        fStack.redo();
    }
    if (fApplyError) {
        DropHistory();
        fDocument.ChangeModified(true);
        throw Exception(*fApplyError);
    }
    fDocument.ChangeModified(!fStack.isClean());
}

void TGraphHistory::ApplyStep(const TStepContent& content, bool before) {
    fApplying = true;
    try {
        ApplyStepSide(fDocument, content, before);
    } catch (const std::exception& error) {
        fApplyError = QString::fromUtf8(error.what());
    }
    fApplying = false;
}

void TGraphHistory::Clear() {
    fDepth = 0;
    ResetStep();
    fStack.clear();
    // An empty stack keeps a reset clean state through clear().
    fStack.setClean();
}

} // namespace zov
