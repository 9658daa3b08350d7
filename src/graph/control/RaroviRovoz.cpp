#include "RaroviRovoz.h"

#include "Cursors.h"
#include "graph/model/Geometry.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "platform/pictures/Metafile.h"

#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QToolTip>
#include <utility>

namespace zov {

TRaroviRovoz::TRaroviRovoz(QWidget* parent) : QAbstractScrollArea(parent) {
    fHorzScrollBar = std::make_unique<TGraphScrollBar>(*this, sbHorizontal);
    fVertScrollBar = std::make_unique<TGraphScrollBar>(*this, sbVertical);
    setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    fDocument.AddView(this);
}

TRaroviRovoz::~TRaroviRovoz() {
    fDestroying = true;
}

// ---- Updates ----

void TRaroviRovoz::Invalidate() {
    if (Updating()) {
        fSaveInvalidateRect = {0, 0, viewport()->width(), viewport()->height()};
    } else {
        RepaintClientRect(nullptr);
    }
}

void TRaroviRovoz::InvalidateRect(const TRect& rect) {
    const TPoint topLeft = GraphToClient(rect.Left, rect.Top);
    const TPoint bottomRight = GraphToClient(rect.Right, rect.Bottom);
    const TRect client{topLeft.X, topLeft.Y, bottomRight.X + 1, bottomRight.Y + 1};
    if (!Updating()) {
        RepaintClientRect(&client);
    } else if (fSaveInvalidateRect.IsEmpty()) {
        fSaveInvalidateRect = client;
    } else {
        GrowRectToInclude(fSaveInvalidateRect, client);
    }
}

void TRaroviRovoz::UpdateEnded(bool rangeChanged) {
    if (rangeChanged) {
        UpdateScrollRanges();
    }
    if (!fSaveInvalidateRect.IsEmpty()) {
        const TRect rect = std::exchange(fSaveInvalidateRect, EmptyMarkedArea);
        RepaintClientRect(&rect);
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

bool TRaroviRovoz::SelectNextObject(bool backward, const TGraphObjectClass* cls) {
    TGraphObject* next = fDocument.NextObjectToSelect(backward, cls);
    if (next == nullptr) {
        return false;
    }
    ClearSelection();
    next->SetSelected(true);
    ScrollInView(next);
    return true;
}

void TRaroviRovoz::MergeFromStream(TStream& stream, int32_t offsetX, int32_t offsetY) {
    const TRect added = fDocument.MergeFromStream(stream, offsetX, offsetY);
    if (!added.IsEmpty()) {
        ScrollInView(added);
    }
}

void TRaroviRovoz::MergeFromFile(const QString& fileName, int32_t offsetX, int32_t offsetY) {
    const TRect added = fDocument.MergeFromFile(fileName, offsetX, offsetY);
    if (!added.IsEmpty()) {
        ScrollInView(added);
    }
}

TMetafile TRaroviRovoz::RecordMetafile(TGraphObjectList& list) {
    return fDocument.RecordMetafile(list);
}

QImage TRaroviRovoz::RenderBitmap(TGraphObjectList& list) {
    return fDocument.RenderBitmap(list);
}

TMetafile TRaroviRovoz::GetMetafile() {
    return fDocument.GetMetafile();
}

// ---- What the document tells ----

void TRaroviRovoz::GraphCleared() {
    fHorzScrollBar->SetPosition(0);
    fVertScrollBar->SetPosition(0);
}

void TRaroviRovoz::ObjectLeaving(TGraphObject* object) {
    if (object == fObjectAtCursor) {
        SetObjectUnderMouse(nullptr);
    }
}

void TRaroviRovoz::ObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) {
    if (fObjectAtCursor == oldObject) {
        fObjectAtCursor = newObject;
    }
}

// ---- View settings ----

void TRaroviRovoz::SetGridSize(int32_t value) {
    if (fDocument.SetGridSize(value) && fShowGrid) {
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

void TRaroviRovoz::SetHideSelection(bool value) {
    fHideSelection = value;
    if (!hasFocus()) {
        InvalidateSelectionHandles();
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

void TRaroviRovoz::ObjectInitInstance(TGraphObject* object) {
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

void TRaroviRovoz::ObjectChanged(TGraphObject* object) {
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

void TRaroviRovoz::ObjectBeforeDraw(TGraphObject* object, TCanvas& canvas) {
    if (OnObjectBeforeDraw) {
        OnObjectBeforeDraw(*this, object, canvas);
    }
}

void TRaroviRovoz::ObjectAfterDraw(TGraphObject* object, TCanvas& canvas) {
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

void TRaroviRovoz::ObjectRead(TGraphObject* object, TStream& stream) {
    if (OnObjectRead) {
        OnObjectRead(*this, object, stream);
    }
}

void TRaroviRovoz::ObjectWrite(TGraphObject* object, TStream& stream) {
    if (OnObjectWrite) {
        OnObjectWrite(*this, object, stream);
    }
}

void TRaroviRovoz::ObjectHook(TGraphObject* object, TGraphLink* link, int32_t index) {
    if (OnObjectHook) {
        OnObjectHook(*this, object, link, index);
    }
}

void TRaroviRovoz::ObjectUnhook(TGraphObject* object, TGraphLink* link, int32_t index) {
    if (OnObjectUnhook) {
        OnObjectUnhook(*this, object, link, index);
    }
}

void TRaroviRovoz::CanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                               bool& canHook) {
    if (OnCanHookLink) {
        OnCanHookLink(*this, object, link, index, canHook);
    }
}

void TRaroviRovoz::CanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                                  bool& canLink) {
    if (OnCanLinkObjects) {
        OnCanLinkObjects(*this, link, source, target, canLink);
    }
}

void TRaroviRovoz::CanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top, int32_t& width,
                                     int32_t& height, bool& canMove, bool& canResize) {
    if (OnCanMoveResizeNode) {
        OnCanMoveResizeNode(*this, node, left, top, width, height, canMove, canResize);
    }
}

void TRaroviRovoz::CanRemoveObject(TGraphObject* object, bool& canRemove) {
    if (OnCanRemoveObject) {
        OnCanRemoveObject(*this, object, canRemove);
    }
}

void TRaroviRovoz::NodeMoveResize(TGraphNode* node) {
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
    if (DragSource() == nullptr) {
        QToolTip::hideText();
        if (!fDestroying) {
            QStatusTipEvent tip(object != nullptr ? object->Hint() : QString());
            QCoreApplication::sendEvent(this, &tip);
        }
    }
}

} // namespace zov
