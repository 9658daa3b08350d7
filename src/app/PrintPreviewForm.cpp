#include "app/PrintPreviewForm.h"

#include "app/ActionTable.h"
#include "preview/widgets/PrintPreview.h"
#include "ui_PrintPreviewForm.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace zov {
namespace {

// The window's actions, in the order of the tool bar; MaxAll has no button.
struct TPreviewAction {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* icon;
    bool button;
};

constexpr TPreviewAction kActions[] = {
    {"Close", "Close", nullptr, "exit", true},
    {"ZoomP", "ZoomP", "Ctrl+Z", "zoom-in", true},
    {"ZoomM", "ZoomM", "Ctrl+Shift+Z", "zoom-out", true},
    {"MaxH", "MaxH", nullptr, "zoom-actual", true},
    {"MaxW", "MaxW", nullptr, "tile-vertical", true},
    {"MaxAll", "MaxAll", nullptr, nullptr, false},
    {"Print", "Print", nullptr, "print", true},
    {"SavingPDF", "Saving PDF", nullptr, "save-as", true},
};

} // namespace

TfrmPrintPreview::TfrmPrintPreview(QPrinter& printer, QWidget* parent)
    : QDialog(parent), fUi(std::make_unique<Ui::TfrmPrintPreview>()), fPrinter(printer) {
    fUi->setupUi(this);
    Preview().SetPrinter(&printer);
    Preview().SetUsePrinterOptions(true);
    Preview().SetPaper(Preview().PaperType(), poLandscape);
    CreateActions();
}

TfrmPrintPreview::~TfrmPrintPreview() = default;

TPrintPreview& TfrmPrintPreview::Preview() const {
    return *fUi->PP1;
}

QAction* TfrmPrintPreview::Action(const char* name) const {
    return fActions.value(QString::fromLatin1(name));
}

void TfrmPrintPreview::CreateActions() {
    for (const TPreviewAction& row : kActions) {
        auto* action = new QAction(QString::fromLatin1(row.caption), this);
        action->setObjectName(QString::fromLatin1(row.name));
        if (row.shortcut != nullptr) {
            action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
        }
        if (row.icon != nullptr) {
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(row.icon))));
        }
        addAction(action); // shortcuts work without a button too
        if (row.button) {
            fUi->ToolBar1->addAction(action);
        }
        fActions.insert(action->objectName(), action);
    }
    // The commands report their own errors, before they could unwind through Qt.
    TPrintPreview& preview = Preview();
    OnTriggered(Action("Close"), this, [this] { accept(); });
    OnTriggered(Action("ZoomP"), this,
                [&preview] { preview.SetZoom(preview.Zoom() + preview.ZoomStep()); });
    OnTriggered(Action("ZoomM"), this,
                [&preview] { preview.SetZoom(preview.Zoom() - preview.ZoomStep()); });
    OnTriggered(Action("MaxH"), this, [&preview] { preview.SetZoomState(zsZoomToHeight); });
    OnTriggered(Action("MaxW"), this, [&preview] { preview.SetZoomState(zsZoomToWidth); });
    OnTriggered(Action("Print"), this, [this] { PrintExecute(); });
    OnTriggered(Action("SavingPDF"), this, [this] { SavingPdfExecute(); });
}

void TfrmPrintPreview::PrintExecute() {
    QPrintDialog dialog(&fPrinter, this);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    if (dialog.exec() == QDialog::Accepted) {
        Preview().Print();
    }
}

void TfrmPrintPreview::SavingPdfExecute() {
    if (!Preview().CanSaveAsPDF()) {
        // Said before a file is chosen for nothing.
        throw EMissingPDFLibrary(QString::fromLatin1(SMissingPdfLibrary));
    }
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("PDF"));
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.selectFile(QStringLiteral("Export.PDF"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        Preview().SaveAsPDF(dialog.selectedFiles().front());
    }
}

} // namespace zov
