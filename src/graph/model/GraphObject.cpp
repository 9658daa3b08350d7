#include "GraphObject.h"

#include "Geometry.h"
#include "GraphConstraints.h"
#include "platform/graphics/Canvas.h"
#include "platform/stream/Filer.h"
#include "platform/stream/Stream.h"
#include "platform/types/Exceptions.h"

#include <utility>

namespace zov {
namespace {

// Frees a half-made object if creation fails before the caller takes it.
struct TCreationGuard {
    TGraphObject* object;
    ~TCreationGuard() {
        if (object != nullptr) {
            object->Free();
        }
    }
    TGraphObject* Release() { return std::exchange(object, nullptr); }
};

} // namespace

// ---- Creation and destruction ---------------------------------------------------------

TGraphObject::TGraphObject(TGraphOwner* owner)
    : fOwner(owner), fBrush(std::make_unique<TBrush>()), fPen(std::make_unique<TPen>()),
      fFont(std::make_unique<TFont>()), fDependentList(std::make_unique<TGraphObjectList>()),
      fLinkInputList(std::make_unique<TGraphObjectList>()),
      fLinkOutputList(std::make_unique<TGraphObjectList>()) {
    if (fOwner != nullptr) {
        fFont->Assign(fOwner->Font());
    }
    fBrush->OnChange = [this] {
        GraphicsChanged({gcView, gcData});
    };
    fPen->OnChange = [this] {
        GraphicsChanged({gcView, gcData, gcText, gcPlacement});
    };
    fFont->OnChange = [this] {
        FontChanged();
    };
    for (TGraphObjectList* list :
         {fDependentList.get(), fLinkInputList.get(), fLinkOutputList.get()}) {
        list->OnChange = [this](TGraphObjectList& sender, TGraphObject* object,
                                TGraphObjectListAction action) {
            ListChanged(sender, object, action);
        };
    }
}

TGraphObject::~TGraphObject() {
    fPen.reset();
    fBrush.reset();
    fFont.reset();
    fLinkInputList.reset();
    fLinkOutputList.reset();
    fDependentList.reset();
}

TGraphObject* TGraphObject::Create(const TGraphObjectClass& cls, TGraphOwner* owner,
                                   const std::function<void(TGraphObject&)>& setup) {
    TCreationGuard guard{cls.Construct(owner)};
    if (setup) {
        setup(*guard.object);
    }
    guard.object->AfterConstruction();
    return guard.Release();
}

TGraphObject* TGraphObject::CreateByReading(const TGraphObjectClass& cls, TGraphOwner* owner,
                                            TStream& stream) {
    TCreationGuard guard{cls.Construct(owner)};
    guard.object->fStates.Include(osLoading);
    guard.object->LoadFromStream(stream);
    guard.object->AfterConstruction();
    return guard.Release();
}

TGraphObject* TGraphObject::CreateInPlaceOf(const TGraphObjectClass& cls, TGraphObject* another,
                                            TStream* state, int32_t indexHint) {
    another->fStates.Include(osConverting);
    TGraphObject* object = nullptr;
    try {
        object = cls.Construct(another->Owner());
        object->fStates.Include(osConverting);
        if (state != nullptr) {
            object->LoadFromStream(*state);
        } else {
            TMemoryStream own;
            another->SaveToStream(own);
            own.SetPosition(0);
            object->LoadFromStream(own);
        }
        object->fData = another->fData;
        object->fLinkInputList->Assign(*another->fLinkInputList);
        object->fLinkOutputList->Assign(*another->fLinkOutputList);
        object->fDependentList->Assign(*another->fDependentList);
    } catch (...) {
        another->fStates.Exclude(osConverting);
        if (object != nullptr) {
            object->Free(); // not yet in any list of the graph
        }
        throw;
    }

    // The old object's area, handles included, shows what stands there next.
    another->Invalidate();
    // A state of its own brings its own ends: the old object lets go of those it has.
    if (state != nullptr) {
        another->ReleaseReferences();
    }
    // Only the objects hooked to the old one and those it is hooked to refer to it.
    std::vector<TGraphObject*> referring;
    referring.reserve(static_cast<size_t>(another->DependentCount()) + 2);
    for (int32_t i = 0; i < another->DependentCount(); ++i) {
        referring.push_back(another->fDependentList->Items(i));
    }
    another->CollectReferencedObjects(referring);

    // From here on the new object stands in the old one's place.
    auto swapPlaces = [another, &referring, indexHint](TGraphObject* from, TGraphObject* to) {
        TGraphOwner* owner = another->Owner();
        if (owner == nullptr) {
            return;
        }
        if (owner->Objects().Replace(from, to, indexHint) >= 0) {
            owner->NoteObjectReplaced(from, to);
        }
        owner->SelectedObjects().Replace(from, to);
        for (TGraphObject* object : referring) {
            object->RedirectReferences(from, to);
        }
    };
    swapPlaces(another, object);
    object->fSelected = another->fSelected;
    try {
        object->AfterConstruction();
    } catch (...) {
        swapPlaces(object, another);
        another->fStates.Exclude(osConverting);
        object->fStates.Include(osConverting); // its links belong to the old object again
        object->Free();
        throw;
    }
    return object;
}

void TGraphObject::AfterConstruction() {
    if (fStates.Contains(osConverting)) {
        fStates.Exclude(osConverting);
        fStates.Exclude(osCreating);
        Initialize();
        Changed({gcView, gcData, gcPlacement});
        return;
    }
    if (!fStates.Contains(osLoading) && fOwner != nullptr) {
        fID = fOwner->NextFreeID(this);
        fOwner->DoObjectInitInstance(this);
    }
    fStates.Exclude(osCreating);
    Initialize();
    if (fOwner != nullptr) {
        fOwner->Objects().Add(this);
    }
}

void TGraphObject::BeforeDestruction(bool listed) {
    if (fStates.Contains(osDestroying)) {
        return;
    }
    fStates.Include(osDestroying);
    if (!fStates.Contains(osConverting)) {
        if (listed && fOwner != nullptr) {
            fOwner->Objects().Remove(this);
        }
        TellDependents(dnGoingAway);
    }
}

void TGraphObject::Free() {
    BeforeDestruction(true);
    delete this;
}

void TGraphObject::FreeRemoved() {
    BeforeDestruction(false);
    delete this;
}

// ---- Properties -------------------------------------------------------------------------

void TGraphObject::SetText(const QString& value) {
    if (value != fText) {
        fText = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphObject::SetHint(const QString& value) {
    if (value != fHint) {
        fHint = value;
        Changed({gcData});
    }
}

void TGraphObject::SetParentFont(bool value) {
    if (value == fParentFont) {
        return;
    }
    fParentFont = value;
    if (value) {
        if (fOwner != nullptr) {
            CopyFontQuietly(fOwner->Font());
        }
        Changed({gcView, gcData, gcText});
    } else {
        Changed({gcData});
    }
}

void TGraphObject::SetOptions(TGraphObjectOptions value) {
    if (value != fOptions) {
        fOptions = value;
        Changed({gcView, gcData});
    }
}

void TGraphObject::SetVisible(bool value) {
    if (value != fVisible) {
        fVisible = value;
        // Showing or hiding changes the extent of what the graph shows.
        Changed({gcView, gcData, gcPlacement});
    }
}

void TGraphObject::SetHasCustomData(bool value) {
    if (value != fHasCustomData) {
        fHasCustomData = value;
        Changed({gcData});
    }
}

void TGraphObject::SetSelected(bool value) {
    if (!fOptions.Contains(goSelectable)) {
        value = false;
    }
    if (value == fSelected) {
        return;
    }
    fSelected = value;
    if (fOwner != nullptr) {
        if (value) {
            fOwner->SelectedObjects().Add(this);
        } else {
            fOwner->SelectedObjects().Remove(this);
        }
    }
    Changed({gcView});
}

bool TGraphObject::Showing() const {
    return (fVisible || (fOwner != nullptr && fOwner->ShowHiddenObjects())) &&
           !fStates.Contains(osDestroying);
}

TRect TGraphObject::SelectedVisualRect() const {
    TRect r = fVisualRect;
    const int32_t grow = (fOwner != nullptr ? fOwner->MarkerSize() : 0) - fPen->Width() / 2;
    if (grow > 0) {
        r = {r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow};
    }
    return r;
}

int32_t TGraphObject::ZOrder() const {
    return fOwner != nullptr ? fOwner->Objects().IndexOf(this) : -1;
}

void TGraphObject::SetZOrder(int32_t value) {
    if (fOwner == nullptr) {
        return;
    }
    TGraphObjectList& objects = fOwner->Objects();
    const int32_t current = objects.IndexOf(this);
    if (current < 0) {
        return;
    }
    if (value < 0 || value >= objects.Count()) {
        value = objects.Count() - 1;
    }
    objects.Move(current, value);
}

bool TGraphObject::IsLocked() const {
    if (fOwner == nullptr) {
        return false;
    }
    return IsLink() ? fOwner->LockLinks() : fOwner->LockNodes();
}

void TGraphObject::GraphicsChanged(TGraphChangeFlags flags) {
    Changed(flags);
}

void TGraphObject::FontChanged() {
    fParentFont = false;
    Changed({gcView, gcData, gcText});
}

void TGraphObject::CopyFontQuietly(const TFont& source) {
    auto handler = std::exchange(fFont->OnChange, nullptr);
    fFont->Assign(source);
    fFont->OnChange = std::move(handler);
}

void TGraphObject::OwnerFontChanged() {
    if (fParentFont && fOwner != nullptr) {
        CopyFontQuietly(fOwner->Font());
        Changed({gcView, gcText});
    }
}

void TGraphObject::ListChanged(TGraphObjectList& list, TGraphObject* object,
                               TGraphObjectListAction action) {
    if (&list == fDependentList.get()) {
        DependentsListChanged(object, action);
    } else if (&list == fLinkInputList.get()) {
        InputLinksChanged(object, action);
    } else {
        OutputLinksChanged(object, action);
    }
}

void TGraphObject::InputLinksChanged(TGraphObject* object, TGraphObjectListAction action) {
    if (action == glAdded) {
        fDependentList->Add(object);
    } else if (action == glRemoved) {
        fDependentList->Remove(object);
    }
}

void TGraphObject::OutputLinksChanged(TGraphObject* object, TGraphObjectListAction action) {
    InputLinksChanged(object, action);
}

// ---- Change notification --------------------------------------------------------------

bool TGraphObject::ChangesDeferred() const {
    return !(fStates * TGraphObjectStates{osCreating, osDestroying, osReading, osUpdating})
                .IsEmpty();
}

void TGraphObject::Changed(TGraphChangeFlags flags) {
    if (ChangesDeferred()) {
        fPendingChanges += flags;
        return;
    }
    if (flags.Contains(gcDependency)) {
        RefreshFromReferences();
    }
    if (flags.Contains(gcText) && (!fText.isEmpty() || !fTextToShow.isEmpty())) {
        LayoutCaption(true, 0, 0);
    }
    if (flags.Contains(gcPlacement)) {
        TellDependents(dnChanged);
    }
    if (flags.Contains(gcView) && !(flags * fVisualRectFlags).IsEmpty()) {
        TRect r;
        ComputeVisualRect(r);
        if (r != fVisualRect) {
            flags.Include(gcPlacement);
            Invalidate();
            fVisualRect = r;
        }
    }
    if (fOwner != nullptr) {
        if (flags.Contains(gcData) || flags.Contains(gcPlacement)) {
            fOwner->DoObjectChange(this);
        }
        fOwner->NoteObjectChange(this, flags);
    }
}

void TGraphObject::BeginUpdate() {
    if (fUpdateCount == 0) {
        fStates.Include(osUpdating);
        fPendingChanges = {};
    }
    ++fUpdateCount;
}

void TGraphObject::EndUpdate() {
    if (fUpdateCount <= 0) {
        return;
    }
    if (--fUpdateCount == 0) {
        fStates.Exclude(osUpdating);
        if (!fPendingChanges.IsEmpty()) {
            Changed(std::exchange(fPendingChanges, {}));
        }
    }
}

void TGraphObject::Invalidate() {
    if (fOwner != nullptr) {
        fOwner->InvalidateRect(SelectedVisualRect());
    }
}

bool TGraphObject::LayoutCaption(bool, int32_t, int32_t) {
    return false;
}

void TGraphObject::AfterMoveResize(int32_t dX, int32_t dY, int32_t dCX, int32_t dCY) {
    if (dCX == 0 && dCY == 0) {
        if (!fText.isEmpty()) {
            LayoutCaption(false, dX, dY);
        }
        Invalidate();
        // Flat rectangles move too; only the inverted extent of a link without points stays.
        if (fVisualRect.Left <= fVisualRect.Right && fVisualRect.Top <= fVisualRect.Bottom) {
            fVisualRect = {fVisualRect.Left + dX, fVisualRect.Top + dY, fVisualRect.Right + dX,
                           fVisualRect.Bottom + dY};
        }
        // The moved rectangle is already right: keep it from being recomputed.
        const TGraphChangeFlags saved = fVisualRectFlags;
        fVisualRectFlags -= TGraphChangeFlags{gcData, gcPlacement};
        try {
            Changed({gcView, gcData, gcPlacement});
        } catch (...) {
            fVisualRectFlags = saved;
            throw;
        }
        fVisualRectFlags = saved;
    } else {
        if (!fText.isEmpty()) {
            LayoutCaption(true, dX, dY);
        }
        Changed({gcView, gcData, gcPlacement});
    }
}

void TGraphObject::Initialize() {
    if (!fStates.Contains(osLoading)) {
        ResolveReferences();
    }
    LayoutCaption(true, 0, 0);
    ComputeVisualRect(fVisualRect);
    TellDependents(dnChanged);
}

void TGraphObject::Loaded() {
    fStates.Exclude(osLoading);
    ResolveReferences();
}

void TGraphObject::RenumberID(uint32_t oldID, uint32_t newID) {
    if (fID == oldID) {
        SetIDValue(newID);
    }
}

void TGraphObject::SetIDValue(uint32_t value) {
    const uint32_t oldID = fID;
    fID = value;
    if (oldID != value && fOwner != nullptr && !fStates.Contains(osCreating)) {
        fOwner->NoteObjectIDChange(this, oldID);
    }
}

void TGraphObject::RedirectReferences(TGraphObject* oldObject, TGraphObject* newObject) {
    for (TGraphObjectList* list :
         {fDependentList.get(), fLinkInputList.get(), fLinkOutputList.get()}) {
        while (list->Replace(oldObject, newObject) >= 0) {
        }
    }
}

void TGraphObject::TellDependents(TDependentNotice notice) {
    for (TGraphObject* d = fDependentList->First(); d != nullptr; d = fDependentList->Next()) {
        TListEnumGuard keep(*fDependentList);
        d->ReferenceChanged(this, notice);
    }
}

void TGraphObject::ReferenceChanged(TGraphObject*, TDependentNotice) {}

TGraphObject* TGraphObject::ConvertTo(const TGraphObjectClass* anotherClass) {
    if (anotherClass == nullptr || anotherClass == &ClassType() ||
        anotherClass->IsLink != IsLink()) {
        return this;
    }
    TGraphObject* replacement = CreateInPlaceOf(*anotherClass, this);
    Free();
    return replacement;
}

TGraphObject* TGraphObject::ReplaceByState(const TGraphObjectClass& cls, TStream& state,
                                           int32_t indexHint) {
    TGraphObject* replacement = CreateInPlaceOf(cls, this, &state, indexHint);
    Free();
    return replacement;
}

bool TGraphObject::CanDelete() {
    bool canRemove = true;
    if (fOwner != nullptr) {
        fOwner->DoCanRemoveObject(this, canRemove);
    }
    return canRemove;
}

bool TGraphObject::Delete() {
    if (fStates.Contains(osDestroying) || !CanDelete()) {
        return false;
    }
    Free();
    return true;
}

// ---- Hit testing and drawing ------------------------------------------------------------

uint32_t TGraphObject::HitTest(const TPoint& pt) const {
    if (!Showing() || !PtInRect(fSelected ? SelectedVisualRect() : fVisualRect, pt)) {
        return hcNone;
    }
    const uint32_t code = LocalHitTest(pt);
    if (code != hcNone && !fOptions.Contains(goSelectable)) {
        return hcOnObject;
    }
    return code;
}

bool TGraphObject::ContainsRect(const TRect& rect) const {
    return Showing() && RectsTouch(rect, fSelected ? SelectedVisualRect() : fVisualRect);
}

bool TGraphObject::VisibleOnCanvas(TCanvas& canvas) const {
    if (!Showing()) {
        return false;
    }
    TRect overlap = SelectedVisualRect();
    ShrinkRectToOverlap(overlap, canvas.ClipRect());
    return !overlap.IsEmpty();
}

void TGraphObject::Draw(TCanvas& canvas) {
    if (!VisibleOnCanvas(canvas)) {
        return;
    }
    canvas.Brush().Assign(*fBrush);
    canvas.Pen().Assign(*fPen);
    canvas.Font().Assign(*fFont);
    if (fOwner != nullptr) {
        fOwner->DoObjectBeforeDraw(this, canvas);
    }
    DrawShape(canvas);
    if (fOptions.Contains(goShowCaption)) {
        if (canvas.TextLegible(fFont->Height())) {
            DrawCaption(canvas);
        } else if (!fTextToShow.isEmpty()) {
            SmearCaption(canvas);
        }
    }
    if (fOwner != nullptr) {
        fOwner->DoObjectAfterDraw(this, canvas);
    }
}

void TGraphObject::DrawMarks(TCanvas& canvas) {
    if (!VisibleOnCanvas(canvas)) {
        return;
    }
    if (Dragging()) {
        canvas.Brush().SetStyle(bsClear);
        canvas.Pen().SetMode(pmNot);
        canvas.Pen().SetStyle(psSolid);
        const int32_t w = fPen->Width();
        canvas.Pen().SetWidth(w < 2 ? w + 2 : (w - 1) / 2);
        DrawDragOutline(canvas);
    } else if (fSelected) {
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetMode(pmCopy);
        canvas.Pen().SetStyle(psInsideFrame);
        canvas.Pen().SetColor(fOwner != nullptr ? fOwner->MarkerColor() : clBlack);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(fOwner != nullptr ? fOwner->Color() : clWhite);
        DrawHandles(canvas);
    }
}

void TGraphObject::DrawHandle(TCanvas& canvas, const TPoint& pt, bool enabled) {
    TRect r = SquareAround(pt, fOwner != nullptr ? fOwner->MarkerSize() : 3);
    canvas.Rectangle(r);
    if (!enabled) {
        r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        canvas.Rectangle(r);
    }
}

int32_t TGraphObject::HandleSize() const {
    return std::max(fPen->Width() / 2, fOwner != nullptr ? fOwner->MarkerSize() : 0);
}

// ---- Dragging -------------------------------------------------------------------------

bool TGraphObject::BeginDrag(const TPoint& pt, uint32_t hitTest) {
    if (fStates.Contains(osDragDisabled) || fOwner == nullptr ||
        (fOwner->DragSource() != nullptr && fOwner->DragSource() != this)) {
        return false;
    }
    if (hitTest == hcComputeFromPoint) {
        hitTest = HitTest(pt);
    }
    if (!fOwner->StartDragOperation(this, pt, hitTest)) {
        return false;
    }
    fStates.Include(osDragging);
    Changed({gcView});
    return true;
}

bool TGraphObject::DragTo(const TPoint& pt, bool snapToGrid) {
    if (fOwner == nullptr) {
        return false;
    }
    const TPoint target = fOwner->DragTargetPt();
    return DragBy(pt.X - target.X, pt.Y - target.Y, snapToGrid);
}

bool TGraphObject::DragBy(int32_t dX, int32_t dY, bool snapToGrid) {
    if (fOwner == nullptr || fOwner->DragSource() != this) {
        return false;
    }
    if (dX == 0 && dY == 0) {
        return true;
    }
    if (snapToGrid) {
        SnapDragOffset(fOwner->DragHitTest(), dX, dY);
    }
    fOwner->MoveDraggedBy(dX, dY);
    return true;
}

bool TGraphObject::EndDrag(bool accept) {
    if (fOwner == nullptr || fOwner->DragSource() != this) {
        return false;
    }
    fStates.Exclude(osDragging);
    Changed({gcView});
    fOwner->FinishDragOperation(accept);
    return true;
}

bool TGraphObject::JoinDrag(uint32_t) {
    if (fStates.Contains(osDragDisabled) && !IsLocked()) {
        return false;
    }
    fStates.Include(osDragging);
    Changed({gcView});
    return true;
}

bool TGraphObject::LeaveDrag() {
    if (!Dragging()) {
        return false;
    }
    fStates.Exclude(osDragging);
    Changed({gcView});
    return true;
}

void TGraphObject::LockDrag() {
    if (fDragDisableCount++ == 0) {
        fStates.Include(osDragDisabled);
    }
}

void TGraphObject::UnlockDrag() {
    if (fDragDisableCount > 0 && --fDragDisableCount == 0) {
        fStates.Exclude(osDragDisabled);
    }
}

TObjectSides TGraphObject::MovableSides(uint32_t) const {
    return {};
}

bool TGraphObject::ApplyDragOffset(uint32_t, int32_t, int32_t) {
    return false;
}

void TGraphObject::SnapDragOffset(uint32_t, int32_t&, int32_t&) {}

TCursor TGraphObject::CursorFor(uint32_t) const {
    return fOwner != nullptr ? fOwner->Cursor() : crDefault;
}

// ---- Mouse and keyboard -------------------------------------------------------------------

void TGraphObject::MouseDown(TMouseButton button, TShiftState shift, const TPoint& pt) {
    if (Dragging()) {
        EndDrag(true);
    }
    if (fSelected && shift.Contains(ssShift)) {
        SetSelected(false);
    } else if (!fSelected && fOptions.Contains(goSelectable)) {
        if (!shift.Contains(ssShift) && fOwner != nullptr) {
            TGraphObjectList& selection = fOwner->SelectedObjects();
            while (selection.Count() > 0) {
                const int32_t count = selection.Count();
                selection.Items(count - 1)->SetSelected(false);
                if (selection.Count() == count) {
                    selection.Delete(count - 1); // listed without being selected
                }
            }
        }
        SetSelected(true);
    }
    const uint32_t hitTest = HitTest(pt);
    if (button == mbLeft && !shift.Contains(ssDouble) && fSelected && !IsLocked()) {
        BeginDrag(pt, hitTest);
    }
    if (fOwner != nullptr) {
        fOwner->SetScreenCursor(CursorFor(hitTest));
    }
}

void TGraphObject::MouseMove(TShiftState shift, const TPoint& pt) {
    if (fOwner == nullptr) {
        return;
    }
    if (Dragging()) {
        DragTo(pt, shift.Contains(ssCtrl) != fOwner->SnapToGrid());
    } else {
        fOwner->SetScreenCursor(CursorFor(HitTest(pt)));
    }
}

void TGraphObject::MouseUp(TMouseButton, TShiftState, const TPoint& pt) {
    if (Dragging()) {
        EndDrag(true);
        if (fOwner != nullptr) {
            fOwner->SetScreenCursor(CursorFor(HitTest(pt)));
        }
    }
}

bool TGraphObject::KeyPress(uint16_t& key, TShiftState shift) {
    if (key == VK_ESCAPE) {
        if (Dragging()) {
            EndDrag(false);
            return true;
        }
        return false;
    }
    if (key < VK_LEFT || key > VK_DOWN || !(shift - TShiftState{ssShift, ssCtrl}).IsEmpty() ||
        fOwner == nullptr) {
        return false;
    }
    static constexpr TPoint steps[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    int32_t dX = steps[key - VK_LEFT].X;
    int32_t dY = steps[key - VK_LEFT].Y;
    if (shift.Contains(ssCtrl) != fOwner->SnapToGrid()) {
        dX *= fOwner->GridSize();
        dY *= fOwner->GridSize();
    }
    const bool resize = shift.Contains(ssShift);
    const TObjectSides mobility = resize ? TObjectSides{osRight, osBottom} : AllObjectSides;
    if (fOwner->GraphConstraints().ConfineOffset(dX, dY, mobility)) {
        ApplyDragOffset(resize ? hcBottomRight : hcBody, dX, dY);
    }
    return true;
}

// ---- Streaming --------------------------------------------------------------------------

const TPropertyList& TGraphObject::ClassProperties() {
    static const TPropertyList list =
        TPropertyListBuilder<TGraphObject>()
            .String("Text", &TGraphObject::Text, &TGraphObject::SetText)
            .String("Hint", &TGraphObject::Hint, &TGraphObject::SetHint)
            .Object("Brush", static_cast<TBrush& (TGraphObject::*)()>(&TGraphObject::Brush))
            .Object("Pen", static_cast<TPen& (TGraphObject::*)()>(&TGraphObject::Pen))
            .Object("Font", static_cast<TFont& (TGraphObject::*)()>(&TGraphObject::Font))
            .StoredWhen([](const TGraphObject& o) { return !o.ParentFont(); })
            .Boolean("ParentFont", &TGraphObject::ParentFont, &TGraphObject::SetParentFont, true)
            .Set<TGraphObjectOptions>("Options", &TGraphObject::Options, &TGraphObject::SetOptions,
                                      kGraphObjectOptionNames, DefaultGraphObjectOptions)
            .Boolean("Visible", &TGraphObject::Visible, &TGraphObject::SetVisible, true)
            .Integer("Tag", &TGraphObject::Tag, &TGraphObject::SetTag, 0)
            .Boolean("HasCustomData", &TGraphObject::HasCustomData, &TGraphObject::SetHasCustomData,
                     false)
            .Build();
    return list;
}

const TPropertyList& TGraphObject::Properties() const {
    return ClassProperties();
}

void TGraphObject::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        QStringLiteral("CustomData"), [this](TStream& s) { ReadCustomData(s); },
        [this](TStream& s) { WriteCustomData(s); }, fHasCustomData);
}

void TGraphObject::ReadCustomData(TStream& stream) {
    const auto size = stream.ReadLE<int32_t>();
    if (size < 1) {
        return;
    }
    TMemoryStream data;
    data.CopyFrom(stream, size);
    data.SetPosition(0);
    if (fOwner != nullptr) {
        fOwner->DoObjectRead(this, data);
    }
}

void TGraphObject::WriteCustomData(TStream& stream) {
    TMemoryStream data;
    if (fOwner != nullptr) {
        fOwner->DoObjectWrite(this, data);
    }
    const auto size = static_cast<int32_t>(data.Size());
    stream.WriteLE(size);
    if (size > 0) {
        stream.WriteBuffer(data.Bytes().constData(), size);
    }
}

void TGraphObject::LoadFromStream(TStream& stream) {
    BeginUpdate();
    fStates.Include(osReading);
    try {
        TGraphStreamableObject carrier(this);
        TReader(stream).ReadRootComponent(carrier);
        SetIDValue(carrier.ID());
        ReadPayload(stream);
    } catch (...) {
        fStates.Exclude(osReading);
        EndUpdate();
        throw;
    }
    fStates.Exclude(osReading);
    try {
        if (!fStates.Contains(osCreating)) {
            Initialize();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TGraphObject::SaveToStream(TStream& stream) {
    fStates.Include(osWriting);
    try {
        const TGraphStreamableObject carrier(this, fID);
        TWriter(stream).WriteRootComponent(QString::fromLatin1(TGraphStreamableObject::ClassName),
                                           carrier);
        WritePayload(stream);
    } catch (...) {
        fStates.Exclude(osWriting);
        throw;
    }
    fStates.Exclude(osWriting);
}

void TGraphObject::Assign(const TGraphObject& source) {
    if (&source == this) {
        return;
    }
    Updating([&] {
        SetText(source.Text());
        SetHint(source.Hint());
        SetBrush(source.Brush());
        SetPen(source.Pen());
        SetFont(source.Font());
        SetParentFont(source.ParentFont());
        SetVisible(source.Visible());
        SetOptions(source.Options());
    });
}

const TPropertyList& TGraphStreamableObject::Properties() const {
    using C = TGraphStreamableObject;
    static const TPropertyList list =
        TPropertyListBuilder<C>()
            .String(
                "Name", [](const C&) { return QString(); }, [](C&, const QString&) {})
            .NeverStored()
            .Integer(
                "Tag", [](const C&) { return 0; }, [](C&, int32_t) {})
            .NeverStored()
            .Integer("ID", &C::ID, &C::SetID)
            .Object("G", [](C& c) -> TPersistent* { return c.fG; })
            .Integer(
                "Left", [](const C& c) { return c.fDummy; }, [](C& c, int32_t v) { c.fDummy = v; })
            .NeverStored()
            .Integer(
                "Top", [](const C& c) { return c.fDummy; }, [](C& c, int32_t v) { c.fDummy = v; })
            .NeverStored()
            .Build();
    return list;
}

} // namespace zov
