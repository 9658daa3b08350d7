// The graph control's bookkeeping of a drag: who follows the dragged object, moving
// them together within the page, and putting them back when the drag is cancelled.
#include "RaroviRovoz.h"
#include "platform/types/UpdateBracket.h"

namespace zov {

bool TRaroviRovoz::StartDragOperation(TGraphObject* object, const TPoint& pt, uint32_t hitTest) {
    if (object == nullptr) {
        return false;
    }
    fUndoStorage.Clear();
    fDragSource = object;
    fDragHitTest = hitTest;
    fDragSourcePt = pt;
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

void TRaroviRovoz::MoveDraggedBy(int32_t dX, int32_t dY) {
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
    ScrollInView(fDragTargetPt);
}

void TRaroviRovoz::FinishDragOperation(bool accept) {
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
                const int32_t pending = fSaveModified;
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
