// The frame window: its actions and menus, the menu bar merged with the active
// document window's menus, the Window menu and the arrangement of the windows.
#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/ActionTable.h"
#include "app/MDIChild.h"
#include "app/WindowTiling.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <algorithm>

namespace zov {

namespace {

struct TFrameActionRow {
    TActionDesign Design;
    void (TMainForm::*Handler)();
};

// The menus of the frame and the groups that place a document window's menus among
// them.
constexpr int kFileGroup = 0;
constexpr int kWindowGroup = 9;
constexpr int kHelpGroup = 10;

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("ZOV"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/zov.svg")));
    resize(701, 527 + menuBar()->sizeHint().height());
    fMdiArea = new QMdiArea(this);
    fMdiArea->setObjectName(QStringLiteral("MdiArea"));
    fMdiArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(fMdiArea);
    CreateActions();
    CreateMenus();
    fAboutBox = new TAboutBox(this);
    connect(fMdiArea, &QMdiArea::subWindowActivated, this, [this] { RebuildMenuBar(); });
    // Action states follow the graphs once per pass of the event loop, when it is about
    // to wait for the next event.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TMainForm::UpdateActions);
    RebuildMenuBar();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateActions() {
    using F = TMainForm;
    // In the order of the action list, which is the order of translation.
    static const TFrameActionRow rows[] = {
        {{"EditCut1", "&Ausschneiden", "Ctrl+X", "cut",
          "Ausschneiden|Markiertes Objekt in die Zwischenablage verschieben"},
         nullptr},
        {{"EditCopy1", "&Kopieren", "Ctrl+C", "copy",
          "Kopieren|Markiertes Objekt in die Zwischenablage kopieren"},
         nullptr},
        {{"EditPaste1", "&Einfügen", "Ctrl+V", "paste",
          "Einfügen|Inhalt der Zwischenablage einfügen"},
         nullptr},
        {{"FileNew1", "&New", "Ctrl+N", "new", "Neu|Neue Datei erstellen"}, &F::FileNew1Execute},
        {{"FileSave1", "&Save", "Ctrl+S", "save", "Speichern|Aktuelle Datei speichern"},
         &F::FileSave1Execute},
        {{"FileExit1", "&Exit", nullptr, nullptr, "Beenden|Programm beenden"},
         &F::FileExit1Execute},
        {{"FileOpen1", "&Open", "Ctrl+O", "open", "Öffnen|Datei öffnen"}, &F::FileOpen1Execute},
        {{"FileSaveAs1", "Save &as", nullptr, nullptr,
          "Speichern unter|Datei unter einem anderen Namen speichern"},
         &F::FileSaveAs1Execute},
        {{"WindowCascade1", "Cascade", nullptr, "cascade", "Überlappend"},
         &F::WindowCascade1Execute},
        {{"WindowTileHorizontal1", "Tile Horizontal", nullptr, "tile-horizontal",
          "Horizontal anordnen"},
         &F::WindowTileHorizontal1Execute},
        {{"WindowArrangeAll1", "Arrange All", nullptr, nullptr, "Alle anordnen"},
         &F::WindowArrangeAll1Execute},
        {{"WindowMinimizeAll1", "Minimize All", nullptr, nullptr, "Alle verkleinern"},
         &F::WindowMinimizeAll1Execute},
        {{"HelpAbout1", "&Info...", nullptr, nullptr,
          "Info|Shows the program's information and version number"},
         &F::HelpAbout1Execute},
        {{"FileClose1", "&Close", nullptr, nullptr, "Schließen|Aktuelle Datei schließen"},
         &F::FileClose1Execute},
        {{"WindowTileVertical1", "Tile Vertical", nullptr, "tile-vertical", "Vertikal anordnen"},
         &F::WindowTileVertical1Execute},
        {{"PrintFile", "Print Graphic", "Ctrl+P", "print", nullptr}, &F::PrintFileExecute},
        {{"RegApplication", "Install ZOV", nullptr, nullptr, nullptr}, &F::RegApplicationExecute},
        {{"Setup", "Setup", nullptr, nullptr, nullptr}, &F::SetupExecute},
        {{"actZOVHELP", "Help", nullptr, "help", nullptr}, &F::actZOVHELPExecute},
    };
    for (const TFrameActionRow& row : rows) {
        QAction* action = CreateAction(row.Design, this);
        if (row.Handler != nullptr) {
            const auto handler = row.Handler;
            OnTriggered(action, this, [this, handler] { (this->*handler)(); });
        }
        fActionList.append(action);
        fActions.insert(action->objectName(), action);
    }
    // The text-field clipboard commands: Qt's text fields have their own.
    fActions.value(QStringLiteral("EditCut1"))->setEnabled(false);
    fActions.value(QStringLiteral("EditCopy1"))->setEnabled(false);
    for (const char* name : {"FileNew1", "FileOpen1", "FileSave1", "PrintFile"}) {
        QAction* action = fActions.value(QLatin1String(name));
        fSharedShortcuts.insert(action, action->shortcut());
    }
}

void TMainForm::CreateMenus() {
    const auto act = [this](const char* name) {
        return fActions.value(QLatin1String(name));
    };
    const auto makeMenu = [this](const char* name, const QString& title) {
        auto* menu = new QMenu(title, this);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    File1 = makeMenu("File1", QStringLiteral("&File"));
    File1->addActions({act("FileNew1"), act("FileOpen1"), act("FileClose1"), act("FileSave1"),
                       act("FileSaveAs1")});
    File1->addSeparator();
    File1->addAction(act("FileExit1"));
    File1->addSeparator();
    File1->addAction(act("PrintFile"));
    File1->addSeparator();
    Window1 = makeMenu("Window1", QStringLiteral("&Window"));
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);
    FillWindowMenu();
    Help1 = makeMenu("Help1", QStringLiteral("&Help"));
    Help1->addActions({act("HelpAbout1"), act("actZOVHELP")});
    Help1->addSeparator();
    Help1->addActions({act("RegApplication"), act("Setup")});

    // Never shown; its actions' shortcuts therefore never fire either.
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->addActions({act("FileNew1"), act("FileOpen1"), act("FileSave1")});
    ToolBar2->addSeparator();
    ToolBar2->addActions({act("EditCut1"), act("EditCopy1"), act("EditPaste1")});
    ToolBar2->addSeparator();
    ToolBar2->addActions(
        {act("WindowCascade1"), act("WindowTileHorizontal1"), act("WindowTileVertical1")});
    addToolBar(ToolBar2);
    ToolBar2->setVisible(false);
    // The frame's own commands work wherever the focus is in the frame.
    addActions({act("FileNew1"), act("FileOpen1"), act("FileSave1"), act("PrintFile")});
}

void TMainForm::RebuildMenuBar() {
    TMDIChild* child = ActiveChild();
    QList<TMenuGroup> menus{{File1, kFileGroup}, {Window1, kWindowGroup}, {Help1, kHelpGroup}};
    if (child != nullptr) {
        menus.append(child->MenuGroups());
    }
    // Stable: of equal groups the frame's come first, then the window's in its order.
    std::stable_sort(menus.begin(), menus.end(),
                     [](const TMenuGroup& a, const TMenuGroup& b) { return a.Group < b.Group; });
    QMenuBar* bar = menuBar();
    bar->clear();
    for (const TMenuGroup& entry : menus) {
        bar->addMenu(entry.Menu);
    }
    ShareShortcuts(child != nullptr);
}

void TMainForm::ShareShortcuts(bool childActive) {
    for (auto it = fSharedShortcuts.cbegin(); it != fSharedShortcuts.cend(); ++it) {
        it.key()->setShortcut(childActive ? QKeySequence() : it.value());
    }
}

void TMainForm::FillWindowMenu() {
    Window1->clear();
    Window1->addActions({Action(QStringLiteral("WindowCascade1")),
                         Action(QStringLiteral("WindowTileHorizontal1")),
                         Action(QStringLiteral("WindowTileVertical1")),
                         Action(QStringLiteral("WindowMinimizeAll1")),
                         Action(QStringLiteral("WindowArrangeAll1"))});
    const QList<QMdiSubWindow*> windows = fMdiArea->subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    Window1->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = Window1->addAction(
            number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        ++number;
        item->setCheckable(true);
        item->setChecked(window == fMdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this,
                [this, window] { fMdiArea->setActiveSubWindow(window); });
    }
}

void TMainForm::UpdateActions() {
    for (TMDIChild* child : Children()) {
        child->ActionListUpdate();
    }
}

TMDIChild* TMainForm::ActiveChild() const {
    QMdiSubWindow* window = fMdiArea->activeSubWindow();
    return window != nullptr ? qobject_cast<TMDIChild*>(window->widget()) : nullptr;
}

QList<TMDIChild*> TMainForm::Children() const {
    QList<TMDIChild*> children;
    for (QMdiSubWindow* window : fMdiArea->subWindowList()) {
        if (auto* child = qobject_cast<TMDIChild*>(window->widget())) {
            children.append(child);
        }
    }
    return children;
}

bool TMainForm::event(QEvent* event) {
    // The frame's menu hints go where the document windows show theirs; without this
    // the frame would grow a status bar of its own.
    if (event->type() == QEvent::StatusTip) {
        TMDIChild::ShowApplicationHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::WindowCascade1Execute() {
    for (QMdiSubWindow* window : fMdiArea->subWindowList()) {
        window->showNormal();
    }
    fMdiArea->cascadeSubWindows();
}

void TMainForm::WindowTileHorizontal1Execute() {
    Tile(tdHorizontal);
}

void TMainForm::WindowTileVertical1Execute() {
    Tile(tdVertical);
}

void TMainForm::Tile(TTileDirection direction) {
    const QList<QMdiSubWindow*> windows = fMdiArea->subWindowList();
    const QList<QRect> rects =
        TileRects(fMdiArea->viewport()->rect(), static_cast<int>(windows.size()), direction);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}

void TMainForm::WindowMinimizeAll1Execute() {
    for (QMdiSubWindow* window : fMdiArea->subWindowList()) {
        window->showMinimized();
    }
}

void TMainForm::WindowArrangeAll1Execute() {
    // The minimized windows in a row along the bottom edge, wrapping upwards.
    const QRect area = fMdiArea->viewport()->rect();
    QPoint next(area.left(), area.bottom());
    for (QMdiSubWindow* window : fMdiArea->subWindowList()) {
        if (!window->isMinimized()) {
            continue;
        }
        const QSize size = window->size();
        if (next.x() > area.left() && next.x() + size.width() > area.right()) {
            next = QPoint(area.left(), next.y() - size.height());
        }
        window->move(next.x(), next.y() - size.height() + 1);
        next.rx() += size.width();
    }
}

} // namespace zov
