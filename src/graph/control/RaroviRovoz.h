#pragma once

#include "GraphControlTypes.h"
#include "GraphScrollBar.h"
#include "graph/model/GraphConstraints.h"
#include "graph/model/GraphIDIndex.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "graph/model/GraphOwner.h"
#include "graph/model/GraphSpatialIndex.h"
#include "graph/persistence/GraphFile.h"
#include "platform/graphics/Font.h"
#include "platform/stream/Stream.h"

#include <QAbstractScrollArea>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <span>

class QImage;
class QPaintDevice;
class QMenu;

namespace zov {

class TMetafile;
class TPicture;
class TGraphLink;
class TGraphNode;

// The window that owns one graph: its objects in drawing order, the selection, the
// drag state, the view settings and the page information saved with the graph.
// Every change of an object reaches it; it keeps the modified state, caches bounding
// rectangles, defers repaint and range work while an update is open, and turns what
// happens to objects into its events.
class TRaroviRovoz : public QAbstractScrollArea, public TGraphOwner, public TGraphConstraintsOwner {
public:
    using TGraphNotifyEvent = std::function<void(TRaroviRovoz& graph, TGraphObject* object)>;
    using TNotifyEvent = std::function<void(TRaroviRovoz& sender)>;
    using TGraphForEachMethod = std::function<bool(TGraphObject* object, int32_t userData)>;

    explicit TRaroviRovoz(QWidget* parent = nullptr);
    ~TRaroviRovoz() override;

    // ---- Class registry (shared by all graphs) ----
    static void Register(const TGraphObjectClass& cls);
    static void Unregister(const TGraphObjectClass& cls);
    static int32_t NodeClassCount();
    // Throws EListError for an index out of range.
    static const TGraphObjectClass& NodeClasses(int32_t index);
    static int32_t LinkClassCount();
    static const TGraphObjectClass& LinkClasses(int32_t index);

    // ---- Updates ----
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return fUpdateCount > 0; }
    // Repaints everything, at the end of the update when one is open.
    void Invalidate() override;
    void InvalidateRect(const TRect& rect) override;

    // ---- Objects ----
    // nullptr when the node cannot be made; never throws.
    TGraphNode* InsertNode(const TRect& bounds, const TGraphObjectClass* nodeClass = nullptr);
    // nullptr when the link cannot be made (its ends cannot be hooked); never throws.
    TGraphLink* InsertLink(TGraphObject* source, TGraphObject* target,
                           const TGraphObjectClass* linkClass = nullptr);
    TGraphLink* InsertLink(TGraphObject* source, std::span<const TPoint> pts,
                           const TGraphObjectClass* linkClass = nullptr);
    TGraphLink* InsertLink(std::span<const TPoint> pts, TGraphObject* target,
                           const TGraphObjectClass* linkClass = nullptr);
    TGraphLink* InsertLink(std::span<const TPoint> pts,
                           const TGraphObjectClass* linkClass = nullptr);
    // Removes every object, then returns to cmEdit and the origin.
    void Clear();

    TGraphObjectList& Objects() override { return fObjects; }
    TGraphObjectList& SelectedObjects() override { return fSelectedObjects; }
    TGraphObjectList& DraggingObjects() { return fDraggingObjects; }
    TGraphObject* FindObjectByID(uint32_t id) const override;
    TGraphObject* FindObjectAt(int32_t x, int32_t y) const override {
        return FindObjectAt(x, y, nullptr);
    }
    // The object hit at a graph point, searched below lookAfter (or from the top);
    // with a selection, a selected object hit by one of its handles or a selected link
    // wins over unselected objects above it.
    TGraphObject* FindObjectAt(int32_t x, int32_t y, const TGraphObject* lookAfter) const;
    int32_t ObjectsCount(const TGraphObjectClass* cls = nullptr) const;
    int32_t SelectedObjectsCount(const TGraphObjectClass* cls = nullptr) const;
    // Calls back for each object (or each selected one) inside one update until a
    // call returns false; the callback may remove the object it is given.
    int32_t ForEachObject(const TGraphForEachMethod& callback, int32_t userData, bool selection);
    TGraphObject* FindNextObject(int32_t startIndex, bool inclusive, bool backward, bool wrap,
                                 const TGraphObjectClass* cls = nullptr);
    bool SelectNextObject(bool backward, const TGraphObjectClass* cls = nullptr);
    uint32_t NextFreeID(const TGraphObject* object) const override;

    // ---- Arranging the selection ----
    // Lines the selected objects up with the first selected one, or spaces them
    // evenly between the outermost ones; true when something moved.
    bool AlignSelection(THAlignOption horz, TVAlignOption vert);
    // Makes the selected objects as wide and/or high as the smallest or largest of
    // them, growing or shrinking at the bottom-right; true when something changed.
    bool ResizeSelection(TResizeOption horz, TResizeOption vert);

    // ---- Selection ----
    void ToggleSelection(const TRect& rect, bool keepOld, const TGraphObjectClass* cls = nullptr);
    void ClearSelection();

    // ---- Bounds (cached) ----
    TRect GraphBounds() { return CachedBounds(bkGraph); }
    TRect SelectionBounds() { return CachedBounds(bkSelection); }
    TRect DraggingBounds() { return CachedBounds(bkDragging); }
    // The smallest rectangle holding the visual rectangles of the members shown.
    virtual TRect BoundsOfObjects(TGraphObjectList& list) const;

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
    // The part of the window the graph is shown in, without the bars shown.
    TSize ClientSize() const;
    // The mouse position in graph units; setting it moves the mouse pointer.
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& pt);
    void ScrollInView(const TGraphObject* object);
    void ScrollInView(const TRect& rect);
    void ScrollInView(const TPoint& pt);
    void ScrollCenter(const TGraphObject& object);
    void ScrollCenter(const TRect& rect);
    void ScrollCenter(const TPoint& pt);
    // Moves the painted contents by a pixel offset.
    void ScrollBy(int32_t deltaX, int32_t deltaY);
    TGraphScrollBar& HorzScrollBar() { return *fHorzScrollBar; }
    TGraphScrollBar& VertScrollBar() { return *fVertScrollBar; }
    const TGraphScrollBar& HorzScrollBar() const { return *fHorzScrollBar; }
    const TGraphScrollBar& VertScrollBar() const { return *fVertScrollBar; }
    TPoint SnapPoint(const TPoint& pt) const override;
    void SnapOffset(const TPoint& pt, int32_t& dX, int32_t& dY) const override;
    void UpdateScrollRanges() override;
    // Hands both bars their ranges, the one whose content exceeds the view first.
    virtual void UpdateScrollBars();
    bool ValidMarkedArea() const { return fValidMarkedArea; }
    const TRect& MarkedArea() const { return fMarkedArea; }

    // ---- Painting and export ----
    // The objects only, in the canvas's current coordinates.
    void Draw(TCanvas& canvas);
    // The graph's objects stretched so that the page's bottom-right corner lands on
    // (rect.Right, rect.Bottom); nothing when no object shows.
    void Print(TCanvas& canvas, const TRect& rect);
    // The objects of the list without background, one graph unit per unit, their
    // common bounds' top-left corner at (0, 0).
    virtual TMetafile RecordMetafile(TGraphObjectList& list);
    // The same as a 24-bit image on white.
    virtual QImage RenderBitmap(TGraphObjectList& list);
    TMetafile GetMetafile();
    // Throw EFCreateError when the file cannot be written.
    void SaveAsMetafile(const QString& fileName);
    void SaveAsBitmap(const QString& fileName);
    // The bitmap as a "bmp" or "png" file.
    void SaveAsImage(const QString& fileName, const QByteArray& format);
    // The same picture as vectors with text kept as text: one graph unit per pixel
    // at 96 dpi, the page exactly the objects' size.
    void SaveAsSvg(const QString& fileName);
    void SaveAsPdf(const QString& fileName);
    void CopyToGraphic(TPicture& picture, bool metafile);
    // The selection or the whole graph, in ClipboardFormats.
    void CopyToClipboard(bool selection);
    // True when objects were pasted; a picture on the clipboard becomes the
    // background of the one selected node instead (returns false).
    bool PasteFromClipboard();

    // ---- Settings ----
    const TFont& Font() const override { return fFont; }
    TFont& Font() { return fFont; }
    void SetFont(const TFont& value) { fFont.Assign(value); }
    TCursor Cursor() const override { return fCursor; }
    void SetCursor(TCursor value) { fCursor = value; }
    TColor Color() const override { return fColor; }
    void SetColor(TColor value);
    int32_t GridSize() const override { return fGridSize; }
    void SetGridSize(int32_t value);
    TColor GridColor() const { return fGridColor; }
    void SetGridColor(TColor value);
    bool ShowGrid() const { return fShowGrid; }
    void SetShowGrid(bool value);
    bool SnapToGrid() const override { return fSnapToGrid; }
    void SetSnapToGrid(bool value) { fSnapToGrid = value; }
    bool ShowHiddenObjects() const override { return fShowHiddenObjects; }
    void SetShowHiddenObjects(bool value);
    bool HideSelection() const { return fHideSelection; }
    void SetHideSelection(bool value);
    bool LockNodes() const override { return fLockNodes; }
    void SetLockNodes(bool value);
    bool LockLinks() const override { return fLockLinks; }
    void SetLockLinks(bool value);
    TColor MarkerColor() const override { return fMarkerColor; }
    void SetMarkerColor(TColor value);
    int32_t MarkerSize() const override { return fMarkerSize; }
    void SetMarkerSize(int32_t value);
    bool DefaultKeyMap() const { return fDefaultKeyMap; }
    void SetDefaultKeyMap(bool value) { fDefaultKeyMap = value; }
    QMenu* ObjectPopupMenu() const { return fObjectPopupMenu; }
    void SetObjectPopupMenu(QMenu* value) { fObjectPopupMenu = value; }
    // Shown at the pointer when neither the objects nor OnContextPopup took the
    // context menu.
    QMenu* PopupMenu() const { return fPopupMenu; }
    void SetPopupMenu(QMenu* value) { fPopupMenu = value; }
    const TGraphObjectClass* DefaultNodeClass() const { return fDefaultNodeClass; }
    void SetDefaultNodeClass(const TGraphObjectClass* value) { fDefaultNodeClass = value; }
    const TGraphObjectClass* DefaultLinkClass() const { return fDefaultLinkClass; }
    void SetDefaultLinkClass(const TGraphObjectClass* value) { fDefaultLinkClass = value; }
    bool Modified() const { return fModified; }
    // Stores the flag; fires nothing.
    void SetModified(bool value) { fModified = value; }
    TGraphCommandMode CommandMode() const { return fCommandMode; }
    void SetCommandMode(TGraphCommandMode value);
    TGraphConstraints& GraphConstraints() override { return fGraphConstraints; }
    void SetGraphConstraints(const TGraphConstraints& value) { fGraphConstraints.Assign(value); }
    int32_t MinNodeSize() const override { return fMinNodeSize; }
    void SetMinNodeSize(int32_t value) { fMinNodeSize = value; }
    TGraphDrawOrder DrawOrder() const { return fDrawOrder; }
    void SetDrawOrder(TGraphDrawOrder value);
    bool FixedScrollBars() const { return fFixedScrollBars; }
    void SetFixedScrollBars(bool value);
    bool Transparent() const { return fTransparent; }
    void SetTransparent(bool value);
    TGraphClipboardFormats ClipboardFormats() const { return fClipboardFormats; }
    void SetClipboardFormats(TGraphClipboardFormats value) { fClipboardFormats = value; }
    bool UseRightToLeftReading() const override { return layoutDirection() == Qt::RightToLeft; }

    // ---- Page information (saved with the graph) ----
    QString Info(int index) const { return fInfo.Info.at(index).Text(); }
    void SetInfo(int index, const QString& value) { fInfo.Info.at(index).SetText(value); }
    QString Autor() const { return fAutor; }
    void SetAutor(const QString& value) { fAutor = value.left(255); }
    QString Kenn() const { return fKenn; }
    void SetKenn(const QString& value) { fKenn = value.left(255); }
    char Lage() const { return fInfo.Lage; }
    void SetLage(char value);
    uint8_t Faser() const { return fFaser; }
    void SetFaser(uint8_t value) { fFaser = value; }
    uint8_t Absolut() const { return fAbsolut; }
    void SetAbsolut(uint8_t value) { fAbsolut = value; }
    TPaperType PaperType() const { return fInfo.PaperType; }
    void SetPaperType(TPaperType value);
    // The page in graph units, PageMargin from the origin.
    TRect GetPaperSize() const;

    // ---- Graph file ----
    void SaveToStream(TStream& stream);
    // Replaces the graph; throws EGraphStreamError when the stream is no graph.
    void LoadFromStream(TStream& stream);
    // Adds the stream's objects, moved by the offset where the page allows it.
    void MergeFromStream(TStream& stream, int32_t offsetX, int32_t offsetY);
    void SaveToFile(const QString& fileName);
    void LoadFromFile(const QString& fileName);
    void MergeFromFile(const QString& fileName, int32_t offsetX, int32_t offsetY);
    virtual void WriteObjectList(TStream& stream, const TGraphObjectList& list);
    virtual void ReadObjectList(TStream& stream);
    virtual void SaveObjectStates(TStream& stream, const TGraphObjectList& list);
    virtual void LoadObjectStates(TStream& stream);

    // ---- Dragging ----
    TGraphObject* DragSource() const override { return fDragSource; }
    uint32_t DragHitTest() const override { return fDragHitTest; }
    TPoint DragTargetPt() const override { return fDragTargetPt; }
    bool StartDragOperation(TGraphObject* object, const TPoint& pt, uint32_t hitTest) override;
    void MoveDraggedBy(int32_t dX, int32_t dY) override;
    void FinishDragOperation(bool accept) override;
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

    // ---- What objects report (the owner side) ----
    void NoteObjectChange(TGraphObject* object, TGraphChangeFlags flags) override;
    void NoteObjectIDChange(TGraphObject* object, uint32_t oldID) override;
    void NoteObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) override;
    void DoCanMoveResizeNode(TGraphNode* node, int32_t& left, int32_t& top, int32_t& width,
                             int32_t& height, bool& canMove, bool& canResize) override;
    void DoNodeMoveResize(TGraphNode* node) override;
    void DoCanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                       bool& canHook) override;
    void DoCanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                          bool& canLink) override;
    void DoObjectHook(TGraphObject* object, TGraphLink* link, int32_t index) override;
    void DoObjectUnhook(TGraphObject* object, TGraphLink* link, int32_t index) override;
    void DoObjectInitInstance(TGraphObject* object) override;
    void DoObjectChange(TGraphObject* object) override;
    void DoObjectBeforeDraw(TGraphObject* object, TCanvas& canvas) override;
    void DoObjectAfterDraw(TGraphObject* object, TCanvas& canvas) override;
    void DoCanRemoveObject(TGraphObject* object, bool& canRemove) override;
    void DoObjectRead(TGraphObject* object, TStream& stream) override;
    void DoObjectWrite(TGraphObject* object, TStream& stream) override;

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
    // Raises the counter for the lifetime of the guard.
    class TCounterGuard {
    public:
        explicit TCounterGuard(int32_t& counter) : fCounter(counter) { ++fCounter; }
        ~TCounterGuard() { --fCounter; }
        TCounterGuard(const TCounterGuard&) = delete;
        TCounterGuard& operator=(const TCounterGuard&) = delete;

    private:
        int32_t& fCounter;
    };

    void ObjectsListChanged(TGraphObject* object, TGraphObjectListAction action);
    void SelectedListChanged(TGraphObject* object, TGraphObjectListAction action);
    void DraggedListChanged(TGraphObject* object, TGraphObjectListAction action);
    TGraphLink* NewLink(TGraphObject* source, std::span<const TPoint> pts, TGraphObject* target,
                        const TGraphObjectClass* linkClass);
    TRect CachedBounds(TGraphBoundsKind kind);
    void RepaintClientRect(const TRect* rect);
    void ApplyPageBounds();
    void FontChanged();
    bool QueriesSuspended() const { return fSuspendQueryEvents > 0; }
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
    // Even spacing of the selection along one axis; true when something moved.
    bool SpaceSelection(bool horizontal);
    // The objects of the list to draw on the canvas, in drawing order.
    std::vector<TGraphObject*> ObjectsToDraw(TCanvas& canvas, TGraphObjectList& list);
    void IndexObject(TGraphObject* object);
    void NotePlacementChange(const TGraphObject* object);
    // Draws the list's objects on a device with the graph point origin at (0, 0);
    // throws EFCreateError when the device cannot be painted on.
    void DrawObjectsOn(QPaintDevice& device, TGraphObjectList& list, const TPoint& origin);

    int32_t fGridSize = 8;
    TColor fGridColor = 0x808080;
    bool fShowGrid = true;
    bool fSnapToGrid = true;
    bool fShowHiddenObjects = false;
    bool fHideSelection = false;
    bool fLockNodes = false;
    bool fLockLinks = false;
    TColor fMarkerColor = clBlack;
    int32_t fMarkerSize = 3;
    int32_t fZoom = 100;
    TGraphObjectList fObjects;
    TGraphObjectList fSelectedObjects;
    TGraphObjectList fDraggingObjects;
    bool fDefaultKeyMap = true;
    QMenu* fObjectPopupMenu = nullptr;
    QMenu* fPopupMenu = nullptr;
    const TGraphObjectClass* fDefaultNodeClass = nullptr;
    const TGraphObjectClass* fDefaultLinkClass = nullptr;
    bool fModified = false;
    TGraphCommandMode fCommandMode = cmEdit;
    TGraphConstraints fGraphConstraints;
    int32_t fMinNodeSize = 16;
    TGraphDrawOrder fDrawOrder = doDefault;
    bool fFixedScrollBars = false;
    bool fValidMarkedArea = false;
    TRect fMarkedArea = EmptyMarkedArea;
    bool fTransparent = false;
    TGraphObject* fDragSource = nullptr;
    uint32_t fDragHitTest = 0;
    TPoint fDragSourcePt;
    TPoint fDragTargetPt;
    bool fDragModified = false;
    bool fModifiedBeforeDrag = false; // restored when the drag is cancelled
    TGraphClipboardFormats fClipboardFormats{cfNative};
    TGraphObject* fObjectAtCursor = nullptr;
    bool fReleaseEndsDoubleClick = false;
    int32_t fWheelAccumulator = 0; // wheel movement short of a whole notch
    TFont fFont;
    TColor fColor = clWindow;
    TCursor fCursor = crDefault;
    bool fDestroying = false;
    bool fUpdatingScrollBars = false;
    int32_t fSaveModified = 0; // pending at the end of the update: 0 none, 1 set, 2 reset
    bool fSaveRangeChange = false;
    TRect fSaveInvalidateRect = EmptyMarkedArea;
    TGraphBoundsKinds fSaveBoundsChange{bkGraph, bkSelection, bkDragging};
    std::array<TRect, 3> fSaveBounds{};
    int32_t fSuspendQueryEvents = 0;
    TMemoryStream fUndoStorage;
    TGraphFileInfo fInfo;
    QString fAutor;
    QString fKenn;
    uint8_t fFaser = 0;
    uint8_t fAbsolut = 1;
    int32_t fUpdateCount = 0;
    TGraphIDIndex fIDIndex;
    TGraphSpatialIndex fSpatialIndex;
    std::unique_ptr<TGraphScrollBar> fHorzScrollBar;
    std::unique_ptr<TGraphScrollBar> fVertScrollBar;
};

} // namespace zov
