// The document window's reactions to its graph: new objects formatted from the tool
// bars, the status-bar panels, and the object pop-up's link commands.
#include "app/ColorBox.h"
#include "app/MDIChild.h"
#include "app/ToolBarValues.h"
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
    graph.OnGraphChange = [this](TRaroviRovoz&) {
        RaroviRovozGraphChange();
    };
    graph.OnCommandModeChange = [this](TRaroviRovoz&) {
        RaroviRovozCommandModeChange();
    };
    graph.OnZoomChange = [this](TRaroviRovoz&) {
        RaroviRovozZoomChange();
    };
}

void TMDIChild::DisconnectGraphEvents() {
    TRaroviRovoz& graph = *RaroviRovoz;
    graph.OnObjectInsert = nullptr;
    graph.OnObjectSelect = nullptr;
    graph.OnGraphChange = nullptr;
    graph.OnCommandModeChange = nullptr;
    graph.OnZoomChange = nullptr;
}

void TMDIChild::RaroviRovozObjectInsert(TGraphObject* object) {
    if (object == nullptr) {
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

void TMDIChild::FormatFromToolBars(TGraphObject& object) {
    TFontStyles style;
    if (Action(QStringLiteral("FormatBold"))->isChecked()) {
        style.Include(fsBold);
    }
    if (Action(QStringLiteral("FormatItalic"))->isChecked()) {
        style.Include(fsItalic);
    }
    if (Action(QStringLiteral("FormatUnderline"))->isChecked()) {
        style.Include(fsUnderline);
    }
    TFont& font = object.Font();
    font.SetSize(ToolBarInteger(cbxFontSize->currentText(), kMinFontSize, kMaxFontSize)
                     .value_or(font.Size()));
    if (!cbxFontName->currentText().isEmpty()) {
        font.SetName(cbxFontName->currentText());
    }
    font.SetStyle(style);
    if (auto* node = dynamic_cast<TGraphNode*>(&object)) {
        node->SetAlignment(Action(QStringLiteral("FormatAlignLeft"))->isChecked() ? taLeftJustify
                           : Action(QStringLiteral("FormatAlignRight"))->isChecked()
                               ? taRightJustify
                               : taCenter);
        node->SetLayout(Action(QStringLiteral("FormatAlignTop"))->isChecked()      ? tlTop
                        : Action(QStringLiteral("FormatAlignBottom"))->isChecked() ? tlBottom
                                                                                   : tlCenter);
    }
}

void TMDIChild::RaroviRovozObjectSelect(TGraphObject* object) {
    const TGraphCommandMode mode = RaroviRovoz->CommandMode();
    const bool inserting = mode == cmInsertNode || mode == cmInsertLink;
    // An object drawn with the mouse is selected as it is made: it takes the colours
    // and line size of the tool bars.
    if (object != nullptr && inserting && RaroviRovoz->SelectedObjectsCount() > 0) {
        object->Font().SetColor(FontColor->Selected());
        object->Pen().SetColor(LineColor->Selected());
        object->Brush().SetColor(NodeBackgroundColor->Selected());
        object->Pen().SetWidth(
            ToolBarInteger(LineSize->currentText(), kMinLineSize, kMaxLineSize).value_or(1));
    }
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
