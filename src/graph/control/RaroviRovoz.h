#pragma once

#include "GraphControlTypes.h"
#include "GraphScrollBar.h"
#include "graph/document/GraphDocument.h"
#include "graph/document/GraphView.h"
#include "graph/history/GraphHistory.h"

#include <QAbstractScrollArea>
#include <QString>
#include <functional>
#include <memory>
#include <span>

class QImage;
class QMenu;

namespace zov {

class TMetafile;
class TPicture;
class TGraphLink;
class TGraphNode;

// The window showing one graph document and editing it with mouse and keyboard:
// scrolling, zoom, painting, input, cursors, hints, clipboard and printing. What is
// the graph itself (objects, selection, drag, file) lives in the document; the
// control offers the document's interface too and turns the document's events into
// its own.
class TRaroviRovoz : public QAbstractScrollArea, public TGraphView {
public:
    using TGraphNotifyEvent = std::function<void(TRaroviRovoz& graph, TGraphObject* object)>;
    using TNotifyEvent = std::function<void(TRaroviRovoz& sender)>;
    using TGraphForEachMethod = TGraphDocument::TGraphForEachMethod;

    explicit TRaroviRovoz(QWidget* parent = nullptr);
    ~TRaroviRovoz() override;

    TGraphDocument& Document() { return fDocument; }
    const TGraphDocument& Document() const { return fDocument; }
    // The undo history: the control records its mouse and key edits in it, the window
    // around it its commands.
    TGraphHistory& History() { return fHistory; }
    const TGraphHistory& History() const { return fHistory; }

    // ---- Class registry (shared by all graphs) ----
    static void Register(const TGraphObjectClass& cls) { TGraphDocument::Register(cls); }
    static void Unregister(const TGraphObjectClass& cls) { TGraphDocument::Unregister(cls); }
    static int32_t NodeClassCount() { return TGraphDocument::NodeClassCount(); }
    // Throws EListError for an index out of range.
    static const TGraphObjectClass& NodeClasses(int32_t index) {
        return TGraphDocument::NodeClasses(index);
    }
    static int32_t LinkClassCount() { return TGraphDocument::LinkClassCount(); }
    static const TGraphObjectClass& LinkClasses(int32_t index) {
        return TGraphDocument::LinkClasses(index);
    }

    // ---- Updates ----
    void BeginUpdate() { fDocument.BeginUpdate(); }
    void EndUpdate() { fDocument.EndUpdate(); }
    bool Updating() const { return fDocument.Updating(); }
    // Repaints everything, at the end of the update when one is open.
    void Invalidate() override;
    void InvalidateRect(const TRect& rect) override;

    // ---- Objects ----
    // nullptr when the node cannot be made; never throws.
    TGraphNode* InsertNode(const TRect& bounds, const TGraphObjectClass* nodeClass = nullptr) {
        return fDocument.InsertNode(bounds, nodeClass);
    }
    // nullptr when the link cannot be made (its ends cannot be hooked); never throws.
    TGraphLink* InsertLink(TGraphObject* source, TGraphObject* target,
                           const TGraphObjectClass* linkClass = nullptr) {
        return fDocument.InsertLink(source, {}, target, linkClass);
    }
    TGraphLink* InsertLink(TGraphObject* source, std::span<const TPoint> pts,
                           const TGraphObjectClass* linkClass = nullptr) {
        return fDocument.InsertLink(source, pts, nullptr, linkClass);
    }
    TGraphLink* InsertLink(std::span<const TPoint> pts, TGraphObject* target,
                           const TGraphObjectClass* linkClass = nullptr) {
        return fDocument.InsertLink(nullptr, pts, target, linkClass);
    }
    TGraphLink* InsertLink(std::span<const TPoint> pts,
                           const TGraphObjectClass* linkClass = nullptr) {
        return fDocument.InsertLink(nullptr, pts, nullptr, linkClass);
    }
    // Removes every object, then returns to cmEdit and the origin.
    void Clear() { fDocument.Clear(); }

    TGraphObjectList& Objects() { return fDocument.Objects(); }
    TGraphObjectList& SelectedObjects() { return fDocument.SelectedObjects(); }
    TGraphObjectList& DraggingObjects() { return fDocument.DraggingObjects(); }
    TGraphObject* FindObjectByID(uint32_t id) const { return fDocument.FindObjectByID(id); }
    TGraphObject* FindObjectAt(int32_t x, int32_t y) const { return fDocument.FindObjectAt(x, y); }
    // The object hit at a graph point, searched below lookAfter (or from the top);
    // with a selection, a selected object hit by one of its handles or a selected link
    // wins over unselected objects above it.
    TGraphObject* FindObjectAt(int32_t x, int32_t y, const TGraphObject* lookAfter) const {
        return fDocument.FindObjectAt(x, y, lookAfter);
    }
    int32_t ObjectsCount(const TGraphObjectClass* cls = nullptr) const {
        return fDocument.ObjectsCount(cls);
    }
    int32_t SelectedObjectsCount(const TGraphObjectClass* cls = nullptr) const {
        return fDocument.SelectedObjectsCount(cls);
    }
    // Calls back for each object (or each selected one) inside one update until a
    // call returns false; the callback may remove the object it is given.
    int32_t ForEachObject(const TGraphForEachMethod& callback, int32_t userData, bool selection) {
        return fDocument.ForEachObject(callback, userData, selection);
    }
    TGraphObject* FindNextObject(int32_t startIndex, bool inclusive, bool backward, bool wrap,
                                 const TGraphObjectClass* cls = nullptr) {
        return fDocument.FindNextObject(startIndex, inclusive, backward, wrap, cls);
    }
    // Selects the next selectable object alone and scrolls it into view; false when
    // there is none or it is the one selected already.
    bool SelectNextObject(bool backward, const TGraphObjectClass* cls = nullptr);
    uint32_t NextFreeID(const TGraphObject* object) const { return fDocument.NextFreeID(object); }

    // ---- Arranging the selection ----
    // Lines the selected objects up with the first selected one, or spaces them
    // evenly between the outermost ones; true when something moved.
    bool AlignSelection(THAlignOption horz, TVAlignOption vert) {
        return fDocument.AlignSelection(horz, vert);
    }
    // Makes the selected objects as wide and/or high as the smallest or largest of
    // them, growing or shrinking at the bottom-right; true when something changed.
    bool ResizeSelection(TResizeOption horz, TResizeOption vert) {
        return fDocument.ResizeSelection(horz, vert);
    }

    // ---- Selection ----
    void ToggleSelection(const TRect& rect, bool keepOld, const TGraphObjectClass* cls = nullptr) {
        fDocument.ToggleSelection(rect, keepOld, cls);
    }
    void ClearSelection() { fDocument.ClearSelection(); }

    // ---- Bounds (cached) ----
    TRect GraphBounds() { return fDocument.GraphBounds(); }
    TRect SelectionBounds() { return fDocument.SelectionBounds(); }
    TRect DraggingBounds() { return fDocument.DraggingBounds(); }
    // The smallest rectangle holding the visual rectangles of the members shown.
    TRect BoundsOfObjects(TGraphObjectList& list) const { return fDocument.BoundsOfObjects(list); }

    // ---- View ----
    int32_t Zoom() const { return fZoom; }
    // Clamped to 5..36863.
    void SetZoom(int32_t value);
    // False when the clamped zoom is the current one.
    bool ChangeZoom(int32_t newZoom, TGraphZoomOrigin origin);
    bool ChangeZoomBy(int32_t delta, TGraphZoomOrigin origin);
    // Fits the rectangle into the client area and centres it; false when the zoom
    // range limited the fit.
    bool ZoomRect(const TRect& rect);
    bool ZoomObject(const TGraphObject* object);
    bool ZoomSelection();
    bool ZoomGraph();
    TPoint ClientToGraph(int32_t x, int32_t y) const;
    TPoint GraphToClient(int32_t x, int32_t y) const;
    TPoint ScreenToGraph(int32_t x, int32_t y) const;
    TPoint GraphToScreen(int32_t x, int32_t y) const;
    TRect VisibleBounds() const override;
    bool UseRightToLeftReading() const override { return layoutDirection() == Qt::RightToLeft; }
    // The part of the window the graph is shown in, without the bars shown.
    TSize ClientSize() const;
    // The mouse position in graph units; setting it moves the mouse pointer.
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& pt);
    void ScrollInView(const TGraphObject* object);
    void ScrollInView(const TRect& rect);
    void ScrollInView(const TPoint& pt) override;
    void ScrollCenter(const TGraphObject& object);
    void ScrollCenter(const TRect& rect);
    void ScrollCenter(const TPoint& pt);
    // Moves the painted contents by a pixel offset.
    void ScrollBy(int32_t deltaX, int32_t deltaY);
    TGraphScrollBar& HorzScrollBar() { return *fHorzScrollBar; }
    TGraphScrollBar& VertScrollBar() { return *fVertScrollBar; }
    const TGraphScrollBar& HorzScrollBar() const { return *fHorzScrollBar; }
    const TGraphScrollBar& VertScrollBar() const { return *fVertScrollBar; }
    TPoint SnapPoint(const TPoint& pt) const { return fDocument.SnapPoint(pt); }
    void SnapOffset(const TPoint& pt, int32_t& dX, int32_t& dY) const {
        fDocument.SnapOffset(pt, dX, dY);
    }
    void UpdateScrollRanges() override;
    // Hands both bars their ranges, the one whose content exceeds the view first.
    virtual void UpdateScrollBars();
    bool ValidMarkedArea() const { return fValidMarkedArea; }
    const TRect& MarkedArea() const { return fMarkedArea; }

    // ---- Painting and export ----
    // The objects only, in the canvas's current coordinates.
    void Draw(TCanvas& canvas) { fDocument.Draw(canvas); }
    // The graph's objects stretched so that the page's bottom-right corner lands on
    // (rect.Right, rect.Bottom); nothing when no object shows.
    void Print(TCanvas& canvas, const TRect& rect) { fDocument.Print(canvas, rect); }
    // The objects of the list without background, one graph unit per unit, their
    // common bounds' top-left corner at (0, 0).
    TMetafile RecordMetafile(TGraphObjectList& list);
    // The same as a 24-bit image on white.
    QImage RenderBitmap(TGraphObjectList& list);
    TMetafile GetMetafile();
    // Throw EFCreateError when the file cannot be written.
    void SaveAsMetafile(const QString& fileName) { fDocument.SaveAsMetafile(fileName); }
    void SaveAsBitmap(const QString& fileName) { fDocument.SaveAsBitmap(fileName); }
    // The bitmap as a "bmp" or "png" file.
    void SaveAsImage(const QString& fileName, const QByteArray& format) {
        fDocument.SaveAsImage(fileName, format);
    }
    // The same picture as vectors with text kept as text: one graph unit per pixel
    // at 96 dpi, the page exactly the objects' size.
    void SaveAsSvg(const QString& fileName) { fDocument.SaveAsSvg(fileName); }
    void SaveAsPdf(const QString& fileName) { fDocument.SaveAsPdf(fileName); }
    void CopyToGraphic(TPicture& picture, bool metafile) {
        fDocument.CopyToGraphic(picture, metafile);
    }
    // The selection or the whole graph, in ClipboardFormats.
    void CopyToClipboard(bool selection);
    // True when objects were pasted; a picture on the clipboard becomes the
    // background of the one selected node instead (returns false).
    bool PasteFromClipboard();
    // Whether the clipboard holds what PasteFromClipboard inserts as objects: graph
    // objects or an enhanced metafile.
    static bool ClipboardHasGraphData();
    // Replaces the clipboard's content by the metafile alone.
    static void CopyMetafileToClipboard(const TMetafile& metafile);

    // ---- Settings ----
    const TFont& Font() const { return fDocument.Font(); }
    TFont& Font() { return fDocument.Font(); }
    void SetFont(const TFont& value) { fDocument.Font().Assign(value); }
    TCursor Cursor() const { return fDocument.Cursor(); }
    void SetCursor(TCursor value) { fDocument.SetCursor(value); }
    TColor Color() const { return fDocument.Color(); }
    void SetColor(TColor value) { fDocument.SetColor(value); }
    int32_t GridSize() const { return fDocument.GridSize(); }
    void SetGridSize(int32_t value);
    TColor GridColor() const { return fGridColor; }
    void SetGridColor(TColor value);
    bool ShowGrid() const { return fShowGrid; }
    void SetShowGrid(bool value);
    bool SnapToGrid() const { return fDocument.SnapToGrid(); }
    void SetSnapToGrid(bool value) { fDocument.SetSnapToGrid(value); }
    bool ShowHiddenObjects() const { return fDocument.ShowHiddenObjects(); }
    void SetShowHiddenObjects(bool value) { fDocument.SetShowHiddenObjects(value); }
    bool HideSelection() const { return fHideSelection; }
    void SetHideSelection(bool value);
    // Zoomed out, the screen leaves out what is too small to see (illegible captions)
    // and sketches tiny objects; exports and printing always draw every detail.
    bool SimplifiedPainting() const { return fSimplifiedPainting; }
    void SetSimplifiedPainting(bool value) {
        fSimplifiedPainting = value;
        Invalidate();
    }
    bool LockNodes() const { return fDocument.LockNodes(); }
    void SetLockNodes(bool value) { fDocument.SetLockNodes(value); }
    bool LockLinks() const { return fDocument.LockLinks(); }
    void SetLockLinks(bool value) { fDocument.SetLockLinks(value); }
    TColor MarkerColor() const { return fDocument.MarkerColor(); }
    void SetMarkerColor(TColor value) { fDocument.SetMarkerColor(value); }
    int32_t MarkerSize() const { return fDocument.MarkerSize(); }
    void SetMarkerSize(int32_t value) { fDocument.SetMarkerSize(value); }
    bool DefaultKeyMap() const { return fDefaultKeyMap; }
    void SetDefaultKeyMap(bool value) { fDefaultKeyMap = value; }
    QMenu* ObjectPopupMenu() const { return fObjectPopupMenu; }
    void SetObjectPopupMenu(QMenu* value) { fObjectPopupMenu = value; }
    // Shown at the pointer when neither the objects nor OnContextPopup took the
    // context menu.
    QMenu* PopupMenu() const { return fPopupMenu; }
    void SetPopupMenu(QMenu* value) { fPopupMenu = value; }
    const TGraphObjectClass* DefaultNodeClass() const { return fDocument.DefaultNodeClass(); }
    void SetDefaultNodeClass(const TGraphObjectClass* value) {
        fDocument.SetDefaultNodeClass(value);
    }
    const TGraphObjectClass* DefaultLinkClass() const { return fDocument.DefaultLinkClass(); }
    void SetDefaultLinkClass(const TGraphObjectClass* value) {
        fDocument.SetDefaultLinkClass(value);
    }
    bool Modified() const { return fDocument.Modified(); }
    // Stores the flag; fires nothing.
    void SetModified(bool value) { fDocument.SetModified(value); }
    TGraphCommandMode CommandMode() const { return fDocument.CommandMode(); }
    void SetCommandMode(TGraphCommandMode value) { fDocument.SetCommandMode(value); }
    TGraphConstraints& GraphConstraints() { return fDocument.GraphConstraints(); }
    void SetGraphConstraints(const TGraphConstraints& value) {
        fDocument.GraphConstraints().Assign(value);
    }
    int32_t MinNodeSize() const { return fDocument.MinNodeSize(); }
    void SetMinNodeSize(int32_t value) { fDocument.SetMinNodeSize(value); }
    TGraphDrawOrder DrawOrder() const { return fDocument.DrawOrder(); }
    void SetDrawOrder(TGraphDrawOrder value) { fDocument.SetDrawOrder(value); }
    bool FixedScrollBars() const { return fFixedScrollBars; }
    void SetFixedScrollBars(bool value);
    bool Transparent() const { return fTransparent; }
    void SetTransparent(bool value);
    TGraphClipboardFormats ClipboardFormats() const { return fClipboardFormats; }
    void SetClipboardFormats(TGraphClipboardFormats value) { fClipboardFormats = value; }

    // ---- Page information (saved with the graph) ----
    QString Info(int index) const { return fDocument.Info(index); }
    void SetInfo(int index, const QString& value) { fDocument.SetInfo(index, value); }
    char Lage() const { return fDocument.Lage(); }
    void SetLage(char value) { fDocument.SetLage(value); }
    TPaperType PaperType() const { return fDocument.PaperType(); }
    void SetPaperType(TPaperType value) { fDocument.SetPaperType(value); }
    // The page in graph units, PageMargin from the origin.
    TRect GetPaperSize() const { return fDocument.GetPaperSize(); }

    // ---- Published for the document window, never saved with the graph ----
    QString Autor() const { return fDocument.Autor(); }
    void SetAutor(const QString& value) { fDocument.SetAutor(value); }
    QString Kenn() const { return fDocument.Kenn(); }
    void SetKenn(const QString& value) { fDocument.SetKenn(value); }
    uint8_t Faser() const { return fDocument.Faser(); }
    void SetFaser(uint8_t value) { fDocument.SetFaser(value); }
    uint8_t Absolut() const { return fDocument.Absolut(); }
    void SetAbsolut(uint8_t value) { fDocument.SetAbsolut(value); }

    // ---- Graph file ----
    void SaveToStream(TStream& stream) { fDocument.SaveToStream(stream); }
    // Replaces the graph; throws EGraphStreamError when the stream is no graph.
    void LoadFromStream(TStream& stream) { fDocument.LoadFromStream(stream); }
    // Adds the stream's objects, moved by the offset where the page allows it, and
    // scrolls them into view.
    void MergeFromStream(TStream& stream, int32_t offsetX, int32_t offsetY);
    void SaveToFile(const QString& fileName) { fDocument.SaveToFile(fileName); }
    void LoadFromFile(const QString& fileName) { fDocument.LoadFromFile(fileName); }
    void MergeFromFile(const QString& fileName, int32_t offsetX, int32_t offsetY);
    void WriteObjectList(TStream& stream, const TGraphObjectList& list) {
        fDocument.WriteObjectList(stream, list);
    }
    void ReadObjectList(TStream& stream) { fDocument.ReadObjectList(stream); }
    void SaveObjectStates(TStream& stream, const TGraphObjectList& list) {
        fDocument.SaveObjectStates(stream, list);
    }
    void LoadObjectStates(TStream& stream) { fDocument.LoadObjectStates(stream); }

    // ---- Dragging ----
    TGraphObject* DragSource() const { return fDocument.DragSource(); }
    uint32_t DragHitTest() const { return fDocument.DragHitTest(); }
    TPoint DragTargetPt() const { return fDocument.DragTargetPt(); }
    bool StartDragOperation(TGraphObject* object, const TPoint& pt, uint32_t hitTest) {
        return fDocument.StartDragOperation(object, pt, hitTest);
    }
    void MoveDraggedBy(int32_t dX, int32_t dY) { fDocument.MoveDraggedBy(dX, dY); }
    void FinishDragOperation(bool accept) { fDocument.FinishDragOperation(accept); }
    TGraphObject* ObjectAtCursor() const { return fObjectAtCursor; }
    void SetScreenCursor(TCursor cursor) override;

    // ---- Events ----
    TGraphNotifyEvent OnObjectInitInstance;
    TGraphNotifyEvent OnObjectInsert;
    TGraphNotifyEvent OnObjectRemove;
    TGraphNotifyEvent OnObjectChange;
    TGraphNotifyEvent OnObjectSelect;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, TCanvas& canvas)>
        OnObjectBeforeDraw;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, TCanvas& canvas)>
        OnObjectAfterDraw;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, uint32_t hitTest)>
        OnObjectBeginDrag;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, uint32_t hitTest, bool cancelled)>
        OnObjectEndDrag;
    TGraphNotifyEvent OnObjectMouseEnter;
    TGraphNotifyEvent OnObjectMouseLeave;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, TStream& stream)> OnObjectRead;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, TStream& stream)> OnObjectWrite;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, TGraphLink* link, int32_t index)>
        OnObjectHook;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, TGraphLink* link, int32_t index)>
        OnObjectUnhook;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, TGraphLink* link, int32_t index,
                       bool& canHook)>
        OnCanHookLink;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, bool& canRemove)>
        OnCanRemoveObject;
    std::function<void(TRaroviRovoz& graph, TGraphLink* link, TGraphObject* source,
                       TGraphObject* target, bool& canLink)>
        OnCanLinkObjects;
    std::function<void(TRaroviRovoz& graph, TGraphNode* node, int32_t& newLeft, int32_t& newTop,
                       int32_t& newWidth, int32_t& newHeight, bool& canMove, bool& canResize)>
        OnCanMoveResizeNode;
    std::function<void(TRaroviRovoz& graph, TGraphNode* node)> OnNodeMoveResize;
    TNotifyEvent OnGraphChange;
    TNotifyEvent OnCommandModeChange;
    TNotifyEvent OnZoomChange;
    TGraphNotifyEvent OnObjectClick;
    TGraphNotifyEvent OnObjectDblClick;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, const TPoint& mousePos,
                       bool& handled)>
        OnObjectContextPopup;
    std::function<void(TRaroviRovoz& graph, const TPoint& mousePos, bool& handled)> OnContextPopup;
    std::function<void(TRaroviRovoz& graph, TGraphObject* object, QString& infoTip)> OnInfoTip;
    // Mouse input of the control itself, in client coordinates.
    std::function<void(TRaroviRovoz& graph, TMouseButton button, TShiftState shift, int32_t x,
                       int32_t y)>
        OnMouseDown;
    std::function<void(TRaroviRovoz& graph, TShiftState shift, int32_t x, int32_t y)> OnMouseMove;
    std::function<void(TRaroviRovoz& graph, TMouseButton button, TShiftState shift, int32_t x,
                       int32_t y)>
        OnMouseUp;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // One call per wheel notch (a delta of ±120; finer wheels and touchpads add up to
    // it), at the mouse's client position. OnMouseWheel comes first; when it leaves
    // handled false, OnMouseWheelDown or OnMouseWheelUp follows. When no handler takes
    // the notch, the wheel scrolls the view; while a handler is set, movement short of
    // a notch waits.
    std::function<void(TRaroviRovoz& graph, TShiftState shift, int32_t wheelDelta,
                       const TPoint& mousePos, bool& handled)>
        OnMouseWheel;
    std::function<void(TRaroviRovoz& graph, TShiftState shift, const TPoint& mousePos,
                       bool& handled)>
        OnMouseWheelDown;
    std::function<void(TRaroviRovoz& graph, TShiftState shift, const TPoint& mousePos,
                       bool& handled)>
        OnMouseWheelUp;
    std::function<void(TRaroviRovoz& graph, TCanvas& canvas)> OnBeforeDraw;
    std::function<void(TRaroviRovoz& graph, TCanvas& canvas)> OnAfterDraw;

    // ---- What objects report (the owner side, passed to the document) ----
    void NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) {
        fDocument.NoteObjectChange(object, flags);
    }

    // ---- What the document tells its views ----
    void UpdateEnded(bool rangeChanged) override;
    void GraphCleared() override;
    void ObjectLeaving(TGraphObject* object) override;
    void ObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) override;
    void GraphChanged() override { DoGraphChange(); }
    void CommandModeChanged() override { DoCommandModeChange(); }
    void ObjectInitInstance(TGraphObject* object) override;
    void ObjectInserted(TGraphObject* object) override { DoObjectInsert(object); }
    void ObjectRemoved(TGraphObject* object) override { DoObjectRemove(object); }
    void ObjectChanged(TGraphObject* object) override;
    void ObjectSelected(TGraphObject* object) override { DoObjectSelect(object); }
    void ObjectBeginDrag(TGraphObject* object, uint32_t hitTest) override {
        DoObjectBeginDrag(object, hitTest);
    }
    void ObjectEndDrag(TGraphObject* object, uint32_t hitTest, bool cancelled) override {
        DoObjectEndDrag(object, hitTest, cancelled);
    }
    void ObjectBeforeDraw(TGraphObject* object, TCanvas& canvas) override;
    void ObjectAfterDraw(TGraphObject* object, TCanvas& canvas) override;
    void BeforeDraw(TCanvas& canvas) override { DoBeforeDraw(canvas); }
    void AfterDraw(TCanvas& canvas) override { DoAfterDraw(canvas); }
    void ObjectRead(TGraphObject* object, TStream& stream) override;
    void ObjectWrite(TGraphObject* object, TStream& stream) override;
    void ObjectHook(TGraphObject* object, TGraphLink* link, int32_t index) override;
    void ObjectUnhook(TGraphObject* object, TGraphLink* link, int32_t index) override;
    void NodeMoveResize(TGraphNode* node) override;
    void CanHookLink(TGraphObject* object, TGraphLink* link, int32_t index, bool& canHook) override;
    void CanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                        bool& canLink) override;
    void CanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top, int32_t& width,
                           int32_t& height, bool& canMove, bool& canResize) override;
    void CanRemoveObject(TGraphObject* object, bool& canRemove) override;

protected:
    virtual void DoZoomChange();
    virtual void DoGraphChange();
    virtual void DoCommandModeChange();
    virtual void DoObjectInsert(TGraphObject* object);
    virtual void DoObjectRemove(TGraphObject* object);
    virtual void DoObjectSelect(TGraphObject* object);
    virtual void DoObjectMouseEnter(TGraphObject* object);
    virtual void DoObjectMouseLeave(TGraphObject* object);
    virtual void DoObjectBeginDrag(TGraphObject* object, uint32_t hitTest);
    virtual void DoObjectEndDrag(TGraphObject* object, uint32_t hitTest, bool cancelled);
    virtual void SetObjectUnderMouse(TGraphObject* object);
    virtual void FollowObjectUnderMouse(const TPoint& pt);
    virtual void DoObjectClick(TGraphObject* object);
    virtual void DoObjectDblClick(TGraphObject* object);
    virtual void DoObjectContextPopup(TGraphObject* object, const TPoint& mousePos, bool& handled);
    // Keys the graph handles itself; true when the key was used.
    virtual bool ApplyKeyMap(uint16_t& key, TShiftState shift);

    // Mouse input in client coordinates, as the window reports it.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    virtual void Click();
    virtual void DblClick();
    // One wheel notch; true when a handler took it.
    virtual bool DoMouseWheel(TShiftState shift, int32_t wheelDelta, const TPoint& mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, const TPoint& mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, const TPoint& mousePos);

    // Sets the canvas to the view transform; origin is the top-left of a buffer
    // that covers only part of the client area.
    virtual void SetupDC(TCanvas& canvas, const TPoint* origin = nullptr) const;
    virtual void Paint(TCanvas& canvas);
    virtual void PaintBackground(TCanvas& canvas);
    // The document draws the objects; the view adds background and selection.
    virtual void PaintObjects(TCanvas& canvas, TGraphObjectList& list);
    virtual void PaintSelection(TCanvas& canvas);
    virtual void DoBeforeDraw(TCanvas& canvas);
    virtual void DoAfterDraw(TCanvas& canvas);

    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    void RepaintClientRect(const TRect* rect);
    // A new object of the class at pt (snapped when snap is set), moving pt to where
    // the pointer goes on with it; nullptr when nothing could be placed.
    TGraphObject* PlaceNewObject(TPoint& pt, const TGraphObjectClass* cls, bool snap);
    void ChooseContextMenu(const TPoint& mousePos, bool& handled);
    void SetMarquee(const TRect& rect);
    // Shows the hint of the object at a client point; false when there is none.
    bool ShowObjectHint(const QPoint& clientPos, const QPoint& globalPos);
    // Refreshes the pointer's shape for a new shift state.
    void RefreshCursor();
    void RepaintHiddenSelection();
    void InvalidateSelectionHandles();
    bool HandleKey(QKeyEvent* event);
    // A left press that may edit opens a step of the history; it ends at the release,
    // or later when a drag goes on (drawing a link takes several clicks).
    void BeginGesture(const QString& name, TGraphObject* pressed);
    void SettleGesture();
    // The dragged objects are kept just before the drag first moves them, so a click
    // on a large selection costs nothing.
    void CaptureDrag();

    bool fSimplifiedPainting = true;
    TColor fGridColor = 0x808080;
    bool fShowGrid = true;
    bool fHideSelection = false;
    int32_t fZoom = 100;
    bool fDefaultKeyMap = true;
    QMenu* fObjectPopupMenu = nullptr;
    QMenu* fPopupMenu = nullptr;
    bool fFixedScrollBars = false;
    bool fValidMarkedArea = false;
    TRect fMarkedArea = EmptyMarkedArea;
    TPoint fMarqueeStart; // graph point where the marquee began
    TPoint fMarqueeEnd;
    TPoint fPanPoint; // client point the graph follows while panning
    bool fTransparent = false;
    TGraphClipboardFormats fClipboardFormats{cfNative};
    TGraphObject* fObjectAtCursor = nullptr;
    bool fReleaseEndsDoubleClick = false;
    int32_t fWheelAccumulator = 0; // wheel movement short of a whole notch
    bool fDestroying = false;
    bool fUpdatingScrollBars = false;
    TRect fSaveInvalidateRect = EmptyMarkedArea; // client pixels to repaint after the update
    std::unique_ptr<TGraphScrollBar> fHorzScrollBar;
    std::unique_ptr<TGraphScrollBar> fVertScrollBar;
    // Last, so that it goes first: its objects leave with their events while the rest
    // of the control still stands.
    TGraphDocument fDocument;
    // Goes before the document and lets go of it.
    TGraphHistory fHistory{fDocument};
    bool fGestureStep = false;
    bool fDragCaptured = false;
};

} // namespace zov
