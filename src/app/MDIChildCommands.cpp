// The document window's commands on the graph: clipboard, deletion and z-order,
// selection, locks, formatting, zoom, command modes and the link commands.
#include "app/MDIChild.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "graph/model/NodeShapes.h"
#include "platform/types/UpdateBracket.h"

#include <QAction>
#include <algorithm>
#include <numbers>

namespace zov {

namespace {

// The codes the link commands hand ApplyToObject.
enum TLinkCommand : int32_t {
    lcReverse = 20,
    lcRotateClockwise = 21,
    lcRotateAnticlockwise = 22,
};

// The centroid of a link's points with integer division truncating toward zero.
TPoint Centroid(const TGraphLink& link) {
    int64_t x = 0;
    int64_t y = 0;
    const int32_t n = link.PointCount();
    for (int32_t i = 0; i < n; ++i) {
        x += link.Points(i).X;
        y += link.Points(i).Y;
    }
    return n == 0 ? TPoint{} : TPoint{static_cast<int32_t>(x / n), static_cast<int32_t>(y / n)};
}

} // namespace

void TMDIChild::ApplyToSelection(const std::function<void(TGraphObject&)>& step) {
    // A copy: the step may change the selection.
    TGraphObjectList& selected = RaroviRovoz->SelectedObjects();
    std::vector<TGraphObject*> objects;
    objects.reserve(static_cast<size_t>(selected.Count()));
    for (int32_t i = selected.Count() - 1; i >= 0; --i) {
        objects.push_back(selected.Items(i));
    }
    WithUpdate(*RaroviRovoz, [&] {
        for (TGraphObject* object : objects) {
            step(*object);
        }
    });
}

void TMDIChild::EditUndoExecute() {
    RaroviRovoz->History().Undo();
}

void TMDIChild::EditRedoExecute() {
    RaroviRovoz->History().Redo();
}

void TMDIChild::EditCutExecute() {
    EditCopyExecute();
    EditDeleteExecute();
}

void TMDIChild::EditCopyExecute() {
    RaroviRovoz->CopyToClipboard(true);
}

void TMDIChild::EditPasteExecute() {
    RaroviRovoz->PasteFromClipboard();
}

void TMDIChild::EditDeleteExecute() {
    ApplyToSelection([&](TGraphObject& object) { object.Delete(); });
}

void TMDIChild::EditBringToFrontExecute() {
    ApplyToSelection([&](TGraphObject& object) { object.BringToFront(); });
}

void TMDIChild::EditSendToBackExecute() {
    ApplyToSelection([&](TGraphObject& object) { object.SendToBack(); });
}

void TMDIChild::EditSelectAllExecute() {
    WithUpdate(*RaroviRovoz, [this] {
        TGraphObjectList& objects = RaroviRovoz->Objects();
        for (int32_t i = 0; i < objects.Count(); ++i) {
            objects.Items(i)->SetSelected(true);
        }
    });
}

void TMDIChild::EditInvertSelectionExecute() {
    WithUpdate(*RaroviRovoz, [this] {
        TGraphObjectList& objects = RaroviRovoz->Objects();
        for (int32_t i = 0; i < objects.Count(); ++i) {
            TGraphObject* object = objects.Items(i);
            object->SetSelected(!object->Selected());
        }
    });
}

void TMDIChild::EditLockNodesExecute() {
    RaroviRovoz->SetLockNodes(!RaroviRovoz->LockNodes());
}

void TMDIChild::EditLockLinksExecute() {
    RaroviRovoz->SetLockLinks(!RaroviRovoz->LockLinks());
}

void TMDIChild::ToggleFontStyle(TFontStyle style, bool on) {
    ApplyToSelection([&](TGraphObject& object) {
        TFontStyles styles = object.Font().Style();
        if (on) {
            styles.Include(style);
        } else {
            styles.Exclude(style);
        }
        object.Font().SetStyle(styles);
    });
}

void TMDIChild::FormatBoldExecute() {
    ToggleFontStyle(fsBold, Action(QStringLiteral("FormatBold"))->isChecked());
}

void TMDIChild::FormatItalicExecute() {
    ToggleFontStyle(fsItalic, Action(QStringLiteral("FormatItalic"))->isChecked());
}

void TMDIChild::FormatUnderlineExecute() {
    ToggleFontStyle(fsUnderline, Action(QStringLiteral("FormatUnderline"))->isChecked());
}

void TMDIChild::ApplyAlignment(const QString& actionName) {
    struct TAlignStep {
        const char* Action;
        bool Horizontal;
        TAlignment Alignment;
        TTextLayout Layout;
    };
    static constexpr TAlignStep kSteps[] = {
        {"FormatAlignLeft", true, taLeftJustify, tlCenter},
        {"FormatCenter", true, taCenter, tlCenter},
        {"FormatAlignRight", true, taRightJustify, tlCenter},
        {"FormatAlignTop", false, taCenter, tlTop},
        {"FormatVCenter", false, taCenter, tlCenter},
        {"FormatAlignBottom", false, taCenter, tlBottom},
    };
    const auto step = std::find_if(std::begin(kSteps), std::end(kSteps), [&](const TAlignStep& s) {
        return actionName == QLatin1String(s.Action);
    });
    if (step == std::end(kSteps)) {
        return;
    }
    ApplyToSelection([&](TGraphObject& object) {
        if (auto* node = dynamic_cast<TGraphNode*>(&object)) {
            if (step->Horizontal) {
                node->SetAlignment(step->Alignment);
            } else {
                node->SetLayout(step->Layout);
            }
        }
    });
}

void TMDIChild::ViewZoomInExecute() {
    RaroviRovoz->SetZoom(RaroviRovoz->Zoom() + 10);
}

void TMDIChild::ViewZoomOutExecute() {
    RaroviRovoz->SetZoom(RaroviRovoz->Zoom() - 10);
}

void TMDIChild::ViewNoZoomExecute() {
    RaroviRovoz->SetZoom(100);
}

void TMDIChild::ViewGridExecute() {
    RaroviRovoz->SetShowGrid(!RaroviRovoz->ShowGrid());
}

void TMDIChild::ViewPanExecute() {
    RaroviRovoz->SetCommandMode(cmPan);
}

void TMDIChild::ObjectsNoneExecute() {
    RaroviRovoz->SetCommandMode(cmEdit);
}

void TMDIChild::ObjectsLinkExecute() {
    RaroviRovoz->SetCommandMode(cmInsertLink);
}

void TMDIChild::StartInsertNode(const TGraphObjectClass& nodeClass) {
    RaroviRovoz->SetDefaultNodeClass(&nodeClass);
    RaroviRovoz->SetCommandMode(cmInsertNode);
}

void TMDIChild::QuorixLogoExecute() {
    bLogo = true;
    StartInsertNode(TRectangularNode::Class());
}

TGraphLink* TMDIChild::FirstSelectedLink() const {
    TGraphObjectList& selected = RaroviRovoz->SelectedObjects();
    return selected.Count() > 0 ? dynamic_cast<TGraphLink*>(selected.Items(0)) : nullptr;
}

void TMDIChild::LinkAddPointExecute() {
    if (TGraphLink* link = FirstSelectedLink()) {
        link->AddBreakPoint(TargetPt);
    }
}

void TMDIChild::LinkRemovePointExecute() {
    if (TGraphLink* link = FirstSelectedLink()) {
        link->RemovePoint(fRemovePointIndex);
    }
}

void TMDIChild::LinkGrowExecute() {
    if (TGraphLink* link = FirstSelectedLink()) {
        link->Scale(1.25);
    }
}

void TMDIChild::LinkShrinkExecute() {
    if (TGraphLink* link = FirstSelectedLink()) {
        link->Scale(0.75);
    }
}

void TMDIChild::LinkReverseExecute() {
    ForEachSelected(lcReverse);
}

void TMDIChild::LinkRotateCWExecute() {
    ForEachSelected(lcRotateClockwise);
}

void TMDIChild::LinkRotateCCWExecute() {
    ForEachSelected(lcRotateAnticlockwise);
}

void TMDIChild::ForEachSelected(int32_t code) {
    RaroviRovoz->ForEachObject(
        [this](TGraphObject* object, int32_t c) { return ApplyToObject(*object, c); }, code, true);
}

bool TMDIChild::ApplyToObject(TGraphObject& object, int32_t code) {
    auto* link = dynamic_cast<TGraphLink*>(&object);
    if (link == nullptr) {
        return true;
    }
    switch (code) {
    case lcReverse:
        link->Reverse();
        break;
    case lcRotateClockwise:
        link->Rotate(std::numbers::pi / 2, Centroid(*link));
        break;
    case lcRotateAnticlockwise:
        link->Rotate(-std::numbers::pi / 2, Centroid(*link));
        break;
    default:
        break;
    }
    return true;
}

} // namespace zov
