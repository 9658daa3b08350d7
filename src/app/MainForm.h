#pragma once

#include "app/WindowTiling.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace zov {

class TAboutBox;
class TMDIChild;

// What the command line asks the program to do.
enum TStartResult : uint8_t {
    srRun,  // windows are open: run the event loop
    srQuit, // the task is done ("INST"): end without the event loop
};

// The frame window: the document windows in an MDI area, the File, Window and Help
// menus merged with the active document window's menus, and the start-up and
// shut-down of the program.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The steps of the first show: settings, language, recent files, the File menu,
    // the open filter, the translation, then the command line (the arguments after
    // the program name).
    TStartResult FormShow(const QStringList& arguments);

    // Opens a document window titled fileName, loading the file when it exists. A file
    // that exists but cannot be read throws; the empty window stays.
    TMDIChild* OpenDocumentWindow(const QString& fileName);
    TMDIChild* ActiveChild() const;
    QList<TMDIChild*> Children() const;
    QMdiArea& MdiArea() const { return *fMdiArea; }
    QAction* Action(const QString& name) const { return fActions.value(name); }
    QString OpenFilter() const { return fOpenFilters.join(QStringLiteral(";;")); }

    // The update rules of every document window's actions.
    void UpdateActions();

    // The file association, reporting its outcome ("well done!" only when asked).
    void RegisterApplication(bool showSuccess);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void TranslateWindow();
    void BuildRecentFileMenu();
    void RecentFileClick(int index);
    void RebuildMenuBar();
    void FillWindowMenu();
    // The frame's Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+P give way to the document window's
    // own while one is active: two actions with one shortcut would both stay silent.
    void ShareShortcuts(bool childActive);

    void FileNew1Execute();
    void FileOpen1Execute();
    void FileClose1Execute();
    void FileSave1Execute();
    void FileSaveAs1Execute();
    void FileExit1Execute();
    void PrintFileExecute();
    void HelpAbout1Execute();
    void actZOVHELPExecute();
    void RegApplicationExecute();
    void SetupExecute();
    void WindowCascade1Execute();
    void WindowTileHorizontal1Execute();
    void WindowTileVertical1Execute();
    void WindowMinimizeAll1Execute();
    void WindowArrangeAll1Execute();
    void Tile(TTileDirection direction);

    QMdiArea* fMdiArea = nullptr;
    QMenu* File1 = nullptr;
    QMenu* Window1 = nullptr;
    QMenu* Help1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    TAboutBox* fAboutBox = nullptr;
    QList<QAction*> fActionList;
    QHash<QString, QAction*> fActions;
    QHash<QAction*, QKeySequence> fSharedShortcuts;
    QStringList fOpenFilters{QStringLiteral("Alle Dateien (*)")};
};

} // namespace zov
