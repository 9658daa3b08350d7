// The document's bookkeeping of a drag: who follows the dragged object, moving them
// together within the page, and putting them back when the drag is cancelled. The
// views turn the mouse into these calls.
#include "GraphDocument.h"
#include "GraphView.h"
#include "platform/types/UpdateBracket.h"

namespace zov {

bool TGraphDocument::StartDragOperation(TGraphObject* object, const TPoint& pt, uint32_t hitTest) {
    if (object == nullptr) {
        return false;
    }
    fUndoStorage.Clear();
    fDragSource = object;
    fDragHitTest = hitTest;
    fDragTargetPt = pt;
    if (!object->Selected()) {
        ClearSelection();
        object->SetSelected(true);
    }
    fDraggingObjects.Clear();
    fDraggingObjects.SetCapacity(fSelectedObjects.Count());
    fDraggingObjects.Add(object);
    if (fCommandMode == cmInsertNode || fCommandMode == cmInsertLink) {
        fDragModified = true;
        return true;
    }
    fDragModified = false;
    fModifiedBeforeDrag = fModified;
    for (int32_t i = 0; i < fSelectedObjects.Count(); ++i) {
        TGraphObject* other = fSelectedObjects.Items(i);
        if (other->ID() != object->ID() && other->JoinDrag(hitTest)) {
            fDraggingObjects.Add(other);
        }
    }
    // Every dragged object's state, the followers' too, so a cancel puts all back.
    SaveObjectStates(fUndoStorage, fDraggingObjects);
    DoObjectBeginDrag(object, hitTest);
    return true;
}

void TGraphDocument::MoveDraggedBy(int32_t dX, int32_t dY) {
    if (fDragSource == nullptr || (dX == 0 && dY == 0)) {
        return;
    }
    TObjectSides sides;
    for (int32_t i = 0; i < fDraggingObjects.Count(); ++i) {
        sides += fDraggingObjects.Items(i)->MovableSides(fDragHitTest);
    }
    fGraphConstraints.SetSourceRect(DraggingBounds());
    if (!fGraphConstraints.ConfineOffset(dX, dY, sides)) {
        return;
    }
    WithUpdate(*this, [&] {
        for (int32_t i = 0; i < fDraggingObjects.Count(); ++i) {
            fDraggingObjects.Items(i)->ApplyDragOffset(fDragHitTest, dX, dY);
        }
    });
    fDragTargetPt = {fDragTargetPt.X + dX, fDragTargetPt.Y + dY};
    const TPoint target = fDragTargetPt;
    ForEachView([&](TGraphView& view) { view.ScrollInView(target); });
}

void TGraphDocument::FinishDragOperation(bool accept) {
    if (fDragSource == nullptr) {
        return;
    }
    TGraphObject* source = fDragSource;
    fDragSource = nullptr;
    for (int32_t i = 1; i < fDraggingObjects.Count(); ++i) {
        fDraggingObjects.Items(i)->LeaveDrag();
    }
    fDraggingObjects.Clear();
    fSaveBoundsChange.Include(bkGraph);
    UpdateScrollRanges();
    const bool inserting = fCommandMode == cmInsertNode || fCommandMode == cmInsertLink;
    if (!accept) {
        fDragModified = false;
        if (inserting) {
            if (!source->States().Contains(osDestroying)) {
                source->Free();
            }
        } else {
            // Putting the old state back is no change of the graph: it is as modified
            // as it was before the drag.
            WithUpdate(*this, [this] {
                const TPendingModified pending = fSaveModified;
                fUndoStorage.SetPosition(0);
                LoadObjectStates(fUndoStorage);
                fSaveModified = pending;
            });
            if (fModified != fModifiedBeforeDrag) {
                fModified = fModifiedBeforeDrag;
                DoGraphChange();
            }
        }
    }
    fUndoStorage.Clear();
    if (inserting) {
        SetCommandMode(cmEdit);
    } else {
        DoObjectEndDrag(source, fDragHitTest, !accept);
    }
    if (fDragModified) {
        fModified = true;
        DoGraphChange();
    }
}

} // namespace zov
