#include "GraphDocument.h"

#include "GraphChangeRecorder.h"
#include "GraphClasses.h"
#include "GraphView.h"
#include "graph/model/Geometry.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/Exceptions.h"
#include "platform/types/UpdateBracket.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zov {

namespace {

bool IsInstanceOf(const TGraphObject* object, const TGraphObjectClass* cls) {
    return object->ClassType().InheritsFrom(cls);
}

// The members that are instances of cls (all when cls is nullptr).
int32_t CountOf(const TGraphObjectList& list, const TGraphObjectClass* cls) {
    if (cls == nullptr) {
        return list.Count();
    }
    int32_t count = 0;
    for (int32_t i = 0; i < list.Count(); ++i) {
        count += IsInstanceOf(list.Items(i), cls) ? 1 : 0;
    }
    return count;
}

// A paper type outside the table counts as custom.
TPaperType KnownPaperType(TPaperType value) {
    return value < kPaperTypeCount ? value : pCustom;
}

} // namespace

TGraphDocument::TGraphDocument() : fGraphConstraints(this) {
    InitializeGraphClasses();
    fObjects.OnChange = [this](TGraphObjectList&, TGraphObject* object,
                               TGraphObjectListAction action) {
        ObjectsListChanged(object, action);
    };
    fSelectedObjects.OnChange = [this](TGraphObjectList&, TGraphObject* object,
                                       TGraphObjectListAction action) {
        SelectedListChanged(object, action);
    };
    fDraggingObjects.OnChange = [this](TGraphObjectList&, TGraphObject* object,
                                       TGraphObjectListAction action) {
        DraggedListChanged(object, action);
    };
    fFont.OnChange = [this] {
        FontChanged();
    };
    fInfo.Lage = 'L';
    SetPaperType(pA4);
    if (NodeClassCount() > 0) {
        fDefaultNodeClass = &NodeClasses(0);
    }
    if (LinkClassCount() > 0) {
        fDefaultLinkClass = &LinkClasses(0);
    }
}

TGraphDocument::~TGraphDocument() {
    // Objects still leave with their select and remove events; graph-change reactions
    // are skipped from here on.
    fDestroying = true;
    ++fSuspendQueryEvents;
    ++fUpdateCount;
    fObjects.Clear();
}

// ---- Views ----

void TGraphDocument::AddView(TGraphView* view) {
    if (view != nullptr && std::find(fViews.begin(), fViews.end(), view) == fViews.end()) {
        fViews.push_back(view);
    }
}

void TGraphDocument::RemoveView(TGraphView* view) {
    std::erase(fViews, view);
}

// ---- Updates ----

void TGraphDocument::BeginUpdate() {
    if (fUpdateCount == 0) {
        fSaveModified = TPendingModified::None;
        fSaveRangeChange = false;
    }
    ++fUpdateCount;
}

void TGraphDocument::EndUpdate() {
    if (fUpdateCount <= 0) {
        return;
    }
    if (--fUpdateCount > 0 || fDestroying) {
        return;
    }
    const bool rangeChanged = fSaveRangeChange;
    ForEachView([&](TGraphView& view) { view.UpdateEnded(rangeChanged); });
    if (fSaveModified != TPendingModified::None) {
        fModified = fSaveModified == TPendingModified::Set;
        DoGraphChange();
    }
}

void TGraphDocument::Invalidate() {
    ForEachView([](TGraphView& view) { view.Invalidate(); });
}

void TGraphDocument::InvalidateRect(const TRect& rect) {
    ForEachView([&](TGraphView& view) { view.InvalidateRect(rect); });
}

void TGraphDocument::UpdateScrollRanges() {
    ForEachView([](TGraphView& view) { view.UpdateScrollRanges(); });
}

TRect TGraphDocument::VisibleBounds() const {
    return fViews.empty() ? GetPaperSize() : fViews.front()->VisibleBounds();
}

bool TGraphDocument::UseRightToLeftReading() const {
    return !fViews.empty() && fViews.front()->UseRightToLeftReading();
}

void TGraphDocument::SetScreenCursor(TCursor cursor) {
    ForEachView([&](TGraphView& view) { view.SetScreenCursor(cursor); });
}

// ---- Objects ----

TGraphNode* TGraphDocument::InsertNode(const TRect& bounds, const TGraphObjectClass* nodeClass) {
    const TGraphObjectClass* cls = nodeClass != nullptr ? nodeClass : fDefaultNodeClass;
    if (cls == nullptr || cls->IsLink) {
        return nullptr;
    }
    try {
        return TGraphNode::CreateNew(*cls, this, bounds);
    } catch (const std::exception&) {
        return nullptr;
    }
}

TGraphLink* TGraphDocument::InsertLink(TGraphObject* source, std::span<const TPoint> pts,
                                       TGraphObject* target, const TGraphObjectClass* linkClass) {
    const TGraphObjectClass* cls = linkClass != nullptr ? linkClass : fDefaultLinkClass;
    if (cls == nullptr || !cls->IsLink) {
        return nullptr;
    }
    try {
        return TGraphLink::CreateNew(*cls, this, source, pts, target);
    } catch (const std::exception&) {
        return nullptr;
    }
}

void TGraphDocument::Clear() {
    if (fObjects.Count() > 0) {
        WithUpdate(*this, [this] {
            TCounterGuard suspend(fSuspendQueryEvents);
            fObjects.Clear();
            fSaveModified = TPendingModified::Reset;
        });
    }
    SetCommandMode(cmEdit);
    ForEachView([](TGraphView& view) { view.GraphCleared(); });
}

TGraphObject* TGraphDocument::FindObjectByID(uint32_t id) const {
    const std::vector<TGraphObject*>& holders = fIDIndex.Holders(id);
    if (holders.size() <= 1) {
        return holders.empty() ? nullptr : holders.front();
    }
    // Several objects carry the ID for a moment (just read): the topmost one counts.
    return *std::max_element(
        holders.begin(), holders.end(),
        [](const TGraphObject* a, const TGraphObject* b) { return a->ZOrder() < b->ZOrder(); });
}

TGraphObject* TGraphDocument::FindObjectAt(int32_t x, int32_t y,
                                           const TGraphObject* lookAfter) const {
    // Only objects whose drawing area holds the point can be hit; below lookAfter
    // the list is searched as it is (its position is needed anyway).
    std::vector<TGraphObject*> candidates; // topmost first
    if (lookAfter == nullptr) {
        candidates = fSpatialIndex.Query({x, y, x + 1, y + 1}, fObjects);
        std::reverse(candidates.begin(), candidates.end());
    } else {
        for (int32_t i = std::min(lookAfter->ZOrder(), fObjects.Count()) - 1; i >= 0; --i) {
            candidates.push_back(fObjects.Items(i));
        }
    }
    const bool anySelected = fSelectedObjects.Count() > 0;
    TGraphObject* result = nullptr;
    for (TGraphObject* object : candidates) {
        if (object == fDragSource) {
            continue;
        }
        const uint32_t hitTest = object->HitTest({x, y});
        if (hitTest == hcNone) {
            continue;
        }
        if (result == nullptr) {
            result = object;
            if (!anySelected || object->Selected()) {
                break;
            }
            continue;
        }
        if (object->Selected()) {
            if (object->IsLink() || (hitTest & (hcBody | hcCaption)) == 0) {
                result = object;
                break;
            }
        }
    }
    return result;
}

int32_t TGraphDocument::ObjectsCount(const TGraphObjectClass* cls) const {
    return CountOf(fObjects, cls);
}

int32_t TGraphDocument::SelectedObjectsCount(const TGraphObjectClass* cls) const {
    return CountOf(fSelectedObjects, cls);
}

int32_t TGraphDocument::ForEachObject(const TGraphForEachMethod& callback, int32_t userData,
                                      bool selection) {
    TGraphObjectList& list = selection ? fSelectedObjects : fObjects;
    if (!callback || list.Count() == 0) {
        return 0;
    }
    WithUpdate(*this, [&] {
        for (TGraphObject* object = list.First(); object != nullptr; object = list.Next()) {
            TListEnumGuard keep(list);
            if (!callback(object, userData)) {
                break;
            }
        }
    });
    return 0;
}

TGraphObject* TGraphDocument::FindNextObject(int32_t startIndex, bool inclusive, bool backward,
                                             bool wrap, const TGraphObjectClass* cls) {
    const int32_t count = fObjects.Count();
    auto match = [&](int32_t i) {
        return IsInstanceOf(fObjects.Items(i), cls);
    };
    if (backward) {
        for (int32_t i = std::min(inclusive ? startIndex : startIndex - 1, count - 1); i >= 0;
             --i) {
            if (match(i)) {
                return fObjects.Items(i);
            }
        }
        if (wrap) {
            for (int32_t i = count - 1; i > startIndex; --i) {
                if (match(i)) {
                    return fObjects.Items(i);
                }
            }
        }
    } else {
        for (int32_t i = std::max(inclusive ? startIndex : startIndex + 1, 0); i < count; ++i) {
            if (match(i)) {
                return fObjects.Items(i);
            }
        }
        if (wrap) {
            for (int32_t i = 0; i < std::min(startIndex, count); ++i) {
                if (match(i)) {
                    return fObjects.Items(i);
                }
            }
        }
    }
    return nullptr;
}

TGraphObject* TGraphDocument::NextObjectToSelect(bool backward, const TGraphObjectClass* cls) {
    if (fObjects.Count() == 0) {
        return nullptr;
    }
    TGraphObject* current = nullptr;
    for (int32_t i = 0; i < fSelectedObjects.Count() && current == nullptr; ++i) {
        if (IsInstanceOf(fSelectedObjects.Items(i), cls)) {
            current = fSelectedObjects.Items(i);
        }
    }
    TGraphObject* next = current;
    // One full cycle at most: a graph without a selectable object of the class ends it.
    for (int32_t steps = 0; steps <= fObjects.Count(); ++steps) {
        next = FindNextObject(next != nullptr ? fObjects.IndexOf(next) : -1, false, backward, true,
                              cls);
        if (next == nullptr || next->Options().Contains(goSelectable)) {
            break;
        }
    }
    if (next == nullptr || !next->Options().Contains(goSelectable) || next == current) {
        return nullptr;
    }
    return next;
}

uint32_t TGraphDocument::NextFreeID(const TGraphObject* object) const {
    const uint32_t start =
        object->ID() != 0 ? object->ID() : static_cast<uint32_t>(fObjects.Count()) + 1;
    return fIDIndex.NextFree(start, object);
}

// ---- Selection ----

void TGraphDocument::ToggleSelection(const TRect& rect, bool keepOld,
                                     const TGraphObjectClass* cls) {
    for (int32_t i = 0; i < fObjects.Count(); ++i) {
        TGraphObject* object = fObjects.Items(i);
        if (IsInstanceOf(object, cls) && object->ContainsRect(rect)) {
            object->SetSelected(!(keepOld && object->Selected()));
        } else if (!keepOld) {
            object->SetSelected(false);
        }
    }
}

void TGraphDocument::ClearSelection() {
    fSelectedObjects.Clear();
}

// ---- List change handlers ----

void TGraphDocument::ObjectsListChanged(TGraphObject* object, TGraphObjectListAction action) {
    if (object->Owner() != this) {
        if (action == glAdded) {
            fObjects.Remove(object);
        }
        return;
    }
    if (fRecorder != nullptr) {
        fRecorder->ObjectListChanged(object, action);
    }
    switch (action) {
    case glAdded:
        fIDIndex.Add(object);
        if (fObjects.Items(fObjects.Count() - 1) != object) {
            fSpatialIndex.OrderChanged();
        }
        fSpatialIndex.Add(object, object->SelectedVisualRect());
        DoObjectInsert(object);
        NoteObjectChange(object, {gcView, gcData, gcPlacement});
        break;
    case glRemoved:
        if (object == fDragSource) {
            object->EndDrag(false);
        } else if (object->Dragging()) {
            fDraggingObjects.Remove(object);
        }
        fIDIndex.Remove(object);
        fSpatialIndex.Remove(object);
        ForEachView([&](TGraphView& view) { view.ObjectLeaving(object); });
        object->SetSelected(false);
        fSelectedObjects.Remove(object); // in case it was listed without its flag
        DoObjectRemove(object);
        NoteObjectChange(object, {gcView, gcData, gcPlacement});
        if (!object->States().Contains(osDestroying)) {
            object->FreeRemoved();
        }
        break;
    case glReordered:
        fSpatialIndex.OrderChanged();
        NoteObjectChange(object, {gcView, gcData});
        break;
    }
}

void TGraphDocument::SelectedListChanged(TGraphObject* object, TGraphObjectListAction action) {
    const bool own = object->Owner() == this;
    switch (action) {
    case glAdded:
        if (own && object->Selected()) {
            fSaveBoundsChange.Include(bkSelection);
            DoObjectSelect(object);
        } else {
            fSelectedObjects.Remove(object);
        }
        break;
    case glRemoved:
        if (own) {
            if (object->Selected()) {
                object->SetSelected(false);
            }
            fSaveBoundsChange.Include(bkSelection);
            DoObjectSelect(object);
        }
        break;
    case glReordered:
        break;
    }
}

void TGraphDocument::DraggedListChanged(TGraphObject* object, TGraphObjectListAction action) {
    if (object->Owner() != this) {
        if (action == glAdded) {
            fDraggingObjects.Remove(object);
        }
        return;
    }
    if (action != glReordered) {
        fSaveBoundsChange.Include(bkDragging);
    }
}

// ---- Changes ----

void TGraphDocument::NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) {
    if (fDestroying) {
        return;
    }
    if (fRecorder != nullptr && flags.Contains(gcData)) {
        fRecorder->ObjectDataChanged(object);
    }
    if (flags.Contains(gcPlacement) || flags.Contains(gcView)) {
        IndexObject(object);
    }
    if (flags.Contains(gcPlacement)) {
        NotePlacementChange(object);
    }
    if (fUpdateCount == 0) {
        if (flags.Contains(gcPlacement)) {
            UpdateScrollRanges();
        }
        if (flags.Contains(gcData)) {
            if (fDragSource != nullptr) {
                fDragModified = true;
            } else {
                fModified = true;
                DoGraphChange();
            }
        }
    } else {
        if (flags.Contains(gcData) && fCommandMode != cmInsertNode &&
            fCommandMode != cmInsertLink) {
            fSaveModified = TPendingModified::Set;
        }
        if (flags.Contains(gcPlacement)) {
            fSaveRangeChange = true;
        }
    }
    if (flags.Contains(gcView)) {
        object->Invalidate();
    }
}

// While a drag runs, the graph's bounds only grow: each step then costs the objects
// that moved, not a pass over the whole graph. The drag's end takes the exact bounds.
void TGraphDocument::NotePlacementChange(const TGraphObject* object) {
    fSaveBoundsChange += TGraphBoundsKinds{bkSelection, bkDragging};
    TRect& graph = fSaveBounds[bkGraph];
    if (fDragSource == nullptr || fSaveBoundsChange.Contains(bkGraph) || graph.IsEmpty()) {
        fSaveBoundsChange.Include(bkGraph);
    } else if (object->Showing()) {
        GrowRectToInclude(graph, object->VisualRect());
    }
}

void TGraphDocument::IndexObject(TGraphObject* object) {
    fSpatialIndex.Move(object, object->SelectedVisualRect());
}

void TGraphDocument::NoteObjectIDChange(TGraphObject* object, uint32_t oldID) {
    fIDIndex.Renumber(object, oldID);
}

void TGraphDocument::NoteObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) {
    fIDIndex.Replace(oldObject, newObject);
    if (fRecorder != nullptr) {
        fRecorder->ObjectReplaced(oldObject, newObject);
    }
    fSpatialIndex.Replace(oldObject, newObject, newObject->SelectedVisualRect());
    ForEachView([&](TGraphView& view) { view.ObjectReplaced(oldObject, newObject); });
}

TRect TGraphDocument::CachedBounds(TGraphBoundsKind kind) {
    if (fSaveBoundsChange.Contains(kind)) {
        TGraphObjectList& list = kind == bkGraph       ? fObjects
                                 : kind == bkSelection ? fSelectedObjects
                                                       : fDraggingObjects;
        fSaveBounds[kind] = BoundsOfObjects(list);
        fSaveBoundsChange.Exclude(kind);
    }
    return fSaveBounds[kind];
}

TRect TGraphDocument::BoundsOfObjects(TGraphObjectList& list) const {
    TRect bounds = EmptyMarkedArea;
    for (int32_t i = list.Count() - 1; i >= 0; --i) {
        const TGraphObject* object = list.Items(i);
        if (object->Showing()) {
            GrowRectToInclude(bounds, object->VisualRect());
        }
    }
    return bounds == EmptyMarkedArea ? TRect{} : bounds;
}

// ---- Modes and page ----

void TGraphDocument::SetCommandMode(TGraphCommandMode value) {
    if (value == fCommandMode) {
        return;
    }
    if (fDragSource != nullptr) {
        fDragSource->EndDrag(false);
    }
    fCommandMode = value;
    if (value == cmViewOnly || value == cmInsertNode || value == cmInsertLink) {
        ClearSelection();
    }
    UpdateScrollRanges();
    if (!fDestroying) {
        DoCommandModeChange();
    }
}

TRect TGraphDocument::GetPaperSize() const {
    TSize size = PaperSizeInHundredthInch(fInfo.PaperType);
    if (fInfo.Lage == 'L') {
        std::swap(size.cx, size.cy);
    }
    return {PageMargin, PageMargin, PageMargin + size.cx, PageMargin + size.cy};
}

void TGraphDocument::SetInfo(int index, const QString& value) {
    TZOVstring& line = fInfo.Info.at(index);
    const auto before = line.Bytes();
    line.SetText(value);
    if (line.Bytes() != before) {
        NotePageInfoChange();
    }
}

void TGraphDocument::SetLage(char value) {
    if (std::exchange(fInfo.Lage, value) != value) {
        NotePageInfoChange();
    }
    ApplyPageBounds();
}

void TGraphDocument::SetPaperType(TPaperType value) {
    value = KnownPaperType(value);
    if (std::exchange(fInfo.PaperType, value) != value) {
        NotePageInfoChange();
    }
    ApplyPageBounds();
}

void TGraphDocument::SetPageInfo(const TGraphFileInfo& value) {
    if (value != fInfo) {
        fInfo = value;
        fInfo.PaperType = KnownPaperType(value.PaperType);
        NotePageInfoChange();
    }
    ApplyPageBounds();
}

void TGraphDocument::NotePageInfoChange() {
    if (fRecorder != nullptr) {
        fRecorder->PageInfoChanged();
    }
}

void TGraphDocument::ChangeModified(bool value) {
    if (value != fModified) {
        fModified = value;
        DoGraphChange();
    }
}

void TGraphDocument::ApplyPageBounds() {
    fGraphConstraints.SetBoundsRect(GetPaperSize());
}

// ---- Settings ----

void TGraphDocument::FontChanged() {
    WithUpdate(*this, [this] {
        for (int32_t i = 0; i < fObjects.Count(); ++i) {
            fObjects.Items(i)->OwnerFontChanged();
        }
    });
}

void TGraphDocument::SetColor(TColor value) {
    if (value != fColor) {
        fColor = value;
        Invalidate();
    }
}

bool TGraphDocument::SetGridSize(int32_t value) {
    if (value == fGridSize || value < kMinGridSize || value > kMaxGridSize) {
        return false;
    }
    fGridSize = value;
    return true;
}

void TGraphDocument::SetShowHiddenObjects(bool value) {
    fShowHiddenObjects = value;
    fSaveBoundsChange = {bkGraph, bkSelection, bkDragging};
    UpdateScrollRanges();
    Invalidate();
}

void TGraphDocument::SetLockNodes(bool value) {
    if (value != fLockNodes) {
        fLockNodes = value;
        Invalidate();
    }
}

void TGraphDocument::SetLockLinks(bool value) {
    if (value != fLockLinks) {
        fLockLinks = value;
        Invalidate();
    }
}

void TGraphDocument::SetMarkerColor(TColor value) {
    fMarkerColor = value;
    if (fSelectedObjects.Count() > 0) {
        Invalidate();
    }
}

void TGraphDocument::SetMarkerSize(int32_t value) {
    fMarkerSize = value;
    for (int32_t i = 0; i < fObjects.Count(); ++i) {
        IndexObject(fObjects.Items(i));
    }
    if (fSelectedObjects.Count() > 0) {
        Invalidate();
    }
}

void TGraphDocument::SetDrawOrder(TGraphDrawOrder value) {
    if (value != fDrawOrder) {
        fDrawOrder = value;
        Invalidate();
    }
}

// ---- Grid ----

TPoint TGraphDocument::SnapPoint(const TPoint& pt) const {
    auto snap = [this](int32_t c) {
        return static_cast<int32_t>((static_cast<int64_t>(c) + fGridSize / 2) / fGridSize *
                                    fGridSize);
    };
    return {snap(pt.X), snap(pt.Y)};
}

void TGraphDocument::SnapOffset(const TPoint& pt, int32_t& dX, int32_t& dY) const {
    const TPoint s = SnapPoint({ClampCoordinate(static_cast<int64_t>(pt.X) + dX),
                                ClampCoordinate(static_cast<int64_t>(pt.Y) + dY)});
    if (dX != 0) {
        dX = s.X - pt.X;
    }
    if (dY != 0) {
        dY = s.Y - pt.Y;
    }
}

// ---- Events ----

// ---- Events: passed on to every view ----

void TGraphDocument::DoGraphChange() {
    ForEachView([&](TGraphView& view) { view.GraphChanged(); });
}

void TGraphDocument::DoCommandModeChange() {
    ForEachView([&](TGraphView& view) { view.CommandModeChanged(); });
}

void TGraphDocument::DoObjectInitInstance(TGraphObject* object) {
    ForEachView([&](TGraphView& view) { view.ObjectInitInstance(object); });
}

void TGraphDocument::DoObjectInsert(TGraphObject* object) {
    ForEachView([&](TGraphView& view) { view.ObjectInserted(object); });
}

void TGraphDocument::DoObjectRemove(TGraphObject* object) {
    ForEachView([&](TGraphView& view) { view.ObjectRemoved(object); });
}

void TGraphDocument::DoObjectChange(TGraphObject* object) {
    ForEachView([&](TGraphView& view) { view.ObjectChanged(object); });
}

void TGraphDocument::DoObjectSelect(TGraphObject* object) {
    ForEachView([&](TGraphView& view) { view.ObjectSelected(object); });
}

void TGraphDocument::DoObjectBeforeDraw(TGraphObject* object, TCanvas& canvas) {
    ForEachView([&](TGraphView& view) { view.ObjectBeforeDraw(object, canvas); });
}

void TGraphDocument::DoObjectAfterDraw(TGraphObject* object, TCanvas& canvas) {
    ForEachView([&](TGraphView& view) { view.ObjectAfterDraw(object, canvas); });
}

void TGraphDocument::DoBeforeDraw(TCanvas& canvas) {
    ForEachView([&](TGraphView& view) { view.BeforeDraw(canvas); });
}

void TGraphDocument::DoAfterDraw(TCanvas& canvas) {
    ForEachView([&](TGraphView& view) { view.AfterDraw(canvas); });
}

void TGraphDocument::DoObjectBeginDrag(TGraphObject* object, uint32_t hitTest) {
    ForEachView([&](TGraphView& view) { view.ObjectBeginDrag(object, hitTest); });
}

void TGraphDocument::DoObjectEndDrag(TGraphObject* object, uint32_t hitTest, bool cancelled) {
    ForEachView([&](TGraphView& view) { view.ObjectEndDrag(object, hitTest, cancelled); });
}

void TGraphDocument::DoObjectRead(TGraphObject* object, TStream& stream) {
    ForEachView([&](TGraphView& view) { view.ObjectRead(object, stream); });
}

void TGraphDocument::DoObjectWrite(TGraphObject* object, TStream& stream) {
    ForEachView([&](TGraphView& view) { view.ObjectWrite(object, stream); });
}

void TGraphDocument::DoObjectHook(TGraphObject* object, TGraphLink* link, int32_t index) {
    ForEachView([&](TGraphView& view) { view.ObjectHook(object, link, index); });
}

void TGraphDocument::DoObjectUnhook(TGraphObject* object, TGraphLink* link, int32_t index) {
    ForEachView([&](TGraphView& view) { view.ObjectUnhook(object, link, index); });
}

void TGraphDocument::DoNodeMoveResize(TGraphNode* node) {
    ForEachView([&](TGraphView& view) { view.NodeMoveResize(node); });
}

// Queries are not asked while objects are read or put back.
void TGraphDocument::DoCanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                                   bool& canHook) {
    if (!QueriesSuspended()) {
        ForEachView([&](TGraphView& view) { view.CanHookLink(object, link, index, canHook); });
    }
}

void TGraphDocument::DoCanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                                      bool& canLink) {
    if (!QueriesSuspended()) {
        ForEachView([&](TGraphView& view) { view.CanLinkObjects(link, source, target, canLink); });
    }
}

void TGraphDocument::DoCanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top,
                                         int32_t& width, int32_t& height, bool& canMove,
                                         bool& canResize) {
    if (!QueriesSuspended()) {
        ForEachView([&](TGraphView& view) {
            view.CanMoveResizeNode(node, left, top, width, height, canMove, canResize);
        });
    }
}

void TGraphDocument::DoCanRemoveObject(TGraphObject* object, bool& canRemove) {
    if (!QueriesSuspended()) {
        ForEachView([&](TGraphView& view) { view.CanRemoveObject(object, canRemove); });
    }
}

} // namespace zov
