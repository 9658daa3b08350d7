#pragma once

#include "GraphObjectList.h"
#include "GraphOwner.h"
#include "GraphTypes.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"
#include "platform/stream/Persistent.h"
#include "platform/types/Input.h"
#include "platform/types/Types.h"
#include "platform/types/UpdateBracket.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace zov {

class TCanvas;
class TGraphObject;
class TStream;

// A graph object class: its stream name, whether it is a link, and how to construct
// an instance (the constructor chain only; see TGraphObject::Create).
struct TGraphObjectClass {
    QString Name;
    bool IsLink = false;
    std::function<TGraphObject*(TGraphOwner*)> Construct; // empty for an abstract class
    const TGraphObjectClass* Parent = nullptr;            // nullptr below TGraphObject

    // This class or one derived from it; nullptr stands for every class.
    bool InheritsFrom(const TGraphObjectClass* ancestor) const {
        for (const TGraphObjectClass* c = this; ancestor != nullptr; c = c->Parent) {
            if (c == nullptr || c == ancestor) {
                return c == ancestor;
            }
        }
        return true;
    }
};

// The class descriptor of T, which must have a constructor taking the owner.
template <class T>
const TGraphObjectClass& GraphObjectClassOf(const char* name, bool isLink,
                                            const TGraphObjectClass* parent = nullptr) {
    static const TGraphObjectClass cls{
        QString::fromLatin1(name), isLink,
        [](TGraphOwner* owner) -> TGraphObject* { return new T(owner); }, parent};
    return cls;
}

// What every element of a graph shares: identity, drawing tools, caption, options,
// selection and visibility, dependents, change notification with update nesting,
// the object side of dragging, mouse and keys, hit testing, conversion and streaming.
//
// Lifetime: objects are made with Create (or CreateByReading / ConvertTo), which
// runs the constructor and then AfterConstruction, where the object joins its
// owner's Objects; they end with Free (BeforeDestruction, then the destructor).
class TGraphObject : public TPersistent {
public:
    // ---- Creation and destruction -----------------------------------------------------
    // setup runs between the constructor and joining the graph (while osCreating).
    static TGraphObject* Create(const TGraphObjectClass& cls, TGraphOwner* owner,
                                const std::function<void(TGraphObject&)>& setup = {});
    template <class T> static T* Create(TGraphOwner* owner) {
        return static_cast<T*>(Create(T::Class(), owner));
    }
    // Reads the object from stream before it joins the graph; a failed read frees it
    // again and passes the error on.
    static TGraphObject* CreateByReading(const TGraphObjectClass& cls, TGraphOwner* owner,
                                         TStream& stream);
    // A new object of cls standing in another's place: same data (or, with a state, the
    // data read from it, a link's ends included), ID, links, index and selection. The
    // other object is left to be freed by the caller.
    // indexHint: where another is expected in the owner's list, which saves a search.
    static TGraphObject* CreateInPlaceOf(const TGraphObjectClass& cls, TGraphObject* another,
                                         TStream* state = nullptr, int32_t indexHint = -1);
    void Free();
    // Frees an object its owner has already taken out of Objects (saves looking for
    // it there, which makes removing every object of a large graph quadratic).
    void FreeRemoved();

    // The descriptor of the object's own (most derived) class.
    virtual const TGraphObjectClass& ClassType() const = 0;

    // ---- Identity and properties ----------------------------------------------------------
    uint32_t ID() const { return fID; }
    TGraphOwner* Owner() const { return fOwner; }

    TBrush& Brush() { return *fBrush; }
    TPen& Pen() { return *fPen; }
    TFont& Font() { return *fFont; }
    const TBrush& Brush() const { return *fBrush; }
    const TPen& Pen() const { return *fPen; }
    const TFont& Font() const { return *fFont; }
    void SetBrush(const TBrush& value) { fBrush->Assign(value); }
    void SetPen(const TPen& value) { fPen->Assign(value); }
    void SetFont(const TFont& value) { fFont->Assign(value); }

    QString Text() const { return fText; }
    void SetText(const QString& value);
    QString Hint() const { return fHint; }
    void SetHint(const QString& value);
    bool ParentFont() const { return fParentFont; }
    void SetParentFont(bool value);
    TGraphObjectOptions Options() const { return fOptions; }
    void SetOptions(TGraphObjectOptions value);
    bool Visible() const { return fVisible; }
    void SetVisible(bool value);
    int32_t Tag() const { return fTag; }
    void SetTag(int32_t value) { fTag = value; }
    bool HasCustomData() const { return fHasCustomData; }
    void SetHasCustomData(bool value);
    void* Data() const { return fData; }
    void SetData(void* value) { fData = value; }
    bool Selected() const { return fSelected; }
    // An object without goSelectable stays unselected.
    void SetSelected(bool value);

    TGraphObjectStates States() const { return fStates; }
    bool Showing() const;
    bool Dragging() const { return fStates.Contains(osDragging); }
    // The caption as laid out for display.
    const QString& TextToShow() const { return fTextToShow; }
    const TRect& VisualRect() const { return fVisualRect; }
    // The visual rectangle grown so that the selection handles fit in.
    virtual TRect SelectedVisualRect() const;
    // A node's bounds, or the extent of a link's points. Setting moves and resizes a node
    // through SetBounds; links ignore it.
    virtual TRect BoundsRect() const = 0;
    virtual void SetBoundsRect(const TRect& rect) = 0;

    // A z-order above every object's: SetZOrder takes it as the top.
    static constexpr int32_t TopZOrder = 2147483647;

    // Index in the owner's Objects (0 is drawn first); out of range means the top.
    int32_t ZOrder() const;
    void SetZOrder(int32_t value);
    void BringToFront() { SetZOrder(TopZOrder); }
    void SendToBack() { SetZOrder(0); }

    TGraphObjectList& Dependents() { return *fDependentList; }
    TGraphObjectList& LinkInputs() { return *fLinkInputList; }
    TGraphObjectList& LinkOutputs() { return *fLinkOutputList; }
    int32_t DependentCount() const { return fDependentList->Count(); }
    int32_t LinkInputCount() const { return fLinkInputList->Count(); }
    int32_t LinkOutputCount() const { return fLinkOutputList->Count(); }

    bool IsLink() const { return ClassType().IsLink; }
    bool IsNode() const { return !IsLink(); }
    bool IsLocked() const;

    // ---- Streaming --------------------------------------------------------------------------
    const TPropertyList& Properties() const override;
    static const TPropertyList& ClassProperties();
    // Adds "CustomData" (written with HasCustomData); overrides call this first.
    void DefineProperties(TFiler& filer) override;
    // One object as a component: ID, properties, payload. Reading runs in one update and,
    // outside creation, initializes anew; a damaged stream throws with the update closed.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream);
    // Copies caption, hint, brush, pen, font, ParentFont, visibility and options in one
    // update; nodes and links copy their own data from one of their kind too.
    virtual void Assign(const TGraphObject& source);

    // ---- Changes ------------------------------------------------------------------------------
    // A nesting bracket: changes are collected and the outermost EndUpdate delivers them in
    // one Changed call; an EndUpdate without BeginUpdate does nothing.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    // Runs work inside BeginUpdate/EndUpdate, closing the bracket also when it fails.
    template <typename F> void Updating(F&& work) { WithUpdate(*this, std::forward<F>(work)); }
    // Collected while deferred (updating, creating, reading, destroying); otherwise handled
    // at once (references, caption, dependents, visual rectangle) and passed to the owner.
    virtual void Changed(TGraphChangeFlags flags);
    // Repaints the object's area, handles included, through the owner's InvalidateRect.
    virtual void Invalidate();
    // Replaces this object by one of another class of the same kind (node or link);
    // returns the new object (this one is then freed), or this one when nothing changed.
    virtual TGraphObject* ConvertTo(const TGraphObjectClass* anotherClass);
    // Replaces this object by one of cls read from state (an object-state body) in the
    // same place, exactly as reading it anew would make it; this one is freed. Returns
    // the new object.
    TGraphObject* ReplaceByState(const TGraphObjectClass& cls, TStream& state,
                                 int32_t indexHint = -1);
    bool Delete();
    bool CanDelete();

    // ---- Called by the graph ---------------------------------------------------------------
    // Derives what follows from the data, after creation, conversion or a later read:
    // overrides derive their own geometry, then call this (caption, visual rect, references).
    virtual void Initialize();
    // The reader's call once every object of a list is in: leaves osLoading and resolves
    // references; overrides call this first.
    virtual void Loaded();
    // A read ID was taken: every use of oldID (the own ID or a reference) becomes newID.
    // Overrides call this and list their references in CollectRenumberableIDs.
    virtual void RenumberID(uint32_t oldID, uint32_t newID);
    // The IDs RenumberID reacts to: the object's own and those it refers to.
    virtual void CollectRenumberableIDs(std::vector<uint32_t>& ids) const { ids.push_back(fID); }
    // newObject took oldObject's place (conversion): every reference, list entries too, is
    // replaced without list events. Overrides call this.
    virtual void RedirectReferences(TGraphObject* oldObject, TGraphObject* newObject);
    // Tells every dependent that this object changed (dnChanged, after a placement change)
    // or is going away (dnGoingAway, before destruction); a dependent may leave meanwhile.
    virtual void TellDependents(TDependentNotice notice);
    // Finds the objects referred to by ID (a link's ends) once they are in the graph.
    virtual void ResolveReferences() {}
    // Adds the objects this one refers to (a link's ends).
    virtual void CollectReferencedObjects(std::vector<TGraphObject*>&) const {}
    // Lets go of the objects referred to, before a replacement with a state of its own.
    virtual void ReleaseReferences() {}
    // Follows the objects referred to (a link's hooked ends); Changed calls it for
    // gcDependency.
    virtual void RefreshFromReferences() {}
    // object, which this one depends on, changed or is going away; on dnGoingAway every
    // reference to it must be dropped before the call returns.
    virtual void ReferenceChanged(TGraphObject* object, TDependentNotice notice);
    // The graph's font changed: an object with ParentFont copies it and keeps ParentFont.
    virtual void OwnerFontChanged();

    // The code at pt: hcNone when not showing or outside the visual rectangle (handles
    // included when selected), else LocalHitTest's, hcOnObject on a non-selectable object.
    virtual uint32_t HitTest(const TPoint& pt) const;
    bool ContainsPoint(int32_t x, int32_t y) const { return HitTest({x, y}) != hcNone; }
    // Whether a marquee takes the object in: showing and touching its visual rectangle
    // (handles included when selected); nodes and links also test their shape.
    virtual bool ContainsRect(const TRect& rect) const;

    // Draws the object with its own brush, pen and font between OnObjectBeforeDraw and
    // OnObjectAfterDraw; nothing unless VisibleOnCanvas.
    virtual void Draw(TCanvas& canvas);
    // Draws over it the drag outline while dragging, else the handles when selected.
    virtual void DrawMarks(TCanvas& canvas);
    // Showing, and its area with handles meets the canvas's clip rectangle.
    virtual bool VisibleOnCanvas(TCanvas& canvas) const;

    // Starts dragging the part hit (hcComputeFromPoint: hit-test pt). False: refused (drag
    // locked, another object's drag running, or the owner said no) and nothing changed.
    virtual bool BeginDrag(const TPoint& pt, uint32_t hitTest = hcComputeFromPoint);
    // Drags so that the drag's target point reaches pt; the result as DragBy's.
    virtual bool DragTo(const TPoint& pt, bool snapToGrid);
    // Moves the running drag by an offset, snapped to the grid when asked; the owner
    // confines and applies it. False when this object is not the drag source.
    virtual bool DragBy(int32_t dX, int32_t dY, bool snapToGrid);
    // Ends the drag this object leads: accept keeps its moves, otherwise the owner puts
    // the state before the drag back. False when it leads no drag.
    virtual bool EndDrag(bool accept);
    // A selected object asked to follow the source dragged by hitTest; false keeps it out
    // (nodes take node codes, links body or caption codes; LockDrag refuses unless IsLocked).
    virtual bool JoinDrag(uint32_t hitTest);
    // A follower leaves the finished drag; false when it was not dragging.
    virtual bool LeaveDrag();
    // A nesting lock: while held, BeginDrag is refused (and JoinDrag, see there).
    virtual void LockDrag();
    virtual void UnlockDrag();
    // The sides a drag by this hit-test code moves; the graph confines the drag's offset
    // so that these sides stay inside the placement area.
    virtual TObjectSides MovableSides(uint32_t hitTest) const;
    // Moves the part given by hitTest (body, handle, point) by (dX, dY) as far as the
    // object's rules allow. False: that part cannot move at all, and nothing changed.
    virtual bool ApplyDragOffset(uint32_t hitTest, int32_t dX, int32_t dY);
    // Adjusts a drag offset so that the dragged part's reference point lands on the grid.
    virtual void SnapDragOffset(uint32_t hitTest, int32_t& dX, int32_t& dY);
    // Moves the whole object: a node through SetBounds (within its limits), a link every
    // point.
    virtual void OffsetBy(int32_t dX, int32_t dY) = 0;
    // The pointer shape over the part given by hitTest; the owner's Cursor by default.
    virtual TCursor CursorFor(uint32_t hitTest) const;

    // The graph hands the mouse to the object under it or to the drag source: MouseDown
    // selects and may start a drag, MouseMove drags or sets the cursor, MouseUp ends it.
    virtual void MouseDown(TMouseButton button, TShiftState shift, const TPoint& pt);
    virtual void MouseMove(TShiftState shift, const TPoint& pt);
    virtual void MouseUp(TMouseButton button, TShiftState shift, const TPoint& pt);
    // Escape cancels this object's drag; arrows move it (Shift: resize) within the
    // constraints' SourceRect, set by the graph first. Returns whether the key was used.
    virtual bool KeyPress(uint16_t& key, TShiftState shift);

    // Where links to this object aim, and where a link coming from reference meets it.
    virtual void AnchorPoint(TPoint& pt) const = 0;
    virtual void AttachPoint(const TPoint& reference, TPoint& pt) const = 0;

protected:
    // The constructor chain; use Create to make objects.
    explicit TGraphObject(TGraphOwner* owner);
    ~TGraphObject() override;

    void AfterConstruction();
    // listed: the object may still be in its owner's Objects and leaves it.
    void BeforeDestruction(bool listed);

    // Called for gcText, by Initialize and after moves: recalc lays the caption out anew,
    // otherwise it only moves by (dX, dY). False: there was no layout to touch (the base).
    virtual bool LayoutCaption(bool recalc, int32_t dX, int32_t dY);
    // After a move by (dX, dY) and resize by (dCX, dCY) outside a deferral: overrides update
    // their own geometry, then call this (caption, visual rect, Changed with gcPlacement).
    virtual void AfterMoveResize(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY);
    // A link joined or left one of the object's lists. The base mirrors the link lists in
    // Dependents, so overrides of the link list ones call it.
    virtual void DependentsListChanged(TGraphObject*, TGraphObjectListAction) {}
    virtual void InputLinksChanged(TGraphObject* object, TGraphObjectListAction action);
    virtual void OutputLinksChanged(TGraphObject* object, TGraphObjectListAction action);
    bool ChangesDeferred() const;
    // How far around a handle or point a hit counts: the larger of half the pen width and
    // the marker size.
    virtual int32_t HandleSize() const;
    // The area the drawn object covers, handles not included; Changed recomputes it when
    // gcView comes with one of fVisualRectFlags.
    virtual void ComputeVisualRect(TRect& rect) const = 0;
    // The code of a point inside the visual rectangle: the handle or part it is over, or
    // hcNone. HitTest has checked Showing and the rectangle.
    virtual uint32_t LocalHitTest(const TPoint&) const { return hcNone; }

    // One selection handle, a square reaching MarkerSize around pt; a disabled one shows an
    // inner square.
    virtual void DrawHandle(TCanvas& canvas, const TPoint& pt, bool enabled);
    // Draw and DrawMarks call these with the canvas's tools set: DrawShape and DrawCaption
    // (with goShowCaption) draw the object, DrawHandles and DrawDragOutline its marks.
    virtual void DrawHandles(TCanvas& canvas) = 0;
    virtual void DrawDragOutline(TCanvas& canvas) = 0;
    virtual void DrawCaption(TCanvas& canvas) = 0;
    // The shown caption as the tint it leaves, where the canvas finds it too small to read.
    virtual void SmearCaption(TCanvas& canvas) = 0;
    virtual void DrawShape(TCanvas& canvas) = 0;

    // Bytes that follow the property stream of some classes (the text node's content).
    virtual void ReadPayload(TStream&) {}
    virtual void WritePayload(TStream&) {}

    TGraphObjectStates fStates{osCreating};
    QString fTextToShow;
    TRect fVisualRect;
    TGraphChangeFlags fVisualRectFlags{gcPlacement};

private:
    void GraphicsChanged(TGraphChangeFlags flags);
    void FontChanged();
    // Copies a font without letting the copy count as the object's own font change.
    void CopyFontQuietly(const TFont& source);
    void ListChanged(TGraphObjectList& list, TGraphObject* object, TGraphObjectListAction action);
    // Changes the ID and tells the graph, unless the object has not joined it yet.
    void SetIDValue(uint32_t value);
    void ReadCustomData(TStream& stream);
    void WriteCustomData(TStream& stream);

    uint32_t fID = 0;
    TGraphOwner* fOwner;
    std::unique_ptr<TBrush> fBrush;
    std::unique_ptr<TPen> fPen;
    QString fText;
    QString fHint;
    std::unique_ptr<TFont> fFont;
    bool fParentFont = true;
    TGraphObjectOptions fOptions = DefaultGraphObjectOptions;
    bool fVisible = true;
    bool fSelected = false;
    std::unique_ptr<TGraphObjectList> fDependentList;
    std::unique_ptr<TGraphObjectList> fLinkInputList;
    std::unique_ptr<TGraphObjectList> fLinkOutputList;
    int32_t fTag = 0;
    void* fData = nullptr;
    bool fHasCustomData = false;
    int32_t fUpdateCount = 0;
    TGraphChangeFlags fPendingChanges;
    int32_t fDragDisableCount = 0;
    // The object's entry in its graph's spatial index, which alone uses it.
    int32_t fSpatialSlot = -1;
    friend class TGraphSpatialIndex;
};

// The carrier one graph object travels in through a component stream: its ID, and
// the object's own properties under "G.".
class TGraphStreamableObject : public TPersistent {
public:
    static constexpr const char* ClassName = "TGraphStreamableObject";

    explicit TGraphStreamableObject(TGraphObject* object, uint32_t id = 0) : fID(id), fG(object) {}

    uint32_t ID() const { return fID; }
    void SetID(uint32_t value) { fID = value; }
    TGraphObject* G() const { return fG; }

    const TPropertyList& Properties() const override;

private:
    uint32_t fID;
    TGraphObject* fG;
    int32_t fDummy = 0;
};

} // namespace zov
