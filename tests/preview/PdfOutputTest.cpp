// PDF output through the library "dspdf": the calls and their arguments, the real
// library writing text as text, and what happens when it is missing or fails.
#include "preview/PdfOutput.h"

#include "platform/pictures/EmfWriter.h"
#include "support/PdfText.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zov {
namespace {

TEST(PdfPage, PaperCodesOrientationAndSize) {
    EXPECT_EQ(PdfPage(pA4, poPortrait, 21000, 29700), (TPdfPage{2, 0, 21000, 29700}));
    EXPECT_EQ(PdfPage(pA4, poLandscape, 29700, 21000), (TPdfPage{2, 1, 29700, 21000}));
    const struct {
        TPaperType paper;
        int code;
    } codes[] = {{pLetter, 1}, {pA3, 3},          {pLegal, 4},      {pB5, 5},     {pB4, 8},
                 {pA5, 9},     {pFolio, 10},      {pExecutive, 11}, {pEnvB4, 12}, {pEnvB5, 13},
                 {pEnvDL, 15}, {pEnvMonarch, 16}, {pTabloid, 0},    {pCustom, 0}};
    for (const auto& c : codes) {
        EXPECT_EQ(PdfPaperCode(c.paper), c.code) << int(c.paper);
    }
}

// A library that records its calls.
struct TRecorder {
    QStringList calls;
    int failAt = -1; // the call that answers -1

    int Answer(const QString& call) {
        calls.append(call);
        return calls.size() - 1 == failAt ? -1 : 0;
    }
    TPdfFunctions Functions() {
        return {
            [this](const char* name) { return Answer("BeginDoc " + QString::fromUtf8(name)); },
            [this] { return Answer("EndDoc"); },
            [this] { return Answer("NewPage"); },
            [this](const void* data, int size) {
                return Answer(QStringLiteral("PrintPageM %1 %2")
                                  .arg(QString::fromLatin1(static_cast<const char*>(data), size))
                                  .arg(size));
            },
            [this](const char*) { return Answer("PrintPageF"); },
            [this](int paper, int orientation, int width, int height) {
                return Answer(QStringLiteral("SetPage %1 %2 %3 %4")
                                  .arg(paper)
                                  .arg(orientation)
                                  .arg(width)
                                  .arg(height));
            },
        };
    }
};

QByteArray Page(int page) {
    return "page" + QByteArray::number(page);
}

TEST(WritePdf, CallsTheLibraryInItsOrder) {
    TRecorder library;
    WritePdf(library.Functions(), QString::fromUtf8("/tmp/Ärger €.pdf"), 3, Page,
             PdfPage(pA4, poPortrait, 21000, 29700));
    EXPECT_EQ(library.calls,
              (QStringList{QString::fromUtf8("BeginDoc /tmp/Ärger €.pdf"),
                           "SetPage 2 0 21000 29700", "PrintPageM page1 5", "NewPage",
                           "SetPage 2 0 21000 29700", "PrintPageM page2 5", "NewPage",
                           "SetPage 2 0 21000 29700", "PrintPageM page3 5", "EndDoc"}));
}

TEST(WritePdf, AFailureStillEndsTheDocumentAndIsReported) {
    for (const int failAt : {0, 2, 9}) {
        TRecorder library;
        library.failAt = failAt;
        EXPECT_THROW(WritePdf(library.Functions(), "out.pdf", 3, Page, TPdfPage{}), EFCreateError)
            << failAt;
        EXPECT_EQ(library.calls.constLast() == "EndDoc", failAt != 0) << failAt;
    }
    TRecorder library;
    EXPECT_THROW(WritePdf(
                     library.Functions(), "out.pdf", 2,
                     [](int) -> QByteArray { throw EReadError(QStringLiteral("lost")); },
                     TPdfPage{}),
                 EReadError);
    EXPECT_EQ(library.calls, (QStringList{"BeginDoc out.pdf", "EndDoc"}));
}

TEST(PdfLibrary, MissingOrRelativeFoldersLoadNothing) {
    for (const QString& folder : {QStringLiteral("/nonexistent"), QStringLiteral("."),
                                  QStringLiteral(ZOV_DSPDF_FOLDER "/..")}) {
        const TPdfLibrary library(folder);
        EXPECT_FALSE(library.Loaded()) << folder.toStdString();
        try {
            library.Functions();
            ADD_FAILURE() << "no exception";
        } catch (const EMissingPDFLibrary& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Cannot locate dspdf.dll"));
        }
    }
}

// A page with text on it, as the preview records it.
QByteArray TextPage(const QString& text) {
    TEmfDevice device(794, 1123); // A4 at 96 dpi
    QPainter painter(&device);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 24));
    painter.drawText(QPointF(100, 200), text);
    painter.drawRect(50, 50, 694, 1023);
    painter.end();
    return device.Bytes();
}

TEST(PdfLibrary, WritesPagesWithTheirTextAsText) {
    const TPdfLibrary library(QStringLiteral(ZOV_DSPDF_FOLDER));
    ASSERT_TRUE(library.Loaded()) << library.FileName().toStdString();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QString::fromUtf8("Übersicht €.pdf"));
    const QByteArray pages[] = {TextPage(QStringLiteral("FirstPageWords")),
                                TextPage(QStringLiteral("SecondPageWords"))};
    WritePdf(
        library.Functions(), pdf, 2, [&pages](int page) { return pages[page - 1]; },
        PdfPage(pA4, poPortrait, 21000, 29700));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left
    const QString words = test::PdfText(pdf);
    if (words.isNull()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_TRUE(words.contains(QLatin1String("FirstPageWords"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QLatin1String("SecondPageWords"))) << words.toStdString();
    EXPECT_EQ(words.count(QChar(u'\f')), 2); // two pages
}

TEST(PdfLibrary, AFailedDocumentLeavesTheOldFileAlone) {
    const TPdfLibrary library(QStringLiteral(ZOV_DSPDF_FOLDER));
    ASSERT_TRUE(library.Loaded());
    QTemporaryDir dir;
    EXPECT_THROW(WritePdf(
                     library.Functions(), dir.filePath("missing/folder/out.pdf"), 1,
                     [](int) { return TextPage(QStringLiteral("x")); }, TPdfPage{}),
                 EFCreateError);
    const QString existing = dir.filePath("kept.pdf");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old content");
    file.close();
    // No page at all: nothing is written, the old file stays.
    EXPECT_THROW(WritePdf(library.Functions(), existing, 0, nullptr, TPdfPage{}), EFCreateError);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old content");
}

} // namespace
} // namespace zov
