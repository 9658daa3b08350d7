// Mouse and keyboard: selecting, dragging, marquee, panning, inserting, hints and
// the context menu.
#include "RaroviRovoz.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "platform/types/UpdateBracket.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace zov {

namespace {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier) {
        shift.Include(ssShift);
    }
    if (modifiers & Qt::AltModifier) {
        shift.Include(ssAlt);
    }
    if (modifiers & Qt::ControlModifier) {
        shift.Include(ssCtrl);
    }
    if (buttons & Qt::LeftButton) {
        shift.Include(ssLeft);
    }
    if (buttons & Qt::RightButton) {
        shift.Include(ssRight);
    }
    if (buttons & Qt::MiddleButton) {
        shift.Include(ssMiddle);
    }
    return shift;
}

bool ButtonOf(Qt::MouseButton qtButton, TMouseButton& button) {
    switch (qtButton) {
    case Qt::LeftButton:
        button = mbLeft;
        return true;
    case Qt::RightButton:
        button = mbRight;
        return true;
    case Qt::MiddleButton:
        button = mbMiddle;
        return true;
    default:
        return false;
    }
}

// The key codes objects and the key map know; 0 for keys they have no use for.
uint16_t VirtualKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    default:
        // Letters and digits share their codes with the virtual keys.
        return event.key() >= Qt::Key_0 && event.key() <= Qt::Key_Z
                   ? static_cast<uint16_t>(event.key())
                   : 0;
    }
}

TRect Normalized(const TPoint& a, const TPoint& b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

bool InsertMode(TGraphCommandMode mode) {
    return mode == cmInsertNode || mode == cmInsertLink;
}

// The names of the steps the mouse and the keys make.
constexpr const char* kStepMove = "Move";
constexpr const char* kStepResize = "Resize";
constexpr const char* kStepEditLink = "Edit Link";
constexpr const char* kStepInsertNode = "Insert Node";
constexpr const char* kStepInsertLink = "Insert Link";

// What dragging by a hit-test code does to the object.
const char* DragStepName(const TGraphObject& object, uint32_t hitTest) {
    if ((hitTest & (hcBody | hcCaption)) != 0) {
        return kStepMove;
    }
    return object.IsLink() ? kStepEditLink : kStepResize;
}

} // namespace

// ---- Qt's events ----

void TRaroviRovoz::mousePressEvent(QMouseEvent* event) {
    fReleaseEndsDoubleClick = false;
    TMouseButton button;
    if (ButtonOf(event->button(), button)) {
        const QPoint pos = event->position().toPoint();
        MouseDown(button, ShiftStateOf(event->modifiers(), event->buttons()), pos.x(), pos.y());
    }
}

void TRaroviRovoz::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), pos.x(), pos.y());
}

void TRaroviRovoz::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!ButtonOf(event->button(), button)) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    MouseUp(button, ShiftStateOf(event->modifiers(), event->buttons()), pos.x(), pos.y());
    // The release that ends a double click is no click of its own.
    if (button == mbLeft && !std::exchange(fReleaseEndsDoubleClick, false) &&
        viewport()->rect().contains(pos)) {
        Click();
    }
}

// As the classic window does it: the double click first, then a press marked double.
void TRaroviRovoz::mouseDoubleClickEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!ButtonOf(event->button(), button)) {
        return;
    }
    if (button == mbLeft) {
        fReleaseEndsDoubleClick = true;
        DblClick();
    }
    TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    shift.Include(ssDouble);
    const QPoint pos = event->position().toPoint();
    MouseDown(button, shift, pos.x(), pos.y());
}

void TRaroviRovoz::wheelEvent(QWheelEvent* event) {
    constexpr int32_t kWheelDelta = 120; // one notch
    fWheelAccumulator += event->angleDelta().y();
    const QPoint pos = event->position().toPoint();
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    bool handled = false;
    const bool notched = std::abs(fWheelAccumulator) >= kWheelDelta;
    while (std::abs(fWheelAccumulator) >= kWheelDelta) {
        const int32_t delta = fWheelAccumulator > 0 ? kWheelDelta : -kWheelDelta;
        fWheelAccumulator -= delta;
        handled = DoMouseWheel(shift, delta, {pos.x(), pos.y()}) || handled;
    }
    // Movement short of a notch waits for the rest while a handler may take the notch.
    const bool hooked = OnMouseWheel || OnMouseWheelDown || OnMouseWheelUp;
    if (handled || (hooked && !notched && event->angleDelta().y() != 0)) {
        event->accept();
    } else {
        QAbstractScrollArea::wheelEvent(event);
    }
}

// Keys reach the graph before Qt moves the focus with Tab.
bool TRaroviRovoz::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool TRaroviRovoz::HandleKey(QKeyEvent* event) {
    RefreshCursor();
    if (!fDefaultKeyMap) {
        return false;
    }
    uint16_t key = VirtualKeyOf(*event);
    return key != 0 && ApplyKeyMap(key, ShiftStateOf(event->modifiers(), Qt::NoButton));
}

// Keys the graph did not use go to the window around it; the scroll area's own
// arrow-key scrolling does not apply.
void TRaroviRovoz::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void TRaroviRovoz::keyReleaseEvent(QKeyEvent* event) {
    event->ignore();
    RefreshCursor();
}

void TRaroviRovoz::contextMenuEvent(QContextMenuEvent* event) {
    bool handled = false;
    ChooseContextMenu({event->pos().x(), event->pos().y()}, handled);
    if (!handled && fPopupMenu != nullptr) {
        fPopupMenu->popup(event->globalPos());
        handled = true;
    }
    if (handled) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TRaroviRovoz::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RepaintHiddenSelection();
}

void TRaroviRovoz::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    RepaintHiddenSelection();
}

// The handles show only with the focus when the selection hides.
void TRaroviRovoz::RepaintHiddenSelection() {
    if (fHideSelection) {
        InvalidateSelectionHandles();
    }
}

// Handles reach beyond the objects by up to the marker size.
void TRaroviRovoz::InvalidateSelectionHandles() {
    if (SelectedObjects().Count() > 0) {
        const TRect bounds = SelectionBounds();
        InvalidateRect({bounds.Left - MarkerSize(), bounds.Top - MarkerSize(),
                        bounds.Right + MarkerSize(), bounds.Bottom + MarkerSize()});
    }
}

bool TRaroviRovoz::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (ShowObjectHint(help->pos(), help->globalPos())) {
            return true;
        }
        break;
    }
    case QEvent::Leave:
        // A drag holds the mouse: leaving the window does not end what is under it.
        if (QGuiApplication::mouseButtons() == Qt::NoButton) {
            SetObjectUnderMouse(nullptr);
            SetScreenCursor(crDefault);
        }
        break;
    default:
        break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// ---- Mouse ----

void TRaroviRovoz::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    if (OnMouseDown) {
        OnMouseDown(*this, button, shift, x, y);
    }
    TPoint pt = ClientToGraph(x, y);
    FollowObjectUnderMouse(pt);
    const bool plainLeft = button == mbLeft && !shift.Contains(ssDouble);
    SettleGesture();
    if (button == mbLeft && DragSource() == nullptr) {
        if (CommandMode() == cmInsertNode) {
            BeginGesture(QString::fromLatin1(kStepInsertNode), nullptr);
        } else if (CommandMode() == cmInsertLink) {
            BeginGesture(QString::fromLatin1(kStepInsertLink), nullptr);
        } else if (CommandMode() == cmEdit && fObjectAtCursor != nullptr &&
                   fObjectAtCursor->Options().Contains(goSelectable)) {
            BeginGesture(QString::fromLatin1(fObjectAtCursor->IsLink() ? kStepEditLink : kStepMove),
                         fObjectAtCursor);
        }
    }
    switch (CommandMode()) {
    case cmPan:
        if (plainLeft) {
            fPanPoint = {x, y};
            SetScreenCursor(crHandGrab);
        }
        break;
    case cmInsertNode:
    case cmInsertLink:
        if (DragSource() != nullptr) {
            DragSource()->MouseDown(button, shift, pt);
        } else if (plainLeft) {
            const TGraphObjectClass* cls =
                CommandMode() == cmInsertNode ? DefaultNodeClass() : DefaultLinkClass();
            TGraphObject* object = PlaceNewObject(pt, cls, SnapToGrid() != shift.Contains(ssCtrl));
            if (object != nullptr) {
                object->SetSelected(true);
                object->MouseDown(button, shift, pt);
                if (object == DragSource()) {
                    SetCursorPos(pt);
                } else {
                    SetCommandMode(cmEdit);
                    NoteObjectChange(object, {gcData});
                }
                SetObjectUnderMouse(object);
            }
        }
        break;
    case cmEdit:
    case cmViewOnly:
        if (fObjectAtCursor != nullptr && CommandMode() != cmViewOnly &&
            fObjectAtCursor->Options().Contains(goSelectable)) {
            fObjectAtCursor->MouseDown(button, shift, pt);
        } else if (plainLeft) {
            fMarqueeStart = pt;
            fMarqueeEnd = pt;
            SetMarquee({pt.X, pt.Y, pt.X, pt.Y});
            SetScreenCursor(crCross);
        }
        break;
    }
}

void TRaroviRovoz::MouseMove(TShiftState shift, int32_t x, int32_t y) {
    const TPoint pt = ClientToGraph(x, y);
    FollowObjectUnderMouse(pt);
    if (CommandMode() == cmPan) {
        if (shift.Contains(ssLeft)) {
            // The graph follows the mouse.
            if (fHorzScrollBar->IsScrollBarVisible()) {
                fHorzScrollBar->SetPosition(fHorzScrollBar->Position() + fPanPoint.X - x);
            }
            if (fVertScrollBar->IsScrollBarVisible()) {
                fVertScrollBar->SetPosition(fVertScrollBar->Position() + fPanPoint.Y - y);
            }
            fPanPoint = {x, y};
        } else {
            SetScreenCursor(crHandFlat);
        }
    } else if (fValidMarkedArea) {
        fMarqueeEnd = pt;
        SetMarquee(Normalized(fMarqueeStart, fMarqueeEnd));
        ScrollInView(fMarqueeEnd);
    } else if (fObjectAtCursor != nullptr && CommandMode() != cmViewOnly) {
        CaptureDrag();
        fObjectAtCursor->MouseMove(shift, pt);
    } else {
        SetScreenCursor(InsertMode(CommandMode()) ? crXHair1 : Cursor());
    }
    if (OnMouseMove) {
        OnMouseMove(*this, shift, x, y);
    }
}

void TRaroviRovoz::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
    const TPoint pt = ClientToGraph(x, y);
    FollowObjectUnderMouse(pt);
    if (CommandMode() == cmPan) {
        if (button == mbLeft) {
            SetScreenCursor(crHandFlat);
        }
    } else if (fValidMarkedArea) {
        const TRect area = fMarkedArea;
        if (shift.Contains(ssAlt)) {
            if (area.Width() != 0 && area.Height() != 0) {
                ZoomRect(area);
            }
        } else if (CommandMode() == cmEdit) {
            ToggleSelection(area, shift.Contains(ssShift),
                            shift.Contains(ssCtrl) ? &TGraphNode::AbstractClass() : nullptr);
        }
        SetMarquee(EmptyMarkedArea);
        SetScreenCursor(Cursor());
    } else if (fObjectAtCursor != nullptr && CommandMode() != cmViewOnly) {
        fObjectAtCursor->MouseUp(button, shift, pt);
    } else {
        SetScreenCursor(Cursor());
    }
    if (OnMouseUp) {
        OnMouseUp(*this, button, shift, x, y);
    }
    SettleGesture();
}

void TRaroviRovoz::BeginGesture(const QString& name, TGraphObject* pressed) {
    fHistory.BeginStep(name);
    fGestureStep = true;
    fDragCaptured = false;
    if (pressed != nullptr) {
        fHistory.Capture(*pressed);
    }
}

void TRaroviRovoz::SettleGesture() {
    if (fGestureStep && DragSource() == nullptr) {
        fGestureStep = false;
        fHistory.EndStep();
    }
}

void TRaroviRovoz::CaptureDrag() {
    if (fGestureStep && !fDragCaptured && DragSource() != nullptr) {
        fDragCaptured = true;
        fHistory.Capture(DraggingObjects());
        if (!InsertMode(CommandMode())) {
            fHistory.SetStepName(QString::fromLatin1(DragStepName(*DragSource(), DragHitTest())));
        }
    }
}

void TRaroviRovoz::Click() {
    if (SelectedObjects().Count() > 0) {
        DoObjectClick(SelectedObjects().Items(0));
    } else if (OnClick) {
        OnClick(*this);
    }
}

void TRaroviRovoz::DblClick() {
    if (DragSource() != nullptr) {
        return;
    }
    if (SelectedObjects().Count() > 0) {
        DoObjectDblClick(SelectedObjects().Items(0));
    } else if (OnDblClick) {
        OnDblClick(*this);
    }
}

void TRaroviRovoz::SetMarquee(const TRect& rect) {
    if (rect == fMarkedArea) {
        return;
    }
    if (fValidMarkedArea) {
        InvalidateRect(fMarkedArea);
    }
    fMarkedArea = rect;
    fValidMarkedArea = rect.Right >= rect.Left && rect.Bottom >= rect.Top;
    UpdateScrollRanges();
    if (fValidMarkedArea) {
        InvalidateRect(rect);
    }
}

TGraphObject* TRaroviRovoz::PlaceNewObject(TPoint& pt, const TGraphObjectClass* cls, bool snap) {
    if (cls == nullptr) {
        return nullptr;
    }
    if (cls->IsLink) {
        TGraphLink* link = nullptr;
        if (TGraphObject* source = FindObjectAt(pt.X, pt.Y)) {
            const TPoint at[] = {pt};
            link = InsertLink(source, at, cls);
        }
        if (link == nullptr) {
            if (snap) {
                pt = SnapPoint(pt);
            }
            if (GraphConstraints().WithinBounds(std::span<const TPoint>(&pt, 1))) {
                const TPoint ends[] = {pt, pt};
                link = InsertLink(ends, cls);
            }
        }
        if (link != nullptr) {
            pt = link->Points(link->PointCount() - 1);
        }
        return link;
    }
    if (snap) {
        pt = SnapPoint(pt);
    }
    if (!GraphConstraints().WithinBounds(std::span<const TPoint>(&pt, 1))) {
        return nullptr;
    }
    int32_t size = MinNodeSize();
    if (SnapToGrid() && GridSize() >= MinNodeSize()) {
        size = GridSize();
    } else if (SnapToGrid() && MinNodeSize() % GridSize() != 0) {
        size = (MinNodeSize() / GridSize() + 1) * GridSize();
    }
    TPoint corner{pt.X + size, pt.Y + size};
    GraphConstraints().ConfinePt(corner);
    TGraphNode* node = InsertNode({pt.X, pt.Y, corner.X, corner.Y}, cls);
    if (node != nullptr) {
        pt = node->BoundsRect().BottomRight();
    }
    return node;
}

// ---- Object under the mouse, hints, context menu ----

void TRaroviRovoz::FollowObjectUnderMouse(const TPoint& pt) {
    if (DragSource() == nullptr) {
        SetObjectUnderMouse(FindObjectAt(pt.X, pt.Y));
    }
}

void TRaroviRovoz::RefreshCursor() {
    if (DragSource() != nullptr || fObjectAtCursor == nullptr || CommandMode() == cmViewOnly) {
        return;
    }
    const QPoint client = viewport()->mapFromGlobal(QCursor::pos());
    if (viewport()->rect().contains(client)) {
        fObjectAtCursor->MouseMove(
            ShiftStateOf(QGuiApplication::queryKeyboardModifiers(), Qt::NoButton),
            ClientToGraph(client.x(), client.y()));
    }
}

bool TRaroviRovoz::ShowObjectHint(const QPoint& clientPos, const QPoint& globalPos) {
    const TPoint pt = ClientToGraph(clientPos.x(), clientPos.y());
    TGraphObject* object = FindObjectAt(pt.X, pt.Y);
    if (object == nullptr ||
        (!OnInfoTip && object->Hint().isEmpty() && object->Text() == object->TextToShow())) {
        return false;
    }
    // The short part of a "short|long" hint; the full caption when it was shortened.
    QString text = object->Hint().section(QLatin1Char('|'), 0, 0);
    if (text.isEmpty() && object->Text() != object->TextToShow()) {
        text = object->Text();
    }
    if (OnInfoTip) {
        OnInfoTip(*this, object, text);
    }
    if (text.isEmpty()) {
        return false;
    }
    const TRect visual = object->VisualRect();
    const TPoint topLeft = GraphToClient(visual.Left, visual.Top);
    const TPoint bottomRight = GraphToClient(visual.Right, visual.Bottom);
    // User text is never markup: shown as typed, "<b>" included.
    QToolTip::showText(globalPos, Qt::convertFromPlainText(text), viewport(),
                       QRect(QPoint(topLeft.X, topLeft.Y), QPoint(bottomRight.X, bottomRight.Y)));
    return true;
}

void TRaroviRovoz::ChooseContextMenu(const TPoint& mousePos, bool& handled) {
    if (DragSource() != nullptr) {
        handled = true;
        return;
    }
    if (SelectedObjects().Count() > 0) {
        DoObjectContextPopup(SelectedObjects().Items(0), mousePos, handled);
        if (!handled && fObjectPopupMenu != nullptr) {
            fObjectPopupMenu->popup(viewport()->mapToGlobal(QPoint(mousePos.X, mousePos.Y)));
            handled = true;
        }
    }
    if (!handled && OnContextPopup) {
        OnContextPopup(*this, mousePos, handled);
    }
}

bool TRaroviRovoz::DoMouseWheel(TShiftState shift, int32_t wheelDelta, const TPoint& mousePos) {
    bool handled = false;
    if (OnMouseWheel) {
        OnMouseWheel(*this, shift, wheelDelta, mousePos, handled);
    }
    if (!handled) {
        handled =
            wheelDelta < 0 ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}

bool TRaroviRovoz::DoMouseWheelDown(TShiftState shift, const TPoint& mousePos) {
    bool handled = false;
    if (OnMouseWheelDown) {
        OnMouseWheelDown(*this, shift, mousePos, handled);
    }
    return handled;
}

bool TRaroviRovoz::DoMouseWheelUp(TShiftState shift, const TPoint& mousePos) {
    bool handled = false;
    if (OnMouseWheelUp) {
        OnMouseWheelUp(*this, shift, mousePos, handled);
    }
    return handled;
}

void TRaroviRovoz::DoObjectClick(TGraphObject* object) {
    if (OnObjectClick) {
        OnObjectClick(*this, object);
    }
}

void TRaroviRovoz::DoObjectDblClick(TGraphObject* object) {
    if (OnObjectDblClick) {
        OnObjectDblClick(*this, object);
    }
}

void TRaroviRovoz::DoObjectContextPopup(TGraphObject* object, const TPoint& mousePos,
                                        bool& handled) {
    if (OnObjectContextPopup) {
        OnObjectContextPopup(*this, object, mousePos, handled);
    }
}

// ---- Keys ----

bool TRaroviRovoz::ApplyKeyMap(uint16_t& key, TShiftState shift) {
    if (DragSource() != nullptr) {
        CaptureDrag();
        GraphConstraints().SetSourceRect(DraggingBounds());
        const bool used = DragSource()->KeyPress(key, shift);
        SettleGesture();
        return used;
    }
    bool used = false;
    if (CommandMode() == cmEdit || InsertMode(CommandMode())) {
        // Every selected object moves by the same offset, confined for the whole
        // selection; objects may go away while they handle the key.
        auto press = [&] {
            GraphConstraints().SetSourceRect(SelectionBounds());
            WithUpdate(*this, [&] {
                for (TGraphObject* object = SelectedObjects().First(); object != nullptr;
                     object = SelectedObjects().Next()) {
                    TListEnumGuard keep(SelectedObjects());
                    used = object->KeyPress(key, shift) || used;
                }
            });
        };
        // Arrow keys move (Shift: resize) the selection; a run of them is one step.
        if (key >= VK_LEFT && key <= VK_DOWN && SelectedObjects().Count() > 0) {
            const bool resize = shift.Contains(ssShift);
            fHistory.Record(
                QString::fromLatin1(resize ? kStepResize : kStepMove),
                [&] {
                    fHistory.Capture(SelectedObjects());
                    press();
                },
                resize ? TStepMerge::KeyResize : TStepMerge::KeyMove);
        } else {
            press();
        }
    }
    if (used) {
        return true;
    }
    const bool pan = CommandMode() == cmPan;
    auto scroll = [&](TGraphScrollBar& bar, int32_t direction) {
        if (pan && bar.IsScrollBarVisible()) {
            bar.SetPosition(bar.Position() + direction * bar.Increment());
        }
        return pan;
    };
    switch (key) {
    case VK_TAB:
        if (pan || CommandMode() == cmViewOnly) {
            return false;
        }
        SelectNextObject(shift.Contains(ssShift));
        return true;
    case VK_LEFT:
        return scroll(*fHorzScrollBar, -1);
    case VK_RIGHT:
        return scroll(*fHorzScrollBar, 1);
    case VK_UP:
        return scroll(*fVertScrollBar, -1);
    case VK_DOWN:
        return scroll(*fVertScrollBar, 1);
    default:
        return false;
    }
}

} // namespace zov
