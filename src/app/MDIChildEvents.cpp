// The document window's reactions to its graph: new objects and the logo, the
// status-bar panels, confirmations, hover texts, wheel zoom and the object pop-up.
#include "app/MDIChild.h"
#include "app/MessageBox.h"
#include "app/ToolBarValues.h"
#include "dialogs/ClassDisplayName.h"
#include "dialogs/ColorBox.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "graph/model/NodeShapes.h"

#include <QAction>
#include <QComboBox>

namespace zov {

void TMDIChild::ConnectGraphEvents() {
    TRaroviRovoz& graph = *RaroviRovoz;
    graph.OnObjectInsert = [this](TRaroviRovoz&, TGraphObject* object) {
        RaroviRovozObjectInsert(object);
    };
    graph.OnObjectSelect = [this](TRaroviRovoz&, TGraphObject* object) {
        RaroviRovozObjectSelect(object);
    };
    graph.OnObjectChange = [this](TRaroviRovoz&, TGraphObject* object) {
        RaroviRovozObjectChange(object);
    };
    graph.OnObjectDblClick = [this](TRaroviRovoz&, TGraphObject*) {
        EditProperties();
    };
    graph.OnDblClick = [this](TRaroviRovoz&) {
        EditProperties();
    };
    graph.OnCanHookLink = [this](TRaroviRovoz&, TGraphObject* object, TGraphLink* link,
                                 int32_t index, bool& canHook) {
        RaroviRovozCanHookLink(object, link, index, canHook);
    };
    graph.OnCanLinkObjects = [this](TRaroviRovoz&, TGraphLink* link, TGraphObject* source,
                                    TGraphObject* target, bool& canLink) {
        RaroviRovozCanLinkObjects(link, source, target, canLink);
    };
    graph.OnCanMoveResizeNode = [this](TRaroviRovoz& g, TGraphNode*, int32_t& newLeft,
                                       int32_t& newTop, int32_t& newWidth, int32_t& newHeight,
                                       bool&, bool&) {
        if (g.SelectedObjectsCount() == 1) {
            ShowBounds(newLeft, newTop, newWidth, newHeight);
        }
    };
    graph.OnNodeMoveResize = [this](TRaroviRovoz& g, TGraphNode* node) {
        if (node->Selected() && g.SelectedObjectsCount() == 1) {
            ShowBounds(node->Left(), node->Top(), node->Width(), node->Height());
        }
    };
    graph.OnGraphChange = [this](TRaroviRovoz&) {
        RaroviRovozGraphChange();
    };
    graph.OnCommandModeChange = [this](TRaroviRovoz&) {
        RaroviRovozCommandModeChange();
    };
    graph.OnZoomChange = [this](TRaroviRovoz&) {
        RaroviRovozZoomChange();
    };
    graph.OnInfoTip = [](TRaroviRovoz&, TGraphObject* object, QString& infoTip) {
        if (object != nullptr) {
            infoTip = HoverText(*object);
        }
    };
    graph.OnMouseWheelUp = [this](TRaroviRovoz&, TShiftState, const TPoint& mousePos,
                                  bool& handled) {
        handled = WheelZoom(+1, mousePos);
    };
    graph.OnMouseWheelDown = [this](TRaroviRovoz&, TShiftState, const TPoint& mousePos,
                                    bool& handled) {
        handled = WheelZoom(-1, mousePos);
    };
}

void TMDIChild::DisconnectGraphEvents() {
    TRaroviRovoz& graph = *RaroviRovoz;
    graph.OnObjectInsert = nullptr;
    graph.OnObjectSelect = nullptr;
    graph.OnObjectChange = nullptr;
    graph.OnObjectDblClick = nullptr;
    graph.OnDblClick = nullptr;
    graph.OnCanHookLink = nullptr;
    graph.OnCanLinkObjects = nullptr;
    graph.OnCanMoveResizeNode = nullptr;
    graph.OnNodeMoveResize = nullptr;
    graph.OnGraphChange = nullptr;
    graph.OnCommandModeChange = nullptr;
    graph.OnZoomChange = nullptr;
    graph.OnInfoTip = nullptr;
    graph.OnMouseWheelUp = nullptr;
    graph.OnMouseWheelDown = nullptr;
}

void TMDIChild::EditProperties() {
    Action(QStringLiteral("EditProperties"))->trigger();
}

bool TMDIChild::WheelZoom(int32_t direction, const TPoint& mousePos) {
    if (!RaroviRovoz->viewport()->rect().contains(mousePos.X, mousePos.Y)) {
        return false;
    }
    // One notch moves the zoom by five points, the graph point under the cursor
    // staying where it is.
    for (int step = 0; step < 5; ++step) {
        RaroviRovoz->ChangeZoomBy(direction, zoCursor);
        RaroviRovoz->viewport()->repaint();
    }
    return true;
}

namespace {

QString NameOrNoname(const TGraphObject* object) {
    const QString text = object != nullptr ? object->Text() : QString();
    return text.isEmpty() ? QStringLiteral("NONAME") : text;
}

} // namespace

bool TMDIChild::Confirm(const QString& question) {
    return AskMessageBox(this, QMessageBox::Question, QStringLiteral("ConfirmBox"), question,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool TMDIChild::AsksToConfirm(const TGraphLink* link, bool permitted) const {
    return permitted && link != nullptr && !link->Dragging() &&
           Action(QStringLiteral("OptionsConfirmHookLink"))->isChecked();
}

void TMDIChild::RaroviRovozCanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                                       bool& canHook) {
    if (!AsksToConfirm(link, canHook)) {
        return;
    }
    const QString end = index == 0 ? QStringLiteral("startpoint") : QStringLiteral("endpoint");
    canHook = Confirm(QStringLiteral("Are you sure to hook %1 of '%2' link to '%3' object?")
                          .arg(end, NameOrNoname(link), NameOrNoname(object)));
}

void TMDIChild::RaroviRovozCanLinkObjects(TGraphLink* link, TGraphObject* source,
                                          TGraphObject* target, bool& canLink) {
    if (!AsksToConfirm(link, canLink)) {
        return;
    }
    canLink =
        Confirm(QStringLiteral("Are you sure to connect '%1' and '%2' objects using '%3' link?")
                    .arg(NameOrNoname(source), NameOrNoname(target), NameOrNoname(link)));
}

QString TMDIChild::HoverText(const TGraphObject& object) {
    if (const auto* link = dynamic_cast<const TGraphLink*>(&object)) {
        const TPoint first = link->Points(0);
        const TPoint last = link->Points(link->PointCount() - 1);
        const QString hooked = QStringLiteral("Hooked");
        return QStringLiteral("Link: %1\r\nStartpoint at: (%2, %3) %4\r\nEndpoint at: (%5, %6) "
                              "%7\r\nBreakpoints Count: %8")
            .arg(link->Text(), QString::number(first.X), QString::number(first.Y),
                 link->Source() != nullptr ? hooked : QString(), QString::number(last.X),
                 QString::number(last.Y), link->Target() != nullptr ? hooked : QString(),
                 QString::number(link->PointCount() - 2));
    }
    const auto& node = static_cast<const TGraphNode&>(object);
    return QStringLiteral("%1 Node: %2\r\nOrigin: %3, %4; Size: %5 x %6")
        .arg(ClassDisplayName(node.ClassType().Name), node.Text(), QString::number(node.Left()),
             QString::number(node.Top()), QString::number(node.Width()),
             QString::number(node.Height()));
}

void TMDIChild::RaroviRovozObjectInsert(TGraphObject* object) {
    // Objects that undo or redo bring back are as they were.
    if (object == nullptr || RaroviRovoz->History().Applying()) {
        return;
    }
    if (!bFileload) {
        FormatFromToolBars(*object);
    }
    if (!bLogo) {
        return;
    }
    if (auto* node = dynamic_cast<TGraphNode*>(object);
        node != nullptr && node->ClassType().InheritsFrom(&TRectangularNode::Class())) {
        TPicture logo;
        logo.SetGraphic(QStringLiteral("TMetafile"), oLogo.Bytes());
        node->SetBackground(logo);
        node->Pen().SetStyle(psClear);
        const TSize size = oLogo.Size();
        node->SetBounds(node->Left(), node->Top(), size.cx, size.cy);
    }
    bLogo = false;
}

void TMDIChild::RaroviRovozGraphChange() {
    SetPanel(spModified, RaroviRovoz->Modified() ? QStringLiteral("Modified") : QString());
}

void TMDIChild::RaroviRovozCommandModeChange() {
    SetPanel(spCommandMode, CommandModeText(RaroviRovoz->CommandMode()));
}

void TMDIChild::RaroviRovozZoomChange() {
    SetPanel(spZoom, QStringLiteral("%1%").arg(RaroviRovoz->Zoom()));
}

QString TMDIChild::CommandModeText(TGraphCommandMode mode) {
    switch (mode) {
    case cmViewOnly:
        return QStringLiteral("View Only");
    case cmPan:
        return QStringLiteral("Pan Mode");
    case cmEdit:
        return QStringLiteral("Editing");
    case cmInsertNode:
        return QStringLiteral("Inserting Node");
    case cmInsertLink:
        return QStringLiteral("Inserting Link/Line");
    }
    return QString();
}

QString TMDIChild::PaperText() const {
    QString name = QLatin1String(PaperInfo(RaroviRovoz->PaperType()).Name);
    if (name.startsWith(QLatin1Char('p'))) {
        name.remove(0, 1);
    }
    return name + QLatin1Char('/') + QLatin1Char(RaroviRovoz->Lage()) + QLatin1Char(' ') +
           RaroviRovoz->Info(0);
}

void TMDIChild::ObjectsPopupPopup() {
    static const char* const kLinkActions[] = {"LinkRemovePoint", "LinkAddPoint", "LinkGrow",
                                               "LinkShrink",      "LinkRotateCW", "LinkRotateCCW",
                                               "LinkReverse"};
    TGraphLink* link = RaroviRovoz->SelectedObjectsCount() == 1 ? FirstSelectedLink() : nullptr;
    for (const char* name : kLinkActions) {
        Action(QLatin1String(name))->setVisible(link != nullptr);
    }
    if (link == nullptr) {
        return;
    }
    TargetPt = RaroviRovoz->CursorPos();
    const uint32_t hit = link->HitTest(TargetPt);
    const int32_t index = HitPointIndex(hit);
    fRemovePointIndex = index;
    Action(QStringLiteral("LinkRemovePoint"))
        ->setEnabled((hit & hcPoint) != 0 && !link->IsFixedPoint(index, false));
    Action(QStringLiteral("LinkAddPoint"))
        ->setEnabled((hit & hcSegment) != 0 && !link->LinkOptions().Contains(gloFixedBreakPoints));
    for (const char* name : {"LinkGrow", "LinkShrink", "LinkRotateCW", "LinkRotateCCW"}) {
        Action(QLatin1String(name))->setEnabled(link->CanMove());
    }
    Action(QStringLiteral("LinkReverse"))->setEnabled(true);
}

} // namespace zov
