// The preview control: recording pages, zoom, the page cache, printing and PDF.
#include "preview/widgets/PrintPreview.h"

#include "platform/graphics/Canvas.h"
#include "platform/pictures/Metafile.h"
#include "support/PdfText.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace zov {
namespace {

// Records pages pages, each with its number as text in the middle of the page.
void Record(TPrintPreview& preview, int pages) {
    preview.BeginDoc();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1) {
            preview.NewPage();
        }
        QPainter& painter = *preview.Canvas()->Painter();
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 24));
        painter.drawText(QPointF(preview.PaperWidth() / 3.0, preview.PaperHeight() / 2.0),
                         QStringLiteral("PageNumber%1").arg(page));
        painter.drawRect(100, 100, preview.PaperWidth() - 200, preview.PaperHeight() - 200);
    }
    preview.EndDoc();
}

TEST(PrintPreview, RecordsPagesOfTheA4SizeInHundredthsOfAMillimetre) {
    TPrintPreview preview;
    EXPECT_EQ(preview.PaperWidth(), 21000);
    EXPECT_EQ(preview.PaperHeight(), 29700);
    EXPECT_EQ(preview.Canvas(), nullptr);
    Record(preview, 2);
    EXPECT_EQ(preview.State(), psReady);
    EXPECT_EQ(preview.TotalPages(), 2);
    EXPECT_EQ(preview.CurrentPage(), 1);
    ASSERT_TRUE(IsEnhancedMetafile(preview.Pages(1)));
    EXPECT_EQ(EnhancedMetafileSize(preview.Pages(1)), (TSize{794, 1123})); // A4 at 96 dpi
    preview.SetPaper(pA4, poLandscape);
    EXPECT_EQ(preview.PaperWidth(), 29700);
    EXPECT_EQ(preview.PaperHeight(), 21000);
    // Outside recording the operations are ignored.
    preview.NewPage();
    preview.EndDoc();
    EXPECT_EQ(preview.TotalPages(), 2);
}

TEST(PrintPreview, ZoomStaysWithinItsLimits) {
    TPrintPreview preview;
    preview.resize(600, 400);
    Record(preview, 1);
    preview.SetZoom(1000);
    preview.SetZoom(preview.Zoom() + preview.ZoomStep());
    EXPECT_EQ(preview.Zoom(), 1000);
    EXPECT_EQ(preview.ZoomState(), zsZoomOther);
    preview.SetZoom(10);
    preview.SetZoom(preview.Zoom() - preview.ZoomStep());
    EXPECT_EQ(preview.Zoom(), 10);
    preview.SetZoom(100);
    EXPECT_EQ(preview.SheetRect().size(), QSize(794, 1123));
}

TEST(PrintPreview, FittingFollowsTheViewAndSurvivesAnEmptyOne) {
    TPrintPreview preview;
    preview.resize(600, 400);
    preview.show();
    Record(preview, 1);
    preview.SetZoomState(zsZoomToHeight);
    const QRect high = preview.SheetRect();
    EXPECT_NEAR(high.height(), preview.viewport()->height() - 23, 1);
    EXPECT_NEAR(double(high.width()) / high.height(), 794.0 / 1123, 0.01);
    EXPECT_EQ(preview.Zoom(), static_cast<int>(std::lround(high.height() * 100.0 / 1123)));
    preview.SetZoomState(zsZoomToWidth);
    EXPECT_NEAR(preview.SheetRect().width(), preview.viewport()->width() - 23, 1);
    preview.SetZoomState(zsZoomToFit); // a wide view: fitted to the height
    EXPECT_EQ(preview.SheetRect().height(), high.height());
    preview.resize(0, 0);
    preview.SetZoomState(zsZoomToFit);
    EXPECT_GE(preview.SheetRect().width(), 1);
    EXPECT_GE(preview.Zoom(), 0);
}

TEST(PrintPreview, AnOversizedSheetIsPannedWithTheGrabCursor) {
    TPrintPreview preview;
    preview.resize(400, 300);
    preview.show();
    Record(preview, 1);
    preview.SetZoom(300);
    QWidget* view = preview.viewport();
    const QPoint start(200, 150);
    QTest::mousePress(view, Qt::LeftButton, {}, start);
    EXPECT_EQ(view->cursor().shape(), Qt::ClosedHandCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(start - QPoint(50, 80)), QPointF(), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(view, &move);
    EXPECT_EQ(preview.horizontalScrollBar()->value(), 50);
    EXPECT_EQ(preview.verticalScrollBar()->value(), 80);
    QTest::mouseRelease(view, Qt::LeftButton, {}, start - QPoint(50, 80));
    EXPECT_NE(view->cursor().shape(), Qt::ClosedHandCursor);
}

TEST(PrintPreview, MoreThanTenPagesKeepTenInMemory) {
    TPrintPreview preview;
    Record(preview, 14);
    EXPECT_EQ(preview.TotalPages(), 14);
    EXPECT_EQ(preview.PageList().CachedCount(), 10);
    EXPECT_TRUE(QFile::exists(preview.PageList().StorageFileName()));
    for (int page = 1; page <= 14; ++page) {
        const QByteArray metafile = preview.Pages(page);
        const QString label = QStringLiteral("PageNumber%1").arg(page);
        EXPECT_TRUE(metafile.contains(
            QByteArray(reinterpret_cast<const char*>(label.utf16()), label.size() * 2)))
            << page;
    }
    EXPECT_EQ(preview.PageList().CachedCount(), 10);
}

TEST(PrintPreview, SavesEveryPageAsPdfThroughTheLibrary) {
    const TPdfLibrary library(QStringLiteral(ZOV_DSPDF_FOLDER));
    TPrintPreview preview;
    preview.SetPdfLibrary(&library);
    ASSERT_TRUE(preview.CanSaveAsPDF());
    Record(preview, 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("Export.PDF"));
    preview.SaveAsPDF(pdf);
    EXPECT_EQ(preview.State(), psReady);
    const QString text = test::PdfText(pdf);
    if (text.isNull()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    for (int page = 1; page <= 3; ++page) {
        EXPECT_TRUE(text.contains(QStringLiteral("PageNumber%1").arg(page))) << text.toStdString();
    }
    EXPECT_EQ(text.count(QChar(u'\f')), 3);
}

TEST(PrintPreview, WithoutTheLibraryOrWhileRecordingNothingIsSaved) {
    const TPdfLibrary missing(QStringLiteral("/nonexistent"));
    TPrintPreview preview;
    preview.SetPdfLibrary(&missing);
    Record(preview, 1);
    EXPECT_FALSE(preview.CanSaveAsPDF());
    QTemporaryDir dir;
    try {
        preview.SaveAsPDF(dir.filePath("out.pdf"));
        ADD_FAILURE() << "no exception";
    } catch (const EMissingPDFLibrary& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot locate dspdf.dll"));
    }
    const TPdfLibrary library(QStringLiteral(ZOV_DSPDF_FOLDER));
    preview.SetPdfLibrary(&library);
    preview.BeginDoc();
    EXPECT_THROW(preview.SaveAsPDF(dir.filePath("out.pdf")), EGraphInvalidOperation);
    preview.EndDoc();
    EXPECT_FALSE(QFile::exists(dir.filePath("out.pdf")));
}

TEST(PrintPreview, PrintsThePagesToThePrinter) {
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    TPrintPreview preview;
    preview.SetPrinter(&printer);
    Record(preview, 3);
    preview.PrintPages(2, 9); // the range ends at the last page
    EXPECT_EQ(preview.State(), psReady);
    const QString text = test::PdfText(printer.outputFileName());
    if (text.isNull()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_FALSE(text.contains(QLatin1String("PageNumber1")));
    EXPECT_TRUE(text.contains(QLatin1String("PageNumber2")));
    EXPECT_TRUE(text.contains(QLatin1String("PageNumber3")));
}

} // namespace
} // namespace zov
