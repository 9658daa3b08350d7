#pragma once

#include "preview/MetafileList.h"
#include "preview/PdfOutput.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QSize>
#include <cstdint>
#include <memory>

class QPainter;
class QPrinter;

namespace zov {

class TCanvas;
class TEmfDevice;

// The units page lengths are given in.
enum TUnits : uint8_t {
    mmPixel,
    mmLoMetric,
    mmHiMetric,
    mmLoEnglish,
    mmHiEnglish,
    mmTWIPS,
    mmPoints
};
// A length in units as pixels at dpi and back, through inches, rounded.
int UnitsToPixels(double value, TUnits units, double dpi);
int PixelsToUnits(double pixels, TUnits units, double dpi);

enum TZoomState : uint8_t { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };
enum TPreviewState : uint8_t {
    psReady,
    psCreating,
    psPrinting,
    psEditing,
    psReplacing,
    psInserting,
    psLoading,
    psSaving,
    psSavingPDF,
    psSavingTIF
};

// The print preview control: records pages as enhanced metafiles while a client
// draws on Canvas() between BeginDoc and EndDoc, keeps them in a TMetafileList, shows
// the current page as a sheet with border and shadow at a zoom, and plays the pages
// to a printer or, through the PDF library, into a PDF file.
class TPrintPreview : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    // The page: paper type, orientation and size in hundredths of a millimetre.
    TPaperType PaperType() const { return fPaperType; }
    TPrinterOrientation Orientation() const { return fOrientation; }
    void SetPaper(TPaperType paper, TPrinterOrientation orientation);
    int PaperWidth() const { return fPageExt.width(); }
    int PaperHeight() const { return fPageExt.height(); }
    // The printer BeginDoc takes paper and orientation from when printer options
    // are used, and the printer Print plays the pages to.
    void SetPrinter(QPrinter* printer) { fPrinter = printer; }
    void SetUsePrinterOptions(bool value) { fUsePrinterOptions = value; }
    // The PDF library used; the program's own, from its folder, by default.
    void SetPdfLibrary(const TPdfLibrary* library) { fPdfLibrary = library; }

    // Recording; each is ignored in the wrong state.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // The canvas of the page being recorded, in hundredths of a millimetre; null
    // outside recording.
    TCanvas* Canvas() const { return fCanvas.get(); }
    TPreviewState State() const { return fState; }

    int TotalPages() const { return fPageList.Count(); }
    // The metafile of a page, counted from 1.
    const QByteArray& Pages(int page);
    TMetafileList& PageList() { return fPageList; }
    // The page shown, counted from 1; 0 without pages.
    int CurrentPage() const { return fCurrentPage; }

    int Zoom() const { return fZoom; }
    // Clamped to [ZoomMin, ZoomMax]; switches the state to zsZoomOther.
    void SetZoom(int percent);
    int ZoomStep() const { return fZoomStep; }
    TZoomState ZoomState() const { return fZoomState; }
    void SetZoomState(TZoomState state);
    // The sheet in viewport coordinates.
    QRect SheetRect() const;

    // Plays pages first to last (1-based, within the pages) to the printer; nothing
    // happens while recording or printing, without a printer, or for an empty range.
    void PrintPages(int first, int last);
    void Print() { PrintPages(1, TotalPages()); }
    bool CanSaveAsPDF() const;
    // Writes every page into a PDF file through the library. Throws
    // EMissingPDFLibrary without it, EGraphInvalidOperation while recording or
    // printing, EFCreateError when the file cannot be written.
    void SaveAsPDF(const QString& fileName);

    void SetPrintJobTitle(const QString& title) { fPrintJobTitle = title; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The page of a paper, from its portrait size in hundredths of a millimetre.
    void SetPage(TPaperType paper, TPrinterOrientation orientation, QSize portrait);
    void ClosePage();
    void UpdateView();
    QSize SheetSize() const;
    const TPdfLibrary& PdfLibrary() const;

    TMetafileList fPageList;
    std::unique_ptr<TEmfDevice> fPageDevice;
    std::unique_ptr<QPainter> fPagePainter;
    std::unique_ptr<TCanvas> fCanvas;
    QPrinter* fPrinter = nullptr;
    const TPdfLibrary* fPdfLibrary = nullptr;
    QString fPrintJobTitle;
    TUnits fUnits = mmHiMetric;
    QSize fPageExt;   // in fUnits
    QSize fDeviceExt; // in screen pixels
    TPrinterOrientation fOrientation = poPortrait;
    TPaperType fPaperType = pA4;
    TPreviewState fState = psReady;
    int fCurrentPage = 0;
    int fZoom = 100;
    TZoomState fZoomState = zsZoomToFit;
    int fZoomMin = 10;
    int fZoomMax = 1000;
    int fZoomStep = 10;
    bool fUsePrinterOptions = false;
    QSize fSheet; // the sheet's size at the zoom
    QPoint fGrab; // where a pan started
    bool fPanning = false;
};

} // namespace zov
