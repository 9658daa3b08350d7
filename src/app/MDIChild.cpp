// The document window's construction: the graph control with its settings, the tool
// bars, the status bar, the menus and the translation of the window.
#include "app/MDIChild.h"

#include "app/AppConstants.h"
#include "app/MDIChildActions.h"
#include "dialogs/ColorBox.h"
#include "localization/DlgTexte.h"
#include "localization/Hints.h"
#include "localization/widgets/FormTranslator.h"
#include "localization/widgets/WidgetTexts.h"
#include "settings/MetafileResource.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

namespace zov {

namespace {

// The window that shows the program's hints; each new window takes them over, and a
// window that closes leaves them to nobody.
QPointer<TMDIChild> gHintWindow;

struct TPanelDesign {
    int Width;
    Qt::Alignment Alignment;
};

constexpr TPanelDesign kPanels[kStatusPanelCount] = {
    {100, Qt::AlignLeft}, {60, Qt::AlignHCenter}, {60, Qt::AlignHCenter}, {180, Qt::AlignLeft},
    {80, Qt::AlignLeft},  {50, Qt::AlignHCenter}, {500, Qt::AlignLeft},   {50, Qt::AlignLeft},
};

// A status-bar panel: its designed width while there is room, narrower when the
// window is, so the panels never keep the window wider than the screen.
class TStatusPanelLabel : public QLabel {
public:
    TStatusPanelLabel(int width, QWidget* parent) : QLabel(parent), fWidth(width) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }
    // The designed width.
    QSize sizeHint() const override { return {fWidth, QLabel::sizeHint().height()}; }
    // Any width down to a few pixels.
    QSize minimumSizeHint() const override { return {8, QLabel::minimumSizeHint().height()}; }

private:
    int fWidth;
};

QComboBox* MakeCombo(const char* name, const QString& hint, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    SetWidgetHint(*combo, hint);
    return combo;
}

TColorBox* MakeColorBox(const char* name, const QString& hint, TColor color, QWidget* parent) {
    auto* box = new TColorBox(parent);
    box->setObjectName(QLatin1String(name));
    SetWidgetHint(*box, hint);
    box->SetSelected(color);
    return box;
}

} // namespace

TMDIChild::TMDIChild(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MDIChild"));
    setWindowTitle(QStringLiteral("Untergeordnetes MDI"));
    resize(925, 856);
    fSaveFileName = kUntitled;
    oLogo = LoadMetafileResource(QStringLiteral("QUORIXLOGO"));
    gHintWindow = this;
    CreateGraph();
    CreateActions();
    CreateToolBars();
    CreateStatusBar();
    CreateMenus();
    ConnectGraphEvents();
    ConnectToolBars();
    RaroviRovozCommandModeChange();
    cbxFontName->addItems(QFontDatabase::families());
    cbxFontName->setCurrentIndex(-1);
    cbxFontName->setEditText(QString());
    cbxFontSize->setEditText(QStringLiteral("9"));
    LineSize->setEditText(QStringLiteral("4"));
    TranslateWindow();
    RaroviRovoz->setFocus();
}

TMDIChild::~TMDIChild() {
    // The graph's objects leave with events; this window no longer listens by then.
    DisconnectGraphEvents();
    delete RaroviRovoz;
}

void TMDIChild::CreateGraph() {
    RaroviRovoz = new TRaroviRovoz(this);
    RaroviRovoz->setObjectName(QStringLiteral("RaroviRovoz"));
    setCentralWidget(RaroviRovoz);
    RaroviRovoz->SetColor(clWhite);
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetHeight(-13);
    font.SetStyle(TFontStyles{fsBold});
    font.SetColor(clNavy);
    RaroviRovoz->SetFont(font);
    TGraphConstraints& constraints = RaroviRovoz->GraphConstraints();
    constraints.SetMinLeft(28);
    constraints.SetMinTop(28);
    constraints.SetMaxRight(1197);
    constraints.SetMaxBottom(855);
    for (TGraphScrollBar* bar : {&RaroviRovoz->HorzScrollBar(), &RaroviRovoz->VertScrollBar()}) {
        bar->SetStyle(ssFlat);
        bar->SetTracking(true);
    }
    RaroviRovoz->SetSnapToGrid(false);
    for (int line = 0; line < 4; ++line) {
        RaroviRovoz->SetInfo(line, QString::number(line + 1));
    }
    RaroviRovoz->SetLage('L');
    RaroviRovoz->SetFaser(0);
    RaroviRovoz->SetAbsolut(1);
    RaroviRovoz->SetAutor(QStringLiteral("ZOV"));
    RaroviRovoz->SetKenn(QStringLiteral("ZOV"));
    RaroviRovoz->SetModified(false);
    RaroviRovoz->History().Clear();
}

void TMDIChild::CreateToolBars() {
    const auto act = [this](const char* name) {
        return fActions.value(QLatin1String(name));
    };
    const auto addActions = [&act](QToolBar* bar, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (name == nullptr) {
                bar->addSeparator();
            } else {
                bar->addAction(act(name));
            }
        }
    };

    ToolBar2 = new QToolBar(QStringLiteral("ToolBar2"), this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    addActions(ToolBar2,
               {"ObjectsNone", "ViewPan", nullptr, "ObjectsLink", "ObjectsText", "ObjectsRectangle",
                "ObjectsRoundRect", "ObjectsPentagon", "ObjectsRhomboid", "ObjectsTriangle",
                "ObjectsHexagon", "ObjectsEllipse", "ObjectsParallelogram", "ObjectsData"});
    NodeBackgroundColor =
        MakeColorBox("NodeBackgroundColor", QStringLiteral("Backgroundcolor"), clCream, ToolBar2);
    ToolBar2->addWidget(NodeBackgroundColor);
    LineSize = MakeCombo("LineSize",
                         QStringLiteral("Font Size|Sets the font size for the selected objects."),
                         ToolBar2);
    for (int size = 1; size <= 20; ++size) {
        LineSize->addItem(QString::number(size));
    }
    LineSize->addItems(
        {QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("60")});
    ToolBar2->addWidget(LineSize);
    LineColor = MakeColorBox("LineColor", QStringLiteral("LineColor"), clBlack, ToolBar2);
    ToolBar2->addWidget(LineColor);
    addActions(ToolBar2, {"EditAlign", "EditSize"});
    ToolButtonQuorix = new QToolButton(ToolBar2);
    ToolButtonQuorix->setObjectName(QStringLiteral("ToolButtonQuorix"));
    ToolButtonQuorix->setDefaultAction(act("QuorixLogo"));
    ToolButtonQuorix->setText(QStringLiteral("Quorix Logo"));
    ToolButtonQuorix->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolBar2->addWidget(ToolButtonQuorix)->setVisible(false);

    ToolBar1 = new QToolBar(QStringLiteral("ToolBar1"), this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    addActions(ToolBar1,
               {"FileSave", "FilePrint", "PrintPreview", "PrinterSetup", nullptr, "EditUndo",
                "EditRedo", nullptr, "FormatBold", "FormatItalic", "FormatUnderline"});
    FontColor = MakeColorBox("FontColor", QStringLiteral("Fontcolor"), clBlack, ToolBar1);
    ToolBar1->addWidget(FontColor);
    cbxFontName =
        MakeCombo("cbxFontName",
                  QStringLiteral("Font Name|Sets the font for the selected objects."), ToolBar1);
    cbxFontName->setMaxVisibleItems(24);
    cbxFontName->setMinimumContentsLength(14);
    ToolBar1->addWidget(cbxFontName);
    cbxFontSize = MakeCombo(
        "cbxFontSize", QStringLiteral("Font Size|Sets the font size for the selected objects."),
        ToolBar1);
    for (const char* size : {"8", "10", "12", "14", "18", "24", "36", "48"}) {
        cbxFontSize->addItem(QLatin1String(size));
    }
    cbxFontSize->setMinimumContentsLength(3);
    ToolBar1->addWidget(cbxFontSize);
    addActions(ToolBar1, {"FormatAlignLeft", "FormatCenter", "FormatAlignRight", "FormatAlignTop",
                          "FormatVCenter", "FormatAlignBottom", nullptr, "EditSendToBack",
                          "EditBringToFront", "EditSelectAll", "EditInvertSelection", "ViewZoomIn",
                          "ViewZoomOut", "ViewNoZoom", "EditLockNodes", "EditLockLinks"});

    for (QToolBar* bar : {ToolBar1, ToolBar2}) {
        bar->setIconSize(QSize(16, 16));
    }
    addToolBar(Qt::TopToolBarArea, ToolBar1);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, ToolBar2);
}

void TMDIChild::CreateStatusBar() {
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* panel = new TStatusPanelLabel(kPanels[i].Width, StatusBar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setAlignment(kPanels[i].Alignment | Qt::AlignVCenter);
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameShape(QFrame::StyledPanel);
        StatusBar->addWidget(panel, i == spHint ? 1 : 0);
        fPanels[static_cast<size_t>(i)] = panel;
    }
    setStatusBar(StatusBar);
}

void TMDIChild::CreateMenus() {
    const auto fill = [this](QMenu* menu, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (name == nullptr) {
                menu->addSeparator();
            } else {
                menu->addAction(fActions.value(QLatin1String(name)));
            }
        }
    };
    const auto makeMenu = [this](QWidget* parent, const char* name, const QString& title) {
        auto* menu = new QMenu(title, parent);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    // The menus the frame's bar shows while this window is active; this bar itself is
    // never shown.
    ClientMenue = new QMenuBar(this);
    ClientMenue->setObjectName(QStringLiteral("ClientMenue"));
    ClientMenue->setVisible(false);
    Bearbeiten1 = makeMenu(this, "Bearbeiten1", QStringLiteral("Edit"));
    fill(Bearbeiten1, {"EditUndo", "EditRedo", nullptr, "EditCopy", "EditCut", "EditPaste",
                       "EditDelete", "EditSelectAll", "EditInvertSelection", "EditBringToFront",
                       "EditSendToBack", nullptr, "CopyWMFToClipboard", "FileExport"});
    Objekte1 = makeMenu(this, "Objekte1", QStringLiteral("Objects"));
    fill(Objekte1, {"ObjectsRectangle", "ObjectsRoundRect", "ObjectsEllipse", "ObjectsTriangle",
                    "ObjectsHexagon", nullptr, "ObjectsLink"});
    ools1 = makeMenu(this, "ools1", QStringLiteral("Tools"));
    fill(ools1, {"FileExport", "ViewGrid", "ViewZoomIn", "ViewZoomOut", nullptr, "EditProperties"});
    for (QMenu* menu : {Bearbeiten1, Objekte1, ools1}) {
        ClientMenue->addMenu(menu);
    }

    DesignerPopup = makeMenu(this, "DesignerPopup", QString());
    fill(DesignerPopup,
         {"ObjectsRectangle", "ObjectsRoundRect", "ObjectsEllipse", "ObjectsTriangle",
          "ObjectsRhomboid", "ObjectsPentagon", "ObjectsHexagon", "ObjectsText", "ObjectsData",
          nullptr, "ObjectsLink", nullptr, "EditPaste", nullptr, "EditSelectAll",
          "EditInvertSelection", nullptr, "EditProperties"});
    ObjectsPopup = makeMenu(this, "ObjectsPopup", QString());
    fill(ObjectsPopup,
         {"EditCut", "EditCopy", "EditPaste", "EditDelete", nullptr, "EditBringToFront",
          "EditSendToBack", nullptr, "LinkAddPoint", "LinkRemovePoint", nullptr, "LinkReverse",
          nullptr, "EditProperties", "MultiEdit"});
    connect(ObjectsPopup, &QMenu::aboutToShow, this, &TMDIChild::ObjectsPopupPopup);
    RaroviRovoz->SetPopupMenu(DesignerPopup);
    RaroviRovoz->SetObjectPopupMenu(ObjectsPopup);
}

QList<TMenuGroup> TMDIChild::MenuGroups() const {
    return {{Bearbeiten1, 1}, {Objekte1, 5}, {ools1, 5}};
}

void TMDIChild::TranslateWindow() {
    TFormTranslator translator(DlgTexte, objectName());
    translator.TranslateActions(fActionList);
    translator.TranslateMenus(*ClientMenue);
    translator.TranslateControls({RaroviRovoz, StatusBar, ToolBar2, NodeBackgroundColor, LineSize,
                                  LineColor, ToolBar1, FontColor, cbxFontName, cbxFontSize});
    for (const char* name : {"EditUndo", "EditRedo"}) {
        QAction* action = fActions.value(QLatin1String(name));
        action->setProperty(kBaseCaption, action->text());
    }
}

QString TMDIChild::PanelText(TStatusPanel panel) const {
    return fPanels[panel]->text();
}

void TMDIChild::SetPanel(TStatusPanel panel, const QString& text) {
    QLabel* label = fPanels[panel];
    if (label->text() != text) {
        label->setText(text);
    }
}

void TMDIChild::ShowApplicationHint(const QString& hint) {
    if (gHintWindow) {
        gHintWindow->SetPanel(spHint, LongHint(hint));
    }
}

bool TMDIChild::event(QEvent* event) {
    // Status tips of the window's menus, tool bars and graph are the program's hints;
    // they do not replace the panels with a message.
    if (event->type() == QEvent::StatusTip) {
        ShowApplicationHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    if (IsGraphSaved()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace zov
