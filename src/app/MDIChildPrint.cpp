// The document window's printing and printer setup.
#include "app/AppConstants.h"
#include "app/MDIChild.h"
#include "app/PrintPreviewForm.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/PaperDetection.h"
#include "platform/types/Exceptions.h"
#include "preview/widgets/PrintPreview.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>

namespace zov {

void TMDIChild::InitPrinter() {
    fPrinter.setPageOrientation(RaroviRovoz->Lage() == 'L' ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
    // The graph's paper too, so the printer set-up starts from it and a cancelled
    // set-up, which reads the printer back, changes nothing.
    const QPageSize paper = PageSizeOf(RaroviRovoz->PaperType());
    if (paper.isValid()) {
        fPrinter.setPageSize(paper);
    }
}

void TMDIChild::FilePrint() {
    InitPrinter();
    QPrintDialog dialog(&fPrinter, this);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    fPrinter.setDocName(ApplicationTitle());
    const QRect page = fPrinter.pageLayout().paintRectPixels(fPrinter.resolution());
    const TRect rect{50, 50, page.width() - 50, page.height() - 50};
    QPainter painter;
    if (!painter.begin(&fPrinter)) {
        throw Exception(QStringLiteral("The printer could not start the job."));
    }
    try {
        TCanvas canvas(&painter);
        RaroviRovoz->Print(canvas, rect);
    } catch (...) {
        // A job that failed part way is withdrawn, never finished as if complete.
        fPrinter.abort();
        throw;
    }
    painter.end();
}

// The graph on one page of the preview, half a millimetre inside the paper's edges.
// The page is the printer's, known only once recording began, so the rectangle is
// measured after BeginDoc.
void TMDIChild::PrintPreviewExecute() {
    InitPrinter();
    TfrmPrintPreview form(fPrinter, this);
    TPrintPreview& preview = form.Preview();
    preview.SetPrintJobTitle(ApplicationTitle());
    preview.BeginDoc();
    const TRect rect{50, 50, preview.PaperWidth() - 50, preview.PaperHeight() - 50};
    try {
        RaroviRovoz->Print(*preview.Canvas(), rect);
    } catch (...) {
        preview.EndDoc();
        throw;
    }
    preview.EndDoc();
    form.exec();
}

void TMDIChild::FilePrintExecute() {
    FilePrint();
}

void TMDIChild::PrinterSetupExecute() {
    InitPrinter();
    QPageSetupDialog dialog(&fPrinter, this);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
    dialog.exec();
    // The graph follows the printer whatever the answer; after Cancel the printer
    // still holds what InitPrinter gave it.
    TakePageFromPrinter();
}

void TMDIChild::TakePageFromPrinter() {
    const char lage = fPrinter.pageLayout().orientation() == QPageLayout::Landscape ? 'L' : 'P';
    const std::optional<TPaperType> paper = PaperTypeOfPage(fPrinter.pageLayout().pageSize());
    TGraphHistory& history = RaroviRovoz->History();
    history.Record(QStringLiteral("Page Setup"), [&] {
        history.CapturePageInfo();
        bool changed = false;
        if (RaroviRovoz->Lage() != lage) {
            RaroviRovoz->SetLage(lage);
            changed = true;
        }
        if (paper && RaroviRovoz->PaperType() != *paper) {
            RaroviRovoz->SetPaperType(*paper);
            changed = true;
        }
        // Orientation and paper are saved with the graph.
        if (changed) {
            RaroviRovoz->SetModified(true);
        }
    });
}

} // namespace zov
