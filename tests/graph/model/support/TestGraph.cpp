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

void TTestLink::ReferenceChanged(TGraphObject* object, TDependentNotice notice) {
    fReferenceNotices.push_back(notice);
    if (notice != dnGoingAway) {
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

void TTestLink::TellDependents(TDependentNotice notice) {
    if (notice == dnGoingAway) {
        if (fSource != nullptr) {
            std::exchange(fSource, nullptr)->LinkOutputs().Remove(this);
        }
        if (fTarget != nullptr) {
            std::exchange(fTarget, nullptr)->LinkInputs().Remove(this);
        }
    }
    TGraphObject::TellDependents(notice);
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

// ---- TRecordingGraph --------------------------------------------------------------------------

TRecordingGraph::TRecordingGraph() {
    Font().SetName(QStringLiteral("Liberation Sans"));
    Font().SetHeight(-13);
    SetColor(clWhite);
    SetSnapToGrid(false);
    GraphConstraints().SetBoundsRect({0, 0, 1000, 1000});
    AddView(this);
}

// The objects go while the recording is still there.
TRecordingGraph::~TRecordingGraph() {
    Objects().Clear();
    RemoveView(this);
}

void TRecordingGraph::NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) {
    fChanges.emplace_back(object, flags);
    TGraphDocument::NoteObjectChange(object, flags);
}

void TRecordingGraph::CanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top,
                                        int32_t& width, int32_t& height, bool& canMove,
                                        bool& canResize) {
    if (fOnCanMoveResizeNode) {
        fOnCanMoveResizeNode(node, left, top, width, height, canMove, canResize);
    }
}

void TRecordingGraph::CanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                                  bool& canHook) {
    if (fOnCanHookLink) {
        fOnCanHookLink(object, link, index, canHook);
    }
}

void TRecordingGraph::CanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                                     bool& canLink) {
    if (fOnCanLinkObjects) {
        fOnCanLinkObjects(link, source, target, canLink);
    }
}

void TRecordingGraph::ObjectChanged(TGraphObject*) {
    fEvents.push_back("ObjectChange");
    if (fThrowOnObjectChange) {
        throw std::runtime_error("handler failed");
    }
}

void TRecordingGraph::ObjectRead(TGraphObject* object, TStream& stream) {
    QByteArray bytes(stream.Size(), Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), stream.Size());
    fCustomDataRead[object] = bytes;
}

void TRecordingGraph::ObjectWrite(TGraphObject* object, TStream& stream) {
    const auto it = fCustomData.find(object);
    if (it != fCustomData.end()) {
        stream.WriteBuffer(it->second.constData(), it->second.size());
    }
}

} // namespace zov::test
