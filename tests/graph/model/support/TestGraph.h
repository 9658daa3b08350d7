#pragma once

#include "graph/document/GraphDocument.h"
#include "graph/document/GraphView.h"
#include "graph/model/GraphConstraints.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "graph/model/GraphOwner.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/stream/Stream.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zov::test {

// A rectangular node with the least behaviour a graph object needs: bounds that
// move and resize, a body to hit, and an outline to draw.
class TTestNode : public TGraphObject {
public:
    static const TGraphObjectClass& Class() {
        return GraphObjectClassOf<TTestNode>("TTestNode", false);
    }
    const TGraphObjectClass& ClassType() const override { return Class(); }

    explicit TTestNode(TGraphOwner* owner) : TGraphObject(owner) {}

    TRect BoundsRect() const override { return fBounds; }
    void SetBoundsRect(const TRect& rect) override;
    void OffsetBy(int32_t dX, int32_t dY) override;

    // Streamed like the bounds of real nodes: always written.
    int32_t Left() const { return fBounds.Left; }
    int32_t Top() const { return fBounds.Top; }
    int32_t Width() const { return fBounds.Width(); }
    int32_t Height() const { return fBounds.Height(); }
    void SetLeft(int32_t v) { SetBoundsRect(TRect::FromBounds(v, Top(), Width(), Height())); }
    void SetTop(int32_t v) { SetBoundsRect(TRect::FromBounds(Left(), v, Width(), Height())); }
    void SetWidth(int32_t v) { SetBoundsRect(TRect::FromBounds(Left(), Top(), v, Height())); }
    void SetHeight(int32_t v) { SetBoundsRect(TRect::FromBounds(Left(), Top(), Width(), v)); }
    const TPropertyList& Properties() const override;
    void AnchorPoint(TPoint& pt) const override;
    void AttachPoint(const TPoint& reference, TPoint& pt) const override;
    TObjectSides MovableSides(uint32_t hitTest) const override;
    bool ApplyDragOffset(uint32_t hitTest, int32_t dX, int32_t dY) override;

    // What the drawing hooks saw: the canvas pen width and mode of the last outline.
    int32_t fOutlinePenWidth = -1;
    TPenMode fOutlinePenMode = pmCopy;
    int fHandlesDrawn = 0;
    int fShapesDrawn = 0;

protected:
    void ComputeVisualRect(TRect& rect) const override { rect = fBounds; }
    uint32_t LocalHitTest(const TPoint& pt) const override;
    void DrawHandles(TCanvas& canvas) override;
    void DrawDragOutline(TCanvas& canvas) override;
    void DrawCaption(TCanvas&) override {}
    void SmearCaption(TCanvas&) override {}
    void DrawShape(TCanvas& canvas) override;

private:
    TRect fBounds{100, 100, 140, 130};
};

// Another node class, to convert to.
class TOtherNode : public TTestNode {
public:
    static const TGraphObjectClass& Class() {
        return GraphObjectClassOf<TOtherNode>("TOtherNode", false);
    }
    const TGraphObjectClass& ClassType() const override { return Class(); }
    using TTestNode::TTestNode;
};

// A node whose constructor narrows its options, as text nodes do.
class TNarrowNode : public TTestNode {
public:
    static const TGraphObjectClass& Class() {
        return GraphObjectClassOf<TNarrowNode>("TNarrowNode", false);
    }
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TNarrowNode(TGraphOwner* owner) : TTestNode(owner) {
        SetOptions({goSelectable, goShowCaption});
    }
};

// A link joining two objects, registered in their link lists; it lets go of an end
// that goes away.
class TTestLink : public TGraphObject {
public:
    static const TGraphObjectClass& Class() {
        return GraphObjectClassOf<TTestLink>("TTestLink", true);
    }
    const TGraphObjectClass& ClassType() const override { return Class(); }
    explicit TTestLink(TGraphOwner* owner) : TGraphObject(owner) {}

    void Join(TGraphObject* source, TGraphObject* target);
    TGraphObject* Source() const { return fSource; }
    TGraphObject* Target() const { return fTarget; }

    TRect BoundsRect() const override { return {}; }
    void SetBoundsRect(const TRect&) override {}
    void OffsetBy(int32_t, int32_t) override {}
    void AnchorPoint(TPoint& pt) const override { pt = {}; }
    void AttachPoint(const TPoint&, TPoint& pt) const override { pt = {}; }
    void ReferenceChanged(TGraphObject* object, TDependentNotice notice) override;
    // Going away lets go of both ends.
    void TellDependents(TDependentNotice notice) override;
    void RedirectReferences(TGraphObject* oldObject, TGraphObject* newObject) override;

    std::vector<TDependentNotice> fReferenceNotices;

protected:
    void ComputeVisualRect(TRect& rect) const override { rect = {}; }
    void DrawHandles(TCanvas&) override {}
    void DrawDragOutline(TCanvas&) override {}
    void DrawCaption(TCanvas&) override {}
    void SmearCaption(TCanvas&) override {}
    void DrawShape(TCanvas&) override {}

private:
    TGraphObject* fSource = nullptr;
    TGraphObject* fTarget = nullptr;
};

// A real graph document that shows itself: what objects report and the events the
// document passes on are recorded for the tests to inspect.
class TRecordingGraph : public TGraphDocument, public TGraphView {
public:
    TRecordingGraph();
    ~TRecordingGraph() override;

    template <class T> T* Add(const TRect& bounds = {100, 100, 140, 130}) {
        T* object = TGraphObject::Create<T>(this);
        object->SetBoundsRect(bounds);
        return object;
    }

    void NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) override;

    TRect VisibleBounds() const override { return {0, 0, 1000, 1000}; }
    bool UseRightToLeftReading() const override { return false; }
    void InvalidateRect(const TRect& rect) override { fInvalidated.push_back(rect); }
    void Invalidate() override {}
    void UpdateScrollRanges() override {}
    void UpdateEnded(bool) override {}
    void SetScreenCursor(TCursor cursor) override { fScreenCursor = cursor; }
    void ScrollInView(const TPoint&) override {}

    void ObjectInitInstance(TGraphObject*) override { fEvents.push_back("InitInstance"); }
    void ObjectInserted(TGraphObject*) override { fEvents.push_back("Insert"); }
    void ObjectRemoved(TGraphObject*) override { fEvents.push_back("Remove"); }
    void ObjectChanged(TGraphObject*) override;
    void ObjectBeforeDraw(TGraphObject*, TCanvas&) override { fEvents.push_back("BeforeDraw"); }
    void ObjectAfterDraw(TGraphObject*, TCanvas&) override { fEvents.push_back("AfterDraw"); }
    void ObjectRead(TGraphObject* object, TStream& stream) override;
    void ObjectWrite(TGraphObject* object, TStream& stream) override;
    void ObjectHook(TGraphObject*, TGraphLink*, int32_t index) override {
        fEvents.push_back("Hook " + std::to_string(index));
    }
    void ObjectUnhook(TGraphObject*, TGraphLink*, int32_t index) override {
        fEvents.push_back("Unhook " + std::to_string(index));
    }
    void NodeMoveResize(TGraphNode*) override { fEvents.push_back("NodeMoveResize"); }
    void CanHookLink(TGraphObject* object, TGraphLink* link, int32_t index, bool& canHook) override;
    void CanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                        bool& canLink) override;
    void CanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top, int32_t& width,
                           int32_t& height, bool& canMove, bool& canResize) override;
    void CanRemoveObject(TGraphObject*, bool& canRemove) override { canRemove = fCanRemove; }

    std::function<void(TGraphNode*, int32_t&, int32_t&, int32_t&, int32_t&, bool&, bool&)>
        fOnCanMoveResizeNode;
    std::function<void(TGraphObject*, TGraphLink*, int32_t, bool&)> fOnCanHookLink;
    std::function<void(TGraphLink*, TGraphObject*, TGraphObject*, bool&)> fOnCanLinkObjects;
    bool fCanRemove = true;
    bool fThrowOnObjectChange = false; // an application handler that fails

    std::vector<std::string> fEvents;
    std::vector<std::pair<const TGraphObject*, TGraphChangeFlags>> fChanges;
    std::vector<TRect> fInvalidated;
    TCursor fScreenCursor = crDefault;
    std::map<const TGraphObject*, QByteArray> fCustomData; // written by ObjectWrite
    std::map<const TGraphObject*, QByteArray> fCustomDataRead;
};

} // namespace zov::test
