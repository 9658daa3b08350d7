#pragma once

#include "graph/control/RaroviRovoz.h"
#include "platform/pictures/Metafile.h"

#include <QHash>
#include <QMainWindow>
#include <QPrinter>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <span>

class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace zov {

class TColorBox;
struct TChildActionRow;
enum TStepScope : uint8_t;

// A top-level menu a document window lends the frame's menu bar, with the group that
// places it among the frame's own menus.
struct TMenuGroup {
    QMenu* Menu;
    int Group;
};

// The status-bar panels of a document window.
enum TStatusPanel : uint8_t {
    spCommandMode,
    spPosition,
    spSize,
    spText,
    spModified,
    spZoom,
    spPaper,
    spHint,
};
inline constexpr int kStatusPanelCount = spHint + 1;

// A document window: one graph in its control, the commands that act on it (actions,
// menus lent to the frame, tool bars, pop-up menus), its file, export and print.
class TMDIChild : public QMainWindow {
    Q_OBJECT
public:
    explicit TMDIChild(QWidget* parent = nullptr);
    ~TMDIChild() override;

    // Loads a graph file into this window. The file is read whole into a fresh graph
    // first, so a file that fails to load leaves the window's graph, name and caption
    // as they were; the error is thrown on.
    void OpenFile(const QString& sFile);
    // Asks to save a modified graph: Yes saves (true when the save went through), No
    // discards the changes (true), Cancel and Esc keep them (false).
    bool IsGraphSaved();
    // The printer's orientation from the graph: landscape when Lage is "L".
    void InitPrinter();
    // Orientation and paper type from the printer's page (a paper the table does not
    // know leaves the type); a change marks the graph modified.
    void TakePageFromPrinter();
    // The update rules of every action, then the modified, zoom and paper panels.
    void ActionListUpdate();

    // The window's operations, also run by the frame.
    void FileSave();
    void FileSaveAs();
    void FilePrint();

    TRaroviRovoz& Graph() { return *RaroviRovoz; }
    // The printer the window prints on; it keeps its settings between prints.
    QPrinter& Printer() { return fPrinter; }
    QAction* Action(const QString& name) const { return fActions.value(name); }
    const QList<QAction*>& Actions() const { return fActionList; }
    QList<TMenuGroup> MenuGroups() const;
    QString PanelText(TStatusPanel panel) const;
    QString SaveFileName() const { return fSaveFileName; }
    // The frame's graph filter, used by the save dialog.
    void SetSaveFilters(const QStringList& filters) { fSaveFilters = filters; }

    // The text shown when the mouse rests on an object.
    static QString HoverText(const TGraphObject& object);

    // Shows a hint's long part in panel 7 of the window that handles the program's
    // hints: the most recently created document window still open.
    static void ShowApplicationHint(const QString& hint);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Construction, in MDIChild.cpp.
    void CreateGraph();
    void CreateActions();
    void CreateToolBars();
    void CreateStatusBar();
    void CreateMenus();
    void TranslateWindow();
    void SetPanel(TStatusPanel panel, const QString& text);

    // The action table and the update rules, in MDIChildActions.cpp.
    static std::span<const TChildActionRow> ActionRows();
    void ApplyUpdateRule(const TChildActionRow& row, QAction& action) const;
    // Runs a command as one undo step that first keeps what the scope names.
    void RecordStep(const QString& name, TStepScope scope, const std::function<void()>& work);
    // The step a command makes is named by its caption, without mnemonic and dots.
    static QString StepNameOf(const QAction& action);

    // Printing, printer setup and the print preview, in MDIChildPrint.cpp.
    void FilePrintExecute();
    void PrinterSetupExecute();
    void PrintPreviewExecute();

    // The property, multi-node, align and size dialogs, in MDIChildDialogs.cpp.
    void EditPropertiesExecute();
    void EditAlignExecute();
    void EditSizeExecute();
    void MultiEditExecute();

    // Files, export and the clipboard picture, in MDIChildFile.cpp.
    void FileNewExecute();
    void FileOpenExecute();
    void FileSaveExecute();
    void FileSaveAsExecute();
    void FileExportExecute();
    void CopyWMFToClipboardExecute();
    // The save dialog; the chosen name, or an empty one on Cancel.
    QString RunSaveDialog();
    void SaveGraphAs(const QString& fileName);
    void SetCaptionFromSaveName();

    // Editing, z-order, links, modes, zoom and formatting, in MDIChildCommands.cpp.
    void EditUndoExecute();
    void EditRedoExecute();
    void EditCutExecute();
    void EditCopyExecute();
    void EditPasteExecute();
    void EditDeleteExecute();
    void EditSelectAllExecute();
    void EditInvertSelectionExecute();
    void EditBringToFrontExecute();
    void EditSendToBackExecute();
    void EditLockNodesExecute();
    void EditLockLinksExecute();
    void FormatBoldExecute();
    void FormatItalicExecute();
    void FormatUnderlineExecute();
    void ViewZoomInExecute();
    void ViewZoomOutExecute();
    void ViewNoZoomExecute();
    void ViewGridExecute();
    void ViewPanExecute();
    void ObjectsNoneExecute();
    void ObjectsLinkExecute();
    void QuorixLogoExecute();
    void StartInsertNode(const TGraphObjectClass& nodeClass);
    void LinkAddPointExecute();
    void LinkRemovePointExecute();
    void LinkReverseExecute();
    void LinkRotateCWExecute();
    void LinkRotateCCWExecute();
    void LinkGrowExecute();
    void LinkShrinkExecute();
    void NoOperation() {}
    // Runs step on every selected object, from the last selected to the first, inside
    // one update bracket.
    void ApplyToSelection(const std::function<void(TGraphObject&)>& step);
    // ApplyToObject with the code on every selected object.
    void ForEachSelected(int32_t code);
    // The per-object step of the link commands reverse (20) and rotate (21, 22).
    bool ApplyToObject(TGraphObject& object, int32_t code);
    void ToggleFontStyle(TFontStyle style, bool on);
    void ApplyAlignment(const QString& actionName);
    TGraphLink* FirstSelectedLink() const;

    // Reactions to the graph, in MDIChildEvents.cpp.
    void ConnectGraphEvents();
    void DisconnectGraphEvents();
    void RaroviRovozObjectInsert(TGraphObject* object);
    void RaroviRovozGraphChange();
    void RaroviRovozCommandModeChange();
    void RaroviRovozZoomChange();
    void ObjectsPopupPopup();
    void EditProperties();
    bool WheelZoom(int32_t direction, const TPoint& mousePos);
    bool Confirm(const QString& question);
    // Whether a hook or link the graph permits is put to the user first.
    bool AsksToConfirm(const TGraphLink* link, bool permitted) const;
    void RaroviRovozCanHookLink(TGraphObject* object, TGraphLink* link, int32_t index,
                                bool& canHook);
    void RaroviRovozCanLinkObjects(TGraphLink* link, TGraphObject* source, TGraphObject* target,
                                   bool& canLink);

    // The tool-bar boxes, in MDIChildToolBars.cpp.
    void ConnectToolBars();
    void FormatFromToolBars(TGraphObject& object);
    void RaroviRovozObjectSelect(TGraphObject* object);
    void RaroviRovozObjectChange(TGraphObject* object);
    void ShowFont(const TFont& font);
    void ShowNode(const TGraphNode& node);
    void ShowBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    // A tool-bar change of every selected object, as one undo step.
    void FormatSelection(const char* stepName, const std::function<void(TGraphObject&)>& step);
    void cbxFontNameChange(const QString& name);
    void cbxFontSizeChange(const QString& text);
    void LineSize2Change(const QString& text);
    void FontColorChange();
    void NodeBackgroundColorChange();
    void LineColorChange();
    static QString CommandModeText(TGraphCommandMode mode);
    QString PaperText() const;

    // Fields.
    TPoint TargetPt;
    bool bInChange = false;
    bool bFileload = false;
    bool bLogo = false;
    TMetafile oLogo;
    QString fSaveFileName; // the save dialog's file name
    QStringList fSaveFilters;
    QPrinter fPrinter;
    int32_t fRemovePointIndex = 0; // Remove Point's point, found when the pop-up opened

    // Components.
    TRaroviRovoz* RaroviRovoz = nullptr;
    QStatusBar* StatusBar = nullptr;
    std::array<QLabel*, kStatusPanelCount> fPanels{};
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    TColorBox* FontColor = nullptr;
    QComboBox* cbxFontName = nullptr;
    QComboBox* cbxFontSize = nullptr;
    TColorBox* NodeBackgroundColor = nullptr;
    QComboBox* LineSize = nullptr;
    TColorBox* LineColor = nullptr;
    QToolButton* ToolButtonQuorix = nullptr;
    QMenuBar* ClientMenue = nullptr;
    QMenu* Bearbeiten1 = nullptr;
    QMenu* Objekte1 = nullptr;
    QMenu* ools1 = nullptr;
    QMenu* DesignerPopup = nullptr;
    QMenu* ObjectsPopup = nullptr;
    QList<QAction*> fActionList; // the action list, in table order
    QHash<QString, QAction*> fActions;
};

} // namespace zov
