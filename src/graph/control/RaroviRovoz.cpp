#include "RaroviRovoz.h"

#include "Cursors.h"
#include "GraphClasses.h"
#include "graph/model/Geometry.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/Exceptions.h"
#include "platform/types/UpdateBracket.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QToolTip>
#include <algorithm>
#include <cmath>

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

} // namespace

TRaroviRovoz::TRaroviRovoz(QWidget* parent) : QAbstractScrollArea(parent), fGraphConstraints(this) {
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
    fHorzScrollBar = std::make_unique<TGraphScrollBar>(*this, sbHorizontal);
    fVertScrollBar = std::make_unique<TGraphScrollBar>(*this, sbVertical);
    setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    fInfo.Lage = 'L';
    SetPaperType(pA4);
    if (NodeClassCount() > 0) {
        fDefaultNodeClass = &NodeClasses(0);
    }
    if (LinkClassCount() > 0) {
        fDefaultLinkClass = &LinkClasses(0);
    }
}

TRaroviRovoz::~TRaroviRovoz() {
    // Objects still leave with their select and remove events; graph-change reactions
    // are skipped from here on.
    fDestroying = true;
    ++fSuspendQueryEvents;
    ++fUpdateCount;
    fObjects.Clear();
}

// ---- Updates ----

void TRaroviRovoz::BeginUpdate() {
    if (fUpdateCount == 0) {
        fSaveModified = 0;
        fSaveRangeChange = false;
        fSaveInvalidateRect = EmptyMarkedArea;
    }
    ++fUpdateCount;
}

void TRaroviRovoz::EndUpdate() {
    if (fUpdateCount <= 0) {
        return;
    }
    if (--fUpdateCount > 0 || fDestroying) {
        return;
    }
    if (fSaveRangeChange) {
        UpdateScrollRanges();
    }
    if (!fSaveInvalidateRect.IsEmpty()) {
        const TRect rect = fSaveInvalidateRect;
        RepaintClientRect(&rect);
    }
    if (fSaveModified != 0) {
        fModified = fSaveModified == 1;
        DoGraphChange();
    }
}

void TRaroviRovoz::Invalidate() {
    if (fUpdateCount > 0) {
        fSaveInvalidateRect = {0, 0, viewport()->width(), viewport()->height()};
    } else {
        RepaintClientRect(nullptr);
    }
}

void TRaroviRovoz::InvalidateRect(const TRect& rect) {
    const TPoint topLeft = GraphToClient(rect.Left, rect.Top);
    const TPoint bottomRight = GraphToClient(rect.Right, rect.Bottom);
    const TRect client{topLeft.X, topLeft.Y, bottomRight.X + 1, bottomRight.Y + 1};
    if (fUpdateCount == 0) {
        RepaintClientRect(&client);
    } else if (fSaveInvalidateRect.IsEmpty()) {
        fSaveInvalidateRect = client;
    } else {
        GrowRectToInclude(fSaveInvalidateRect, client);
    }
}

void TRaroviRovoz::RepaintClientRect(const TRect* rect) {
    if (rect == nullptr) {
        viewport()->update();
    } else {
        viewport()->update(rect->Left, rect->Top, rect->Width(), rect->Height());
    }
}

// ---- Objects ----

TGraphNode* TRaroviRovoz::InsertNode(const TRect& bounds, const TGraphObjectClass* nodeClass) {
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

TGraphLink* TRaroviRovoz::NewLink(TGraphObject* source, std::span<const TPoint> pts,
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

TGraphLink* TRaroviRovoz::InsertLink(TGraphObject* source, TGraphObject* target,
                                     const TGraphObjectClass* linkClass) {
    return NewLink(source, {}, target, linkClass);
}

TGraphLink* TRaroviRovoz::InsertLink(TGraphObject* source, std::span<const TPoint> pts,
                                     const TGraphObjectClass* linkClass) {
    return NewLink(source, pts, nullptr, linkClass);
}

TGraphLink* TRaroviRovoz::InsertLink(std::span<const TPoint> pts, TGraphObject* target,
                                     const TGraphObjectClass* linkClass) {
    return NewLink(nullptr, pts, target, linkClass);
}

TGraphLink* TRaroviRovoz::InsertLink(std::span<const TPoint> pts,
                                     const TGraphObjectClass* linkClass) {
    return NewLink(nullptr, pts, nullptr, linkClass);
}

void TRaroviRovoz::Clear() {
    if (fObjects.Count() > 0) {
        WithUpdate(*this, [this] {
            TCounterGuard suspend(fSuspendQueryEvents);
            fObjects.Clear();
            fSaveModified = 2;
        });
    }
    SetCommandMode(cmEdit);
    fHorzScrollBar->SetPosition(0);
    fVertScrollBar->SetPosition(0);
}

TGraphObject* TRaroviRovoz::FindObjectByID(uint32_t id) const {
    const std::vector<TGraphObject*>& holders = fIDIndex.Holders(id);
    if (holders.size() <= 1) {
        return holders.empty() ? nullptr : holders.front();
    }
    // Several objects carry the ID for a moment (just read): the topmost one counts.
    return *std::max_element(
        holders.begin(), holders.end(),
        [](const TGraphObject* a, const TGraphObject* b) { return a->ZOrder() < b->ZOrder(); });
}

TGraphObject* TRaroviRovoz::FindObjectAt(int32_t x, int32_t y,
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

int32_t TRaroviRovoz::ObjectsCount(const TGraphObjectClass* cls) const {
    return CountOf(fObjects, cls);
}

int32_t TRaroviRovoz::SelectedObjectsCount(const TGraphObjectClass* cls) const {
    return CountOf(fSelectedObjects, cls);
}

int32_t TRaroviRovoz::ForEachObject(const TGraphForEachMethod& callback, int32_t userData,
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

TGraphObject* TRaroviRovoz::FindNextObject(int32_t startIndex, bool inclusive, bool backward,
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

bool TRaroviRovoz::SelectNextObject(bool backward, const TGraphObjectClass* cls) {
    if (fObjects.Count() == 0) {
        return false;
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
        return false;
    }
    ClearSelection();
    next->SetSelected(true);
    ScrollInView(next);
    return true;
}

uint32_t TRaroviRovoz::NextFreeID(const TGraphObject* object) const {
    const uint32_t start =
        object->ID() != 0 ? object->ID() : static_cast<uint32_t>(fObjects.Count()) + 1;
    return fIDIndex.NextFree(start, object);
}

// ---- Selection ----

void TRaroviRovoz::ToggleSelection(const TRect& rect, bool keepOld, const TGraphObjectClass* cls) {
    for (int32_t i = 0; i < fObjects.Count(); ++i) {
        TGraphObject* object = fObjects.Items(i);
        if (IsInstanceOf(object, cls) && object->ContainsRect(rect)) {
            object->SetSelected(!(keepOld && object->Selected()));
        } else if (!keepOld) {
            object->SetSelected(false);
        }
    }
}

void TRaroviRovoz::ClearSelection() {
    fSelectedObjects.Clear();
}

// ---- List change handlers ----

void TRaroviRovoz::ObjectsListChanged(TGraphObject* object, TGraphObjectListAction action) {
    if (object->Owner() != this) {
        if (action == glAdded) {
            fObjects.Remove(object);
        }
        return;
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
        if (object == fObjectAtCursor) {
            SetObjectUnderMouse(nullptr);
        }
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

void TRaroviRovoz::SelectedListChanged(TGraphObject* object, TGraphObjectListAction action) {
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

void TRaroviRovoz::DraggedListChanged(TGraphObject* object, TGraphObjectListAction action) {
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

void TRaroviRovoz::NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) {
    if (fDestroying) {
        return;
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
            fSaveModified = 1;
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
void TRaroviRovoz::NotePlacementChange(const TGraphObject* object) {
    fSaveBoundsChange += TGraphBoundsKinds{bkSelection, bkDragging};
    TRect& graph = fSaveBounds[bkGraph];
    if (fDragSource == nullptr || fSaveBoundsChange.Contains(bkGraph) || graph.IsEmpty()) {
        fSaveBoundsChange.Include(bkGraph);
    } else if (object->Showing()) {
        GrowRectToInclude(graph, object->VisualRect());
    }
}

void TRaroviRovoz::IndexObject(TGraphObject* object) {
    fSpatialIndex.Move(object, object->SelectedVisualRect());
}

void TRaroviRovoz::NoteObjectIDChange(TGraphObject* object, uint32_t oldID) {
    fIDIndex.Renumber(object, oldID);
}

void TRaroviRovoz::NoteObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) {
    fIDIndex.Replace(oldObject, newObject);
    fSpatialIndex.Remove(oldObject);
    fSpatialIndex.Add(newObject, newObject->SelectedVisualRect());
    fSpatialIndex.OrderChanged();
    if (fObjectAtCursor == oldObject) {
        fObjectAtCursor = newObject;
    }
}

TRect TRaroviRovoz::CachedBounds(TGraphBoundsKind kind) {
    if (fSaveBoundsChange.Contains(kind)) {
        TGraphObjectList& list = kind == bkGraph       ? fObjects
                                 : kind == bkSelection ? fSelectedObjects
                                                       : fDraggingObjects;
        fSaveBounds[kind] = BoundsOfObjects(list);
        fSaveBoundsChange.Exclude(kind);
    }
    return fSaveBounds[kind];
}

TRect TRaroviRovoz::BoundsOfObjects(TGraphObjectList& list) const {
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

void TRaroviRovoz::SetCommandMode(TGraphCommandMode value) {
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

TRect TRaroviRovoz::GetPaperSize() const {
    TSize size = PaperSizeInHundredthInch(fInfo.PaperType);
    if (fInfo.Lage == 'L') {
        std::swap(size.cx, size.cy);
    }
    return {PageMargin, PageMargin, PageMargin + size.cx, PageMargin + size.cy};
}

void TRaroviRovoz::SetLage(char value) {
    fInfo.Lage = value;
    ApplyPageBounds();
}

void TRaroviRovoz::SetPaperType(TPaperType value) {
    fInfo.PaperType = value < kPaperTypeCount ? value : pCustom;
    ApplyPageBounds();
}

void TRaroviRovoz::ApplyPageBounds() {
    fGraphConstraints.SetBoundsRect(GetPaperSize());
}

// ---- Settings ----

void TRaroviRovoz::FontChanged() {
    WithUpdate(*this, [this] {
        for (int32_t i = 0; i < fObjects.Count(); ++i) {
            fObjects.Items(i)->OwnerFontChanged();
        }
    });
}

void TRaroviRovoz::SetColor(TColor value) {
    if (value != fColor) {
        fColor = value;
        Invalidate();
    }
}

void TRaroviRovoz::SetGridSize(int32_t value) {
    if (value == fGridSize || value < 4 || value > 128) {
        return;
    }
    fGridSize = value;
    if (fShowGrid) {
        Invalidate();
    }
}

void TRaroviRovoz::SetGridColor(TColor value) {
    fGridColor = value;
    if (fShowGrid) {
        Invalidate();
    }
}

void TRaroviRovoz::SetShowGrid(bool value) {
    if (value != fShowGrid) {
        fShowGrid = value;
        Invalidate();
    }
}

void TRaroviRovoz::SetShowHiddenObjects(bool value) {
    fShowHiddenObjects = value;
    fSaveBoundsChange = {bkGraph, bkSelection, bkDragging};
    UpdateScrollRanges();
    Invalidate();
}

void TRaroviRovoz::SetHideSelection(bool value) {
    fHideSelection = value;
    if (!hasFocus()) {
        InvalidateSelectionHandles();
    }
}

void TRaroviRovoz::SetLockNodes(bool value) {
    if (value != fLockNodes) {
        fLockNodes = value;
        Invalidate();
    }
}

void TRaroviRovoz::SetLockLinks(bool value) {
    if (value != fLockLinks) {
        fLockLinks = value;
        Invalidate();
    }
}

void TRaroviRovoz::SetMarkerColor(TColor value) {
    fMarkerColor = value;
    if (fSelectedObjects.Count() > 0) {
        Invalidate();
    }
}

void TRaroviRovoz::SetMarkerSize(int32_t value) {
    fMarkerSize = value;
    for (int32_t i = 0; i < fObjects.Count(); ++i) {
        IndexObject(fObjects.Items(i));
    }
    if (fSelectedObjects.Count() > 0) {
        Invalidate();
    }
}

void TRaroviRovoz::SetDrawOrder(TGraphDrawOrder value) {
    if (value != fDrawOrder) {
        fDrawOrder = value;
        Invalidate();
    }
}

void TRaroviRovoz::SetFixedScrollBars(bool value) {
    if (value != fFixedScrollBars) {
        fFixedScrollBars = value;
        UpdateScrollRanges();
    }
}

void TRaroviRovoz::SetTransparent(bool value) {
    fTransparent = value;
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, !value);
    viewport()->setAutoFillBackground(false);
    Invalidate();
}

// ---- Events ----

void TRaroviRovoz::DoZoomChange() {
    if (OnZoomChange) {
        OnZoomChange(*this);
    }
}

void TRaroviRovoz::DoGraphChange() {
    if (OnGraphChange) {
        OnGraphChange(*this);
    }
}

void TRaroviRovoz::DoCommandModeChange() {
    if (OnCommandModeChange) {
        OnCommandModeChange(*this);
    }
}

void TRaroviRovoz::DoObjectInitInstance(TGraphObject* object) {
    if (OnObjectInitInstance) {
        OnObjectInitInstance(*this, object);
    }
}

void TRaroviRovoz::DoObjectInsert(TGraphObject* object) {
    if (OnObjectInsert) {
        OnObjectInsert(*this, object);
    }
}

void TRaroviRovoz::DoObjectRemove(TGraphObject* object) {
    if (OnObjectRemove) {
        OnObjectRemove(*this, object);
    }
}

void TRaroviRovoz::DoObjectChange(TGraphObject* object) {
    if (OnObjectChange) {
        OnObjectChange(*this, object);
    }
}

void TRaroviRovoz::DoObjectSelect(TGraphObject* object) {
    if (OnObjectSelect) {
        OnObjectSelect(*this, object);
    }
}

void TRaroviRovoz::DoObjectMouseEnter(TGraphObject* object) {
    if (OnObjectMouseEnter) {
        OnObjectMouseEnter(*this, object);
    }
}

void TRaroviRovoz::DoObjectMouseLeave(TGraphObject* object) {
    if (OnObjectMouseLeave) {
        OnObjectMouseLeave(*this, object);
    }
}

void TRaroviRovoz::DoObjectBeforeDraw(TGraphObject* object, TCanvas& canvas) {
    if (OnObjectBeforeDraw) {
        OnObjectBeforeDraw(*this, object, canvas);
    }
}

void TRaroviRovoz::DoObjectAfterDraw(TGraphObject* object, TCanvas& canvas) {
    if (OnObjectAfterDraw) {
        OnObjectAfterDraw(*this, object, canvas);
    }
}

void TRaroviRovoz::DoObjectBeginDrag(TGraphObject* object, uint32_t hitTest) {
    if (OnObjectBeginDrag) {
        OnObjectBeginDrag(*this, object, hitTest);
    }
}

void TRaroviRovoz::DoObjectEndDrag(TGraphObject* object, uint32_t hitTest, bool cancelled) {
    if (OnObjectEndDrag) {
        OnObjectEndDrag(*this, object, hitTest, cancelled);
    }
}

void TRaroviRovoz::DoObjectRead(TGraphObject* object, TStream& stream) {
    if (OnObjectRead) {
        OnObjectRead(*this, object, stream);
    }
}

void TRaroviRovoz::DoObjectWrite(TGraphObject* object, TStream& stream) {
    if (OnObjectWrite) {
        OnObjectWrite(*this, object, stream);
    }
}

void TRaroviRovoz::DoObjectHook(TGraphObject* object, TGraphLink* link, int32_t index) {
    if (OnObjectHook) {
        OnObjectHook(*this, object, link, index);
    }
}

void TRaroviRovoz::DoObjectUnhook(TGraphObject* object, TGraphLink* link, int32_t index) {
    if (OnObjectUnhook) {
        OnObjectUnhook(*this, object, link, index);
    }
}

void TRaroviRovoz::DoCanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                                 bool& canHook) {
    if (OnCanHookLink && !QueriesSuspended()) {
        OnCanHookLink(*this, object, link, index, canHook);
    }
}

void TRaroviRovoz::DoCanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                                    bool& canLink) {
    if (OnCanLinkObjects && !QueriesSuspended()) {
        OnCanLinkObjects(*this, link, source, target, canLink);
    }
}

void TRaroviRovoz::DoCanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top,
                                       int32_t& width, int32_t& height, bool& canMove,
                                       bool& canResize) {
    if (OnCanMoveResizeNode && !QueriesSuspended()) {
        OnCanMoveResizeNode(*this, node, left, top, width, height, canMove, canResize);
    }
}

void TRaroviRovoz::DoCanRemoveObject(TGraphObject* object, bool& canRemove) {
    if (OnCanRemoveObject && !QueriesSuspended()) {
        OnCanRemoveObject(*this, object, canRemove);
    }
}

void TRaroviRovoz::DoNodeMoveResize(TGraphNode* node) {
    if (OnNodeMoveResize) {
        OnNodeMoveResize(*this, node);
    }
}

void TRaroviRovoz::SetObjectUnderMouse(TGraphObject* object) {
    if (object == fObjectAtCursor) {
        return;
    }
    if (fObjectAtCursor != nullptr) {
        DoObjectMouseLeave(fObjectAtCursor);
    }
    fObjectAtCursor = object;
    if (object != nullptr) {
        DoObjectMouseEnter(object);
    }
    // The hint of the object left behind must not stay up; the new one may show its own.
    // The whole "short|long" hint goes to the windows around the graph as a status tip,
    // for a status bar to show its long part.
    if (fDragSource == nullptr) {
        QToolTip::hideText();
        if (!fDestroying) {
            QStatusTipEvent tip(object != nullptr ? object->Hint() : QString());
            QCoreApplication::sendEvent(this, &tip);
        }
    }
}

} // namespace zov
