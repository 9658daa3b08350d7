#include "PrintPreview.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Paper.h"
#include "platform/graphics/PaperDetection.h"
#include "platform/pictures/EmfWriter.h"
#include "platform/pictures/Metafile.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <cmath>

namespace zov {
namespace {

constexpr double kScreenDpi = 96;
constexpr int kMargin = 10; // around the sheet in the view
constexpr int kBorderWidth = 1;
constexpr int kShadowWidth = 3;

double UnitsPerInch(TUnits units, double dpi) {
    switch (units) {
    case mmPixel:
        return dpi;
    case mmLoMetric:
        return 254;
    case mmHiMetric:
        return 2540;
    case mmLoEnglish:
        return 100;
    case mmHiEnglish:
        return 1000;
    case mmTWIPS:
        return 1440;
    case mmPoints:
        return 72;
    }
    return dpi;
}

// The portrait size of a paper in hundredths of a millimetre.
QSize HiMetricSize(TPaperType paper) {
    const TPaperInfo& info = PaperInfo(paper);
    switch (info.Unit) {
    case puTenthMillimetre:
        return {info.Width * 10, info.Height * 10};
    case puThousandthInch:
        return {static_cast<int>(std::lround(info.Width * 2.54)),
                static_cast<int>(std::lround(info.Height * 2.54))};
    case puPixel:
        return {PixelsToUnits(info.Width, mmHiMetric, kScreenDpi),
                PixelsToUnits(info.Height, mmHiMetric, kScreenDpi)};
    }
    return {21000, 29700};
}

} // namespace

int UnitsToPixels(double value, TUnits units, double dpi) {
    return static_cast<int>(std::lround(value * dpi / UnitsPerInch(units, dpi)));
}

int PixelsToUnits(double pixels, TUnits units, double dpi) {
    return static_cast<int>(std::lround(pixels * UnitsPerInch(units, dpi) / dpi));
}

TPrintPreview::TPrintPreview(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFont(QStringLiteral("Arial"), 8));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    SetPaper(pA4, poPortrait);
    fPageList.OnSingleChange = [this](int) {
        UpdateView();
    };
    fPageList.OnMultipleChange = [this] {
        UpdateView();
    };
}

TPrintPreview::~TPrintPreview() = default;

void TPrintPreview::SetPaper(TPaperType paper, TPrinterOrientation orientation) {
    SetPage(paper, orientation, HiMetricSize(paper));
}

void TPrintPreview::SetPage(TPaperType paper, TPrinterOrientation orientation, QSize portrait) {
    fPaperType = paper;
    fOrientation = orientation;
    if (orientation == poLandscape) {
        portrait.transpose();
    }
    fPageExt = portrait;
    fDeviceExt = {UnitsToPixels(portrait.width(), fUnits, kScreenDpi),
                  UnitsToPixels(portrait.height(), fUnits, kScreenDpi)};
    UpdateView();
}

void TPrintPreview::BeginDoc() {
    if (fState != psReady) {
        return;
    }
    fPageList.Clear();
    fCurrentPage = 0;
    fState = psCreating;
    if (fUsePrinterOptions && fPrinter != nullptr) {
        const QPageLayout layout = fPrinter->pageLayout();
        const TPrinterOrientation orientation =
            layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
        if (const auto paper = PaperTypeOfPage(layout.pageSize())) {
            SetPaper(*paper, orientation);
        } else {
            // No standard paper: the printer's page as it is.
            const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
            SetPage(pCustom, orientation,
                    QSize(static_cast<int>(std::lround(mm.width() * 100)),
                          static_cast<int>(std::lround(mm.height() * 100))));
        }
    }
    NewPage();
}

void TPrintPreview::NewPage() {
    if (fState != psCreating) {
        return;
    }
    ClosePage();
    fPageDevice = std::make_unique<TEmfDevice>(fDeviceExt.width(), fDeviceExt.height());
    fPagePainter = std::make_unique<QPainter>(fPageDevice.get());
    // The client draws in fUnits over the whole page. A world transform rather than
    // window and viewport, like every painter of this program: the metafile player
    // takes the world transform as the way to the device and ignores the view.
    fPagePainter->setWorldTransform(
        QTransform::fromScale(double(fDeviceExt.width()) / std::max(fPageExt.width(), 1),
                              double(fDeviceExt.height()) / std::max(fPageExt.height(), 1)));
    fPagePainter->setFont(font());
    fPagePainter->setBackground(Qt::white);
    fPagePainter->setBackgroundMode(Qt::TransparentMode);
    fCanvas = std::make_unique<TCanvas>(fPagePainter.get());
}

void TPrintPreview::EndDoc() {
    if (fState != psCreating) {
        return;
    }
    ClosePage();
    fState = psReady;
    if (fPageList.Count() > 0 && fCurrentPage == 0) {
        fCurrentPage = 1;
    }
    UpdateView();
}

void TPrintPreview::ClosePage() {
    if (!fPagePainter) {
        return;
    }
    fCanvas.reset();
    fPagePainter->end();
    fPagePainter.reset();
    fPageList.Add(fPageDevice->Bytes());
    fPageDevice.reset();
}

const QByteArray& TPrintPreview::Pages(int page) {
    return fPageList.Metafile(page - 1);
}

void TPrintPreview::SetZoom(int percent) {
    fZoom = std::clamp(percent, fZoomMin, fZoomMax);
    fZoomState = zsZoomOther;
    UpdateView();
}

void TPrintPreview::SetZoomState(TZoomState state) {
    fZoomState = state;
    UpdateView();
}

QSize TPrintPreview::SheetSize() const {
    const QSize page = fDeviceExt.expandedTo(QSize(1, 1));
    if (fZoomState == zsZoomOther) {
        return {static_cast<int>(int64_t{page.width()} * fZoom / 100),
                static_cast<int>(int64_t{page.height()} * fZoom / 100)};
    }
    // A minimised or not yet shown view has nothing to fit into: at least a pixel.
    const int width = std::max(viewport()->width() - 2 * kMargin - kShadowWidth, 1);
    const int height = std::max(viewport()->height() - 2 * kMargin - kShadowWidth, 1);
    bool toWidth = fZoomState == zsZoomToWidth;
    if (fZoomState == zsZoomToFit) {
        toWidth = double(height) / width > double(page.height()) / page.width();
    }
    if (toWidth) {
        return {width,
                std::max(static_cast<int>(int64_t{width} * page.height() / page.width()), 1)};
    }
    return {std::max(static_cast<int>(int64_t{height} * page.width() / page.height()), 1), height};
}

void TPrintPreview::UpdateView() {
    fSheet = SheetSize();
    if (fZoomState != zsZoomOther) {
        fZoom = static_cast<int>(
            std::lround(fSheet.height() * 100.0 / std::max(fDeviceExt.height(), 1)));
    }
    const QSize total = fSheet + QSize(2 * kMargin + kShadowWidth, 2 * kMargin + kShadowWidth);
    horizontalScrollBar()->setRange(0, std::max(total.width() - viewport()->width(), 0));
    verticalScrollBar()->setRange(0, std::max(total.height() - viewport()->height(), 0));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
    viewport()->update();
}

QRect TPrintPreview::SheetRect() const {
    // Centred when it fits, else scrolled.
    const int x = fSheet.width() + 2 * kMargin < viewport()->width()
                      ? (viewport()->width() - fSheet.width()) / 2
                      : kMargin - horizontalScrollBar()->value();
    const int y = fSheet.height() + 2 * kMargin < viewport()->height()
                      ? (viewport()->height() - fSheet.height()) / 2
                      : kMargin - verticalScrollBar()->value();
    return {QPoint(x, y), fSheet};
}

void TPrintPreview::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QRect sheet = SheetRect();
    const QColor shadow = palette().color(QPalette::Shadow);
    painter.fillRect(sheet.right() + 1, sheet.top() + kShadowWidth, kShadowWidth, sheet.height(),
                     shadow);
    painter.fillRect(sheet.left() + kShadowWidth, sheet.bottom() + 1, sheet.width(), kShadowWidth,
                     shadow);
    painter.fillRect(sheet, Qt::white);
    if (fCurrentPage >= 1 && fCurrentPage <= TotalPages()) {
        PlayEnhancedMetafile(Pages(fCurrentPage), painter, QRectF(sheet));
    }
    painter.setPen(QPen(Qt::black, kBorderWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
}

void TPrintPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateView();
}

void TPrintPreview::scrollContentsBy(int, int) {
    viewport()->update();
}

void TPrintPreview::mousePressEvent(QMouseEvent* event) {
    const bool fits = fSheet.width() + 2 * kMargin <= viewport()->width() &&
                      fSheet.height() + 2 * kMargin <= viewport()->height();
    if (!fits && SheetRect().contains(event->position().toPoint())) {
        setFocus();
        viewport()->setCursor(Qt::ClosedHandCursor);
        fGrab = event->position().toPoint();
        fPanning = true;
    }
}

void TPrintPreview::mouseMoveEvent(QMouseEvent* event) {
    if (fPanning && (event->buttons() & Qt::LeftButton)) {
        const QPoint at = event->position().toPoint();
        const QPoint moved = at - fGrab;
        fGrab = at;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
    }
}

void TPrintPreview::mouseReleaseEvent(QMouseEvent*) {
    if (fPanning) {
        fPanning = false;
        viewport()->unsetCursor();
    }
}

void TPrintPreview::PrintPages(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, TotalPages());
    if (fState != psReady || fPrinter == nullptr || last < first) {
        return;
    }
    if (fPrinter->outputFormat() == QPrinter::NativeFormat &&
        QPrinterInfo::availablePrinters().isEmpty()) {
        return; // no printer installed
    }
    fState = psPrinting;
    fPrinter->setDocName(fPrintJobTitle);
    QPainter painter;
    if (!painter.begin(fPrinter)) {
        fState = psReady;
        throw Exception(QStringLiteral("The printer could not start the job."));
    }
    try {
        for (int page = first; page <= last; ++page) {
            if (page > first) {
                fPrinter->newPage();
            }
            const QRectF target =
                QRectF(fPrinter->pageLayout().fullRectPixels(fPrinter->resolution()))
                    .translated(
                        -fPrinter->pageLayout().paintRectPixels(fPrinter->resolution()).topLeft());
            PlayEnhancedMetafile(Pages(page), painter, target);
        }
    } catch (...) {
        fPrinter->abort();
        fState = psReady;
        throw;
    }
    painter.end();
    fState = psReady;
}

const TPdfLibrary& TPrintPreview::PdfLibrary() const {
    return fPdfLibrary != nullptr ? *fPdfLibrary
                                  : TPdfLibrary::Program(QCoreApplication::applicationDirPath());
}

bool TPrintPreview::CanSaveAsPDF() const {
    return PdfLibrary().Loaded();
}

void TPrintPreview::SaveAsPDF(const QString& fileName) {
    const TPdfFunctions& library = PdfLibrary().Functions();
    if (fState != psReady) {
        throw EGraphInvalidOperation(
            QStringLiteral("The pages cannot be saved while they are recorded or printed."));
    }
    fState = psSavingPDF;
    try {
        WritePdf(
            library, fileName, TotalPages(), [this](int page) { return Pages(page); },
            PdfPage(fPaperType, fOrientation, fPageExt.width(), fPageExt.height()));
    } catch (...) {
        fState = psReady;
        throw;
    }
    fState = psReady;
}

} // namespace zov
