#include "dspdf.h"

#include "platform/pictures/Metafile.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

namespace {

constexpr int kFailed = -1;
constexpr int kNoDocument = -2;
constexpr int kResolution = 600;

struct TDocument {
    QSaveFile file;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    bool pageDrawn = false; // something was drawn on the current page
    bool newPage = false;   // NewPage was asked for since the last drawing
    bool failed = false;    // a page could not be drawn: EndDoc writes nothing

    explicit TDocument(const QString& name) : file(name) {}
};

std::unique_ptr<TDocument> gDocument;

QPageSize PageSize(int width, int height) {
    // Hundredths of millimetres; a page of nothing is an A4 page.
    if (width <= 0 || height <= 0) {
        return QPageSize(QPageSize::A4);
    }
    return QPageSize(QSizeF(width / 100.0, height / 100.0), QPageSize::Millimeter, QString(),
                     QPageSize::ExactMatch);
}

int Draw(const QByteArray& metafile) {
    if (!gDocument) {
        return kNoDocument;
    }
    TDocument& document = *gDocument;
    if (!document.painter.isActive()) {
        if (!document.painter.begin(document.writer.get())) {
            document.failed = true;
            return kFailed;
        }
    } else if (document.newPage) {
        document.writer->newPage();
    }
    document.newPage = false;
    document.pageDrawn = true;
    const QRectF page(0, 0, document.writer->width(), document.writer->height());
    zov::PlayEnhancedMetafile(metafile, document.painter, page);
    return 0;
}

} // namespace

extern "C" {

int BeginDoc(const char* fileName) {
    if (fileName == nullptr) {
        return kFailed;
    }
    gDocument = std::make_unique<TDocument>(QString::fromUtf8(fileName));
    if (!gDocument->file.open(QIODevice::WriteOnly)) {
        gDocument.reset();
        return kFailed;
    }
    gDocument->writer = std::make_unique<QPdfWriter>(&gDocument->file);
    gDocument->writer->setResolution(kResolution);
    gDocument->writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    gDocument->writer->setCreator(QStringLiteral("ZOV"));
    return 0;
}

int SetPage(int /*paper*/, int /*orientation*/, int width, int height) {
    if (!gDocument) {
        return kNoDocument;
    }
    // The width and height are those of the page as it lies, so no turning here.
    gDocument->writer->setPageSize(PageSize(width, height));
    gDocument->writer->setPageOrientation(QPageLayout::Portrait);
    return 0;
}

int NewPage() {
    if (!gDocument) {
        return kNoDocument;
    }
    gDocument->newPage = true;
    return 0;
}

int PrintPageM(const void* metafile, int size) {
    if (metafile == nullptr || size < 0) {
        return kFailed;
    }
    return Draw(QByteArray(static_cast<const char*>(metafile), size));
}

int PrintPageF(const char* fileName) {
    QFile file(QString::fromUtf8(fileName != nullptr ? fileName : ""));
    if (!file.open(QIODevice::ReadOnly)) {
        return kFailed;
    }
    return Draw(file.readAll());
}

int EndDoc() {
    if (!gDocument) {
        return kNoDocument;
    }
    const std::unique_ptr<TDocument> document = std::move(gDocument);
    if (!document->pageDrawn || document->failed) {
        // No half-written file: the one at that name, if any, stays as it was.
        document->file.cancelWriting();
        return kFailed;
    }
    document->painter.end();
    document->writer.reset();
    return document->file.commit() ? 0 : kFailed;
}

} // extern "C"
