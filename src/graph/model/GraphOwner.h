#pragma once

#include "GraphTypes.h"
#include "platform/graphics/Color.h"
#include "platform/types/Input.h"
#include "platform/types/Types.h"

namespace zov {

class TCanvas;
class TFont;
class TGraphConstraints;
class TGraphLink;
class TGraphNode;
class TGraphObject;
class TGraphObjectList;
class TStream;

// Everything a graph object may ask of the graph it belongs to; graph objects reach
// their graph through nothing else. TGraphDocument implements it and passes the work
// of windows (repaints, the visible part, the pointer) on to its views.
class TGraphOwner {
public:
    // ---- Settings -------------------------------------------------------------------
    // The graph's font, copied by objects whose ParentFont is set.
    virtual const TFont& Font() const = 0;
    // The pointer shape over the graph where no object asks for another.
    virtual TCursor Cursor() const = 0;
    // Background colour; fills selection handles.
    virtual TColor Color() const = 0;
    // Half the side of a selection handle.
    virtual int32_t MarkerSize() const = 0;
    // Outline colour of selection handles.
    virtual TColor MarkerColor() const = 0;
    // Invisible objects are still shown (and hit) when set.
    virtual bool ShowHiddenObjects() const = 0;
    // When set, nodes, or links, start no mouse drag or point edit of their own and show
    // disabled handles; arrow keys still move them.
    virtual bool LockNodes() const = 0;
    virtual bool LockLinks() const = 0;
    // Mouse drags snap to the grid and arrow keys step by it; Ctrl held inverts this.
    virtual bool SnapToGrid() const = 0;
    // The grid spacing in graph units.
    virtual int32_t GridSize() const = 0;
    // The placement area every move and resize is confined to.
    virtual TGraphConstraints& GraphConstraints() = 0;

    // ---- Objects ----------------------------------------------------------------------
    // All objects in drawing order; the list owns them (removing one frees it).
    virtual TGraphObjectList& Objects() = 0;
    // The selection, kept by the objects' SetSelected.
    virtual TGraphObjectList& SelectedObjects() = 0;
    // nullptr when no object carries the ID.
    virtual TGraphObject* FindObjectByID(uint32_t id) const = 0;
    // The topmost object hit at a graph point, except that a selected link, or a selected
    // object hit by a handle, wins; never the drag source (nullptr when none).
    virtual TGraphObject* FindObjectAt(int32_t x, int32_t y) const = 0;
    // The ID an object should carry: its own unless another object has it, or the
    // number of objects plus one for a new object; then the next free one above.
    virtual uint32_t NextFreeID(const TGraphObject* object) const = 0;
    // Repaints a rectangle of graph units in every view.
    virtual void InvalidateRect(const TRect& rect) = 0;
    // Changed's report of every change it carries out: cached extent, modified state and
    // scroll ranges (these two held back while the graph updates), gcView's repaint.
    virtual void NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) = 0;
    // An object of the graph now carries another ID (lookups by ID follow it).
    virtual void NoteObjectIDChange(TGraphObject* object, uint32_t oldID) = 0;
    // newObject took oldObject's place in the lists without list events (conversion).
    virtual void NoteObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) = 0;

    // ---- Nodes -------------------------------------------------------------------------
    // Nodes are never made narrower or lower than this.
    virtual int32_t MinNodeSize() const = 0;
    // Captions are laid out and drawn for right-to-left reading.
    virtual bool UseRightToLeftReading() const = 0;
    // A query before a node moves or resizes: may change the new bounds and forbid
    // moving or resizing (not asked while queries are suspended).
    virtual void DoCanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top, int32_t& width,
                                     int32_t& height, bool& canMove, bool& canResize) = 0;
    // A node's bounds changed (SetBounds).
    virtual void DoNodeMoveResize(TGraphNode* node) = 0;

    // ---- Links -------------------------------------------------------------------------
    // The part of the graph the first view shows, in graph units; the page without views.
    virtual TRect VisibleBounds() const = 0;
    // Queries before a link end is hooked to an object, and before a link joins two
    // objects; the answer keeps its value when nobody changes it (or queries are
    // suspended).
    virtual void DoCanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                               bool& canHook) = 0;
    virtual void DoCanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                                  bool& canLink) = 0;
    // A link's end (point index) was hooked to, or unhooked from, object.
    virtual void DoObjectHook(TGraphObject* object, TGraphLink* link, int32_t index) = 0;
    virtual void DoObjectUnhook(TGraphObject* object, TGraphLink* link, int32_t index) = 0;

    // ---- Grid ----------------------------------------------------------------------------
    // The grid point nearest to pt.
    virtual TPoint SnapPoint(const TPoint& pt) const = 0;
    // Adjusts a movement so that pt + (dX, dY) lands on the grid; a zero part stays zero.
    virtual void SnapOffset(const TPoint& pt, int32_t& dX, int32_t& dY) const = 0;

    // ---- Dragging ------------------------------------------------------------------------
    // The object whose drag is running, or nullptr.
    virtual TGraphObject* DragSource() const = 0;
    // The hit-test code the running drag started with.
    virtual uint32_t DragHitTest() const = 0;
    // The graph point the drag has reached.
    virtual TPoint DragTargetPt() const = 0;
    // Starts a drag of object by the part hit: selects it and lets the other selected
    // objects join (JoinDrag); false refuses it.
    virtual bool StartDragOperation(TGraphObject* object, const TPoint& pt, uint32_t hitTest) = 0;
    // Confines the offset so that the dragged objects' MovableSides stay in the placement
    // area, then applies it to each (ApplyDragOffset).
    virtual void MoveDraggedBy(int32_t dX, int32_t dY) = 0;
    // Ends the running drag; without accept the dragged objects get their state back (an
    // object being inserted is freed).
    virtual void FinishDragOperation(bool accept) = 0;
    // The pointer shape every view shows while the mouse is over the graph.
    virtual void SetScreenCursor(TCursor cursor) = 0;

    // ---- Events the graph fires for its objects ----------------------------------------
    // A new object (not one read or converted) got its ID; it initializes and joins
    // Objects next.
    virtual void DoObjectInitInstance(TGraphObject* object) = 0;
    // Changed fires it for data and placement changes, before NoteObjectChange.
    virtual void DoObjectChange(TGraphObject* object) = 0;
    // Around an object's own drawing; the canvas carries the object's tools.
    virtual void DoObjectBeforeDraw(TGraphObject* object, TCanvas& canvas) = 0;
    virtual void DoObjectAfterDraw(TGraphObject* object, TCanvas& canvas) = 0;
    // A query: canRemove keeps its value when nobody answers (or queries are suspended).
    virtual void DoCanRemoveObject(TGraphObject* object, bool& canRemove) = 0;
    // The application's own bytes for an object ("CustomData").
    virtual void DoObjectRead(TGraphObject* object, TStream& stream) = 0;
    virtual void DoObjectWrite(TGraphObject* object, TStream& stream) = 0;

protected:
    ~TGraphOwner() = default;
};

} // namespace zov
