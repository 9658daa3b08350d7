// The document window's action table and the update rules of its actions.
#include "app/MDIChildActions.h"

#include "app/MDIChild.h"
#include "graph/model/NodeShapes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QPrinterInfo>

namespace zov {

namespace {

template <class T> const TGraphObjectClass& ClassOf() {
    return T::Class();
}

// Whether the clipboard holds something Paste takes, asked once per clipboard change.
class TClipboardWatch : public QObject {
public:
    TClipboardWatch() {
        connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
                [this] { fKnown = false; });
    }
    bool CanPaste() {
        if (!fKnown) {
            fCanPaste = TRaroviRovoz::ClipboardHasGraphData();
            fKnown = true;
        }
        return fCanPaste;
    }

private:
    bool fKnown = false;
    bool fCanPaste = false;
};

bool CanPaste() {
    static TClipboardWatch watch;
    return watch.CanPaste();
}

// Whether a printer is installed; the printing system is asked once per run.
bool HasPrinter() {
    static const bool hasPrinter = !QPrinterInfo::availablePrinterNames().isEmpty();
    return hasPrinter;
}

// What a command keeps for its undo step.
TStepScope StepScopeOf(const QString& actionName) {
    struct TStepRow {
        const char* Action;
        TStepScope Scope;
    };
    static constexpr TStepRow kRows[] = {
        {"EditCut", ssSelection},          {"EditPaste", ssSelection},
        {"EditDelete", ssSelection},       {"EditBringToFront", ssSelection},
        {"EditSendToBack", ssSelection},   {"EditProperties", ssProperties},
        {"EditAlign", ssSelection},        {"EditSize", ssSelection},
        {"MultiEdit", ssSelection},        {"FormatBold", ssSelection},
        {"FormatItalic", ssSelection},     {"FormatUnderline", ssSelection},
        {"FormatAlignLeft", ssSelection},  {"FormatCenter", ssSelection},
        {"FormatAlignRight", ssSelection}, {"FormatAlignTop", ssSelection},
        {"FormatVCenter", ssSelection},    {"FormatAlignBottom", ssSelection},
        {"LinkAddPoint", ssSelection},     {"LinkRemovePoint", ssSelection},
        {"LinkReverse", ssSelection},      {"LinkRotateCW", ssSelection},
        {"LinkRotateCCW", ssSelection},    {"LinkGrow", ssSelection},
        {"LinkShrink", ssSelection},
    };
    for (const TStepRow& row : kRows) {
        if (actionName == QLatin1String(row.Action)) {
            return row.Scope;
        }
    }
    return ssNone;
}

// The undo and redo captions: the action's own, then the name of the step.
QString StepCaption(const QAction& action, const QString& stepName) {
    const QString base = action.property(kBaseCaption).toString();
    return stepName.isEmpty() ? base : base + QLatin1Char(' ') + stepName;
}

} // namespace

QString TMDIChild::StepNameOf(const QAction& action) {
    // Qt derives the icon text from the caption without mnemonic and trailing dots.
    return action.iconText();
}

void TMDIChild::RecordStep(const QString& name, TStepScope scope,
                           const std::function<void()>& work) {
    if (scope == ssNone) {
        work();
        return;
    }
    TGraphHistory& history = RaroviRovoz->History();
    history.Record(name, [&] {
        if (scope == ssProperties && RaroviRovoz->SelectedObjectsCount() == 0) {
            history.CapturePageInfo();
        } else {
            history.Capture(RaroviRovoz->SelectedObjects());
        }
        work();
    });
}

std::span<const TChildActionRow> TMDIChild::ActionRows() {
    using C = TMDIChild;
    static const TChildActionRow rows[] = {
        {{"FileNew", "New", "Ctrl+N", "new", "New|Creates a new graph"},
         &C::FileNewExecute,
         urNone},
        {{"FileOpen", "Open...", "Ctrl+O", "open", "Open|Opens an existing graph"},
         &C::FileOpenExecute,
         urNone},
        {{"FileSave", "Save", "Ctrl+S", "save", "Save|Saves the current graph"},
         &C::FileSaveExecute,
         urModified},
        {{"FileSaveAs", "Save  As...", nullptr, "save-as",
          "Save As|Saves the current graph with a new name"},
         &C::FileSaveAsExecute,
         urHasObjects},
        {{"FileExport", "Export...", nullptr, nullptr,
          "Export|Exports the graph as a metafile image"},
         &C::FileExportExecute,
         urHasObjects},
        {{"FilePrint", "Print...", "Ctrl+P", "print",
          "Print|Sends the current graph  to the printer"},
         &C::FilePrintExecute,
         urCanPrint},
        {{"FileExit", "Exit", "Alt+F4", "exit", "Exit|Closes the application"},
         &C::NoOperation,
         urNone},
        {{"EditUndo", "Undo", "Ctrl+Z", "undo", "Undo|Takes back the last change of the graph"},
         &C::EditUndoExecute,
         urUndo},
        {{"EditRedo", "Redo", "Ctrl+Y", "redo", "Redo|Makes the change taken back again"},
         &C::EditRedoExecute,
         urRedo},
        {{"EditCut", "Cut", "Ctrl+X", "cut", "Cut|Cuts the selected items into the clipboard"},
         &C::EditCutExecute,
         urEditSelection},
        {{"EditCopy", "Copy", "Ctrl+C", "copy",
          "Copy|Copies the selected items into the clipboard"},
         &C::EditCopyExecute,
         urSelection},
        {{"EditPaste", "Paste", "Ctrl+V", "paste",
          "Paste|Inserts content of the clipboard into the current graph"},
         &C::EditPasteExecute,
         urPaste},
        {{"EditDelete", "Delete", "Del", "delete", "Delete|Deletes the selected items"},
         &C::EditDeleteExecute,
         urEditSelection},
        {{"EditSelectAll", "Select All", "Ctrl+A", "select-all",
          "Select All|Marks all graph's objects as selected"},
         &C::EditSelectAllExecute,
         urSelectAll},
        // The pop-up menu's item carries Ctrl+Shift+A; in Qt the item is the action.
        {{"EditInvertSelection", "Invert Selection", "Ctrl+Shift+A", "invert-selection",
          "Invert Selection|Toggles selection of objects."},
         &C::EditInvertSelectionExecute,
         urEditObjects},
        {{"EditBringToFront", "Bring To Front", nullptr, "bring-to-front",
          "Bring To Front|Puts the selected items in front of the other items"},
         &C::EditBringToFrontExecute,
         urEditSelection},
        {{"EditSendToBack", "Send To Back", nullptr, "send-to-back",
          "Send To Back|Puts the selected items behind of the other items"},
         &C::EditSendToBackExecute,
         urEditSelection},
        {{"EditLockNodes", "Lock Nodes", nullptr, "lock-nodes",
          "Lock Nodes|Toggle nodes locked/unlocked to prevent/allow movement and resizing of the "
          "nodes"},
         &C::EditLockNodesExecute,
         urLockNodes,
         akShowState},
        {{"EditLockLinks", "Lock Links/Lines", nullptr, "lock-links",
          "Lock Links/Lines|Toggle links locked/unlocked to prevent/allow changing endpoints and "
          "breakpoints of links/lines"},
         &C::EditLockLinksExecute,
         urLockLinks,
         akShowState},
        {{"EditProperties", "Properties...", nullptr, "properties",
          "Properties|Shows the property dialog for the selected item"},
         &C::EditPropertiesExecute,
         urNone},
        {{"EditAlign", "Edit Align", nullptr, "align-objects", nullptr},
         &C::EditAlignExecute,
         urMultiSelection},
        {{"EditSize", "EditSize", nullptr, "size-objects", nullptr},
         &C::EditSizeExecute,
         urMultiSelection},
        {{"MultiEdit", "multi Edit", nullptr, "size-objects", nullptr},
         &C::MultiEditExecute,
         urNone},
        {{"FormatBold", "Bold", "Ctrl+B", "bold",
          "Bold|Toggles bold attribute of the font for the selected objects."},
         &C::FormatBoldExecute,
         urNone,
         akToggle},
        {{"FormatItalic", "Italic", "Ctrl+I", "italic",
          "Italic|Toggles italic attribute of the font for the selected objects."},
         &C::FormatItalicExecute,
         urNone,
         akToggle},
        {{"FormatUnderline", "Underline", "Ctrl+U", "underline",
          "Underline|Toggles underline attribute of the font for the selected objects."},
         &C::FormatUnderlineExecute,
         urNone,
         akToggle},
        {{"FormatAlignLeft", "Align Left", nullptr, "align-left",
          "Align Left|Left-justifies text inside node."},
         nullptr,
         urNone,
         akHorzAlign},
        {{"FormatCenter", "Center", nullptr, "align-center",
          "Center|Horizontally centers text inside node."},
         nullptr,
         urNone,
         akHorzAlign},
        {{"FormatAlignRight", "Align Right", nullptr, "align-right",
          "Align Right|Right-justifies text inside node."},
         nullptr,
         urNone,
         akHorzAlign},
        {{"FormatAlignTop", "Align Top", nullptr, "align-top",
          "Align Top|Top-justifies text inside node."},
         nullptr,
         urNone,
         akVertAlign},
        {{"FormatVCenter", "Vertical Center", nullptr, "align-vcenter",
          "Vertical Center|Vertically centers text inside node."},
         nullptr,
         urNone,
         akVertAlign},
        {{"FormatAlignBottom", "Align Bottom", nullptr, "align-bottom",
          "Align Bottom|Bottom-justifies text inside node."},
         nullptr,
         urNone,
         akVertAlign},
        {{"ViewZoomIn", "Zoom In", nullptr, "zoom-in", "Zoom In|Increases the zoom factor."},
         &C::ViewZoomInExecute,
         urZoomIn},
        {{"ViewZoomOut", "Zoom Out", nullptr, "zoom-out", "Zoom Out|Decreases the zoom factor."},
         &C::ViewZoomOutExecute,
         urZoomOut},
        {{"ViewNoZoom", "Actual Size", nullptr, "zoom-actual",
          "Actual Size|Shows the graph in actual size."},
         &C::ViewNoZoomExecute,
         urNoZoom},
        {{"ViewGrid", "Show Grid", nullptr, "grid", "Show Grid|Toggles grid on/off."},
         &C::ViewGridExecute,
         urGrid,
         akShowState},
        {{"ViewPan", "ViewPan", nullptr, "pan", nullptr}, &C::ViewPanExecute, urPan, akShowState},
        {{"ObjectsNone", "Edit Mode", "Esc", "edit-mode",
          "Edit Mode|Changes the editor mode to edit mode"},
         &C::ObjectsNoneExecute,
         urEditMode,
         akShowState},
        {{"ObjectsLink", "Insert Link/Line", "Ctrl+0", "link",
          "Link/Line|Inserts a link/line into the graph"},
         &C::ObjectsLinkExecute,
         urInsertLink,
         akShowState},
        {{"ObjectsRectangle", "Insert Rectangle", "Ctrl+1", "rectangle",
          "Rectangle|Inserts a rectangular node into the graph"},
         nullptr,
         urInsertNode,
         akShowState,
         &ClassOf<TRectangularNode>},
        {{"ObjectsRoundRect", "Insert Round Rectangle", "Ctrl+2", "round-rectangle",
          "Round Rectangle|Inserts a round rectangular node into the graph"},
         nullptr,
         urInsertNode,
         akShowState,
         &ClassOf<TRoundRectangularNode>},
        {{"ObjectsEllipse", "Insert Ellipse", "Ctrl+3", "ellipse",
          "Ellipse|Inserts an elliptic node into the graph"},
         nullptr,
         urInsertNode,
         akShowState,
         &ClassOf<TEllipticNode>},
        {{"ObjectsTriangle", "Insert Triangle", "Ctrl+4", "triangle",
          "Triangle|Inserts a triangular node into the graph"},
         nullptr,
         urInsertNode,
         akShowState,
         &ClassOf<TTriangularNode>},
        {{"ObjectsRhomboid", "Insert Rhomboid", "Ctrl+5", "rhomboid",
          "Rhomboid|Inserts a rhomboidal node into the graph"},
         nullptr,
         urInsertNode,
         akShowState,
         &ClassOf<TRhomboidalNode>},
        {{"ObjectsPentagon", "Insert Pentagon", "Ctrl+6", "pentagon",
          "Pentagon|Inserts a pentagonal node into the graph"},
         nullptr,
         urInsertNode,
         akShowState,
         &ClassOf<TPentagonalNode>},
        {{"ObjectsHexagon", "Insert Hexagon", "Ctrl+7", "hexagon",
          "Hexagon|Inserts a hexagonal node into the graph"},
         nullptr,
         urInsertNode,
         akShowState,
         &ClassOf<THexagonalNode>},
        {{"ObjectsText", "ObjectsText", "Ctrl+8", "text", nullptr},
         nullptr,
         urNone,
         akCommand,
         &ClassOf<TTextNode>},
        {{"ObjectsData", "Data", "Ctrl+9", "data", "Data Object"},
         nullptr,
         urNone,
         akCommand,
         &ClassOf<TDataNode>},
        {{"ObjectsParallelogram", "Parallelogram", nullptr, "parallelogram", nullptr},
         nullptr,
         urNone,
         akCommand,
         &ClassOf<TParallelogramNode>},
        {{"QuorixLogo", "QuorixLogo", nullptr, "logo", nullptr}, &C::QuorixLogoExecute, urNone},
        {{"LinkAddPoint", "Add Point", nullptr, nullptr,
          "Add Point|Adds a breakpoint on the selected link/line."},
         &C::LinkAddPointExecute,
         urNone},
        {{"LinkRemovePoint", "Remove Point", nullptr, nullptr,
          "Remove Point|Deletes the selected point on the selected link/line."},
         &C::LinkRemovePointExecute,
         urNone},
        {{"LinkReverse", "Reverse Direction", nullptr, nullptr,
          "Reverse|Reverses direction of the link/line."},
         &C::LinkReverseExecute,
         urNone},
        {{"LinkRotateCW", "Rotate +90°", nullptr, nullptr,
          "Rotate 90°|Rotates the selected link/line 90° clockwise."},
         &C::LinkRotateCWExecute,
         urNone},
        {{"LinkRotateCCW", "Rotate -90°", nullptr, nullptr,
          "Rotate 90°|Rotates the selected link/line 90° counter clockwise."},
         &C::LinkRotateCCWExecute,
         urNone},
        {{"LinkGrow", "Grow (25%)", nullptr, nullptr,
          "Grow (25%)|Scales 25% up the selected link/line."},
         &C::LinkGrowExecute,
         urNone},
        {{"LinkShrink", "Shrink (25%)", nullptr, nullptr,
          "Shrink (25%)|Scales 25% down the selected link/line."},
         &C::LinkShrinkExecute,
         urNone},
        {{"OptionsConfirmHookLink", "Confirm Hooking/Linking", nullptr, nullptr,
          "Confirm Hooking/Linking|Toggles confirmation dialog for hooking and linking objects "
          "on/off."},
         &C::NoOperation,
         urNone,
         akToggle},
        // The Edit menu's item carries Ctrl+Alt+C; in Qt the item is the action.
        {{"CopyWMFToClipboard", "Copy Graphic to Clipboard", "Ctrl+Alt+C", nullptr, nullptr},
         &C::CopyWMFToClipboardExecute,
         urNone},
        {{"PrinterSetup", "Printer Setup", nullptr, "printer-setup", nullptr},
         &C::NoOperation,
         urNotYetAvailable},
        {{"PrintPreview", "PrintPreview", nullptr, "print-preview", nullptr},
         &C::PrintPreviewExecute,
         urNone},
    };
    return rows;
}

void TMDIChild::CreateActions() {
    auto* horzGroup = new QActionGroup(this);
    auto* vertGroup = new QActionGroup(this);
    for (const TChildActionRow& row : ActionRows()) {
        QAction* action = CreateAction(row.Design, this);
        // The window's shortcuts act while the focus is inside it, so those of other
        // document windows never compete.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setCheckable(row.Kind != akCommand);
        if (row.Kind == akHorzAlign) {
            horzGroup->addAction(action);
        } else if (row.Kind == akVertAlign) {
            vertGroup->addAction(action);
        }
        const TStepScope scope = StepScopeOf(action->objectName());
        if (row.NodeClass != nullptr) {
            const auto nodeClass = row.NodeClass;
            OnTriggered(action, this, [this, nodeClass] { StartInsertNode(nodeClass()); });
        } else if (row.Kind == akHorzAlign || row.Kind == akVertAlign) {
            const QString name = action->objectName();
            OnTriggered(action, this, [this, action, name] {
                RecordStep(StepNameOf(*action), ssSelection, [&] { ApplyAlignment(name); });
            });
        } else {
            const auto handler = row.Handler;
            OnTriggered(action, this, [this, action, handler, scope] {
                RecordStep(StepNameOf(*action), scope, [&] { (this->*handler)(); });
            });
        }
        addAction(action);
        fActionList.append(action);
        fActions.insert(action->objectName(), action);
    }
    fActions.value(QStringLiteral("EditRedo"))
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    fActions.value(QStringLiteral("FormatCenter"))->setChecked(true);
    fActions.value(QStringLiteral("FormatVCenter"))->setChecked(true);
}

void TMDIChild::ActionListUpdate() {
    const QList<QAction*>& actions = fActionList;
    const std::span<const TChildActionRow> rows = ActionRows();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        ApplyUpdateRule(rows[static_cast<size_t>(i)], *actions[i]);
    }
    RaroviRovozGraphChange();
    RaroviRovozZoomChange();
    SetPanel(spPaper, PaperText());
}

void TMDIChild::ApplyUpdateRule(const TChildActionRow& row, QAction& action) const {
    const TRaroviRovoz& graph = *RaroviRovoz;
    const bool editable = graph.CommandMode() != cmViewOnly;
    const int32_t objects = graph.ObjectsCount();
    const int32_t selected = graph.SelectedObjectsCount();
    const auto show = [&action](bool enabled, bool checked) {
        action.setEnabled(enabled);
        action.setChecked(checked);
    };
    switch (row.Rule) {
    case urNone:
        return;
    case urModified:
        action.setEnabled(graph.Modified());
        return;
    case urHasObjects:
        action.setEnabled(objects > 0);
        return;
    case urCanPrint:
        action.setEnabled(objects > 0 && HasPrinter());
        return;
    case urSelection:
        action.setEnabled(selected > 0);
        return;
    case urEditSelection:
        action.setEnabled(editable && selected > 0);
        return;
    case urPaste:
        action.setEnabled(editable && CanPaste());
        return;
    case urSelectAll:
        action.setEnabled(editable && selected < objects);
        return;
    case urEditObjects:
        action.setEnabled(editable && objects > 0);
        return;
    case urLockNodes:
        show(editable, graph.LockNodes());
        return;
    case urLockLinks:
        show(editable, graph.LockLinks());
        return;
    case urMultiSelection:
        action.setEnabled(selected > 1);
        return;
    case urZoomIn:
        action.setEnabled(graph.Zoom() < 500);
        return;
    case urZoomOut:
        action.setEnabled(graph.Zoom() > 20);
        return;
    case urNoZoom:
        action.setEnabled(graph.Zoom() != 100);
        return;
    case urGrid:
        action.setChecked(graph.ShowGrid());
        return;
    case urPan:
        show(graph.HorzScrollBar().IsScrollBarVisible() ||
                 graph.VertScrollBar().IsScrollBarVisible(),
             graph.CommandMode() == cmPan);
        return;
    case urEditMode:
        show(editable, graph.CommandMode() == cmEdit);
        return;
    case urInsertLink:
        show(editable, graph.CommandMode() == cmInsertLink);
        return;
    case urInsertNode:
        show(editable,
             graph.CommandMode() == cmInsertNode && graph.DefaultNodeClass() == &row.NodeClass());
        return;
    case urNotYetAvailable:
        action.setEnabled(false);
        return;
    case urUndo:
    case urRedo: {
        const TGraphHistory& history = graph.History();
        const bool undo = row.Rule == urUndo;
        action.setEnabled(undo ? history.CanUndo() : history.CanRedo());
        const QString caption =
            StepCaption(action, undo ? history.Stack().undoText() : history.Stack().redoText());
        if (action.text() != caption) {
            action.setText(caption);
        }
        return;
    }
    }
}

} // namespace zov
