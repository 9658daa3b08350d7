#pragma once

#include "GraphDocumentTypes.h"
#include "graph/model/GraphConstraints.h"
#include "graph/model/GraphIDIndex.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "graph/model/GraphOwner.h"
#include "graph/model/GraphSpatialIndex.h"
#include "graph/persistence/GraphFile.h"
#include "platform/graphics/Font.h"
#include "platform/stream/Stream.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <span>
#include <vector>

class QImage;
class QPaintDevice;

namespace zov {

class TGraphChangeRecorder;
class TGraphLink;
class TGraphNode;
class TGraphView;
class TMetafile;
class TPicture;

// One graph without a window: its objects in drawing order, the selection, the drag
// in progress, the settings objects ask for and the page information saved with the
// graph. Every change of an object reaches it; it keeps the modified state, caches
// bounding rectangles, defers range and repaint work while an update is open, and
// passes what happens to objects on to the views showing it.
class TGraphDocument : public TGraphOwner, public TGraphConstraintsOwner {
public:
    using TGraphForEachMethod = std::function<bool(TGraphObject* object, int32_t userData)>;

    TGraphDocument();
    virtual ~TGraphDocument();
    TGraphDocument(const TGraphDocument&) = delete;
    TGraphDocument& operator=(const TGraphDocument&) = delete;

    // ---- Class registry (shared by all graphs) ----
    static void Register(const TGraphObjectClass& cls);
    static void Unregister(const TGraphObjectClass& cls);
    static int32_t NodeClassCount();
    // Throws EListError for an index out of range.
    static const TGraphObjectClass& NodeClasses(int32_t index);
    static int32_t LinkClassCount();
    static const TGraphObjectClass& LinkClasses(int32_t index);

    // ---- Views ----
    // Views are told of every change until they are removed; the document does not
    // own them.
    void AddView(TGraphView* view);
    void RemoveView(TGraphView* view);
    // The one recorder told of every stored change (nullptr: none); not owned.
    void SetChangeRecorder(TGraphChangeRecorder* recorder) { fRecorder = recorder; }

    // ---- Updates ----
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return fUpdateCount > 0; }
    // Runs work with the Can… queries answered by the graph alone, as when reading.
    template <class F> void WithQueriesSuspended(F&& work) {
        TCounterGuard suspend(fSuspendQueryEvents);
        work();
    }
    // Repaints every view (collected until the end of an open update).
    void Invalidate() override;
    void InvalidateRect(const TRect& rect) override;
    void UpdateScrollRanges() override;

    // ---- Objects ----
    // nullptr when the node cannot be made; never throws.
    TGraphNode* InsertNode(const TRect& bounds, const TGraphObjectClass* nodeClass = nullptr);
    // nullptr when the link cannot be made (its ends cannot be hooked); never throws.
    TGraphLink* InsertLink(TGraphObject* source, std::span<const TPoint> pts, TGraphObject* target,
                           const TGraphObjectClass* linkClass = nullptr);
    TGraphLink* InsertLink(TGraphObject* source, TGraphObject* target,
                           const TGraphObjectClass* linkClass = nullptr) {
        return InsertLink(source, {}, target, linkClass);
    }
    // Removes every object and returns to cmEdit.
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
    // The object of the class after (or before) the selected one that Tab selects, or
    // nullptr when none is selectable or the next one is the selected one itself.
    TGraphObject* NextObjectToSelect(bool backward, const TGraphObjectClass* cls = nullptr);
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

    // ---- Drawing and export ----
    // The objects of the list in drawing order on the canvas, in its current
    // coordinates; only those inside its clip rectangle when the list is the graph's.
    // A simplified canvas zoomed out gets objects too small to show their shape as
    // sketches (TGraphSketch), without their draw events.
    void PaintObjects(TCanvas& canvas, TGraphObjectList& list);
    void Draw(TCanvas& canvas) { PaintObjects(canvas, fObjects); }
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

    // ---- Settings objects ask for ----
    const TFont& Font() const override { return fFont; }
    TFont& Font() { return fFont; }
    TCursor Cursor() const override { return fCursor; }
    void SetCursor(TCursor value) { fCursor = value; }
    TColor Color() const override { return fColor; }
    void SetColor(TColor value);
    int32_t GridSize() const override { return fGridSize; }
    static constexpr int32_t kMinGridSize = 4;
    static constexpr int32_t kMaxGridSize = 128;
    // Sizes outside kMinGridSize..kMaxGridSize are ignored; false when nothing changed.
    bool SetGridSize(int32_t value);
    bool SnapToGrid() const override { return fSnapToGrid; }
    void SetSnapToGrid(bool value) { fSnapToGrid = value; }
    bool ShowHiddenObjects() const override { return fShowHiddenObjects; }
    void SetShowHiddenObjects(bool value);
    bool LockNodes() const override { return fLockNodes; }
    void SetLockNodes(bool value);
    bool LockLinks() const override { return fLockLinks; }
    void SetLockLinks(bool value);
    TColor MarkerColor() const override { return fMarkerColor; }
    void SetMarkerColor(TColor value);
    int32_t MarkerSize() const override { return fMarkerSize; }
    void SetMarkerSize(int32_t value);
    int32_t MinNodeSize() const override { return fMinNodeSize; }
    void SetMinNodeSize(int32_t value) { fMinNodeSize = value; }
    TGraphDrawOrder DrawOrder() const { return fDrawOrder; }
    void SetDrawOrder(TGraphDrawOrder value);
    const TGraphObjectClass* DefaultNodeClass() const { return fDefaultNodeClass; }
    void SetDefaultNodeClass(const TGraphObjectClass* value) { fDefaultNodeClass = value; }
    const TGraphObjectClass* DefaultLinkClass() const { return fDefaultLinkClass; }
    void SetDefaultLinkClass(const TGraphObjectClass* value) { fDefaultLinkClass = value; }
    TGraphConstraints& GraphConstraints() override { return fGraphConstraints; }
    bool Modified() const { return fModified; }
    // Stores the flag; fires nothing.
    void SetModified(bool value) { fModified = value; }
    // Stores the flag and fires OnGraphChange when it changed.
    void ChangeModified(bool value);
    // The mode decides which changes count as modifications (placing a new object is
    // none until it is placed) and ends a running drag when it changes.
    TGraphCommandMode CommandMode() const { return fCommandMode; }
    void SetCommandMode(TGraphCommandMode value);
    // The first view's; none: the page, and left-to-right reading.
    TRect VisibleBounds() const override;
    bool UseRightToLeftReading() const override;

    // ---- Page information (saved with the graph) ----
    QString Info(int index) const { return fInfo.Info.at(index).Text(); }
    void SetInfo(int index, const QString& value);
    char Lage() const { return fInfo.Lage; }
    void SetLage(char value);
    TPaperType PaperType() const { return fInfo.PaperType; }
    void SetPaperType(TPaperType value);
    // The page in graph units, PageMargin from the origin.
    TRect GetPaperSize() const;
    // All of it at once, as the graph file holds it.
    const TGraphFileInfo& PageInfo() const { return fInfo; }
    void SetPageInfo(const TGraphFileInfo& value);

    // ---- Published for the document window, never saved with the graph ----
    // The author's name and initials and two plain values the window's form sets; no
    // operation reads them.
    QString Autor() const { return fAutor; }
    void SetAutor(const QString& value) { fAutor = value.left(255); }
    QString Kenn() const { return fKenn; }
    void SetKenn(const QString& value) { fKenn = value.left(255); }
    uint8_t Faser() const { return fFaser; }
    void SetFaser(uint8_t value) { fFaser = value; }
    uint8_t Absolut() const { return fAbsolut; }
    void SetAbsolut(uint8_t value) { fAbsolut = value; }

    // ---- Graph file ----
    void SaveToStream(TStream& stream);
    // Replaces the graph; throws EGraphStreamError when the stream is no graph.
    void LoadFromStream(TStream& stream);
    // Whether the bytes hold a whole graph: every record the object list announces,
    // then the whole trailer or none (older files). Loading is lenient (it keeps what it could
    // read), so a caller that must not replace a graph by a damaged one asks this first. Throws
    // EGraphStreamError when the signature is missing.
    static bool IsCompleteGraph(const QByteArray& bytes);
    // Adds the stream's objects, moved by the offset where the page allows it, and
    // returns where they went (empty when none came).
    TRect MergeFromStream(TStream& stream, int32_t offsetX, int32_t offsetY);
    // A failed write leaves the modified state as it was.
    void SaveToFile(const QString& fileName);
    void LoadFromFile(const QString& fileName);
    TRect MergeFromFile(const QString& fileName, int32_t offsetX, int32_t offsetY);
    virtual void WriteObjectList(TStream& stream, const TGraphObjectList& list);
    // Appends the list's objects with queries suspended; returns the index of the
    // first new one.
    virtual int32_t ReadObjectList(TStream& stream);
    virtual void SaveObjectStates(TStream& stream, const TGraphObjectList& list);
    virtual void LoadObjectStates(TStream& stream);

    // ---- Dragging ----
    // The document keeps the drag's objects and the snapshot that a cancel puts
    // back; the views feed it the mouse.
    TGraphObject* DragSource() const override { return fDragSource; }
    uint32_t DragHitTest() const override { return fDragHitTest; }
    TPoint DragTargetPt() const override { return fDragTargetPt; }
    bool StartDragOperation(TGraphObject* object, const TPoint& pt, uint32_t hitTest) override;
    void MoveDraggedBy(int32_t dX, int32_t dY) override;
    void FinishDragOperation(bool accept) override;
    void SetScreenCursor(TCursor cursor) override;

    // ---- Grid ----
    TPoint SnapPoint(const TPoint& pt) const override;
    void SnapOffset(const TPoint& pt, int32_t& dX, int32_t& dY) const override;

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
    // Each passes the event on to every view.
    virtual void DoGraphChange();
    virtual void DoCommandModeChange();
    virtual void DoObjectInsert(TGraphObject* object);
    virtual void DoObjectRemove(TGraphObject* object);
    virtual void DoObjectSelect(TGraphObject* object);
    virtual void DoObjectBeginDrag(TGraphObject* object, uint32_t hitTest);
    virtual void DoObjectEndDrag(TGraphObject* object, uint32_t hitTest, bool cancelled);
    virtual void DoBeforeDraw(TCanvas& canvas);
    virtual void DoAfterDraw(TCanvas& canvas);

private:
    // What the end of the outermost update does to the modified state.
    enum class TPendingModified : uint8_t { None, Set, Reset };

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

    template <class F> void ForEachView(F&& call) const {
        for (TGraphView* view : fViews) {
            call(*view);
        }
    }
    void ObjectsListChanged(TGraphObject* object, TGraphObjectListAction action);
    void SelectedListChanged(TGraphObject* object, TGraphObjectListAction action);
    void DraggedListChanged(TGraphObject* object, TGraphObjectListAction action);
    TRect CachedBounds(TGraphBoundsKind kind);
    void ApplyPageBounds();
    void FontChanged();
    bool QueriesSuspended() const { return fSuspendQueryEvents > 0; }
    // Even spacing of the selection along one axis; true when something moved.
    bool SpaceSelection(bool horizontal);
    // The objects of the list to draw on the canvas, in drawing order.
    std::vector<TGraphObject*> ObjectsToDraw(TCanvas& canvas, TGraphObjectList& list);
    void IndexObject(TGraphObject* object);
    void NotePlacementChange(const TGraphObject* object);
    void NotePageInfoChange();
    // Draws the list's objects on a device with the graph point origin at (0, 0);
    // throws EFCreateError when the device cannot be painted on.
    void DrawObjectsOn(QPaintDevice& device, TGraphObjectList& list, const TPoint& origin);

    std::vector<TGraphView*> fViews;
    TGraphChangeRecorder* fRecorder = nullptr;
    TGraphObjectList fObjects;
    TGraphObjectList fSelectedObjects;
    TGraphObjectList fDraggingObjects;
    int32_t fGridSize = 8;
    bool fSnapToGrid = true;
    bool fShowHiddenObjects = false;
    bool fLockNodes = false;
    bool fLockLinks = false;
    TColor fMarkerColor = clBlack;
    int32_t fMarkerSize = 3;
    const TGraphObjectClass* fDefaultNodeClass = nullptr;
    const TGraphObjectClass* fDefaultLinkClass = nullptr;
    bool fModified = false;
    TGraphCommandMode fCommandMode = cmEdit;
    TGraphConstraints fGraphConstraints;
    int32_t fMinNodeSize = 16;
    TGraphDrawOrder fDrawOrder = doDefault;
    TFont fFont;
    TColor fColor = clWindow;
    TCursor fCursor = crDefault;
    TGraphObject* fDragSource = nullptr;
    uint32_t fDragHitTest = 0;
    TPoint fDragTargetPt;
    bool fDragModified = false;
    bool fModifiedBeforeDrag = false; // restored when the drag is cancelled
    bool fDestroying = false;
    int32_t fUpdateCount = 0;
    TPendingModified fSaveModified = TPendingModified::None;
    bool fSaveRangeChange = false;
    TGraphBoundsKinds fSaveBoundsChange{bkGraph, bkSelection, bkDragging};
    std::array<TRect, 3> fSaveBounds{};
    int32_t fSuspendQueryEvents = 0;
    TMemoryStream fUndoStorage;
    TGraphFileInfo fInfo;
    QString fAutor;
    QString fKenn;
    uint8_t fFaser = 0;
    uint8_t fAbsolut = 1;
    TGraphIDIndex fIDIndex;
    TGraphSpatialIndex fSpatialIndex;
};

} // namespace zov
