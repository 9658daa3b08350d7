#include "TestGraph.h"

#include "graph/model/Geometry.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zov::test {

// ---- TTestNode ---------------------------------------------------------------------------

const TPropertyList& TTestNode::Properties() const {
    static const TPropertyList list =
        TPropertyListBuilder<TTestNode>(TGraphObject::ClassProperties())
            .Integer("Left", &TTestNode::Left, &TTestNode::SetLeft)
            .Integer("Top", &TTestNode::Top, &TTestNode::SetTop)
            .Integer("Width", &TTestNode::Width, &TTestNode::SetWidth)
            .Integer("Height", &TTestNode::Height, &TTestNode::SetHeight)
            .Build();
    return list;
}

void TTestNode::SetBoundsRect(const TRect& rect) {
    const TRect old = fBounds;
    fBounds = rect;
    AfterMoveResize(rect.Left - old.Left, rect.Top - old.Top, rect.Width() - old.Width(),
                    rect.Height() - old.Height());
}

void TTestNode::OffsetBy(int32_t dX, int32_t dY) {
    fBounds = {fBounds.Left + dX, fBounds.Top + dY, fBounds.Right + dX, fBounds.Bottom + dY};
    AfterMoveResize(dX, dY, 0, 0);
}

void TTestNode::AnchorPoint(TPoint& pt) const {
    pt = {(fBounds.Left + fBounds.Right) / 2, (fBounds.Top + fBounds.Bottom) / 2};
}

void TTestNode::AttachPoint(const TPoint&, TPoint& pt) const {
    AnchorPoint(pt);
}

TObjectSides TTestNode::MovableSides(uint32_t hitTest) const {
    if (hitTest == hcBody) {
        return AllObjectSides;
    }
    if (hitTest == hcBottomRight) {
        return {osRight, osBottom};
    }
    return {};
}

bool TTestNode::ApplyDragOffset(uint32_t hitTest, int32_t dX, int32_t dY) {
    if (hitTest == hcBody) {
        OffsetBy(dX, dY);
        return true;
    }
    if (hitTest == hcBottomRight) {
        SetBoundsRect({fBounds.Left, fBounds.Top, fBounds.Right + dX, fBounds.Bottom + dY});
        return true;
    }
    return false;
}

uint32_t TTestNode::LocalHitTest(const TPoint& pt) const {
    return PtInRect(fBounds, pt) ? hcBody : hcNone;
}

void TTestNode::DrawHandles(TCanvas& canvas) {
    ++fHandlesDrawn;
    DrawHandle(canvas, fBounds.TopLeft(), true);
    DrawHandle(canvas, fBounds.BottomRight(), false);
}

void TTestNode::DrawDragOutline(TCanvas& canvas) {
    fOutlinePenWidth = canvas.Pen().Width();
    fOutlinePenMode = canvas.Pen().Mode();
    canvas.Rectangle(fBounds);
}

void TTestNode::DrawShape(TCanvas& canvas) {
    ++fShapesDrawn;
    canvas.Rectangle(fBounds);
}

// ---- TTestLink ---------------------------------------------------------------------------

void TTestLink::Join(TGraphObject* source, TGraphObject* target) {
    fSource = source;
    fTarget = target;
    source->LinkOutputs().Add(this);
    target->LinkInputs().Add(this);
}

void TTestLink::ReferenceChanged(TGraphObject* object, int flag) {
    fReferenceFlags.push_back(flag);
    if (flag != 1) {
        return;
    }
    if (object == fSource) {
        fSource = nullptr;
        object->LinkOutputs().Remove(this);
    }
    if (object == fTarget) {
        fTarget = nullptr;
        object->LinkInputs().Remove(this);
    }
}

void TTestLink::TellDependents(int flag) {
    if (flag == 1) {
        if (fSource != nullptr) {
            std::exchange(fSource, nullptr)->LinkOutputs().Remove(this);
        }
        if (fTarget != nullptr) {
            std::exchange(fTarget, nullptr)->LinkInputs().Remove(this);
        }
    }
    TGraphObject::TellDependents(flag);
}

void TTestLink::RedirectReferences(TGraphObject* oldObject, TGraphObject* newObject) {
    if (fSource == oldObject) {
        fSource = newObject;
    }
    if (fTarget == oldObject) {
        fTarget = newObject;
    }
    TGraphObject::RedirectReferences(oldObject, newObject);
}

// ---- TTestGraph --------------------------------------------------------------------------

TTestGraph::TTestGraph() : fConstraints() {
    fFont.SetName(QStringLiteral("Liberation Sans"));
    fFont.SetHeight(-13);
    fConstraints.SetBoundsRect({0, 0, 1000, 1000});
    fObjects.OnChange = [this](TGraphObjectList&, TGraphObject* object,
                               TGraphObjectListAction action) {
        if (action == glAdded) {
            fEvents.push_back("Insert");
            return;
        }
        if (action != glRemoved) {
            fEvents.push_back("Reorder");
            return;
        }
        if (object == fDragSource || std::count(fDragging.begin(), fDragging.end(), object)) {
            fDragging.clear();
            fDragSource = nullptr;
        }
        object->SetSelected(false);
        fEvents.push_back("Remove");
        if (!object->States().Contains(osDestroying)) {
            object->Free();
        }
    };
}

TTestGraph::~TTestGraph() {
    fObjects.Clear();
}

TGraphObject* TTestGraph::FindObjectByID(uint32_t id) const {
    for (int32_t i = 0; i < fObjects.Count(); ++i) {
        if (fObjects.Items(i)->ID() == id) {
            return fObjects.Items(i);
        }
    }
    return nullptr;
}

TGraphObject* TTestGraph::FindObjectAt(int32_t x, int32_t y) const {
    for (int32_t i = fObjects.Count() - 1; i >= 0; --i) {
        if (fObjects.Items(i)->ContainsPoint(x, y)) {
            return fObjects.Items(i);
        }
    }
    return nullptr;
}

uint32_t TTestGraph::NextFreeID(const TGraphObject* object) const {
    uint32_t candidate =
        object->ID() != 0 ? object->ID() : static_cast<uint32_t>(fObjects.Count() + 1);
    for (int32_t i = fObjects.Count() - 1; i >= 0; --i) {
        const TGraphObject* other = fObjects.Items(i);
        if (other != object && other->ID() == candidate) {
            ++candidate;
            i = fObjects.Count(); // scan again
        }
    }
    return candidate;
}

void TTestGraph::NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) {
    fChanges.emplace_back(object, flags);
}

void TTestGraph::DoCanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top, int32_t& width,
                                     int32_t& height, bool& canMove, bool& canResize) {
    if (fOnCanMoveResizeNode) {
        fOnCanMoveResizeNode(node, left, top, width, height, canMove, canResize);
    }
}

void TTestGraph::DoCanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                               bool& canHook) {
    if (fOnCanHookLink) {
        fOnCanHookLink(object, link, index, canHook);
    }
}

void TTestGraph::DoCanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                                  bool& canLink) {
    if (fOnCanLinkObjects) {
        fOnCanLinkObjects(link, source, target, canLink);
    }
}

TPoint TTestGraph::SnapPoint(const TPoint& pt) const {
    return {(pt.X + fGridSize / 2) / fGridSize * fGridSize,
            (pt.Y + fGridSize / 2) / fGridSize * fGridSize};
}

void TTestGraph::SnapOffset(const TPoint& pt, int32_t& dX, int32_t& dY) const {
    const TPoint s = SnapPoint({pt.X + dX, pt.Y + dY});
    if (dX != 0) {
        dX = s.X - pt.X;
    }
    if (dY != 0) {
        dY = s.Y - pt.Y;
    }
}

bool TTestGraph::StartDragOperation(TGraphObject* object, const TPoint& pt, uint32_t hitTest) {
    fDragSource = object;
    fDragHitTest = hitTest;
    fDragTargetPt = pt;
    fDragging = {object};
    for (int32_t i = 0; i < fSelected.Count(); ++i) {
        TGraphObject* other = fSelected.Items(i);
        if (other != object && other->JoinDrag(hitTest)) {
            fDragging.push_back(other);
        }
    }
    fDragBackup.clear();
    for (TGraphObject* o : fDragging) {
        TMemoryStream state;
        o->SaveToStream(state);
        fDragBackup.push_back(state.Bytes());
    }
    return true;
}

void TTestGraph::MoveDraggedBy(int32_t dX, int32_t dY) {
    for (TGraphObject* o : fDragging) {
        o->ApplyDragOffset(fDragHitTest, dX, dY);
    }
    fDragTargetPt = {fDragTargetPt.X + dX, fDragTargetPt.Y + dY};
}

void TTestGraph::FinishDragOperation(bool accept) {
    for (size_t i = 1; i < fDragging.size(); ++i) {
        fDragging[i]->LeaveDrag();
    }
    if (!accept) {
        for (size_t i = 0; i < fDragging.size(); ++i) {
            TMemoryStream state(fDragBackup[i]);
            fDragging[i]->LoadFromStream(state);
        }
    }
    fDragging.clear();
    fDragSource = nullptr;
}

void TTestGraph::DoObjectInitInstance(TGraphObject*) {
    fEvents.push_back("InitInstance");
}

void TTestGraph::DoObjectChange(TGraphObject*) {
    fEvents.push_back("ObjectChange");
    if (fThrowOnObjectChange) {
        throw std::runtime_error("handler failed");
    }
}

void TTestGraph::DoObjectRead(TGraphObject* object, TStream& stream) {
    QByteArray bytes(stream.Size(), Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), stream.Size());
    fCustomDataRead[object] = bytes;
}

void TTestGraph::DoObjectWrite(TGraphObject* object, TStream& stream) {
    const auto it = fCustomData.find(object);
    if (it != fCustomData.end()) {
        stream.WriteBuffer(it->second.constData(), it->second.size());
    }
}

} // namespace zov::test
