#pragma once

#include "platform/types/Input.h"
#include "platform/types/Types.h"

#include <cstdint>

namespace zov {

class TCanvas;
class TGraphLink;
class TGraphNode;
class TGraphObject;
class TStream;

// A window showing a graph document. The document asks it what only a window knows
// (what is visible, the reading direction), tells it what to repaint, and passes on
// every event of the graph; a view turns them into its own events. The event and
// query methods do nothing unless a view overrides them; a query's answer keeps its
// value when the view does not change it.
class TGraphView {
public:
    // ---- What the document asks -------------------------------------------------------
    // The part of the graph the window shows, in graph units.
    virtual TRect VisibleBounds() const = 0;
    // Captions are laid out for right-to-left reading.
    virtual bool UseRightToLeftReading() const = 0;

    // ---- Showing changes ---------------------------------------------------------------
    // Repaints a rectangle of graph units; while the document's update is open the view
    // collects it until UpdateEnded.
    virtual void InvalidateRect(const TRect& rect) = 0;
    virtual void Invalidate() = 0;
    // The graph's extent or the page changed.
    virtual void UpdateScrollRanges() = 0;
    // The document's outermost update ended; rangeChanged when objects were placed
    // anew inside it.
    virtual void UpdateEnded(bool rangeChanged) = 0;
    // The pointer shape an object asks for while the mouse is over it.
    virtual void SetScreenCursor(TCursor cursor) = 0;
    // Brings a graph point into view (the point a drag has reached).
    virtual void ScrollInView(const TPoint& pt) = 0;
    // Every object went and the graph starts anew.
    virtual void GraphCleared() {}
    // An object is about to leave the graph: the view lets go of it first.
    virtual void ObjectLeaving(TGraphObject*) {}
    // newObject took oldObject's place (conversion to another class).
    virtual void ObjectReplaced(TGraphObject*, TGraphObject*) {}

    // ---- Events ------------------------------------------------------------------------
    virtual void GraphChanged() {}
    virtual void CommandModeChanged() {}
    virtual void ObjectInitInstance(TGraphObject*) {}
    virtual void ObjectInserted(TGraphObject*) {}
    virtual void ObjectRemoved(TGraphObject*) {}
    virtual void ObjectChanged(TGraphObject*) {}
    virtual void ObjectSelected(TGraphObject*) {}
    virtual void ObjectBeginDrag(TGraphObject*, uint32_t) {}
    virtual void ObjectEndDrag(TGraphObject*, uint32_t, bool) {}
    virtual void ObjectBeforeDraw(TGraphObject*, TCanvas&) {}
    virtual void ObjectAfterDraw(TGraphObject*, TCanvas&) {}
    // Before and after the objects of a list are drawn on a canvas.
    virtual void BeforeDraw(TCanvas&) {}
    virtual void AfterDraw(TCanvas&) {}
    virtual void ObjectRead(TGraphObject*, TStream&) {}
    virtual void ObjectWrite(TGraphObject*, TStream&) {}
    virtual void ObjectHook(TGraphObject*, TGraphLink*, int32_t) {}
    virtual void ObjectUnhook(TGraphObject*, TGraphLink*, int32_t) {}
    virtual void NodeMoveResize(TGraphNode*) {}

    // ---- Queries -----------------------------------------------------------------------
    virtual void CanHookLink(TGraphObject*, TGraphLink*, int32_t, bool&) {}
    virtual void CanLinkObjects(TGraphLink*, TGraphObject*, TGraphObject*, bool&) {}
    virtual void CanMoveResizeNode(TGraphNode*, int32_t&, int32_t&, int32_t&, int32_t&, bool&,
                                   bool&) {}
    virtual void CanRemoveObject(TGraphObject*, bool&) {}

protected:
    ~TGraphView() = default;
};

} // namespace zov
