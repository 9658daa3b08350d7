#pragma once

#include "platform/graphics/Paper.h"
#include "platform/types/Exceptions.h"

#include <QByteArray>
#include <QLibrary>
#include <QString>
#include <cstdint>
#include <functional>

namespace zov {

enum TPrinterOrientation : uint8_t { poPortrait, poLandscape };

// The PDF library's code of a paper type; 0 for those it has none for.
int PdfPaperCode(TPaperType paper);

// What the PDF library is told of a page: paper code, orientation (0 portrait,
// 1 landscape), and the page's width and height as it lies, in 0.01 mm.
struct TPdfPage {
    int paper = 0;
    int orientation = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TPdfPage&) const = default;
};
TPdfPage PdfPage(TPaperType paper, TPrinterOrientation orientation, int32_t widthHiMetric,
                 int32_t heightHiMetric);

// Raised when PDF output is asked for and the library is missing.
class EMissingPDFLibrary : public Exception {
    using Exception::Exception;
};
inline constexpr const char* SMissingPdfLibrary = "Cannot locate dspdf.dll";

// The entry points of the PDF library.
struct TPdfFunctions {
    std::function<int(const char* fileName)> BeginDoc;
    std::function<int()> EndDoc;
    std::function<int()> NewPage;
    std::function<int(const void* metafile, int size)> PrintPageM;
    std::function<int(const char* fileName)> PrintPageF;
    std::function<int(int paper, int orientation, int width, int height)> SetPage;
};

// Writes pageCount pages (metafile file images that page(1 ... pageCount) gives) as
// a PDF file through the library: BeginDoc with the name in UTF-8, then for each
// page NewPage (before all but the first), SetPage and PrintPageM, then EndDoc,
// also after an error. Throws EFCreateError when the library reports a failure.
void WritePdf(const TPdfFunctions& library, const QString& fileName, int pageCount,
              const std::function<QByteArray(int page)>& page, const TPdfPage& setup);

// The PDF library "dspdf", loaded once from the program's own folder (never from the
// search path or the working directory).
class TPdfLibrary {
public:
    // The program's library, loaded on first use from folder.
    static TPdfLibrary& Program(const QString& folder);

    explicit TPdfLibrary(const QString& folder);
    bool Loaded() const { return fLoaded; }
    // Throws EMissingPDFLibrary when the library is not loaded.
    const TPdfFunctions& Functions() const;
    QString FileName() const { return fLibrary.fileName(); }

private:
    QLibrary fLibrary;
    TPdfFunctions fFunctions;
    bool fLoaded = false;
};

} // namespace zov
